// Cleaning key values: cases that no file brings through both parsers (text
// that is only white space never becomes a node; XML turns a carriage return
// into a line feed, and Wine's MSXML drops one given as a reference).
#include "config/key_value_text.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyValueText, PassesStopAtTheStartAndCarriageReturnsStay) {
    EXPECT_EQ("", CleanKeyValue(""));
    EXPECT_EQ("", CleanKeyValue("   "));
    EXPECT_EQ("", CleanKeyValue("\t\t"));
    EXPECT_EQ("", CleanKeyValue("\n\n\n"));
    EXPECT_EQ(" ", CleanKeyValue(" \t \t ")); // a blank before a tab stays
    EXPECT_EQ(" ", CleanKeyValue("\t \t"));
    EXPECT_EQ("x\r", CleanKeyValue("x\r\n"));
}

} // namespace
