// The bitmap resources that the command columns show, by the state they
// stand for. The Windows resources carry the same numbers.
#pragma once

// Column 0, the label.
constexpr int kPictureGroupOpen = 1038;   // a stack of solid blocks
constexpr int kPictureGroupClosed = 1061; // a stack of dotted blocks
constexpr int kPicturePartOpen = 1037;    // one solid block
constexpr int kPicturePartClosed = 1060;  // one dotted block
// Column 1, "Blank/Unblank".
constexpr int kPictureShown = 1065;   // check box with a red tick
constexpr int kPictureBlanked = 1068; // check box with a grey tick
// Column 2, "Isolate".
constexpr int kPictureIsolateShown = 1069;   // grey blocks with one solid block
constexpr int kPictureIsolateBlanked = 1070; // grey blocks
// Column 4, "Freeze/Unfreeze".
constexpr int kPictureUnfrozen = 1050; // open padlock
constexpr int kPictureFrozen = 1052;   // closed padlock
// Column 5, "Open/Close".
constexpr int kPictureFolderOpen = 1030;   // open folder
constexpr int kPictureFolderClosed = 1029; // closed folder

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
