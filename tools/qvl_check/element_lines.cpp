#include "tools/qvl_check/element_lines.h"

#include <cstring>

namespace {

// The file as code units: its bytes, or 16-bit units after a UTF-16 byte
// order mark, so that a '<' is never half of another character.
std::vector<char32_t> code_units(const std::string& bytes) {
    const auto byte = [&bytes](size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[i]);
    };
    const bool little = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    const bool big = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
    std::vector<char32_t> units;
    if (!little && !big) {
        for (size_t i = 0; i < bytes.size(); ++i)
            units.push_back(byte(i));
        return units;
    }
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        units.push_back(little ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1));
    return units;
}

class StartTagScanner {
  public:
    explicit StartTagScanner(std::vector<char32_t> units) : m_units(std::move(units)) {}

    std::vector<int> scan() {
        while (m_pos < m_units.size()) {
            if (m_units[m_pos] != '<')
                advance();
            else if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<![CDATA["))
                skipPast("]]>");
            else if (startsWith("<?"))
                skipPast("?>");
            else if (startsWith("<!"))
                skipPastClose();
            else
                skipTag();
        }
        return m_lines;
    }

  private:
    void advance() {
        if (m_units[m_pos] == '\n')
            ++m_line;
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
            m_lines.push_back(m_line);
        skipPastClose();
    }

    // Up to the '>' that closes a tag or a declaration. A quoted value may
    // hold one, and the internal subset of a document type declaration, in
    // brackets, holds declarations that look like tags.
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

    std::vector<char32_t> m_units;
    size_t m_pos = 0;
    int m_line = 1;
    std::vector<int> m_lines;
};

} // namespace

std::vector<int> ElementStartLines(const std::string& fileBytes) {
    return StartTagScanner(code_units(fileBytes)).scan();
}
