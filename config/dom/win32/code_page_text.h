// Text between the DOM's UTF-16 and 8-bit text in a code page.
#pragma once

#include <windows.h>

#include <string>

namespace xmldom {

// length UTF-16 units of text in codePage. Characters the code page lacks
// become its default character, not a look-alike, where it lets the caller
// choose (UTF-8 lacks none and refuses the choice). Throws DomError when
// the text cannot be converted: an empty name would stand for another one.
std::string WideToCodePage(const wchar_t* text, int length, UINT codePage);

// A zero-terminated text in codePage as UTF-16; throws DomError when it
// cannot be converted.
std::wstring CodePageToWide(const char* text, UINT codePage);

} // namespace xmldom
