// View configurations that someone else may have planted, shared by the
// reader's tests and the benchmark of hostile files.
#pragma once

#include <cstddef>
#include <string>

namespace hostile_xml {

inline std::string Repeated(const std::string& text, size_t times) {
    std::string all;
    all.reserve(text.size() * times);
    for (size_t i = 0; i < times; ++i)
        all += text;
    return all;
}

// An entity of 50 KB referenced where the reader takes the Description:
// 2,000 references expand to 100 MB from a file of some 60 KB.
inline std::string EntityBombInAttribute(size_t references) {
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE R [\n<!ENTITY big \"" + std::string(50000, 'x') +
           "\">\n]>\n<R Description=\"" + Repeated("&big;", references) + "\"/>";
}

// Ten levels of ten references each: 10^9 copies of "ha" once expanded.
inline std::string BillionLaughs() {
    std::string xml = "<!DOCTYPE R [<!ENTITY l0 \"ha\">";
    for (int level = 1; level < 10; ++level)
        xml += "<!ENTITY l" + std::to_string(level) + " \"" +
               Repeated("&l" + std::to_string(level - 1) + ";", 10) + "\">";
    return xml + "]><R><A>&l9;</A></R>";
}

// A root and count - 1 empty elements in it.
inline std::string Elements(size_t count) {
    return "<R>" + Repeated("<G/>", count - 1) + "</R>";
}

inline std::string Nested(size_t levels) {
    return Repeated("<a>", levels) + Repeated("</a>", levels);
}

} // namespace hostile_xml
