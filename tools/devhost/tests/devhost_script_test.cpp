// The View Manager end to end: scripts of user actions that devhost.exe
// carries out on the real windows, checked through its JSON dumps.
#include "devhost_process.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace devhost_test;
using nlohmann::json;

std::string configPath(const std::string& product, const std::string& file) {
    return product + "/configuration/xml_files/" + file;
}

// A product folder of the test's own with configuration files by name;
// "qvl_view.xml" is the one the View Manager starts with.
std::string writeProduct(const std::string& name, const std::map<std::string, std::string>& files) {
    const std::string product = kScratch + "/" + name + "/product";
    std::filesystem::create_directories(product + "/configuration/xml_files");
    for (const auto& [file, text] : files)
        std::ofstream(configPath(product, file)) << text;
    return product;
}

std::string dumpPath(const std::string& name, const std::string& step) {
    return kScratch + "/" + name + "/" + step + ".json";
}

json readDump(const std::string& name, const std::string& step) {
    std::ifstream file(dumpPath(name, step));
    if (!file) {
        ADD_FAILURE() << "no dump " << dumpPath(name, step);
        return json::object();
    }
    return json::parse(file);
}

// A script line that writes the dump of this step.
std::string dumpLine(const std::string& name, const std::string& step) {
    return "dump \"" + dumpPath(name, step) + "\"\n";
}

std::vector<std::string> labels(const json& dump) {
    std::vector<std::string> found;
    for (const json& row : dump["viewManager"]["rows"])
        found.push_back(row["label"]);
    return found;
}

// Whether a host file name is the given file in the die's folder.
bool isFile(const std::string& path, const std::string& name) {
    const std::string end = "\\" + name;
    return path.size() >= end.size() &&
           path.compare(path.size() - end.size(), end.size(), end) == 0;
}

// The occurrences of the part with that file name.
std::vector<json> occurrencesOf(const json& dump, const std::string& name) {
    std::vector<json> found;
    for (const json& occurrence : dump["host"]["occurrences"]) {
        if (isFile(occurrence["part"], name))
            found.push_back(occurrence);
    }
    // The checks run over what is found: none found must not pass them.
    if (found.empty())
        ADD_FAILURE() << "no occurrence of " << name;
    return found;
}

// The first entry of the list whose key is that label, or that file in the die's folder.
const json& find(const json& list, const char* key, const std::string& value) {
    for (const json& entry : list) {
        if (entry[key] == value || isFile(entry[key], value))
            return entry;
    }
    ADD_FAILURE() << "no " << key << " " << value;
    static const json none = json::object();
    return none;
}

const json& row(const json& dump, const std::string& label) {
    return find(dump["viewManager"]["rows"], "label", label);
}

const json& part(const json& dump, const std::string& name) {
    return find(dump["host"]["parts"], "name", name);
}

TEST(ViewManagerScript, TheDemoTreeIsShownAsBuiltAndSwitchTogglesIt) {
    const std::string name = "as_built";
    const DevhostRun run =
        RunDevhost(name, DemoSession({{"KORVELTAND_DIR", kDemoProduct}}),
                   dumpLine(name, "built") + "switch\n" + dumpLine(name, "names") + "switch\n");
    ASSERT_EQ(0u, run.exitCode) << run.output;
    const json built = readDump(name, "built");
    const json& view = built["viewManager"];
    ASSERT_TRUE(view.is_object()) << run.output;
    EXPECT_EQ("Switch To Name Tree", view["switchButton"]);
    EXPECT_EQ((std::vector<std::string>{"Attribute Name", "Blank/Unblank", "Isolate", "Color",
                                        "Freeze/Unfreeze", "Open/Close", "Attribute Count"}),
              view["columns"].get<std::vector<std::string>>());
    ASSERT_EQ(43u, view["rows"].size());

    // Every group is expanded; a row's level is its depth in the file.
    const json& top = view["rows"][0];
    EXPECT_EQ("DIE_VIEW", top["label"]);
    EXPECT_EQ(0, top["level"]);
    EXPECT_TRUE(top["hasChildren"]);
    EXPECT_TRUE(top["expanded"]);
    EXPECT_EQ(1, view["rows"][1]["level"]);
    EXPECT_EQ("MATERIAL", view["rows"][42]["label"]);
    EXPECT_EQ(59, view["rows"][42]["count"]);

    for (const json& shown : view["rows"]) {
        const bool hasParts = shown["count"] > 0;
        EXPECT_EQ(hasParts ? IDB_FOLDER_OPEN : IDB_FOLDER_CLOSED, shown["images"][5]) << shown;
        EXPECT_TRUE(shown["images"][3].is_null()) << "the colour column draws a swatch";
        EXPECT_TRUE(shown["images"][6].is_null()) << "the count column draws a number";
    }
    // The frozen stripper insert, from the session's part status.
    EXPECT_EQ(IDB_PADLOCK_CLOSED, view["rows"][15]["images"][4]);
    EXPECT_EQ(IDB_PADLOCK_OPEN, view["rows"][14]["images"][4]);
    // The forming punch keeps its own colour (palette 6x6x6 cube: R 3, G 1, B 4).
    EXPECT_EQ(0xCC3399, view["rows"][10]["color"]);

    EXPECT_EQ("C:\\Dies\\PD2026\\pd2026_top.prt", built["host"]["displayPart"]);

    // Switched to the name tree and back; the button reads as a switch does.
    const json names = readDump(name, "names");
    EXPECT_EQ("Switch To Attribute Tree", names["viewManager"]["switchButton"]);
    EXPECT_EQ("Customized Name", names["viewManager"]["columns"][0]);
    EXPECT_EQ("Progressive die PD2026", labels(names)[0]);
    EXPECT_EQ("Switch To Name Tree", run.dump["viewManager"]["switchButton"]);
    EXPECT_EQ(labels(built), labels(run.dump));
    EXPECT_EQ(json::array(), run.dump["messages"]);
    // The modeless dialog outlives the command: unloaded at the session's end.
    EXPECT_EQ(3, run.dump["unloadMode"]);
}

TEST(ViewManagerScript, RefreshAndEnterRebuildFromTheFileInTheBox) {
    const std::string name = "refresh";
    const std::string product = writeProduct(
        name, {{"changed.xml", "<DIE_VIEW Description=\"Die\"><UPPER_DIE Description=\"Upper\"/>"
                               "<LOWER_DIE Description=\"Lower\"/></DIE_VIEW>"},
               {"malformed.xml", "<DIE_VIEW><UPPER_DIE></DIE_VIEW>"}});
    const DevhostRun run = RunDevhost(
        name, NameTreeDemo(),
        "settext " + configPath(product, "changed.xml") + "\nrefresh\n" +
            dumpLine(name, "changed") + "settext " + configPath(product, "malformed.xml") +
            "\nrefresh\n" + dumpLine(name, "malformed") + "settext " +
            configPath(kDemoProduct, "qvl_view.xml") + "\nenter\n" + dumpLine(name, "entered"));
    ASSERT_EQ(0u, run.exitCode) << run.output;

    const json changed = readDump(name, "changed");
    EXPECT_EQ((std::vector<std::string>{"Die", "Upper", "Lower"}), labels(changed));
    EXPECT_EQ(json::array(), changed["messages"]);

    // A file that cannot be read leaves an empty list and says why.
    const json malformed = readDump(name, "malformed");
    EXPECT_EQ(0, malformed["viewManager"]["itemCount"]);
    ASSERT_EQ(1u, malformed["messages"].size());
    EXPECT_EQ(0u, malformed["messages"][0]["text"].get<std::string>().find("XML Parse Error 0x"));
    EXPECT_EQ("framework", malformed["messages"][0]["source"]);

    // Return in the file-name box rebuilds from the good file again.
    const json entered = readDump(name, "entered");
    EXPECT_EQ(43u, entered["viewManager"]["rows"].size());
    EXPECT_TRUE(entered["viewManager"]["visible"]) << "Return must not close the View Manager";
}

// The next command shows the same dialog, or after a close a fresh one:
// unchecked, at the site's size. Resized from that size, the buttons move with
// the corner, the highlight box with the bottom, and the list stretches.
TEST(ViewManagerScript, TheNextCommandShowsTheSameDialogOrAfterACloseAFreshOne) {
    const struct {
        const char* name;
        const char* steps;
        int created;
    } cases[] = {
        {"second_ufusr", "", 1},
        {"close_button", "close\n", 2},
        // The build links item 42 last; Return must not take it for a button.
        {"return_in_list", "refresh\nenterlist\n", 2},
    };
    json layouts[3];
    for (const auto& [name, steps, created] : cases) {
        const bool fresh = created == 2;
        const DevhostRun run = RunDevhost(name, NameTreeDemo(),
                                          std::string("highlight on\nresize 800 600\n") + steps +
                                              dumpLine(name, "between") + "ufusr\n");
        ASSERT_EQ(0u, run.exitCode) << run.output;
        EXPECT_EQ(fresh, readDump(name, "between")["viewManager"].is_null()) << name;
        const json& view = run.dump["viewManager"];
        ASSERT_TRUE(view.is_object()) << name;
        EXPECT_EQ(created, view["created"]) << name;
        EXPECT_TRUE(view["visible"]) << name;
        // The name tree as the site configured it, spelt as it always was.
        EXPECT_EQ("Switch To Attibute Tree", view["switchButton"]) << name;
        EXPECT_EQ(!fresh, view["highlightChecked"]) << name;
        EXPECT_EQ((fresh ? json{720, 560} : json{800, 600}), view["layout"]["size"]) << name;
        EXPECT_EQ(43u, view["rows"].size()) << name;
        EXPECT_EQ(json::array(), run.dump["messages"]) << name;
        EXPECT_FALSE(run.dump["host"]["sessionOpen"]) << name;
        layouts[created] = view["layout"];
    }
    const json &site = layouts[2], &resized = layouts[1];
    auto moved = [](const json& place, int x, int y) {
        return json{place[0].get<int>() + x, place[1].get<int>() + y, place[2].get<int>() + x,
                    place[3].get<int>() + y};
    };
    for (const char* button : {"close", "switch", "refresh"})
        EXPECT_EQ(moved(site[button], 80, 40), resized[button]) << button;
    EXPECT_EQ(moved(site["highlight"], 0, 40), resized["highlight"]);
    EXPECT_EQ((json{site["list"][0], site["list"][1], site["list"][2].get<int>() + 80,
                    site["list"][3].get<int>() + 40}),
              resized["list"]);
}

// Over a small file: a click on no row, the file replaced before the next
// command, and the display part's row closed.
TEST(ViewManagerScript, AClickOnNoRowAFileReplacedAndTheDisplayPartsRowClosed) {
    const std::string name = "small_file";
    const std::string product = writeProduct(
        name, {{"qvl_view.xml", "<DIE_VIEW Description=\"Die\"><COMPONENT_TYPE Description=\"Upper "
                                "shoe\">UPPER_SHOE</COMPONENT_TYPE><DIE_NUMBER Description=\"Whole "
                                "die\">PD2026</DIE_NUMBER></DIE_VIEW>"},
               {"malformed.xml", "<DIE_VIEW><UPPER_DIE></DIE_VIEW>"}});
    const DevhostRun run = RunDevhost(
        name, NameTreeDemo(product),
        "highlight on\nclick \"Upper shoe\" 0\n" + dumpLine(name, "highlighted") +
            "clickat 20 300\n" + dumpLine(name, "below") + "copy \"" +
            configPath(product, "malformed.xml") + "\" \"" + configPath(product, "qvl_view.xml") +
            "\"\nufusr\n" + dumpLine(name, "refused") +
            "answer confirm nosave\ndblclick \"Whole die\" 5\n");
    ASSERT_EQ(0u, run.exitCode) << run.output;
    const json highlighted = readDump(name, "highlighted");
    for (const json& occurrence : occurrencesOf(highlighted, "pd2026_upper_shoe.prt"))
        EXPECT_TRUE(occurrence["highlighted"]);
    // Below the last row the click hits no row: the highlight goes.
    for (const json& occurrence : occurrencesOf(readDump(name, "below"), "pd2026_upper_shoe.prt"))
        EXPECT_FALSE(occurrence["highlighted"]);

    // The command refuses the file it now finds; the View Manager is neither
    // made again nor rebuilt.
    const json refused = readDump(name, "refused");
    ASSERT_EQ(1u, refused["messages"].size());
    EXPECT_EQ(0u, refused["messages"][0]["text"].get<std::string>().find("XML Parse Error 0x"));
    EXPECT_EQ(1, refused["viewManager"]["created"]);
    EXPECT_EQ((std::vector<std::string>{"Die", "Upper shoe", "Whole die"}), labels(refused));

    // Closing the display part (it asks first, for the modified trim punch)
    // closes the View Manager.
    EXPECT_TRUE(run.dump["viewManager"].is_null());
    EXPECT_TRUE(run.dump["host"]["displayPart"].is_null());
}

// What the command reports of a product set-up that is wrong: the beginning
// of each message box's text, in order.
TEST(ViewManagerScript, AProductSetUpThatIsWrongIsReportedOnce) {
    const std::string malformed =
        writeProduct("set_up_malformed", {{"qvl_view.xml", "<DIE_VIEW><UPPER_DIE></DIE_VIEW>"}});
    const std::pair<json, std::vector<std::string>> cases[] = {
        {json::object(),
         {"No environment variable", "No environment variable",
          "Incorrect path or name of qvl_view.xml"}},
        // Once from the command's check of the file and once from the View
        // Manager, which looks for the file again when it is created.
        {json{{"KORVELTAND_LIB_DIR", kDemoProduct}},
         {"No environment variable", "No environment variable"}},
        // The reader's, once: the command makes no View Manager.
        {json{{"KORVELTAND_DIR", malformed}}, {"XML Parse Error 0x"}},
    };
    int index = 0;
    for (const auto& [environment, starts] : cases) {
        const DevhostRun run =
            RunDevhost("set_up_" + std::to_string(index++), DemoSession(environment));
        EXPECT_EQ(0u, run.exitCode) << run.output;
        ASSERT_EQ(starts.size(), run.dump["messages"].size()) << run.dump["messages"];
        for (size_t i = 0; i < starts.size(); ++i)
            EXPECT_EQ(0u, run.dump["messages"][i]["text"].get<std::string>().find(starts[i]));
    }
}

TEST(ViewManagerScript, ALineThatCannotBeCarriedOutStopsTheRunWithItsNumber) {
    const std::pair<std::string, std::string> cases[] = {
        {"# a comment, then a blank line\n\nclick 0 1\nwiggle 3\n",
         "line 4: unknown action wiggle"},
        {"click 99 1\n", "line 1: no shown row 99 (43 rows are shown)"},
        {"click \"No such group\" 1\n", "line 1: no shown row is labelled \"No such group\""},
        {"close\nclick 0 1\n", "line 2: click: no View Manager is open"},
        {"unload\nufusr\n", "line 2: ufusr: the plug-in is unloaded"},
    };
    int index = 0;
    for (const auto& [script, message] : cases) {
        const DevhostRun run =
            RunDevhost("bad_line_" + std::to_string(index++), NameTreeDemo(), script);
        EXPECT_EQ(2u, run.exitCode) << script;
        EXPECT_NE(std::string::npos, run.output.find(message)) << run.output;
    }
}

// The host unloads the library as at the end of its session: whatever the
// plug-in had open goes with it, so that nothing the host sends later (the
// dump's probe to every window of the thread, the closing of what is left)
// runs code that is no longer there.
TEST(ViewManagerScript, UnloadingTheLibraryLeavesNothingOfItToRun) {
    const std::string name = "unload";
    const DevhostRun run = RunDevhost(name, NameTreeDemo(),
                                      "highlight on\nclick \"Upper shoe\" 0\nhover 0 0\nunload\n" +
                                          dumpLine(name, "unloaded"));
    ASSERT_EQ(0u, run.exitCode) << run.output;
    EXPECT_TRUE(readDump(name, "unloaded")["viewManager"].is_null());
    EXPECT_TRUE(run.dump["viewManager"].is_null());
}

// One session worked through the command columns, read step by step.
// What the rows show: each shown row's label and pictures.
json shownRows(const json& dump) {
    json shown = json::array();
    for (const json& row : dump["viewManager"]["rows"])
        shown.push_back({row["label"], row["images"]});
    return shown;
}

std::string repeated(const std::string& line, int times) {
    std::string lines;
    for (int i = 0; i < times; ++i)
        lines += line;
    return lines;
}

// The same commands given by clicks, by keys and through the row menus
// leave the same rows and the same host.
TEST(ViewManagerCommandsScript, KeysAndRowMenusDoWhatTheClicksDo) {
    const std::string clicks = "click \"Upper shoe\" 1\nbox \"Upper die set\"\n"
                               "answer confirm nosave\ndblclick \"Trim punches\" 5\n"
                               "answer color 255 0 0\nclick \"Pilots\" 3\n"
                               "dblclick \"Die springs\" 4\n";
    // Left on a row goes to its parent and then closes it; Right on an open
    // row goes to its first row beneath.
    const std::string keys = "key home\n" + repeated("key down\n", 3) + "key b ctrl\n" +
                             "key left\nkey left\nkey down\nkey right\nkey down\n" +
                             "answer confirm nosave\nkey o ctrl\n" + repeated("key down\n", 3) +
                             "answer color 255 0 0\nkey l ctrl\n" +
                             "key end\nkey up\nkey up\nkey f ctrl\n";
    // Esc leaves a menu with nothing done; the menu key and Shift+F10 open
    // the focused row's menu as a right click does.
    const std::string menus = "answer menu esc\nmenu \"Upper shoe\"\n"
                              "answer menu blank\nmenu \"Upper shoe\"\nbox \"Upper die set\"\n"
                              "answer confirm nosave\nanswer menu close\nmenu \"Trim punches\"\n"
                              "click \"Pilots\" 0\nanswer color 255 0 0\nanswer menu color...\n"
                              "key apps\nkey end\nkey up\nkey up\nanswer menu freeze\n"
                              "key f10 shift\n";
    std::map<std::string, json> dumps;
    for (const auto& [name, script] :
         std::map<std::string, std::string>{{"clicks", clicks}, {"keys", keys}, {"menus", menus}}) {
        const DevhostRun run =
            RunDevhost("by_" + name, NameTreeDemo(),
                       script + "dump \"" + dumpPath("by_" + name, "end") + "\"\n");
        ASSERT_EQ(0u, run.exitCode) << name << ": " << run.output;
        dumps[name] = readDump("by_" + name, "end");
    }
    const json& byClicks = dumps["clicks"];
    // The clicks did what they stand for, so that equal dumps mean something.
    EXPECT_FALSE(part(byClicks, "pd2026_trim_punch_st3.prt")["loaded"]);
    EXPECT_TRUE(part(byClicks, "std_die_spring_red_d32x64.prt")["frozen"]);
    EXPECT_EQ(0x0000FF, row(byClicks, "Pilots")["color"]);
    for (const std::string name : {"keys", "menus"}) {
        EXPECT_EQ(byClicks["host"], dumps[name]["host"]) << name;
        EXPECT_EQ(shownRows(byClicks), shownRows(dumps[name])) << name;
    }
}

// What a command can change: the host's occurrences and parts, and each
// row's pictures and colour.
json displayState(const json& dump) {
    json rows = json::array();
    for (const json& row : dump["viewManager"]["rows"])
        rows.push_back({row["label"], row["images"], row["color"]});
    return {{"occurrences", dump["host"]["occurrences"]},
            {"parts", dump["host"]["parts"]},
            {"rows", rows}};
}

// Ctrl+Z and the row menu's Undo take back Blank, Isolate, Color and Freeze,
// the last first, to the exact state before each; a Close is not taken back;
// the pilots the designer recoloured in the host meanwhile keep the colour.
TEST(ViewManagerCommandsScript, UndoTakesBackTheDisplayCommandsLastFirst) {
    const std::string kName = "undo";
    const std::string kPilot = "pd2026_pilot_d8.prt";
    const std::string script =
        dumpLine(kName, "built") + "click \"Upper die set\" 1\nkey z ctrl\n" +
        dumpLine(kName, "blank undone") + "click \"Die plate\" 2\n" + dumpLine(kName, "isolated") +
        "answer color 255 0 0\nclick \"Pilots\" 3\n" + dumpLine(kName, "coloured") +
        "dblclick \"Die springs\" 4\n" + "answer confirm nosave\ndblclick \"Trim punches\" 5\n" +
        dumpLine(kName, "closed") + "answer menu \"Undo Freeze Die springs\"\n" +
        "menu \"Upper shoe\"\n" + dumpLine(kName, "freeze undone") + "host color " + kPilot +
        " 7\nkey z ctrl\n" + dumpLine(kName, "colour undone") + "key z ctrl\n" +
        dumpLine(kName, "isolate undone");
    const DevhostRun run = RunDevhost(kName, NameTreeDemo(), script);
    ASSERT_EQ(0u, run.exitCode) << run.output;

    const json built = readDump(kName, "built");
    EXPECT_EQ(displayState(built), displayState(readDump(kName, "blank undone")));

    // The Close stays, and the Freeze before it is taken back.
    const json closed = readDump(kName, "closed");
    const json freezeUndone = readDump(kName, "freeze undone");
    EXPECT_FALSE(part(freezeUndone, "pd2026_trim_punch_st3.prt")["loaded"]);
    EXPECT_FALSE(part(freezeUndone, "std_die_spring_red_d32x64.prt")["frozen"]);
    EXPECT_EQ(IDB_PADLOCK_OPEN, row(freezeUndone, "Die springs")["images"][4]);
    json parts = closed["host"]["parts"];
    for (json& p : parts)
        p["frozen"] = part(built, p["name"])["frozen"];
    EXPECT_EQ(parts, freezeUndone["host"]["parts"]);

    // The recoloured pilots stay as the designer left them, and are told of.
    const json colourUndone = readDump(kName, "colour undone");
    for (const json& occurrence : occurrencesOf(colourUndone, kPilot))
        EXPECT_EQ(7, occurrence["color"]);
    ASSERT_EQ(1u, colourUndone["messages"].size());
    EXPECT_NE(std::string::npos, colourUndone["messages"][0].dump().find("changed in the host"));

    // Isolate taken back: every occurrence still there is shown as built.
    const json isolateUndone = readDump(kName, "isolate undone");
    for (const json& occurrence : isolateUndone["host"]["occurrences"]) {
        for (const json& before : built["host"]["occurrences"]) {
            if (before["path"] == occurrence["path"]) {
                EXPECT_EQ(before["blanked"], occurrence["blanked"]) << occurrence.dump();
            }
        }
    }
    EXPECT_EQ(shownRows(closed).size(), shownRows(isolateUndone).size());
    EXPECT_EQ(IDB_TICK_RED, row(isolateUndone, "Lower shoe")["images"][1]);
}

// Ctrl+C puts the shown rows on the clipboard as a table: here the die's
// row and its two groups, the upper shoe blanked, then the die folded. The
// greys are the host's palette entries 230 and 222 of the demo's parts.
TEST(ViewManagerCommandsScript, CopyRowsPutsTheShownRowsOnTheClipboardAsATable) {
    const std::string name = "copy_rows";
    const std::string product = writeProduct(
        name, {{"qvl_view.xml", "<DIE_VIEW Description=\"Die\"><COMPONENT_TYPE Description=\"Upper "
                                "shoe\">UPPER_SHOE</COMPONENT_TYPE><DIE_NUMBER Description=\"Whole "
                                "die\">PD2026</DIE_NUMBER></DIE_VIEW>"}});
    const std::string whole = kScratch + "/" + name + "/whole.txt";
    const std::string folded = kScratch + "/" + name + "/folded.txt";
    const DevhostRun run = RunDevhost(name, NameTreeDemo(product),
                                      "click \"Upper shoe\" 1\ncopyrows \"" + whole +
                                          "\"\nkey home\nkey left\ncopyrows \"" + folded + "\"\n");
    ASSERT_EQ(0u, run.exitCode) << run.output;
    const std::string header = "Group path\tCustomized Name\tBlank/Unblank\tIsolate\tColor\t"
                               "Freeze/Unfreeze\tOpen/Close\tAttribute Count\tParts\r\n";
    const std::string die = "Die\tDie\tshown\tshown\t#000000\tnot frozen\tclosed\t0\t\r\n";
    std::ifstream wholeFile(whole, std::ios::binary);
    const std::string copied((std::istreambuf_iterator<char>(wholeFile)),
                             std::istreambuf_iterator<char>());
    EXPECT_EQ(header + die +
                  "Die / Upper shoe\tUpper shoe\tblanked\tblanked\t#8E8E8E\tnot frozen\topen\t1\t"
                  "pd2026_upper_shoe.prt\r\n"
                  "Die / Whole die\tWhole die\tshown\tshown\t#3D3D3D\tnot frozen\topen\t1\t"
                  "pd2026_top.prt\r\n",
              copied);
    std::ifstream foldedFile(folded, std::ios::binary);
    EXPECT_EQ(header + die, std::string((std::istreambuf_iterator<char>(foldedFile)),
                                        std::istreambuf_iterator<char>()));
}

// The shape the designer gave the tree (the lower die set folded, the
// focus on the row above the last, the page scrolled to it) stays through
// Refresh, Switch and back, and a new start after Close.
TEST(ViewManagerCommandsScript, RefreshSwitchAndANewStartKeepTheTreesShape) {
    const std::string name = "shape";
    const std::string script =
        "box \"Lower die set\"\nkey end\nkey up\n" + dumpLine(name, "shaped") + "refresh\n" +
        dumpLine(name, "refreshed") + "switch\n" + dumpLine(name, "switched") + "switch\n" +
        dumpLine(name, "switched back") + "close\nufusr\n" + dumpLine(name, "again");
    const DevhostRun run = RunDevhost(name, NameTreeDemo(), script);
    ASSERT_EQ(0u, run.exitCode) << run.output;
    const json shaped = readDump(name, "shaped");
    ASSERT_FALSE(row(shaped, "Lower die set")["expanded"]);
    ASSERT_GT(shaped["viewManager"]["topRow"], 0);
    ASSERT_EQ(shaped["viewManager"]["rows"].size() - 2, shaped["viewManager"]["focusedRow"]);
    const auto shape = [](const json& dump) {
        json items = json::array();
        for (const json& shown : dump["viewManager"]["rows"])
            items.push_back({shown["item"], shown["expanded"]});
        return json{items, dump["viewManager"]["focusedRow"], dump["viewManager"]["topRow"]};
    };
    for (const char* step : {"refreshed", "switched", "switched back", "again"})
        EXPECT_EQ(shape(shaped), shape(readDump(name, step))) << step;
    EXPECT_EQ(shownRows(shaped), shownRows(readDump(name, "again")));
}

// The filter box: the rows found and those above them, a command on a shown
// group reaching the groups it hides, the filter kept by Refresh and Switch
// with the rows on the page, Esc giving back the folded tree, and the keys
// that go between the box and the list.
TEST(ViewManagerCommandsScript, TheFilterShowsTheRowsFoundAndKeepsThemThroughRefresh) {
    const std::string name = "filter";
    const std::string script =
        "box \"Lower die set\"\n" + dumpLine(name, "folded") + "filter trim\n" +
        dumpLine(name, "filtered") + "click \"Punches\" 1\nrefresh\n" +
        dumpLine(name, "refreshed") + "filterkey escape\n" + dumpLine(name, "cleared") +
        "key e ctrl\n" + dumpLine(name, "ctrl e") + "filterkey down\n" + dumpLine(name, "down") +
        "key f3\n" + dumpLine(name, "f3") + "resize 520 300\nfilter s\nkey end\nkey up\n" +
        dumpLine(name, "scrolled") + "refresh\n" + dumpLine(name, "scrolled refreshed") +
        "switch\n" + dumpLine(name, "switched") + "filter no such group\n" + dumpLine(name, "none");
    const DevhostRun run = RunDevhost(name, NameTreeDemo(), script);
    ASSERT_EQ(0u, run.exitCode) << run.output;

    const std::vector<std::string> found = {
        "Progressive die PD2026", "Upper die", "Punches",
        "Trim punches",           "Stations",  "Station 3: trimming"};
    const json filtered = readDump(name, "filtered");
    EXPECT_EQ(found, labels(filtered));
    EXPECT_EQ("trim", filtered["viewManager"]["filter"]);
    EXPECT_EQ("2 of 43 rows", filtered["viewManager"]["filterCount"]);
    EXPECT_EQ(43, filtered["viewManager"]["itemCount"]);
    EXPECT_EQ(6, filtered["viewManager"]["shownRowCount"]);

    const json refreshed = readDump(name, "refreshed");
    EXPECT_EQ(found, labels(refreshed));
    EXPECT_EQ("2 of 43 rows", refreshed["viewManager"]["filterCount"]);

    // Esc in the box empties it and leaves the View Manager open, folded as
    // before; Blank on the punches reached the piercing punches it hid.
    const json cleared = readDump(name, "cleared");
    EXPECT_TRUE(cleared["viewManager"]["visible"]);
    EXPECT_EQ("", cleared["viewManager"]["filter"]);
    EXPECT_EQ("", cleared["viewManager"]["filterCount"]);
    EXPECT_EQ(labels(readDump(name, "folded")), labels(cleared));
    EXPECT_FALSE(row(cleared, "Lower die set")["expanded"]);
    EXPECT_EQ(IDB_TICK_GREY, row(cleared, "Piercing punches")["images"][1]);
    for (const json& occurrence : occurrencesOf(cleared, "pd2026_pierce_punch_d10.prt"))
        EXPECT_TRUE(occurrence["blanked"]);

    EXPECT_EQ("filter", readDump(name, "ctrl e")["viewManager"]["focus"]);
    const json down = readDump(name, "down");
    EXPECT_EQ("list", down["viewManager"]["focus"]);
    EXPECT_EQ(0, down["viewManager"]["focusedRow"]);
    EXPECT_EQ("filter", readDump(name, "f3")["viewManager"]["focus"]);

    // The rows on the page and the focus stay through Refresh and Switch,
    // which finds the same groups by their names.
    const auto shape = [](const json& dump) {
        json items = json::array();
        for (const json& shown : dump["viewManager"]["rows"])
            items.push_back({shown["item"], shown["expanded"]});
        return json{items, dump["viewManager"]["focusedRow"], dump["viewManager"]["topRow"]};
    };
    const json scrolled = readDump(name, "scrolled");
    ASSERT_GT(scrolled["viewManager"]["topRow"], 0);
    ASSERT_LT(scrolled["viewManager"]["shownRowCount"], 43);
    EXPECT_EQ(shape(scrolled), shape(readDump(name, "scrolled refreshed")));
    EXPECT_EQ(shape(scrolled), shape(readDump(name, "switched")));

    const json none = readDump(name, "none");
    EXPECT_EQ(0, none["viewManager"]["shownRowCount"]);
    EXPECT_EQ("No row matches", none["viewManager"]["filterCount"]);
}

TEST(ViewManagerCommandsScript, EachCommandChangesTheRowsAndTheHost) {
    const std::string kName = "commands";
    const std::string kTrimPunch = "pd2026_trim_punch_st3.prt";
    const std::string script =
        std::string("click \"Upper shoe\" 1\n") + dumpLine(kName, "blanked") +
        "click \"Upper shoe\" 1\n" + "click \"Die plate\" 2\n" + dumpLine(kName, "isolated") +
        "click \"Die plate\" 2\n" + "answer color 255 0 0\nclick \"Pilots\" 3\n" +
        "answer color cancel\nclick \"Pilots\" 3\n" + dumpLine(kName, "coloured") +
        "dblclick \"Die springs\" 4\n" + dumpLine(kName, "frozen") +
        "answer confirm cancel\ndblclick \"Trim punches\" 5\n" +
        "answer confirm closebox\ndblclick \"Trim punches\" 5\n" +
        "answer confirm esc\ndblclick \"Trim punches\" 5\n" + dumpLine(kName, "kept") +
        "answer confirm nosave\ndblclick \"Trim punches\" 5\n" + dumpLine(kName, "closed") +
        "refresh\ndblclick \"Trim punches\" 5\n" + dumpLine(kName, "reopened") + "host modify " +
        kTrimPunch + "\nanswer confirm save\ndblclick \"Trim punches\" 5\n" +
        dumpLine(kName, "saved") + "click \"Lower shoe\" 0\nhighlight on\n" +
        dumpLine(kName, "highlighted") + "highlight off\n";
    const DevhostRun run = RunDevhost(kName, NameTreeDemo(), script);
    ASSERT_EQ(0u, run.exitCode) << run.output;
    EXPECT_FALSE(run.dump["host"]["sessionOpen"]);
    EXPECT_EQ(json::array(), run.dump["messages"]);
    EXPECT_EQ(std::string::npos, run.output.find("found no dialog")) << run.output;

    const json blanked = readDump(kName, "blanked");
    EXPECT_EQ(IDB_TICK_GREY, row(blanked, "Upper shoe")["images"][1]);
    for (const json& occurrence : occurrencesOf(blanked, "pd2026_upper_shoe.prt"))
        EXPECT_TRUE(occurrence["blanked"]);

    // Isolating the die plate hides the die's assemblies as wholes.
    const json isolated = readDump(kName, "isolated");
    EXPECT_EQ(IDB_ISOLATE_YELLOW_FRONT, row(isolated, "Die plate")["images"][2]);
    for (const json& occurrence : occurrencesOf(isolated, "pd2026_upper_die.prt"))
        EXPECT_TRUE(occurrence["blanked"]);

    const json coloured = readDump(kName, "coloured");
    EXPECT_EQ(0x0000FF, row(coloured, "Pilots")["color"]);
    // Pure red is entry 1 + 36 x 5 of the host's palette.
    for (const json& occurrence : occurrencesOf(coloured, "pd2026_pilot_d8.prt"))
        EXPECT_EQ(181, occurrence["color"]);

    const json frozen = readDump(kName, "frozen");
    EXPECT_EQ(IDB_PADLOCK_CLOSED, row(frozen, "Die springs")["images"][4]);
    EXPECT_TRUE(part(frozen, "std_die_spring_red_d32x64.prt")["frozen"]);

    // Cancel, the close box and Esc all keep the modified part open.
    const json kept = readDump(kName, "kept");
    EXPECT_TRUE(part(kept, kTrimPunch)["loaded"]);
    EXPECT_EQ(IDB_FOLDER_OPEN, row(kept, "Trim punches")["images"][5]);

    const json closed = readDump(kName, "closed");
    EXPECT_FALSE(part(closed, kTrimPunch)["loaded"]);
    EXPECT_EQ(IDB_FOLDER_CLOSED, row(closed, "Trim punches")["images"][5]);
    EXPECT_NE(std::string::npos, closed["host"]["records"]["closedParts"].dump().find(kTrimPunch));

    const json reopened = readDump(kName, "reopened");
    EXPECT_TRUE(part(reopened, kTrimPunch)["loaded"]);
    EXPECT_FALSE(part(reopened, kTrimPunch)["modified"]) << "the changes were not saved";

    const json saved = readDump(kName, "saved");
    EXPECT_FALSE(part(saved, kTrimPunch)["loaded"]);
    EXPECT_FALSE(part(saved, kTrimPunch)["modified"]);

    const json highlighted = readDump(kName, "highlighted");
    EXPECT_TRUE(highlighted["viewManager"]["highlightChecked"]);
    for (const json& occurrence : occurrencesOf(highlighted, "pd2026_lower_shoe.prt"))
        EXPECT_TRUE(occurrence["highlighted"]);
    for (const json& occurrence : occurrencesOf(highlighted, "pd2026_upper_shoe.prt"))
        EXPECT_FALSE(occurrence["highlighted"]);
    for (const json& occurrence : run.dump["host"]["occurrences"])
        EXPECT_FALSE(occurrence["highlighted"]);
}

} // namespace
