#include "config/markup_scan.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The file as code units: its bytes, or 16-bit units when it is UTF-16, so
// that a '<' is never half of another character. Read in place: the file may
// be large.
class CodeUnits {
  public:
    explicit CodeUnits(const std::string& bytes) : m_bytes(bytes) {
        const bool littleMark = byte(0) == 0xFF && byte(1) == 0xFE;
        const bool bigMark = byte(0) == 0xFE && byte(1) == 0xFF;
        // Without a mark, UTF-16 shows in its first '<' and the zero beside it.
        const bool little = littleMark || (byte(0) == '<' && byte(1) == 0 && bytes.size() > 1);
        const bool big = bigMark || (byte(0) == 0 && byte(1) == '<');
        if (!little && !big)
            return;
        m_start = littleMark || bigMark ? 2 : 0;
        m_width = 2;
        m_little = little;
    }

    bool isUtf16() const { return m_width == 2; }
    bool isLittleEndian() const { return m_little; }
    size_t size() const { return (m_bytes.size() - m_start) / m_width; }
    char32_t operator[](size_t i) const {
        const size_t at = m_start + i * m_width;
        if (m_width == 1)
            return byte(at);
        return m_little ? byte(at) | byte(at + 1) << 8 : byte(at) << 8 | byte(at + 1);
    }

  private:
    char32_t byte(size_t i) const {
        return i < m_bytes.size() ? static_cast<unsigned char>(m_bytes[i]) : 0;
    }

    const std::string& m_bytes;
    size_t m_start = 0;
    size_t m_width = 1;
    bool m_little = false;
};

std::string lower_case(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// Encodings in which every ASCII character is its own byte, so that the markup
// seen in the bytes is the markup a parser reads. Others (UTF-7, EBCDIC, the
// 32-bit forms) would hide tags and declarations from the scan.
bool keeps_ascii(const std::string& encoding) {
    const std::string name = lower_case(encoding);
    static const char* const kNames[] = {"utf-8", "us-ascii", "ascii"};
    static const char* const kPrefixes[] = {"iso-8859-", "windows-", "cp125", "latin", "shift_jis",
                                            "shift-jis", "euc-",     "gb",    "big5",  "ks_c_5601"};
    for (const char* known : kNames) {
        if (name == known)
            return true;
    }
    for (const char* prefix : kPrefixes) {
        if (name.compare(0, std::strlen(prefix), prefix) == 0)
            return true;
    }
    return false;
}

// Names a UTF-16 file may declare while a parser goes on reading it as it
// began: any other makes a parser read the rest in that encoding. UTF-8 in a
// UTF-16 file parsers take for a mistake and pass over.
bool keeps_utf16(const std::string& encoding, bool little) {
    const std::string name = lower_case(encoding);
    return name == "utf-16" || name == "utf-8" || name == (little ? "utf-16le" : "utf-16be");
}

// The first bytes by which a parser recognises an encoding whose markup the
// scan cannot read: the 32-bit forms in each byte order, without and with a
// byte order mark, and EBCDIC.
bool starts_unreadable(const std::string& bytes) {
    static const char kSignatures[][4] = {
        {0, 0, 0, '<'},         {'<', 0, 0, 0},         {0, 0, '<', 0},
        {0, '<', 0, 0},         {0, 0, '\xFE', '\xFF'}, {'\xFF', '\xFE', 0, 0},
        {0, 0, '\xFF', '\xFE'}, {'\xFE', '\xFF', 0, 0}, {'\x4C', '\x6F', '\xA7', '\x94'}};
    for (const char* signature : kSignatures) {
        if (bytes.compare(0, 4, signature, 4) == 0)
            return true;
    }
    return false;
}

class MarkupScanner {
  public:
    MarkupScanner(const std::string& bytes, size_t maxElements)
        : m_units(bytes), m_maxElements(maxElements) {}

    MarkupScan scan() {
        if (startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
        if (startsWith("<?xml"))
            m_scan.encodingKnown = declaredEncodingIsScanned();
        while (m_pos < m_units.size() && !finished()) {
            if (m_units[m_pos] != '<')
                advance();
            else if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<![CDATA["))
                skipPast("]]>");
            else if (startsWith("<?"))
                skipPast("?>");
            else if (startsWith("<!DOCTYPE"))
                m_scan.documentTypeLine = m_line;
            else if (startsWith("<!"))
                skipPastClose();
            else
                skipTag();
        }
        return std::move(m_scan);
    }

  private:
    bool finished() const {
        return m_scan.documentTypeLine != 0 || !m_scan.encodingKnown ||
               m_scan.elementLines.size() > m_maxElements;
    }

    // A zero is no character of XML text in any encoding the scan reads: the
    // file is in another one.
    void advance() {
        const char32_t unit = m_units[m_pos];
        if (unit == '\n')
            ++m_line;
        else if (unit == 0)
            m_scan.encodingKnown = false;
        ++m_pos;
    }

    bool startsWith(const char* text) const {
        const size_t length = std::strlen(text);
        if (m_units.size() - m_pos < length)
            return false;
        for (size_t i = 0; i < length; ++i) {
            if (m_units[m_pos + i] != static_cast<unsigned char>(text[i]))
                return false;
        }
        return true;
    }

    void skipPast(const char* end) {
        while (m_pos < m_units.size() && !startsWith(end))
            advance();
        for (size_t i = 0; i < std::strlen(end) && m_pos < m_units.size(); ++i)
            advance();
    }

    void skipTag() {
        if (!startsWith("</"))
            m_scan.elementLines.push_back(m_line);
        skipPastClose();
    }

    // Up to the '>' that closes a tag or a declaration. A quoted value may
    // hold one, and a bracketed part of a declaration holds declarations that
    // look like tags.
    void skipPastClose() {
        int depth = 0;
        char32_t quote = 0;
        advance();
        while (m_pos < m_units.size()) {
            const char32_t c = m_units[m_pos];
            advance();
            if (quote != 0) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth <= 0) {
                return;
            }
        }
    }

    // Whether a parser reads the file on in the encoding the scan reads it in,
    // whatever the XML declaration at m_pos names.
    bool declaredEncodingIsScanned() const {
        constexpr size_t kLongestDeclaration = 256;
        std::string declaration;
        for (size_t i = m_pos;
             i < m_units.size() && i < m_pos + kLongestDeclaration && m_units[i] != '>'; ++i)
            declaration += static_cast<char>(m_units[i]);
        const size_t name = declaration.find("encoding");
        if (name == std::string::npos)
            return true;
        const size_t open = declaration.find_first_of("\"'", name);
        if (open == std::string::npos)
            return false;
        const size_t close = declaration.find(declaration[open], open + 1);
        if (close == std::string::npos)
            return false;
        const std::string encoding = declaration.substr(open + 1, close - open - 1);
        return m_units.isUtf16() ? keeps_utf16(encoding, m_units.isLittleEndian())
                                 : keeps_ascii(encoding);
    }

    CodeUnits m_units;
    size_t m_maxElements;
    size_t m_pos = 0;
    int m_line = 1;
    MarkupScan m_scan;
};

} // namespace

MarkupScan ScanMarkup(const std::string& fileBytes, size_t maxElements) {
    if (starts_unreadable(fileBytes)) {
        MarkupScan unreadable;
        unreadable.encodingKnown = false;
        return unreadable;
    }
    return MarkupScanner(fileBytes, maxElements).scan();
}
