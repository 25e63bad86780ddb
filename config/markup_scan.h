// What the markup of a view configuration shows before any parser reads it:
// where each element starts, whether it declares a document type, and
// whether its encoding is one whose markup can be seen in its bytes. Found in
// the file's text because a parser would already have expanded what a
// declaration defines, and because MSXML's nodes do not know their lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct MarkupScan {
    // The line (from 1) of every element's start tag in document order, which
    // is the order in which the view configuration reader numbers its
    // entries; one more than the most the scan was asked for when there are
    // more.
    std::vector<int> elementLines;
    // The line of the first <!DOCTYPE, 0 when there is none; the scan ends
    // there.
    int documentTypeLine = 0;
    // False when the text is neither 8-bit text in an encoding that keeps
    // ASCII as it is nor UTF-16 throughout (its declaration names another
    // encoding), or starts as a parser recognises another encoding by (a
    // 32-bit form, EBCDIC): its markup cannot be told from its bytes.
    bool encodingKnown = true;
};

// fileBytes is the file as stored: 8-bit text, or UTF-16 with its byte order
// mark or starting with '<'. The scan stops after maxElements + 1 elements.
MarkupScan ScanMarkup(const std::string& fileBytes, size_t maxElements);
