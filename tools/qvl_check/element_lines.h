// Where each element of an XML file starts, for findings that point at a
// line. Found in the file's text rather than asked of the DOM, because
// MSXML's nodes do not know their lines.
#pragma once

#include <string>
#include <vector>

// The line (from 1) of every element's start tag in document order, which is
// the order in which the view configuration reader numbers its entries.
// fileBytes is the file as stored: 8-bit text, or UTF-16 with its byte order
// mark.
std::vector<int> ElementStartLines(const std::string& fileBytes);
