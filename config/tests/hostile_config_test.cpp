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

// ascii in 16-bit units without a byte order mark, as a parser still reads
// it.
std::string utf16(const std::string& ascii, bool little) {
    std::string wide;
    for (char c : ascii)
        wide += little ? std::string{c, '\0'} : std::string{'\0', c};
    return wide;
}

std::string utf16le(const std::string& ascii) {
    return "\xFF\xFE" + utf16(ascii, true);
}

std::string utf16be(const std::string& ascii) {
    return utf16(ascii, false);
}

// ascii in 32-bit units after mark, each character at byte at of its unit:
// 3 big-endian, 0 little-endian, 2 and 1 the two unusual orders.
std::string ucs4(const std::string& mark, size_t at, const std::string& ascii) {
    std::string wide = mark;
    for (char c : ascii) {
        std::string unit(4, '\0');
        unit[at] = c;
        wide += unit;
    }
    return wide;
}

// "<?xml version="1.0"?><R/>" in EBCDIC (code page 037), which a parser
// recognises by its first four bytes.
const std::string kEbcdic = "\x4C\x6F\xA7\x94\x93\x40\xA5\x85\x99\xA2\x89\x96\x95\x7E\x7F\xF1"
                            "\x4B\xF0\x7F\x6F\x6E\x4C\xD9\x61\x6E";

struct Hostile {
    const char* name;
    std::string xml;
    // The end of "The view configuration <path> was not read: ...".
    std::string refusal;
};

void expect_refused(const std::vector<Hostile>& files) {
    for (const Hostile& file : files) {
        const Read read = read_xml(file.name, file.xml);
        EXPECT_EQ(kViewConfigReported, read.result) << file.name;
        EXPECT_EQ(Messages{"The view configuration " + path_of(file.name) +
                           " was not read: " + file.refusal},
                  read.messages)
            << file.name;
    }
}

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
         "<R Description=\"[\" Key='[>'>" + Elements(kMaxViewConfigElements + 1).substr(3),
         tooMany},
        {"too_large.xml", padded_to(kMaxViewConfigBytes + 1), "it is larger than 8388608 bytes."},
        {"utf7.xml", "<?xml version=\"1.0\" encoding=\"UTF-7\"?>+ADw-R/+AD4-", encoding},
        // UTF-16 whose declaration names another encoding, which a parser
        // reads the rest of the file in once past what it has decoded: the
        // markup the scan sees is not the parser's.
        {"utf16_latin1.xml",
         utf16le("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>  ") + "<R><A/></R>", encoding},
        {"utf16_big_in_little.xml",
         utf16le("<?xml version=\"1.0\" encoding=\"UTF-16BE\"?>    ") + utf16be("<R><A/></R>"),
         encoding},
        {"ebcdic.xml", kEbcdic, encoding},
        // Every 32-bit form a parser tells from its first four bytes, without
        // and with a byte order mark.
        {"ucs4_1234.xml", ucs4("", 3, "<R/>"), encoding},
        {"ucs4_4321.xml", ucs4("", 0, "<R/>"), encoding},
        {"ucs4_2143.xml", ucs4("", 2, "<R/>"), encoding},
        {"ucs4_3412.xml", ucs4("", 1, "<R/>"), encoding},
        {"ucs4_1234_mark.xml", ucs4(std::string("\0\0\xFE\xFF", 4), 3, "<R/>"), encoding},
        {"ucs4_4321_mark.xml", ucs4(std::string("\xFF\xFE\0\0", 4), 0, "<R/>"), encoding},
        {"ucs4_2143_mark.xml", ucs4(std::string("\0\0\xFF\xFE", 4), 2, "<R/>"), encoding},
        {"ucs4_3412_mark.xml", ucs4(std::string("\xFE\xFF\0\0", 4), 1, "<R/>"), encoding},
    };
    expect_refused(files);
}

// A tag or key value that the ANSI code page cannot hold would reach the
// record with '?' in place of what it lacks, and match no part or the wrong
// one: the file is refused at its line, on both backends alike.
TEST(HostileViewConfig, TagsAndKeyValuesTheAnsiCodePageLacksAreRefusedAtTheirLine) {
    const std::string lacks = " has characters that the ANSI code page lacks";
    expect_refused({
        {"lost_key.xml", "<R>\n<A Description=\"a\">k</A>\n<B>\xE6\x97\xA5\xE6\x9C\xAC</B>\n</R>",
         "<B> key value" + lacks + " (line 3)."},
        {"lost_tag.xml", "<R>\n<!-- <A> -->\n<A\xC4\x80>k</A\xC4\x80>\n</R>",
         "<A?> tag" + lacks + " (line 3)."},
    });
    // The same key in EUC-JP, which a parser may not know at all: refused
    // either way.
    const Read eucJp = read_xml("lost_key_euc_jp.xml", "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>"
                                                       "\n<R>\n<B>\xC6\xFC\xCB\xDC</B>\n</R>");
    EXPECT_EQ(kViewConfigReported, eucJp.result);
    EXPECT_EQ(1u, eucJp.messages.size());
}

// Files that one parser alone would read: each is refused on both backends
// as any file that is not well-formed.
TEST(HostileViewConfig, FilesBreakingTheNamespaceRulesAreParseErrors) {
    const Read read = read_xml("same_attribute.xml", "<R xmlns:a=\"urn:x\" xmlns:b=\"urn:x\">"
                                                     "<A a:k=\"1\" b:k=\"2\">k</A></R>");
    EXPECT_EQ(kViewConfigReported, read.result);
    ASSERT_EQ(1u, read.messages.size());
    EXPECT_TRUE(is_parse_error(read.messages[0])) << read.messages[0];
}

TEST(HostileViewConfig, FilesAtTheBoundsAndLookalikesAreRead) {
    EXPECT_EQ(kMaxViewConfigElements,
              entries_of("most_elements.xml", Elements(kMaxViewConfigElements)).size());
    EXPECT_EQ((Entries{{-1, 0, "R"}}), entries_of("largest.xml", padded_to(kMaxViewConfigBytes)));
    EXPECT_EQ((Entries{{-1, 1, "R"}, {0, 0, "A", "<!DOCTYPE", "k"}}),
              entries_of("lookalikes.xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"
                                           "<!-- <!DOCTYPE R> --><?pi <!DOCTYPE R>?><R>"
                                           "<A Description=\"&lt;!DOCTYPE\">k</A></R>"));
    // Encodings the scan reads, told by their first bytes as the 32-bit forms
    // and EBCDIC are: UTF-16 starting "<?", with its mark or without, and
    // UTF-8 with its mark.
    const std::string declared = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><R>k</R>";
    const Entries read = {{-1, 0, "R", "", "k"}};
    EXPECT_EQ(read, entries_of("utf16le_declared.xml", utf16(declared, true)));
    EXPECT_EQ(read, entries_of("utf16be_declared.xml", utf16(declared, false)));
    EXPECT_EQ(read, entries_of("utf16le_marked.xml", utf16le(declared)));
    // A UTF-16 file may name its own byte order, or UTF-8, which parsers
    // take for a mistake in UTF-16 and pass over.
    EXPECT_EQ(read, entries_of("utf16le_named_order.xml",
                               utf16le("<?xml version=\"1.0\" encoding=\"utf-16le\"?><R>k</R>")));
    EXPECT_EQ(
        read,
        entries_of("utf16be_named_order.xml",
                   "\xFE\xFF" + utf16be("<?xml version=\"1.0\" encoding=\"UTF-16BE\"?><R>k</R>")));
    EXPECT_EQ(read, entries_of("utf16_named_utf8.xml",
                               utf16le("<?xml version=\"1.0\" encoding=\"UTF-8\"?><R>k</R>")));
    EXPECT_EQ(read, entries_of("utf8_marked.xml", "\xEF\xBB\xBF<?xml version=\"1.0\"?><R>k</R>"));
}

} // namespace
