// View configuration files at and beyond the limits of what the reader and
// its record hold: group counts, characters per text, nesting depth,
// encodings, references and size.
#include "view_config_reading.h"

#include <string>
#include <vector>

using namespace view_config_test;

namespace {

// "<R>" with groups G0, G1, ... each holding its number as key value.
std::string flat_groups(int count) {
    std::string xml = "<R>";
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        xml += "<G" + number + ">" + number + "</G" + number + ">";
    }
    return xml + "</R>";
}

TEST(ViewConfigLimits, EveryGroupIsReadWhateverTheirNumber) {
    // The record has no row limit: the row model cuts what it cannot show.
    for (const int groups : {0, 1, 5000, 5001}) {
        const Entries entries = entries_of("groups.xml", flat_groups(groups));
        ASSERT_EQ(static_cast<size_t>(groups) + 1, entries.size()) << groups;
        EXPECT_EQ((Entry{-1, groups > 0 ? 1 : 0, "R"}), entries[0]);
        if (groups > 0) {
            const std::string last = std::to_string(groups - 1);
            EXPECT_EQ((Entry{0, 0, "G" + last, "", last}), entries.back()) << groups;
        }
    }
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(ViewConfigLimits, TextLimitsCountCharactersOfTheAnsiCodePage) {
    // "é" is two bytes in the UTF-8 file and one in the record; a character
    // the code page lacks becomes one '?'.
    const std::string e256 = repeated("\xC3\xA9", 256);
    const std::string cjk256 = repeated("\xE4\xB8\xAD", 256);
    EXPECT_EQ((Entries{{-1, 0, repeated("\xE9", 256), repeated("?", 256), repeated("\xE9", 256)}}),
              entries_of("ansi_256.xml", "<" + e256 + " Description=\"" + cjk256 + "\">" + e256 +
                                             "</" + e256 + ">"));

    const std::string e257 = e256 + "\xC3\xA9";
    const std::string cjk257 = cjk256 + "\xE4\xB8\xAD";
    for (const std::string& xml :
         {"<R><" + e257 + "/></R>", "<R><A Description=\"" + cjk257 + "\"/></R>",
          "<R><A>" + e257 + "</A></R>"}) {
        const Read read = read_xml("ansi_257.xml", xml);
        EXPECT_EQ(kViewConfigFormatError, read.result);
        EXPECT_EQ(kNoMessages, read.messages);
    }
}

// Elements L0 to L<depth - 1>, each inside the one before, the last holding
// a text.
std::string nested(int depth) {
    std::string xml;
    for (int i = 0; i < depth; ++i)
        xml += "<L" + std::to_string(i) + ">";
    xml += "bottom";
    for (int i = depth - 1; i >= 0; --i)
        xml += "</L" + std::to_string(i) + ">";
    return xml;
}

TEST(ViewConfigLimits, DeepNestingKeepsEveryLevelUpToTheParsersBound) {
    // The parser's bound is 10,000 levels below the root.
    for (const int depth : {1000, 10001}) {
        const Entries entries = entries_of("deep.xml", nested(depth));
        ASSERT_EQ(static_cast<size_t>(depth), entries.size());
        for (int i = 0; i < depth - 1; ++i)
            ASSERT_EQ((Entry{i - 1, 1, "L" + std::to_string(i)}), entries[i]);
        EXPECT_EQ((Entry{depth - 2, 0, "L" + std::to_string(depth - 1), "", "bottom"}),
                  entries.back());
    }
    // Deeper: refused with the parser's message.
    const Read tooDeep = read_xml("too_deep.xml", nested(10002));
    EXPECT_EQ(kViewConfigReported, tooDeep.result);
    ASSERT_EQ(1u, tooDeep.messages.size());
    EXPECT_NE(std::string::npos, tooDeep.messages[0].find("depth")) << tooDeep.messages[0];
}

// The bytes of text (ASCII) in UTF-16, little or big endian.
std::string utf16(const std::string& text, bool bigEndian) {
    std::string bytes;
    for (const char c : text) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

TEST(ViewConfigLimits, EncodingsTheFileDeclaresOrMarksGiveTheSameRecord) {
    const Entries expected{{-1, 1, "R"}, {0, 0, "A", "Caf\xE9", "caf\xE9"}};
    const std::string latin1 = "<R><A Description=\"Caf\xE9\">caf\xE9</A></R>";
    const std::string ascii = "<R><A Description=\"Caf&#233;\">caf&#xE9;</A></R>";
    const std::pair<const char*, std::string> files[] = {
        {"utf8.xml", "<R><A Description=\"Caf\xC3\xA9\">caf\xC3\xA9</A></R>"},
        {"utf8_bom.xml", "\xEF\xBB\xBF<R><A Description=\"Caf\xC3\xA9\">caf\xC3\xA9</A></R>"},
        {"latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + latin1},
        {"utf16le_bom.xml", "\xFF\xFE" + utf16(ascii, false)},
        {"utf16be_bom.xml", "\xFE\xFF" + utf16(ascii, true)},
        {"utf16le_declared.xml",
         utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + ascii, false)},
    };
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(expected, entries_of(name, bytes)) << name;
}

TEST(ViewConfigLimits, PredefinedEntitiesAndCharacterReferencesAreReplaced) {
    EXPECT_EQ((Entries{{-1, 1, "R"}, {0, 0, "A", "a & b <c>", "\"x\" 'y' \x80"}}),
              entries_of("references.xml", "<R><A Description=\"a &amp; b &lt;c&gt;\">"
                                           "&quot;x&quot; &apos;y&apos; &#x20AC;</A></R>"));
}

TEST(ViewConfigLimits, AFiftyMegabyteFileReadsWhole) {
    // Groups with descriptions and key values near the longest the record
    // holds, until the file passes 50 MB.
    const std::string description(250, 'd');
    const std::string key(250, 'k');
    std::string xml = "<R>";
    int groups = 0;
    while (xml.size() < 50u * 1024 * 1024) {
        const std::string tag = "G" + std::to_string(groups++);
        xml += "<" + tag + " Description=\"" + description + "\">" + key + "</" + tag + ">\n";
    }
    const Entries entries = entries_of("fifty_megabytes.xml", xml + "</R>");
    ASSERT_EQ(static_cast<size_t>(groups) + 1, entries.size());
    const std::string last = "G" + std::to_string(groups - 1);
    EXPECT_EQ((Entry{0, 0, last, description, key}), entries.back());
    EXPECT_EQ((Entry{0, 0, "G1", description, key}), entries[2]);
}

} // namespace
