#include "config/dom/windows1252.h"

#include <cstdint>

namespace {

// Characters of bytes 0x80 to 0x9F; the five bytes without a character of
// their own stand for the control characters of the same number, as on
// Windows.
constexpr uint16_t kCharactersOf80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of character; false when the code page lacks it.
bool to_windows1252(uint32_t character, char& byte) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = static_cast<char>(character);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kCharactersOf80To9F[i] == character) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

// Decodes the character at text[at]; returns the length of its sequence, 0
// when it is not valid UTF-8.
size_t decode(const std::string& text, size_t at, uint32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = lead < 0x80                   ? 1
                    : lead >= 0xC2 && lead < 0xE0 ? 2
                    : lead >= 0xE0 && lead < 0xF0 ? 3
                    : lead >= 0xF0 && lead < 0xF5 ? 4
                                                  : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    character = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        character = (character << 6) | (byte(at + i) & 0x3F);
    }
    // Over-long forms, surrogates and values past the last character.
    static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kSmallest[length] || (character >= 0xD800 && character <= 0xDFFF) ||
        character > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

xmldom::AnsiText Utf8ToWindows1252(const std::string& utf8) {
    xmldom::AnsiText converted;
    converted.text.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        uint32_t character = 0;
        char byte = 0;
        const size_t length = decode(utf8, at, character);
        const bool held = length != 0 && to_windows1252(character, byte);
        converted.text += held ? byte : '?';
        converted.exact = converted.exact && held;
        at += length ? length : 1;
    }
    return converted;
}
