// The view configuration file, flattened: one entry per element, in document
// order, each knowing its parent entry.
#pragma once

#include <cstdint>

// Capacity of each string of the record, terminating zero included.
constexpr int kViewConfigTextSize = 257;

// Filled by ReadViewConfig, owned by the caller. Arrays and strings come from
// the C heap; ReleaseViewConfig gives them back.
struct ViewConfig {
    int32_t entryCount;
    int32_t* entryIndex;   // entry i holds i
    int32_t* hasSubGroups; // 1 when the element's first child node is an element
    int32_t* parentIndex;  // -1 for entry 0, the root
    char** groupName;      // the element's tag
    char** customName;     // its "Description" attribute, or empty
    char** keyValue;       // its first child's text when that is text, cleaned, or empty
};

// Results of ReadViewConfig.
constexpr int kViewConfigRead = 0;
// The file could not be loaded or the DOM failed; the user has been told.
constexpr int kViewConfigReported = -1;
// The content does not have the expected form; the caller tells the user
// with this text, in the host's message box.
constexpr int kViewConfigFormatError = -2;
constexpr char kViewConfigFormatErrorMessage[] = "file format error!";

// Reads the file at path (8-bit text in the ANSI code page) into the
// zero-filled config. COM must be initialised on the thread on Windows. A
// failed read leaves config released and zero-filled again.
int ReadViewConfig(const char* path, ViewConfig* config);

// Releases every entry's strings, then the arrays, and zero-fills config.
void ReleaseViewConfig(ViewConfig* config);
