// The demo session with the demo configuration: the tree a person sees when
// starting the View Manager on the bundled die.
#include "row_model_fixture.h"

#include "model/cell_pictures.h"

using namespace row_model_test;

namespace {

const std::string kDemo = std::string(VM_SOURCE_DIR) + "/demo";
const std::string kDieDir = "C:\\Dies\\PD2026\\";

struct ExpectedRow {
    const char* label; // the customized name
    const char* group;
    const char* key;
    int parent;
    int occurrences;
    Strings parts; // file names below the die's folder
};

// Worked out from demo/session.json and qvl_view.xml by hand and with an
// independent script: every group with sub-groups, every group with an
// unsuppressed occurrence under the die, every _OTHER group.
const std::vector<ExpectedRow>& expectedRows() {
    static const Strings springs4 = {"std_die_spring_red_d32x64.prt",
                                     "std_die_spring_red_d32x64.prt",
                                     "std_die_spring_red_d32x64.prt",
                                     "std_die_spring_red_d32x64.prt",
                                     "std_die_spring_blue_d25x51.prt",
                                     "std_die_spring_blue_d25x51.prt",
                                     "std_die_spring_blue_d25x51.prt",
                                     "std_die_spring_blue_d25x51.prt",
                                     "std_shcs_m8x40.prt",
                                     "std_shcs_m8x40.prt",
                                     "std_shcs_m8x40.prt",
                                     "std_shcs_m8x40.prt"};
    static const std::vector<ExpectedRow> rows = {
        {"Progressive die PD2026", "DIE_VIEW", "", -1, 0, {}},
        {"Upper die", "UPPER_DIE", "", 0, 1, {"pd2026_upper_die.prt"}},
        {"Upper die set", "UPPER_DIE_SET", "", 1, 0, {}},
        {"Upper shoe", "COMPONENT_TYPE", "UPPER_SHOE", 2, 1, {"pd2026_upper_shoe.prt"}},
        {"Punch holder", "COMPONENT_TYPE", "PUNCH_HOLDER", 2, 1, {"pd2026_punch_holder.prt"}},
        {"Punch backing plate",
         "COMPONENT_TYPE",
         "PUNCH_BACKING_PLATE",
         2,
         1,
         {"pd2026_punch_backing_plate.prt"}},
        {"Guide bushings", "COMPONENT_TYPE", "GUIDE_BUSHING", 2, 4, {"std_guide_bushing_d32.prt"}},
        {"Punches", "PUNCHES", "", 1, 0, {}},
        {"Piercing punches",
         "COMPONENT_TYPE",
         "PIERCE_PUNCH",
         7,
         6,
         {"pd2026_pierce_punch_d6.prt", "pd2026_pierce_punch_d10.prt"}},
        {"Trim punches", "COMPONENT_TYPE", "TRIM_PUNCH", 7, 2, {"pd2026_trim_punch_st3.prt"}},
        {"Forming punches", "COMPONENT_TYPE", "FORM_PUNCH", 7, 1, {"pd2026_form_punch_st4.prt"}},
        {"Cut-off punch", "COMPONENT_TYPE", "CUTOFF_PUNCH", 7, 1, {"pd2026_cutoff_punch_st5.prt"}},
        {"Pilots", "COMPONENT_TYPE", "PILOT", 7, 3, {"pd2026_pilot_d8.prt"}},
        {"Stripper", "STRIPPER", "", 1, 1, {"pd2026_stripper.prt"}},
        {"Stripper plate",
         "COMPONENT_TYPE",
         "STRIPPER_PLATE",
         13,
         1,
         {"pd2026_stripper_plate.prt"}},
        {"Stripper inserts",
         "COMPONENT_TYPE",
         "STRIPPER_INSERT",
         13,
         1,
         {"pd2026_stripper_insert_st2.prt"}},
        {"Stripper bolts",
         "COMPONENT_TYPE",
         "STRIPPER_BOLT",
         13,
         4,
         {"std_stripper_bolt_m10x90.prt"}},
        {"Other stripper parts", "STRIPPER_OTHER", "", 13, 12, springs4},
        {"Other upper die parts",
         "UPPER_DIE_OTHER",
         "",
         1,
         15, // the suppressed gas spring is not on display
         {"std_shcs_m10x60.prt", "std_shcs_m10x60.prt", "std_shcs_m10x60.prt",
          "std_shcs_m10x60.prt", "std_shcs_m10x60.prt", "std_shcs_m10x60.prt",
          "std_shcs_m10x60.prt", "std_shcs_m10x60.prt", "std_dowel_d10x50.prt",
          "std_dowel_d10x50.prt", "std_dowel_d10x50.prt", "std_dowel_d10x50.prt",
          "std_gas_spring_1500n.prt", "pd2026_heel_block.prt", "pd2026_heel_block.prt"}},
        {"Lower die", "LOWER_DIE", "", 0, 1, {"pd2026_lower_die.prt"}},
        {"Lower die set", "LOWER_DIE_SET", "", 19, 0, {}},
        {"Lower shoe", "COMPONENT_TYPE", "LOWER_SHOE", 20, 1, {"pd2026_lower_shoe.prt"}},
        {"Die plate", "COMPONENT_TYPE", "DIE_PLATE", 20, 1, {"pd2026_die_plate.prt"}},
        {"Die backing plate",
         "COMPONENT_TYPE",
         "DIE_BACKING_PLATE",
         20,
         1,
         {"pd2026_die_backing_plate.prt"}},
        {"Parallels", "COMPONENT_TYPE", "PARALLEL", 20, 2, {"pd2026_parallel_bar.prt"}},
        {"Guide posts", "COMPONENT_TYPE", "GUIDE_POST", 20, 4, {"std_guide_post_d32x200.prt"}},
        {"Die inserts and strip guiding", "DIE_INSERTS", "", 19, 0, {}},
        {"Die inserts",
         "COMPONENT_TYPE",
         "DIE_INSERT",
         26,
         5,
         {"pd2026_die_insert_st1.prt", "pd2026_die_insert_st2.prt", "pd2026_die_insert_st3.prt",
          "pd2026_die_insert_st4.prt", "pd2026_die_insert_st5.prt"}},
        {"Lifter pins", "COMPONENT_TYPE", "LIFTER", 26, 5, {"pd2026_lifter_pin_d10.prt"}},
        {"Stock guides",
         "COMPONENT_TYPE",
         "STOCK_GUIDE",
         26,
         2,
         {"pd2026_stock_guide_left.prt", "pd2026_stock_guide_right.prt"}},
        {"Other lower die parts",
         "LOWER_DIE_OTHER",
         "",
         19,
         24,
         {"std_shcs_m12x80.prt",  "std_shcs_m12x80.prt",   "std_shcs_m12x80.prt",
          "std_shcs_m12x80.prt",  "std_shcs_m12x80.prt",   "std_shcs_m12x80.prt",
          "std_shcs_m12x80.prt",  "std_shcs_m12x80.prt",   "std_shcs_m8x40.prt",
          "std_shcs_m8x40.prt",   "std_shcs_m8x40.prt",    "std_shcs_m8x40.prt",
          "std_shcs_m8x40.prt",   "std_shcs_m8x40.prt",    "std_dowel_d10x50.prt",
          "std_dowel_d10x50.prt", "std_dowel_d10x50.prt",  "std_dowel_d10x50.prt",
          "std_dowel_d8x40.prt",  "std_dowel_d8x40.prt",   "std_dowel_d8x40.prt",
          "std_dowel_d8x40.prt",  "pd2026_heel_block.prt", "pd2026_heel_block.prt"}},
        {"Stations", "STATIONS", "", 0, 0, {}},
        {"Station 1: piercing",
         "STATION",
         "1",
         31,
         7,
         {"pd2026_pierce_punch_d6.prt", "pd2026_pierce_punch_d10.prt",
          "pd2026_die_insert_st1.prt"}},
        {"Station 2: embossing",
         "STATION",
         "2",
         31,
         2,
         {"pd2026_stripper_insert_st2.prt", "pd2026_die_insert_st2.prt"}},
        {"Station 3: trimming",
         "STATION",
         "3",
         31,
         3,
         {"pd2026_trim_punch_st3.prt", "pd2026_die_insert_st3.prt"}},
        {"Station 4: forming",
         "STATION",
         "4",
         31,
         2,
         {"pd2026_form_punch_st4.prt", "pd2026_die_insert_st4.prt"}},
        {"Station 5: cut-off",
         "STATION",
         "5",
         31,
         2,
         {"pd2026_cutoff_punch_st5.prt", "pd2026_die_insert_st5.prt"}},
        {"Standard parts", "STANDARD_PARTS", "", 0, 0, {}},
        {"Socket head cap screws",
         "COMPONENT_TYPE",
         "SCREW",
         37,
         26,
         {"std_shcs_m8x40.prt", "std_shcs_m10x60.prt", "std_shcs_m12x80.prt"}},
        {"Dowel pins",
         "COMPONENT_TYPE",
         "DOWEL",
         37,
         12,
         {"std_dowel_d8x40.prt", "std_dowel_d10x50.prt"}},
        {"Die springs",
         "COMPONENT_TYPE",
         "DIE_SPRING",
         37,
         8,
         {"std_die_spring_red_d32x64.prt", "std_die_spring_blue_d25x51.prt"}},
        {"Gas springs", "COMPONENT_TYPE", "GAS_SPRING", 37, 1, {"std_gas_spring_1500n.prt"}},
        {"All purchased parts",
         "MATERIAL",
         "PURCHASED",
         37,
         59,
         {"std_guide_bushing_d32.prt", "std_guide_post_d32x200.prt", "std_stripper_bolt_m10x90.prt",
          "std_die_spring_red_d32x64.prt", "std_die_spring_blue_d25x51.prt",
          "std_gas_spring_1500n.prt", "std_shcs_m8x40.prt", "std_shcs_m10x60.prt",
          "std_shcs_m12x80.prt", "std_dowel_d8x40.prt", "std_dowel_d10x50.prt"}},
    };
    return rows;
}

class DemoTree : public RowModelTest {
  protected:
    void SetUp() override {
        RowModelTest::SetUp();
        char error[512];
        ASSERT_EQ(0,
                  HOSTSIM_load_session_file((kDemo + "/session.json").c_str(), error, sizeof error))
            << error;
        build(kDemo + "/product/korveltand/configuration/xml_files/qvl_view.xml");
    }
};

TEST_F(DemoTree, RowsFollowTheConfigurationWithTheDiesParts) {
    const std::vector<ExpectedRow>& expected = expectedRows();
    ASSERT_EQ(static_cast<int>(expected.size()), model->m_rowCount);
    EXPECT_EQ(model->m_rowCount, model->m_builtItemCount);
    // 40 of 42 library parts are loaded.
    EXPECT_EQ(40, model->m_sessionPartCount);
    for (int r = 0; r < model->m_rowCount; ++r) {
        const ExpectedRow& row = expected[r];
        SCOPED_TRACE(std::to_string(r) + " " + row.label);
        EXPECT_EQ(std::string("0:") + row.label, list->ItemText(r));
        EXPECT_EQ(row.group, model->m_rowName[r]);
        EXPECT_EQ(row.key, model->m_rowKey[r]);
        EXPECT_EQ(row.parent, model->m_rowParent[r]);
        EXPECT_EQ(row.occurrences, model->m_rowOccCount[r]);
        EXPECT_EQ(row.occurrences, list->GetItemNumber(r));
        Strings parts;
        for (const std::string& name : row.parts)
            parts.push_back(kDieDir + name);
        EXPECT_EQ(parts, partsOf(r));
        const bool other = std::string(row.group).find("_OTHER") != std::string::npos;
        EXPECT_EQ(other ? r : -1, model->m_otherRowIndex[r]);
        EXPECT_EQ(row.occurrences > 0 ? 1 : 0, model->m_rowOpen[r]);
    }
    // The unloaded spare punch is in no row; the whole tree is expanded.
    EXPECT_EQ(model->m_rowCount, static_cast<int>(list->ShownItems().size()));
}

TEST_F(DemoTree, StatesAndPicturesComeFromTheSession) {
    // Frozen parts: the station-2 stripper insert and the gas spring.
    for (int r = 0; r < model->m_rowCount; ++r) {
        const bool frozen = r == 15 || r == 33 || r == 41;
        EXPECT_EQ(frozen ? 0 : 1, model->m_rowUnfrozen[r]) << r;
        EXPECT_EQ(1, model->m_rowShown[r]) << r;
    }
    EXPECT_EQ(kPictureFrozen, list->ItemImage(41, kColumnFreeze));
    // Group rows, open leaves, and the closed-looking empty group rows.
    EXPECT_EQ((std::vector<int>{kPictureGroupOpen, kPictureShown, kPictureIsolateShown,
                                kPictureUnfrozen, kPictureFolderOpen}),
              pictures(1));
    EXPECT_EQ((std::vector<int>{kPictureGroupOpen, kPictureShown, kPictureIsolateShown,
                                kPictureUnfrozen, kPictureFolderClosed}),
              pictures(2));
    EXPECT_EQ((std::vector<int>{kPicturePartOpen, kPictureShown, kPictureIsolateShown,
                                kPictureUnfrozen, kPictureFolderOpen}),
              pictures(3));
    // Rows of one part colour show it; rows of several show grey.
    EXPECT_EQ(list->GetItemColor(3), list->GetItemColor(21));
    EXPECT_NE(kMixedColor, list->GetItemColor(3));
    EXPECT_EQ(kMixedColor, list->GetItemColor(12)); // the pilots are coloured apart
    EXPECT_EQ(kMixedColor, list->GetItemColor(42));
    EXPECT_EQ(0u, list->GetItemColor(0));
}

} // namespace
