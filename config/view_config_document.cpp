#include "config/view_config_document.h"

#include "config/markup_scan.h"

#include <cstdio>
#include <string>

namespace {

enum class FileRead { kRead, kCannotOpen, kTooLarge };

struct ClosedFile {
    // Opened for reading: a failed close loses nothing.
    void operator()(std::FILE* file) const { static_cast<void>(std::fclose(file)); }
};

// The whole file, unless it holds more than maxBytes: then no more than one
// byte past the bound is read.
FileRead read_bounded(const char* path, size_t maxBytes, std::string& bytes) {
    const std::unique_ptr<std::FILE, ClosedFile> file(
        std::fopen(xmldom::LocalFilePath(path).c_str(), "rb"));
    if (!file)
        return FileRead::kCannotOpen;
    char block[64 * 1024];
    while (bytes.size() <= maxBytes) {
        const size_t read = std::fread(block, 1, sizeof block, file.get());
        if (read == 0)
            break;
        bytes.append(block, read);
    }
    if (std::ferror(file.get()))
        return FileRead::kCannotOpen;
    return bytes.size() > maxBytes ? FileRead::kTooLarge : FileRead::kRead;
}

// Why a scanned file is refused, or empty; line tells where, when a place
// in the file is the reason.
std::string refusal_of(const MarkupScan& scan, int& line) {
    if (!scan.encodingKnown)
        return "its encoding is not UTF-8, UTF-16 or an 8-bit code page";
    if (scan.documentTypeLine != 0) {
        line = scan.documentTypeLine;
        return "it has a document type declaration (<!DOCTYPE), which a view configuration "
               "must not have";
    }
    if (scan.elementLines.size() > kMaxViewConfigElements) {
        line = scan.elementLines.back();
        return "it has more than " + std::to_string(kMaxViewConfigElements) + " elements";
    }
    return std::string();
}

} // namespace

ViewConfigDocument LoadViewConfigDocument(const char* path) {
    ViewConfigDocument loaded;
    std::string bytes;
    switch (read_bounded(path, kMaxViewConfigBytes, bytes)) {
    case FileRead::kCannotOpen:
        // The parser fails to open it too, and says why in its own words.
        loaded.document = xmldom::CreateDocument();
        loaded.loaded = loaded.document->load(path);
        return loaded;
    case FileRead::kTooLarge:
        loaded.refusal = "it is larger than " + std::to_string(kMaxViewConfigBytes) + " bytes";
        return loaded;
    case FileRead::kRead:
        break;
    }
    MarkupScan scan = ScanMarkup(bytes, kMaxViewConfigElements);
    loaded.refusal = refusal_of(scan, loaded.refusalLine);
    loaded.elementLines = std::move(scan.elementLines);
    if (!loaded.refusal.empty())
        return loaded;
    loaded.document = xmldom::CreateDocument();
    loaded.loaded = loaded.document->loadBytes(bytes, path);
    return loaded;
}

std::string ViewConfigRefusalMessage(const char* path, const std::string& refusal, int line) {
    std::string message =
        std::string("The view configuration ") + path + " was not read: " + refusal;
    if (line != 0)
        message += " (line " + std::to_string(line) + ")";
    return message + ".";
}

std::string LostCharactersReason(const std::string& tag, const char* what) {
    return "<" + tag + "> " + what + " has characters that the ANSI code page lacks";
}
