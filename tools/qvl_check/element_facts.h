// What the view configuration reader does not keep of an element but a
// person checking the file needs to know: found by walking the same DOM the
// reader walks.
#pragma once

#include "config/dom/xml_dom.h"

#include <string>
#include <vector>

// Texts come with whether the ANSI code page held them whole.
struct ElementFacts {
    xmldom::AnsiText tag;
    xmldom::AnsiText description; // the "Description" attribute, or empty
    int firstChildType = 0;       // the DOM's node type of the first child; 0 without children
    bool hasElementChildren = false;
    xmldom::AnsiText firstText; // the first child's text as written, when that child is text
    std::string laterText;      // the first text that is not the first child
    // A child of a kind the reader cannot take (a CDATA section, an entity
    // reference); 0 when there is none.
    int unreadableChildType = 0;
};

// The elements of a loaded document, the root first, then in document order.
// Throws xmldom::DomError when a DOM operation fails.
std::vector<ElementFacts> ReadElementFacts(const xmldom::Document& document);
