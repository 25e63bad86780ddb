// UTF-8 from libxml2 into the record's Windows-1252 text.
#include "config/dom/windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, CharactersOfTheCodePageKeepTheirByte) {
    EXPECT_EQ("plain ASCII", Utf8ToWindows1252("plain ASCII"));
    EXPECT_EQ("\xA0\xE9\xFF", Utf8ToWindows1252("\xC2\xA0\xC3\xA9\xC3\xBF"));
    // The characters of bytes 0x80 to 0x9F: euro sign, low quote, trade mark,
    // capital Y with diaeresis, and a control that keeps its number.
    EXPECT_EQ("\x80\x82\x99\x9F\x81",
              Utf8ToWindows1252("\xE2\x82\xAC\xE2\x80\x9A\xE2\x84\xA2\xC5\xB8\xC2\x81"));
}

TEST(Windows1252, WhatItLacksOrCannotDecodeBecomesAQuestionMark) {
    EXPECT_EQ("?", Utf8ToWindows1252("\xC2\x80")); // a control the code page has no byte for
    EXPECT_EQ("?", Utf8ToWindows1252("\xC4\x80")); // A with macron: no look-alike 'A'
    EXPECT_EQ("a?.", Utf8ToWindows1252("a\xE4\xB8\xAD."));
    EXPECT_EQ("?", Utf8ToWindows1252("\xE0\xA0\x80")); // the first of three bytes
    EXPECT_EQ("?", Utf8ToWindows1252("\xF0\x9F\x98\x80"));
    EXPECT_EQ("?", Utf8ToWindows1252("\x80"));                // a lone continuation byte
    EXPECT_EQ("??", Utf8ToWindows1252("\xE2\x82"));           // cut short
    EXPECT_EQ("??", Utf8ToWindows1252("\xC0\xAF"));           // over-long
    EXPECT_EQ("???", Utf8ToWindows1252("\xED\xA0\x80"));      // the first surrogate
    EXPECT_EQ("???", Utf8ToWindows1252("\xED\xBF\xBF"));      // the last
    EXPECT_EQ("????", Utf8ToWindows1252("\xF4\x90\x80\x80")); // past the last character
}

} // namespace
