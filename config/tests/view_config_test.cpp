// Reading view configuration files. The same tests run against libxml2
// natively and against MSXML under Wine.
#include "view_config_reading.h"

#include "config/view_config_file.h"

#include <string>
#include <utility>
#include <vector>

using namespace view_config_test;

namespace {

TEST(ViewConfigReader, ElementsBecomeEntriesInDocumentOrderUnderTheirParents) {
    EXPECT_EQ((Entries{{-1, 1, "ROOT", "All"},
                       {0, 0, "FIRST"},
                       {0, 1, "SECOND", "Second"},
                       {2, 0, "THIRD", "", "value"},
                       {0, 1, "A"},
                       {4, 1, "B"},
                       {5, 0, "C"},
                       {0, 0, "D"}}),
              entries_of("order.xml", R"(<ROOT Description="All">
  <FIRST/>
  <SECOND Description="Second">
    <THIRD>value</THIRD>
  </SECOND>
  <A>
    <B>
      <C/>
    </B>
  </A>
  <D/>
</ROOT>
)"));
    EXPECT_EQ((Entries{{-1, 0, "ROOT"}}), entries_of("root.xml", "<ROOT/>"));
    // Kept white space is a first child like any text.
    EXPECT_EQ((Entries{{-1, 0, "R"}, {0, 0, "A"}}),
              entries_of("preserve.xml", "<R xml:space=\"preserve\"> <A/></R>"));
    EXPECT_EQ((Entries{{-1, 0, "ROOT", "", "text"}}),
              entries_of("root_text.xml", "<ROOT>text</ROOT>"));
}

TEST(ViewConfigReader, CommentsAndInstructionsAreSkippedButCountAsFirstChild) {
    EXPECT_EQ((Entries{{-1, 0, "ROOT"}, {0, 0, "A"}, {0, 0, "B", "", "v"}, {0, 0, "C"}}),
              entries_of("skipped.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- leading comment --><?leading instruction?>
<ROOT><!-- first child --><A/><?between?><B>v<!-- c -->w</B><!-- c --><C/><!-- last --></ROOT>
<!-- trailing comment -->
)"));
}

TEST(ViewConfigReader, KeyValuesLoseLineFeedsAndOuterBlanks) {
    EXPECT_EQ((Entries{{-1, 1, "R"},
                       {0, 0, "LINES", "", "first line   second"},
                       {0, 0, "LINE_FEED"},
                       {0, 0, "WHITE", ""},
                       {0, 0, "MIXED", "", " \tx"},
                       {0, 0, "ADJACENT", "", "ab"},
                       {0, 0, "AFTER", "", "x"},
                       {6, 0, "E"}}),
              entries_of("keys.xml", "<R><LINES>\n   first line\n   second\n</LINES>"
                                     "<LINE_FEED>\n</LINE_FEED><WHITE>\t \t</WHITE>"
                                     "<MIXED>\t \tx\t</MIXED><ADJACENT>a\n\nb</ADJACENT>"
                                     "<AFTER>x<E/>y</AFTER></R>"));
}

TEST(ViewConfigReader, GroupsAreNamedByTagAndExactDescription) {
    EXPECT_EQ((Entries{{-1, 1, "R"}, {0, 0, "A", "named"}}),
              entries_of("names.xml", R"(<R description="lower" DESCRIPTION="upper">)"
                                      R"(<A x="1" Description="named" Description2="no"/></R>)"));
    // A repeated tag is one group: sub-groups join its first element.
    EXPECT_EQ((Entries{{-1, 1, "R"},
                       {0, 0, "G", "", "1"},
                       {0, 1, "G"},
                       {1, 0, "S"},
                       {0, 1, "P"},
                       {4, 0, "T"},
                       {0, 1, "Q"},
                       {6, 1, "T"},
                       {5, 0, "U"}}),
              entries_of("tags.xml", "<R><G>1</G><G><S/></G><P><T/></P><Q><T><U/></T></Q></R>"));
}

TEST(ViewConfigReader, TextIsConvertedToTheAnsiCodePage) {
    // UTF-8 in the file: "Maß", "Café €", a CJK character and A with macron,
    // and "naïve" with the control U+0081. Windows-1252 in the record, '?'
    // where it has no character (no look-alike either), which only a
    // Description may hold.
    EXPECT_EQ((Entries{{-1, 0, "Ma\xDF", "Caf\xE9 \x80 ? ?", "na\xEFve \x81"}}),
              entries_of("ansi.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                     "<Ma\xC3\x9F Description=\"Caf\xC3\xA9 \xE2\x82\xAC "
                                     "\xE4\xB8\xAD \xC4\x80\">na\xC3\xAFve \xC2\x81</Ma\xC3\x9F>"));
}

TEST(ViewConfigReader, TextsLongerThanTheRecordHoldsRefuseTheFile) {
    // Characters of the code page count: "\xC3\xA9" is one in the record.
    const std::string longest(256, 'k');
    std::string accents;
    for (int i = 0; i < 256; ++i)
        accents += "\xC3\xA9";
    EXPECT_EQ((Entries{{-1, 0, "T" + longest.substr(1), std::string(256, '\xE9'), longest}}),
              entries_of("longest.xml", "<T" + longest.substr(1) + " Description=\"" + accents +
                                            "\">\n  " + longest + "  \n</T" + longest.substr(1) +
                                            ">"));
    const std::string tooLong = longest + "k";
    for (const std::string& xml :
         {"<R><T" + tooLong + "/></R>", "<R><T Description=\"" + tooLong + "\"/></R>",
          "<R><T>" + tooLong + "</T></R>"}) {
        const Read read = read_xml("too_long.xml", xml);
        EXPECT_EQ(kViewConfigFormatError, read.result) << xml;
        EXPECT_EQ(kNoMessages, read.messages);
    }
}

TEST(ViewConfigReader, UnreadableFilesShowTheParsersError) {
    for (const Read& read :
         {read_path(path_of("missing.xml")), read_xml("malformed.xml", "<R><A></R>")}) {
        EXPECT_EQ(kViewConfigReported, read.result);
        ASSERT_EQ(1u, read.messages.size());
        EXPECT_TRUE(is_parse_error(read.messages[0])) << read.messages[0];
    }
}

TEST(ViewConfigReader, CDataAndUndefinedEntitiesFailTheRead) {
    const Read cdata = read_xml("cdata.xml", "<R><A/><B><![CDATA[x]]></B></R>");
    EXPECT_EQ(kViewConfigReported, cdata.result);
    EXPECT_EQ((Messages{"Load Failure", "ERROR on open of URL: #cdata-section has no attributes"}),
              cdata.messages);

    const Read entity = read_xml("entity.xml", "<R><A>&e;</A></R>");
    EXPECT_EQ(kViewConfigReported, entity.result);
    ASSERT_EQ(1u, entity.messages.size());
    EXPECT_TRUE(is_parse_error(entity.messages[0])) << entity.messages[0];
}

TEST(ViewConfigReader, LargeFilesReadWhole) {
    std::string xml = "<R>";
    for (int i = 0; i < 3000; ++i)
        xml += "<G" + std::to_string(i) + "><K>" + std::to_string(i) + "</K></G" +
               std::to_string(i) + ">";
    const Entries entries = entries_of("large.xml", xml + "</R>");
    ASSERT_EQ(6001u, entries.size());
    EXPECT_EQ((Entry{0, 1, "G2999"}), entries[5999]);
    EXPECT_EQ((Entry{5999, 0, "K", "", "2999"}), entries[6000]);
    EXPECT_EQ((Entry{3, 0, "K", "", "1"}), entries[4]);
}

TEST(ViewConfigFile, OwnsItsRecordAloneAndHandsItOverWhenMoved) {
    read_xml("two.xml", "<ROOT><A/></ROOT>");
    read_xml("three.xml", "<ROOT><A/><B/></ROOT>");
    ViewConfigFile two(path_of("two.xml").c_str());
    ASSERT_EQ(kViewConfigRead, two.Result());
    ViewConfigFile taken(std::move(two));
    // What a moved-from owner holds is what is tested here.
    // NOLINTBEGIN(bugprone-use-after-move,clang-analyzer-cplusplus.Move)
    EXPECT_TRUE(is_released(two.Get()));
    EXPECT_NE(kViewConfigRead, two.Result());
    // NOLINTEND(bugprone-use-after-move,clang-analyzer-cplusplus.Move)
    EXPECT_EQ(2, taken.Get().entryCount);
    ViewConfigFile three(path_of("three.xml").c_str());
    three = std::move(taken);
    EXPECT_EQ(2, three.Get().entryCount);
    EXPECT_STREQ("A", three.Get().groupName[1]);
    // Each record is released once, by its last owner (the sanitizers see
    // a record freed twice or not at all).
}

} // namespace
