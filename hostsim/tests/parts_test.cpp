// Parts: enumeration, lookups by name, opening, closing, saving, display part.
#include "session_fixture.h"

#include <string>
#include <tuple>
#include <vector>

using namespace hostsim_test;
using Names = std::vector<std::string>;

namespace {

// File names of the loaded parts in enumeration order.
Names enumerated() {
    Names names;
    const int count = UF_PART_ask_num_parts();
    for (int i = 0; i < count; ++i) {
        char name[HOST_PART_NAME_BUFSIZE];
        EXPECT_EQ(0, UF_PART_ask_part_name(UF_PART_ask_nth_part(i), name)) << i;
        names.push_back(name);
    }
    return names;
}

// A file's part as every lookup by name gives it.
using Lookups = std::tuple<tag_t, tag_t, int, bool>;
Lookups lookups(const char* file) {
    return {partTag(file), PART_ask_part_of_filename(file), UF_PART_is_loaded(file),
            PART_is_part_loaded(file) != 0};
}

using Parts = DieSetTest;

TEST_F(Parts, EnumerationListsLoadedPartsInLoadOrder) {
    load(R"({"parts": [{"file": "b.prt"}, {"file": "lib.prt", "loaded": false},
                      {"file": "a.prt"}]})");
    EXPECT_EQ((Names{"b.prt", "a.prt"}), enumerated());
    EXPECT_EQ(NULL_TAG, UF_PART_ask_nth_part(-1));
    EXPECT_EQ(NULL_TAG, UF_PART_ask_nth_part(2));
    // A library part is known to none of the lookups until it is opened.
    EXPECT_EQ(Lookups(NULL_TAG, NULL_TAG, 0, false), lookups("lib.prt"));
    const tag_t lib = openPart("lib.prt");
    EXPECT_EQ((Names{"b.prt", "a.prt", "lib.prt"}), enumerated());
    EXPECT_EQ(Lookups(lib, lib, 1, true), lookups("lib.prt"));
    EXPECT_EQ(lib, openPart("lib.prt")) << "opening a loaded part again";

    // A part closed and opened again keeps its tag and goes to the end.
    const tag_t b = partTag("b.prt");
    ASSERT_EQ(0, UF_PART_close(b, 0, 0));
    EXPECT_EQ((Names{"a.prt", "lib.prt"}), enumerated());
    EXPECT_EQ(Lookups(NULL_TAG, NULL_TAG, 0, false), lookups("b.prt"));
    EXPECT_EQ(b, openPart("b.prt"));
    EXPECT_EQ((Names{"a.prt", "lib.prt", "b.prt"}), enumerated());
}

TEST_F(Parts, OpeningALibraryPartBringsItsOccurrencesUnderTheDisplayPart) {
    load(R"({"parts": [
               {"file": "top.prt", "components": [{"part": "lib.prt"}, {"part": "lib.prt"}]},
               {"file": "lib.prt", "loaded": false, "components": [{"part": "pin.prt"}]},
               {"file": "pin.prt"}],
             "display_part": "top.prt"})");
    const tag_t pin = partTag("pin.prt");
    EXPECT_TRUE(occurrencesOf(pin).empty());

    const tag_t lib = openPart("lib.prt");
    const std::vector<tag_t> libs = occurrencesOf(lib);
    ASSERT_EQ(2u, libs.size());
    EXPECT_EQ(libs, childrenOf(UF_ASSEM_ask_root_part_occ(partTag("top.prt"))));
    EXPECT_EQ(occurrencesOf(pin),
              (std::vector<tag_t>{childrenOf(libs[0]).at(0), childrenOf(libs[1]).at(0)}));
}

TEST_F(Parts, AFailedOpenReportsTheFileInTheLoadStatus) {
    // An unknown file, and a known one whose opening is made to fail.
    HOSTSIM_fail_operation("UF_PART_open_quiet", 2, 77);
    const Names before = enumerated();
    for (const auto& [file, code] : {std::pair{"C:\\dies\\missing.prt", +HOST_ERR_FILE_NOT_FOUND},
                                     std::pair{kSpareFile, 77}}) {
        tag_t part = 5;
        UF_PART_load_status_t status{};
        EXPECT_EQ(code, UF_PART_open_quiet(file, &part, &status));
        EXPECT_EQ(NULL_TAG, part);
        EXPECT_TRUE(status.failed);
        ASSERT_EQ(1, status.n_parts);
        EXPECT_STREQ(file, status.file_names[0]);
        EXPECT_EQ(code, status.statuses[0]);
        UF_free_string_array(status.n_parts, status.file_names);
        UF_free(status.statuses);
    }
    EXPECT_EQ(before, enumerated());
}

TEST_F(Parts, ClosingAPartTheWorkPartDependsOnMovesTheWorkPartToTheDisplayPart) {
    // The work part is the shoe inside the upper set; both lie on its path.
    nlohmann::json session = dieSet();
    session["work_part"] = {{"root", kTopFile}, {"path", {0, 0}}};
    for (const char* onPath : {kUpperFile, kShoeFile}) {
        load(session.dump());
        const tag_t work = UF_ASSEM_ask_work_part();
        ASSERT_EQ(occurrencesOf(partTag(kShoeFile)), std::vector<tag_t>{work});
        // Parts off the path leave the work part where it is.
        ASSERT_EQ(0, UF_PART_close(partTag(kLowerFile), 0, 0));
        ASSERT_EQ(0, UF_PART_close(partTag(kPunchFile), 0, 0));
        EXPECT_EQ(work, UF_ASSEM_ask_work_part());
        ASSERT_EQ(0, UF_PART_close(partTag(onPath), 0, 0));
        EXPECT_EQ(partTag(kTopFile), UF_ASSEM_ask_work_part()) << onPath;
    }

    // A part that is the work part itself.
    load(kDieSet);
    ASSERT_EQ(0, UF_ASSEM_set_work_part(partTag(kShoeFile)));
    ASSERT_EQ(0, UF_PART_close(partTag(kUpperFile), 0, 0));
    EXPECT_EQ(partTag(kShoeFile), UF_ASSEM_ask_work_part());
    ASSERT_EQ(0, UF_PART_close(partTag(kShoeFile), 0, 0));
    EXPECT_EQ(partTag(kTopFile), UF_ASSEM_ask_work_part());
}

TEST_F(Parts, ClosingWithScopeOneTakesTheComponentsNoOtherLoadedPartPlaces) {
    // The punch is placed by the lower set too; the shoe only by the upper.
    ASSERT_EQ(0, UF_PART_close(partTag(kUpperFile), 1, 1));
    EXPECT_FALSE(UF_PART_is_loaded(kUpperFile));
    EXPECT_FALSE(UF_PART_is_loaded(kShoeFile));
    EXPECT_TRUE(UF_PART_is_loaded(kPunchFile));
    EXPECT_EQ(nlohmann::json::array({kShoeFile}), state()["runtime"]["discarded_changes"]);
    ASSERT_EQ(0, UF_PART_close(partTag(kTopFile), 1, 1));
    for (const char* file : {kTopFile, kLowerFile, kPunchFile})
        EXPECT_FALSE(UF_PART_is_loaded(file)) << file;
    EXPECT_EQ(1u, state()["runtime"]["discarded_changes"].size()) << "none were modified";
    EXPECT_FALSE(UF_PART_is_modified(openPart(kShoeFile))) << "the changes are gone";
}

TEST_F(Parts, SavingClearsTheModifiedFlagOfTheWorkPartOnly) {
    nlohmann::json session = dieSet();
    for (int i : {0, 1})
        session["parts"][i]["modified"] = true;
    load(session.dump());
    const tag_t top = partTag(kTopFile), upper = partTag(kUpperFile), shoe = partTag(kShoeFile);

    ASSERT_EQ(0, UF_PART_save());
    EXPECT_FALSE(UF_PART_is_modified(top));
    EXPECT_TRUE(UF_PART_is_modified(shoe));

    // An occurrence as work part saves its prototype, not the assemblies above.
    ASSERT_EQ(0, UF_ASSEM_set_work_part(occurrencesOf(shoe).at(0)));
    ASSERT_EQ(0, UF_PART_save());
    EXPECT_FALSE(UF_PART_is_modified(shoe));
    EXPECT_TRUE(UF_PART_is_modified(upper)) << "the assembly above";

    ASSERT_EQ(0, UF_PART_close(top, 0, 0));
    EXPECT_NE(0, UF_PART_save()) << "no work part left";
}

TEST_F(Parts, SettingTheDisplayPartMakesItTheWorkPartAndClosingItLeavesNeither) {
    const tag_t upper = partTag(kUpperFile), punch = partTag(kPunchFile);
    ASSERT_EQ(0, UF_ASSEM_set_work_part(occurrencesOf(partTag(kShoeFile)).at(0)));
    ASSERT_EQ(0, UF_PART_set_display_part(upper));
    EXPECT_EQ(upper, UF_PART_ask_display_part());
    EXPECT_EQ(upper, UF_ASSEM_ask_work_part());
    EXPECT_EQ(2u, occurrencesOf(punch).size()) << "the punches below the upper set";

    const tag_t root = UF_ASSEM_ask_root_part_occ(upper);
    EXPECT_NE(0, UF_PART_set_display_part(root)) << "an occurrence is not a part";
    ASSERT_EQ(0, UF_PART_close(punch, 0, 0));
    EXPECT_NE(0, UF_PART_set_display_part(punch)) << "not loaded";
    EXPECT_EQ(upper, UF_PART_ask_display_part());
    EXPECT_EQ(upper, UF_ASSEM_ask_work_part());

    // Closing the display part ends the display and the work part in it.
    ASSERT_EQ(0, UF_ASSEM_set_work_part(occurrencesOf(partTag(kShoeFile)).at(0)));
    ASSERT_EQ(0, UF_PART_close(upper, 0, 0));
    EXPECT_EQ(NULL_TAG, UF_PART_ask_display_part());
    EXPECT_EQ(NULL_TAG, UF_ASSEM_ask_work_part());
    EXPECT_TRUE(occurrencesOf(partTag(kShoeFile)).empty());
    EXPECT_TRUE(state()["session"]["display_part"].is_null());
    EXPECT_NE(0, UF_PART_close(upper, 0, 0)) << "no longer loaded";
    int units = 0;
    EXPECT_NE(0, UF_PART_ask_units(upper, &units));
    // Opening the part again does not bring back what closing it ended.
    EXPECT_EQ(upper, openPart(kUpperFile));
    EXPECT_EQ(NULL_TAG, UF_PART_ask_display_part());
    EXPECT_EQ(NULL_TAG, UF_ASSEM_ask_work_part());
}

TEST_F(Parts, DecodedCommandLineNamesAreReleasedWithSmFree) {
    char* decoded = nullptr;
    ASSERT_EQ(0, KZMGR_decode_cli_part_file("  C:/dies/top.prt ", &decoded));
    ASSERT_NE(nullptr, decoded);
    EXPECT_TRUE(PART_is_part_loaded(decoded)) << decoded;
    EXPECT_EQ(partTag(kTopFile), PART_ask_part_of_filename(decoded));
    SM_free(decoded);
    EXPECT_NE(0, KZMGR_decode_cli_part_file("   ", &decoded));
    EXPECT_EQ(nullptr, decoded);
}

} // namespace
