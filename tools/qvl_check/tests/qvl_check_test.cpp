// The checker on one small configuration per warning and per refusal, each
// with its exact report line, and on the demo die.
#include "tools/qvl_check/check_report.h"

#include "hostsim/hostsim_control.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string write_file(const std::string& name, const std::string& bytes) {
    const std::string dir = std::string(VM_BINARY_DIR) + "/qvl_check_tests";
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The lines of the printed report that start with prefix, without it.
Lines reportLines(const CheckReport& report, const std::string& prefix) {
    std::ostringstream out;
    WriteTextReport(out, report);
    std::istringstream in(out.str());
    Lines lines;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line.substr(prefix.size()));
    }
    return lines;
}

struct Case {
    const char* name;
    std::string file;
    int status;
    Lines findings;                    // how the warnings, or the reasons of a refusal, start
    std::string firstUserMessage = ""; // how the View Manager's first message starts
};

// Lines before the element of interest hold what a line count must see
// through: a comment with a tag in it, a quoted '>', the XML declaration.
std::vector<Case> cases() {
    std::string manyGroups = "<R Description=\"r\">\n";
    for (int i = 0; i < 5000; ++i)
        manyGroups += "<G Description=\"g\">" + std::to_string(i) + "</G>\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<R Description=\"r\">\n"
                              "<A>1</A>\n</R>\n"))
        utf16 += std::string{c, '\0'};
    return {
        {"repeated_tag.xml",
         "<R Description=\"r\">\n"
         "<A Description=\"a\"><B Description=\"b\">1</B></A>\n"
         "<!-- was > <A> -->\n"
         "<A Description=\"a > 2\"><C Description=\"c\">2</C></A>\n"
         "</R>\n",
         kCheckWarnings,
         {"line 4: <A> has sub-groups and repeats the tag of line 2: its sub-groups join"}},
        {"warnings.xml",
         "<R Description=\"r\">\n<A Description=\"a\"><B Description=\"b\"/>KEY</A>\n"
         "<C Description=\"c\"><!-- parts -->\n<D Description=\"d\"/></C>\n"
         "<E Description=\"e\">PUNCH\nHOLDER</E>\n<F Description=\"f\">\n  PIN \t\n</F>\n"
         "<G Description=\"g\">\n<H_OTHER Description=\"o\"/>\n</G>\n"
         "<I>1</I>\n<J Description=\"\">2</J>\n</R>\n",
         kCheckWarnings,
         {"line 2: <A> has the text \"KEY\" after its first child: only text that comes first",
          "line 3: <C> starts with a comment: its sub-elements do not count as sub-groups",
          "line 5: <E> key value is \"PUNCHHOLDER\", not \"PUNCH HOLDER\": line feeds are removed",
          "line 7: <F> key value is \"PIN \", not \"PIN\": line feeds are removed, inner blanks",
          "line 11: <H_OTHER> ends in _OTHER but does not extend its parent <G>: it is an ordinary",
          "line 13: <I> has no Description: its row has an empty label in the name tree",
          "line 14: <J> has no Description: its row has an empty label in the name tree"}},
        {"too_many_groups.xml",
         manyGroups + "</R>\n",
         kCheckWarnings,
         {"line 5001: the file has 5001 groups, more than the 5000 rows the View Manager holds"}},
        {"utf16.xml", utf16, kCheckWarnings, {"line 3: <A> has no Description"}},
        // A CJK character and A with macron, which Windows-1252 lacks.
        {"lost_description.xml",
         "<R Description=\"r\">\n<A Description=\"\xE6\x97\xA5\">1</A>\n</R>\n",
         kCheckWarnings,
         {"line 2: <A> Description has characters that the ANSI code page lacks: its row's label"}},
        {"lost_characters.xml",
         "<R Description=\"r\">\n<A Description=\"a\">\xE6\x97\xA5</A>\n"
         "<B\xC4\x80 Description=\"b\"/>\n</R>\n",
         kCheckRefused,
         {"line 2: <A> key value has characters that the ANSI code page lacks",
          "line 3: <B?> tag has characters that the ANSI code page lacks"},
         "The view configuration "},
        {"too_long.xml",
         "<R Description=\"r\">\n<A Description=\"a\">" + std::string(257, 'k') +
             "</A>\n<B Description=\"" + std::string(300, 'd') + "\"/>\n</R>\n",
         kCheckRefused,
         {"line 2: <A> key value is 257 bytes, more than the 256 the View Manager holds",
          "line 3: <B> Description is 300 bytes, more than the 256 the View Manager holds"},
         "file format error!"},
        {"cdata.xml",
         "<R Description=\"r\">\n<A Description=\"a\"><![CDATA[1]]></A>\n</R>\n",
         kCheckRefused,
         {"line 2: <A> holds a CDATA section, which the View Manager cannot read"},
         "Load Failure"},
        {"not_well_formed.xml", "<R>\n<A></R>\n", kCheckRefused, {}, "XML Parse Error 0x"},
        {"doctype.xml",
         "<?xml version=\"1.0\"?>\n<!-- <!DOCTYPE x> -->\n<!DOCTYPE R [<!ENTITY e \"x\">]>\n"
         "<R Description=\"&e;\"/>\n",
         kCheckRefused,
         {"line 3: it has a document type declaration (<!DOCTYPE)"},
         "The view configuration "},
    };
}

TEST(QvlCheckTest, EachWarningAndRefusalIsReportedWithItsLine) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const std::string path = write_file(c.name, c.file);
        const CheckReport report{path, CheckConfiguration(path), "", {}};
        EXPECT_EQ(c.status, ExitStatus(report));
        const Lines lines =
            reportLines(report, c.status == kCheckRefused ? "because " : "warning: ");
        ASSERT_EQ(c.findings.size(), lines.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(0u, lines[i].rfind(c.findings[i], 0)) << lines[i];
        if (c.status == kCheckRefused) {
            ASSERT_FALSE(report.config.userMessages.empty());
            const std::string& shown = report.config.userMessages.front();
            EXPECT_EQ(0u, shown.rfind(c.firstUserMessage, 0)) << shown;
            EXPECT_TRUE(report.config.groups.empty());
        }
    }
}

TEST(QvlCheckTest, DemoConfigurationIsSoundAndReadInFileOrder) {
    const std::string path = std::string(VM_SOURCE_DIR) +
                             "/demo/product/korveltand/configuration/xml_files/qvl_view.xml";
    const CheckReport report{path, CheckConfiguration(path), "", {}};
    EXPECT_EQ(kCheckSound, ExitStatus(report));
    const ConfigCheck& check = report.config;
    ASSERT_EQ(43u, check.groups.size());
    const CheckedGroup& pilots = check.groups[12];
    EXPECT_EQ(20, pilots.line);
    EXPECT_EQ(3, pilots.depth);
    EXPECT_EQ("Pilots", pilots.description);
    EXPECT_EQ("PILOT", pilots.key);
    EXPECT_EQ("PUNCHES", check.groups[static_cast<size_t>(pilots.parent)].tag);
}

TEST(QvlCheckTest, JsonReportHoldsTheTextReportsFindings) {
    // A key value outside ASCII comes from the reader in the ANSI code page.
    const std::string path =
        write_file("json.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                               "<R Description=\"r\">\n<A>caf\xE9</A>\n</R>\n");
    std::ostringstream out;
    WriteJsonReport(out, CheckReport{path, CheckConfiguration(path), "", {}});
    const nlohmann::json report = nlohmann::json::parse(out.str());
    EXPECT_EQ("warnings", report["result"]);
    EXPECT_EQ(1, report["exitStatus"]);
    EXPECT_EQ(2u, report["groups"].size());
    EXPECT_EQ(0, report["groups"][1]["parent"]);
    EXPECT_EQ(3, report["warnings"][0]["line"]);
}

TEST(QvlCheckTest, SessionRowsAndThePartsNoGroupTakes) {
    const std::string config = write_file("session_config.xml", R"(<R Description="r">
<CATEGORY Description="Die">
  <TYPE Description="Punches">PUNCH</TYPE>
  <TYPE Description="Plates">PLATE</TYPE>
  <CATEGORY_OTHER Description="Other"/>
</CATEGORY>
</R>
)");
    const std::string session = write_file("session.json", R"({
        "parts": [
            {"file": "top.prt", "components": [{"part": "die.prt"}]},
            {"file": "die.prt", "attributes": [{"title": "CATEGORY", "value": "DIE"}],
             "components": [{"part": "punch.prt"}, {"part": "screw.prt"}]},
            {"file": "punch.prt", "attributes": [{"title": "TYPE", "value": "PUNCH"}]},
            {"file": "screw.prt"},
            {"file": "spare.prt", "attributes": [{"title": "TYPE", "value": "SPRING"}]}
        ],
        "display_part": "top.prt"})");
    const SessionCheck check = CheckSession(config, session);
    ASSERT_EQ("", check.error);
    std::vector<std::string> rows;
    for (const SessionRow& row : check.rows)
        rows.push_back(std::to_string(row.depth) + " " + row.description + " " +
                       std::to_string(row.count));
    // The plates group has no part on display and is dropped; the _OTHER row
    // takes the screw, which no group between the die and it shows.
    EXPECT_EQ((Lines{"0 r 0", "1 Die 1", "2 Punches 1", "2 Other 1"}), rows);
    EXPECT_EQ((Lines{"top.prt", "spare.prt"}), check.untakenParts);
    EXPECT_EQ(Lines{}, check.hostMessages);
    EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
}

} // namespace
