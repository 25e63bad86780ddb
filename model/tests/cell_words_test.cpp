// The words a screen reader hears for the cells that show states as
// pictures, colours and numbers.
#include "model/cell_words.h"

#include "model/cell_pictures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string words(int column, int bitmapId, uint32_t color = 0, int number = 0) {
    char text[64] = "?";
    DescribeCellState({column, bitmapId, color, number}, text, sizeof text);
    return text;
}

TEST(CellWords, EachPictureOfAColumnReadsAsItsState) {
    EXPECT_EQ("shown", words(kColumnBlank, kPictureShown));
    EXPECT_EQ("blanked", words(kColumnBlank, kPictureBlanked));
    EXPECT_EQ("shown", words(kColumnIsolate, kPictureIsolateShown));
    EXPECT_EQ("blanked", words(kColumnIsolate, kPictureIsolateBlanked));
    EXPECT_EQ("frozen", words(kColumnFreeze, kPictureFrozen));
    EXPECT_EQ("not frozen", words(kColumnFreeze, kPictureUnfrozen));
    EXPECT_EQ("open", words(kColumnOpen, kPictureFolderOpen));
    EXPECT_EQ("closed", words(kColumnOpen, kPictureFolderClosed));
}

TEST(CellWords, ACellWithoutItsColumnsPictureSaysNothing) {
    EXPECT_EQ("", words(kColumnBlank, 0));
    EXPECT_EQ("", words(kColumnFreeze, kPictureShown));
    EXPECT_EQ("", words(kColumnOpen, kPictureGroupOpen));
    // The label's words are its text, not its picture's.
    EXPECT_EQ("", words(kColumnLabel, kPictureGroupOpen));
}

TEST(CellWords, ColourReadsAsItsComponentsAndTheCountAsItsNumber) {
    EXPECT_EQ("red 255, green 128, blue 1", words(kColumnColor, 0, 0x000180FFu));
    EXPECT_EQ("mixed colours", words(kColumnColor, 0, kMixedColor));
    EXPECT_EQ("12", words(kColumnAttributeCount, 0, 0, 12));
}

TEST(CellWords, WordsAreCutToTheBuffer) {
    char text[5] = "????";
    DescribeCellState({kColumnFreeze, kPictureUnfrozen, 0, 0}, text, sizeof text);
    EXPECT_STREQ("not ", text);
    DescribeCellState({kColumnFreeze, kPictureUnfrozen, 0, 0}, text, 0);
    EXPECT_STREQ("not ", text);
}

} // namespace
