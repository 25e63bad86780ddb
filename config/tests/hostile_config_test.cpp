// Files that someone else may have put on the shared directory: each is
// answered at once, refused before the parser expands or opens anything, on
// both DOM backends alike. Files just within the bounds are read.
#include "config/view_config_document.h"
#include "hostile_xml.h"
#include "view_config_reading.h"

#include <string>
#include <vector>

using namespace view_config_test;
using namespace hostile_xml;

namespace {

// A comment pads the file to exactly size bytes.
std::string padded_to(size_t size) {
    const std::string start = "<R><!--";
    const std::string end = "--></R>";
    return start + std::string(size - start.size() - end.size(), 'x') + end;
}

std::string utf16le(const std::string& ascii) {
    std::string wide = "\xFF\xFE";
    for (char c : ascii)
        wide += std::string{c, '\0'};
    return wide;
}

// Without a byte order mark, as a parser still reads it.
std::string utf16be(const std::string& ascii) {
    std::string wide;
    for (char c : ascii)
        wide += std::string{'\0', c};
    return wide;
}

struct Hostile {
    const char* name;
    std::string xml;
    // The end of "The view configuration <path> was not read: ...".
    std::string refusal;
};

std::string document_type_on(int line) {
    return "it has a document type declaration (<!DOCTYPE), which a view configuration must not "
           "have (line " +
           std::to_string(line) + ").";
}

TEST(HostileViewConfig, IsRefusedBeforeAnyParserExpandsOrOpensWhatItNames) {
    const std::string tooMany = "it has more than 50000 elements (line 1).";
    const std::string encoding = "its encoding is not UTF-8, UTF-16 or an 8-bit code page.";
    const std::vector<Hostile> files = {
        {"attribute_bomb.xml", EntityBombInAttribute(2000), document_type_on(2)},
        {"laughs.xml", BillionLaughs(), document_type_on(1)},
        {"external.xml",
         "<!-- a group -->\n\n<!DOCTYPE R SYSTEM \"\\\\\\\\server\\\\share\\\\view.dtd\">\n<R/>",
         document_type_on(3)},
        {"external_entity.xml",
         "<!DOCTYPE R [<!ENTITY e SYSTEM \"http://example.invalid/e\">]><R>&e;</R>",
         document_type_on(1)},
        {"utf16_doctype.xml", utf16le("<R/>\n<!DOCTYPE R>"), document_type_on(2)},
        {"utf16be_doctype.xml", utf16be("<R/>\n\n<!DOCTYPE R>"), document_type_on(3)},
        // Brackets in quoted values hide no elements from the count.
        {"too_many.xml",
         "<R Description=\"[\" Key='[>'>" + Elements(kMaxViewConfigElements + 1).substr(3), tooMany},
        {"too_large.xml", padded_to(kMaxViewConfigBytes + 1), "it is larger than 8388608 bytes."},
        {"utf7.xml", "<?xml version=\"1.0\" encoding=\"UTF-7\"?>+ADw-R/+AD4-", encoding},
        {"ucs4.xml", std::string("\0\0\0<\0\0\0R\0\0\0/\0\0\0>", 16), encoding},
    };
    for (const Hostile& file : files) {
        const Read read = read_xml(file.name, file.xml);
        EXPECT_EQ(kViewConfigReported, read.result) << file.name;
        EXPECT_EQ(Messages{"The view configuration " + path_of(file.name) +
                           " was not read: " + file.refusal},
                  read.messages)
            << file.name;
    }
}

TEST(HostileViewConfig, FilesAtTheBoundsAndLookalikesAreRead) {
    EXPECT_EQ(kMaxViewConfigElements,
              entries_of("most_elements.xml", Elements(kMaxViewConfigElements)).size());
    EXPECT_EQ((Entries{{-1, 0, "R"}}), entries_of("largest.xml", padded_to(kMaxViewConfigBytes)));
    EXPECT_EQ((Entries{{-1, 1, "R"}, {0, 0, "A", "<!DOCTYPE", "k"}}),
              entries_of("lookalikes.xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"
                                           "<!-- <!DOCTYPE R> --><?pi <!DOCTYPE R>?><R>"
                                           "<A Description=\"&lt;!DOCTYPE\">k</A></R>"));
}

} // namespace
