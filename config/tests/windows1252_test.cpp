// UTF-8 from libxml2 into the record's Windows-1252 text.
#include "config/dom/windows1252.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Conversions = std::vector<std::pair<std::string, std::string>>; // UTF-8, Windows-1252

// Each conversion gives its text, exact or not as expected.
void expect_converted(const Conversions& conversions, bool exact) {
    for (const auto& [utf8, expected] : conversions) {
        const xmldom::AnsiText converted = Utf8ToWindows1252(utf8);
        EXPECT_EQ(expected, converted.text);
        EXPECT_EQ(exact, converted.exact) << expected;
    }
}

TEST(Windows1252, CharactersOfTheCodePageKeepTheirByte) {
    expect_converted(
        {{"plain ASCII", "plain ASCII"},
         {"a question? mark", "a question? mark"},
         {"\xC2\xA0\xC3\xA9\xC3\xBF", "\xA0\xE9\xFF"},
         // The characters of bytes 0x80 to 0x9F: euro sign, low quote, trade
         // mark, capital Y with diaeresis, and a control that keeps its number.
         {"\xE2\x82\xAC\xE2\x80\x9A\xE2\x84\xA2\xC5\xB8\xC2\x81", "\x80\x82\x99\x9F\x81"}},
        true);
}

TEST(Windows1252, WhatItLacksOrCannotDecodeBecomesAQuestionMark) {
    expect_converted({{"\xC2\x80", "?"}, // a control the code page has no byte for
                      {"\xC4\x80", "?"}, // A with macron: no look-alike 'A'
                      {"a\xE4\xB8\xAD.", "a?."},
                      {"\xE0\xA0\x80", "?"}, // the first of three bytes
                      {"\xF0\x9F\x98\x80", "?"},
                      {"\x80", "?"},                 // a lone continuation byte
                      {"\xE2\x82", "??"},            // cut short
                      {"\xC0\xAF", "??"},            // over-long
                      {"\xED\xA0\x80", "???"},       // the first surrogate
                      {"\xED\xBF\xBF", "???"},       // the last
                      {"\xF4\x90\x80\x80", "????"}}, // past the last character
                     false);
}

} // namespace
