#include "model/cell_words.h"

#include "model/cell_pictures.h"

#include <cstdio>

namespace {

// The word for the picture of a two-state column, nullptr for no picture.
const char* pictureWord(int bitmapId, int onPicture, const char* on, int offPicture,
                        const char* off) {
    if (bitmapId == onPicture)
        return on;
    return bitmapId == offPicture ? off : nullptr;
}

const char* stateWord(int column, int bitmapId) {
    switch (column) {
    case kColumnBlank:
        return pictureWord(bitmapId, kPictureShown, "shown", kPictureBlanked, "blanked");
    case kColumnIsolate:
        // The Isolate picture shows the row's shown state as well.
        return pictureWord(bitmapId, kPictureIsolateShown, "shown", kPictureIsolateBlanked,
                           "blanked");
    case kColumnFreeze:
        return pictureWord(bitmapId, kPictureFrozen, "frozen", kPictureUnfrozen, "not frozen");
    case kColumnOpen:
        return pictureWord(bitmapId, kPictureFolderOpen, "open", kPictureFolderClosed, "closed");
    default:
        return nullptr;
    }
}

} // namespace

void DescribeCellState(const CellState& cell, char* text, size_t size) {
    if (size == 0)
        return;
    int written = 0;
    if (cell.column == kColumnColor && cell.color == kMixedColor) {
        written = snprintf(text, size, "mixed colours");
    } else if (cell.column == kColumnColor) {
        written = snprintf(text, size, "red %u, green %u, blue %u", cell.color & 0xFFu,
                           cell.color >> 8 & 0xFFu, cell.color >> 16 & 0xFFu);
    } else if (cell.column == kColumnAttributeCount) {
        written = snprintf(text, size, "%d", cell.number);
    } else {
        const char* word = stateWord(cell.column, cell.bitmapId);
        written = snprintf(text, size, "%s", word ? word : "");
    }
    // A failed format leaves no half-written words.
    if (written < 0)
        text[0] = '\0';
}

std::string HexColor(uint32_t color) {
    char text[8] = "";
    const int written = snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFFu,
                                 color >> 8 & 0xFFu, color >> 16 & 0xFFu);
    return written == 7 ? text : "";
}
