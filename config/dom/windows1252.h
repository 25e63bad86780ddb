// Conversion of UTF-8 text into Windows-1252, the ANSI code page that the
// record's 8-bit strings use where there is no Windows to ask.
#pragma once

#include "config/dom/xml_dom.h"

#include <string>

// Each character that Windows-1252 lacks, and each byte that is not part of
// a valid UTF-8 sequence, becomes '?', as the code page's default character.
xmldom::AnsiText Utf8ToWindows1252(const std::string& utf8);
