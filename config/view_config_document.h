// The view configuration file as a DOM document, read within the bounds that
// a file from a shared directory must keep: it is read whole into memory once
// and looked over before the parser sees it, so that neither its size nor
// what a document type declaration defines can stall the host, and the parser
// reads exactly the bytes that were looked over.
#pragma once

#include "config/dom/xml_dom.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Far above what 5,000 groups need (one element each, some hundreds of bytes
// at most), and low enough that reading stays within some tens of MB.
constexpr size_t kMaxViewConfigBytes = size_t{8} * 1024 * 1024;
constexpr size_t kMaxViewConfigElements = 50000;

struct ViewConfigDocument {
    // Why the file was refused before any parser read it, worded to end
    // ViewConfigRefusalMessage; empty when it was not refused.
    std::string refusal;
    int refusalLine = 0; // where the reason is, 0 when it is the file as a whole
    // The line of each element's start tag, in document order.
    std::vector<int> elementLines;
    // Not refused: the document, loaded or with the parser's error.
    std::unique_ptr<xmldom::Document> document;
    bool loaded = false;
};

// Throws xmldom::DomError when no document can be created.
ViewConfigDocument LoadViewConfigDocument(const char* path);

// "The view configuration <path> was not read: <refusal> (line <line>).", the
// line left out when it is 0.
std::string ViewConfigRefusalMessage(const char* path, const std::string& refusal, int line);

// "<tag> <what> has characters that the ANSI code page lacks": why a tag or a
// key value that would hold '?' in their place cannot stand in the record.
std::string LostCharactersReason(const std::string& tag, const char* what);
