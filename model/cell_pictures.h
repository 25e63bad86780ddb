// The bitmap resources that the command columns show, by the state they
// stand for.
#pragma once

#include "res/resource.h"

// Column 0, the label.
constexpr int kPictureGroupOpen = IDB_BLOCKS_SOLID;    // a stack of solid blocks
constexpr int kPictureGroupClosed = IDB_BLOCKS_DOTTED; // a stack of dotted blocks
constexpr int kPicturePartOpen = IDB_BLOCK_SOLID;      // one solid block
constexpr int kPicturePartClosed = IDB_BLOCK_DOTTED;   // one dotted block
// Column 1, "Blank/Unblank".
constexpr int kPictureShown = IDB_TICK_RED;    // check box with a red tick
constexpr int kPictureBlanked = IDB_TICK_GREY; // check box with a grey tick
// Column 2, "Isolate".
constexpr int kPictureIsolateShown = IDB_ISOLATE_YELLOW_FRONT; // grey blocks with one solid block
constexpr int kPictureIsolateBlanked = IDB_ISOLATE_ALL_GREY;   // grey blocks
// Column 4, "Freeze/Unfreeze".
constexpr int kPictureUnfrozen = IDB_PADLOCK_OPEN; // open padlock
constexpr int kPictureFrozen = IDB_PADLOCK_CLOSED; // closed padlock
// Column 5, "Open/Close".
constexpr int kPictureFolderOpen = IDB_FOLDER_OPEN;     // open folder
constexpr int kPictureFolderClosed = IDB_FOLDER_CLOSED; // closed folder

// The list's columns.
constexpr int kColumnLabel = 0;
constexpr int kColumnBlank = 1;
constexpr int kColumnIsolate = 2;
constexpr int kColumnColor = 3;
constexpr int kColumnFreeze = 4;
constexpr int kColumnOpen = 5;
constexpr int kColumnAttributeCount = 6;

// The colour of a row whose occurrences have different colours.
constexpr unsigned kMixedColor = 0x787878;
