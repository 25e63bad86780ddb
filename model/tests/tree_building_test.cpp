// Tree building against the simulated host: which groups become rows, under
// which parents, with which parts, occurrences, counts, colours and pictures.
#include "row_model_fixture.h"

#include "model/cell_pictures.h"

using namespace row_model_test;

namespace {

const std::string kTop = "C:\\d\\top.prt";

class TreeBuilding : public RowModelTest {};

TEST_F(TreeBuilding, MatchesByTitleAndValueAndByTitleAloneListingAPartOncePerGroup) {
    loadSession(sessionOf(
        {part(kTop, {},
              {component("a.prt"), component("b.prt"), component("c.prt"), component("a.prt")}),
         // Two attributes fit the PUNCH group: listed once.
         part("a.prt", {{"TYPE", "PUNCH"}, {"TYPE", "PUNCH"}}),
         part("b.prt", {{"MAT", "STEEL"}, {"TYPE", "DIE"}}),
         part("c.prt", {{"TYPE ", "PUNCH"}, {"type", "PUNCH"}, {"MAT", "steel"}}),
         part("d.prt", {{"TYPE", "DIE"}})}));
    build("matching", R"(<?xml version="1.0"?>
<ROOT Description="Die">
  <TYPE Description="Punches">PUNCH</TYPE>
  <TYPE Description="Every type"/>
  <MAT Description="Steel">STEEL</MAT>
  <TYPE Description="Nothing">NONE</TYPE>
</ROOT>)");

    ASSERT_EQ(4, model->RowCount());
    EXPECT_EQ((Strings{"ROOT", "TYPE", "TYPE", "MAT"}), rowNames());
    EXPECT_EQ((std::vector<int>{-1, 0, 0, 0}), rowParents());
    EXPECT_EQ(Strings{"a.prt"}, partsOf(1));
    // Any value of the title; d.prt is not on display but still listed.
    EXPECT_EQ((Strings{"a.prt", "b.prt", "d.prt"}), partsOf(2));
    EXPECT_EQ(Strings{"b.prt"}, partsOf(3));
    EXPECT_EQ(2, model->RowAt(1).occCount);
    EXPECT_EQ(occurrencesOf("a.prt"), model->RowAt(1).occs);
    EXPECT_EQ(3, model->RowAt(2).occCount);
    EXPECT_EQ(1, model->RowAt(3).occCount);
    EXPECT_EQ((Strings{kTop, "a.prt", "b.prt", "c.prt", "d.prt"}), model->SessionPartNames());
    EXPECT_GE(list->RedrawCount(), 1);

    // The attribute tree has the same rows, labelled by group name.
    model->SetTreeMode(TreeMode::kAttribute);
    refresh();
    EXPECT_EQ((Strings{"ROOT", "TYPE", "TYPE", "MAT"}), rowNames());
    EXPECT_EQ("0:TYPE", list->ItemText(2));
}

TEST_F(TreeBuilding, DroppedGroupsPassTheirSubGroupsToTheRowKeptBefore) {
    loadSession(sessionOf({part(kTop, {},
                                {component("k.prt"), component("s.prt"), component("t.prt"),
                                 component("u.prt", true)}),
                           part("k.prt", {{"KEEP", "1"}}), part("s.prt", {{"SUB", "1"}}),
                           part("t.prt", {{"DEEP", "1"}}), part("u.prt", {{"GONE", "2"}})}));
    // DROP starts with text, so it counts as having no sub-groups; no part
    // has DROP=x, so it is dropped and SUB lands under KEEP. GONE is a
    // dropped leaf: its one part's only occurrence is suppressed. DROP_OTHER
    // stays a row, but under KEEP it is no _OTHER row.
    build("dropping", R"(<ROOT>
  <KEEP>1</KEEP>
  <DROP>x<SUB>1</SUB><GONE>2</GONE><DROP_OTHER/></DROP>
  <GROUP><DEEP>1</DEEP></GROUP>
</ROOT>)");
    EXPECT_EQ((Strings{"ROOT", "KEEP", "SUB", "DROP_OTHER", "GROUP", "DEEP"}), rowNames());
    EXPECT_EQ((std::vector<int>{-1, 0, 1, 1, 0, 4}), rowParents());
    EXPECT_FALSE(model->IsOtherRow(3));
    EXPECT_TRUE(partsOf(3).empty());
    EXPECT_EQ(kPictureGroupOpen, list->GetItemImage(1, 0));
    // A group with sub-groups is a row though nothing of it is on display.
    EXPECT_EQ(0, model->RowAt(4).occCount);
    EXPECT_FALSE(model->RowAt(4).open);

    // With nothing kept yet, the sub-groups of a dropped root become top rows.
    build("dropped_root", "<ROOT>text<KEEP>1</KEEP><NONE>1</NONE><SUB>1</SUB></ROOT>");
    EXPECT_EQ((Strings{"KEEP", "SUB"}), rowNames());
    EXPECT_EQ((std::vector<int>{-1, -1}), rowParents());
    EXPECT_EQ((std::vector<int>{0, 1}), list->ShownItems());
}

TEST_F(TreeBuilding, OtherRowsGatherTheComponentsTheSiblingsDoNotShow) {
    loadSession(
        sessionOf({part(kTop, {}, {component("upper.prt"), component("lower.prt")}),
                   part("upper.prt", {{"UPPER", "U1"}},
                        {component("shoe.prt"), component("holder.prt"), component("punch.prt"),
                         component("punch.prt", true)}),
                   part("holder.prt", {},
                        {component("pin.prt"), component("pin.prt"), component("shoe.prt")}),
                   part("lower.prt", {{"LOWER", "L1"}}, {component("pin.prt")}),
                   part("shoe.prt", {{"TYPE", "SHOE"}}), part("punch.prt", {{"TYPE", "PUNCH"}}),
                   part("pin.prt", {{"UPPER_OTHER", "its own"}})}));
    build("other", R"(<ROOT>
  <UPPER><TYPE>SHOE</TYPE><UPPER_OTHER Description="Other upper parts"/></UPPER>
  <LOWER><LOWER_OTHER/></LOWER>
  <EMPTY><EMPTY_OTHER/></EMPTY>
</ROOT>)");
    EXPECT_EQ((Strings{"ROOT", "UPPER", "TYPE", "UPPER_OTHER", "LOWER", "LOWER_OTHER", "EMPTY",
                       "EMPTY_OTHER"}),
              rowNames());
    const int other = 3;
    EXPECT_TRUE(model->IsOtherRow(other));
    EXPECT_FALSE(model->IsOtherRow(2));
    // Every depth, parents before children, duplicates kept, the suppressed
    // punch left out as every row leaves it; shoe.prt is shown by the
    // sibling TYPE=SHOE, wherever it occurs; pin.prt, which the row itself
    // matches, is no sibling's.
    EXPECT_EQ((Strings{"holder.prt", "pin.prt", "pin.prt", "punch.prt"}), partsOf(other));
    EXPECT_EQ(4, model->RowAt(other).partNames.size());
    EXPECT_EQ(4, model->RowAt(other).occCount);
    EXPECT_EQ(4u, model->RowAt(other).occs.size());
    EXPECT_EQ(4, list->GetItemNumber(other));
    EXPECT_TRUE(model->RowAt(other).open);
    // A second _OTHER row counts its own occurrences; a parent with no
    // occurrences at all.
    EXPECT_EQ(Strings{"pin.prt"}, partsOf(5));
    ASSERT_EQ(1u, model->RowAt(5).occs.size());
    EXPECT_EQ(tagOf("pin.prt"), UF_ASSEM_ask_prototype_of_occ(model->RowAt(5).occs[0]));
    EXPECT_TRUE(model->IsOtherRow(7));
    EXPECT_EQ(0, model->RowAt(7).occCount);
    EXPECT_FALSE(model->RowAt(7).open);
    EXPECT_EQ((std::vector<int>{kPicturePartClosed, kPictureShown, kPictureIsolateShown,
                                kPictureUnfrozen, kPictureFolderClosed}),
              pictures(7));
}

// Side-by-side _OTHER rows: what a grandchild of the parent shows stays out,
// and a later _OTHER row leaves out what an earlier one took.
TEST_F(TreeBuilding, SideBySideOtherRowsShareOutTheComponents) {
    loadSession(
        sessionOf({part(kTop, {}, {component("upper.prt")}),
                   part("upper.prt", {{"UPPER", "U1"}},
                        {component("shoe.prt"), component("punch.prt"), component("pin.prt")}),
                   part("shoe.prt", {{"TYPE", "SHOE"}}), part("punch.prt"), part("pin.prt")}));
    build("side_by_side", R"(<ROOT>
  <UPPER>U1<GROUP><TYPE>SHOE</TYPE></GROUP><UPPER_OTHER/><UPPER_OTHER/></UPPER>
</ROOT>)");
    ASSERT_EQ((Strings{"ROOT", "UPPER", "GROUP", "TYPE", "UPPER_OTHER", "UPPER_OTHER"}),
              rowNames());
    EXPECT_EQ((Strings{"punch.prt", "pin.prt"}), partsOf(4));
    EXPECT_EQ(Strings{}, partsOf(5));
    EXPECT_EQ(0, list->GetItemNumber(5));
}

// An assembly the host reports as leading back to itself, once the rows were
// built: the holder's occurrence lists the upper half's among its children.
// The next build reads the children again.
TEST_F(TreeBuilding, AnOtherRowOfACyclicAssemblyListsEachOccurrenceOnce) {
    loadSession(sessionOf(
        {part(kTop, {}, {component("upper.prt")}),
         part("upper.prt", {{"UPPER", "1"}}, {component("holder.prt"), component("pin.prt")}),
         part("holder.prt", {}, {component("pin.prt")}), part("pin.prt")}));
    build("cyclic", "<ROOT><UPPER>1<UPPER_OTHER/></UPPER></ROOT>");
    EXPECT_EQ((Strings{"holder.prt", "pin.prt", "pin.prt"}), partsOf(2));
    const tag_t upper = occurrencesOf("upper.prt").at(0);
    ASSERT_EQ(0, HOSTSIM_add_occurrence_child(occurrencesOf("holder.prt").at(0), upper));
    refresh();
    EXPECT_EQ((Strings{"ROOT", "UPPER", "UPPER_OTHER"}), rowNames());
    EXPECT_EQ((Strings{"holder.prt", "pin.prt", "upper.prt", "pin.prt"}), partsOf(2));
    EXPECT_EQ(4, list->GetItemNumber(2));
}

TEST_F(TreeBuilding, ARowsStateComesFromTheOccurrencesItCounts) {
    // Row T=1: its first part is loaded but not in the assembly; its second
    // has the row's one occurrence on display, blanked, frozen and of colour
    // 52 (0.2, 0.4, 0.6), and a suppressed one in red. Row U=1: two
    // occurrences of one colour and a suppressed red one, delayed. Row V=1:
    // both parts, colours and blanking mixed. Row W=1: the middle of three
    // occurrences differs.
    json top = part(kTop, {},
                    {component("b.prt"), component("b.prt", true), component("c.prt"),
                     component("c.prt"), component("c.prt", true), component("d.prt"),
                     component("d.prt"), component("d.prt")});
    for (const int i : {1, 4, 6})
        top["components"][i]["color"] = 181;
    top["components"][0]["blanked"] = true;
    top["components"][0]["color"] = 52;
    json b = part("b.prt", {{"T", "1"}, {"V", "1"}});
    b["frozen"] = true;
    b["color"] = 7; // the occurrence's colour counts, not the part's
    json c = part("c.prt", {{"U", "1"}, {"V", "1"}});
    c["color"] = 217; // the first grey, 1/25
    c["delayed"] = true;
    json d = part("d.prt", {{"W", "1"}});
    d["color"] = 52;
    loadSession(sessionOf({top, part("a.prt", {{"T", "1"}}), b, c, d}));
    build("occurrence_state", "<ROOT><T>1</T><U>1</U><V>1</V><W>1</W></ROOT>");
    ASSERT_EQ(5, model->RowCount());
    ASSERT_EQ((Strings{"a.prt", "b.prt"}), partsOf(1));
    EXPECT_EQ(1, model->RowAt(1).occCount);
    EXPECT_FALSE(model->RowAt(1).shown);
    EXPECT_FALSE(model->RowAt(1).unfrozen);
    EXPECT_TRUE(model->RowAt(1).open);
    EXPECT_EQ(51u + 256u * 102u + 65536u * 153u, list->GetItemColor(1));
    EXPECT_EQ((std::vector<int>{kPicturePartOpen, kPictureBlanked, kPictureIsolateBlanked,
                                kPictureFrozen, kPictureFolderOpen}),
              pictures(1));
    EXPECT_EQ(2, model->RowAt(2).occCount);
    EXPECT_EQ(0x0A0A0Au, list->GetItemColor(2));
    EXPECT_FALSE(model->RowAt(2).unfrozen);
    EXPECT_EQ(kMixedColor, list->GetItemColor(3));
    EXPECT_TRUE(model->RowAt(3).shown);
    EXPECT_EQ(kMixedColor, list->GetItemColor(4));
    // A row with nothing on display has colour 0.
    EXPECT_EQ(0u, list->GetItemColor(0));
    EXPECT_EQ((std::vector<int>{kPictureGroupOpen, kPictureShown, kPictureIsolateShown,
                                kPictureUnfrozen, kPictureFolderClosed}),
              pictures(0));

    // Two occurrences, and the host tells nothing of them.
    loadSession(sessionOf({part(kTop, {}, {component("b.prt"), component("b.prt")}), b}));
    list->SetItemColor(1, 0x123456);
    HOSTSIM_fail_operation("UF_OBJ_ask_display_properties", 0, 0);
    build("unknown_state", "<ROOT><T>1</T></ROOT>");
    ASSERT_EQ(2, model->RowAt(1).occCount);
    EXPECT_TRUE(model->RowAt(1).shown);
    EXPECT_TRUE(model->RowAt(1).unfrozen);
    EXPECT_EQ(0x123456u, list->GetItemColor(1));
}

TEST_F(TreeBuilding, TheDisplayPartIsItsOwnOccurrence) {
    json top = part(kTop, {{"T", "TOP"}}, {component("a.prt")});
    loadSession(sessionOf({top, part("a.prt", {{"T", "TOP"}})}));
    build("display", "<ROOT><T>TOP</T></ROOT>");
    ASSERT_EQ(2, model->RowCount());
    EXPECT_EQ((std::vector<tag_t>{NULL_TAG, occurrencesOf("a.prt")[0]}), model->RowAt(1).occs);
    EXPECT_EQ(2, model->RowAt(1).occCount);

    // With no display part nothing is on display: only groups with
    // sub-groups and _OTHER groups stay.
    json session = sessionOf({top, part("a.prt", {{"T", "TOP"}})});
    session["display_part"] = nullptr;
    loadSession(session);
    build("no_display", "<ROOT><T>TOP</T><ROOT_OTHER/></ROOT>");
    EXPECT_EQ((Strings{"ROOT", "ROOT_OTHER"}), rowNames());
    EXPECT_TRUE(partsOf(1).empty());
}

TEST_F(TreeBuilding, GroupsTheRecordRemembersStayRows) {
    json top = part(kTop, {}, {component("a.prt")});
    top["objects"] = {
        {{"class", kRecordClassName}, {"integers", {3}}, {"strings", {"x.prt", "y.prt"}}},
        {{"class", kRecordClassName}, {"integers", {4}}, {"strings", {"T", "ANY"}}},
        {{"class", kRecordClassName}, {"integers", {5}}, {"strings", {"GONE", "whatever"}}}};
    loadSession(sessionOf({top, part("a.prt", {{"T", "HERE"}})}));
    build("remembered", R"(<ROOT>
  <T>HERE</T><T>GONE</T><T>ELSEWHERE</T><T/><ANY/><ANY>other</ANY><NEVER/>
</ROOT>)");
    EXPECT_EQ((Strings{"ROOT", "T", "T", "T", "ANY"}), rowNames());
    EXPECT_EQ((Strings{"", "HERE", "GONE", "", ""}), rowKeys());
    // Remembered only: closed, no parts.
    EXPECT_FALSE(model->RowAt(2).open);
    EXPECT_EQ(kPictureFolderClosed, list->GetItemImage(2, 5));

    // Without the record objects nothing is remembered.
    g_closedKeysRecord = NULL_TAG;
    list->ResetTree();
    model->ReleaseRowTables();
    model->BuildTree(path.c_str());
    EXPECT_EQ((Strings{"ROOT", "T", "T"}), rowNames());
}

TEST_F(TreeBuilding, AConfigurationBeyondTheRowCapacityIsCutWithOneMessage) {
    loadSession(sessionOf({part(kTop, {}, {component("a.prt")}), part("a.prt", {{"T", "1"}})}));
    // Exactly the capacity is no cut; one group more is.
    std::string groups;
    for (int i = 0; i < MAX_ROWS - 1; ++i)
        groups += "<T>1</T>";
    build("just_fits", "<ROOT>" + groups + "</ROOT>");
    EXPECT_EQ(MAX_ROWS, model->RowCount());
    EXPECT_EQ(0, HOSTSIM_message_count());
    build("too_many", "<ROOT>" + groups + "<T>1</T></ROOT>");
    EXPECT_EQ(MAX_ROWS, model->RowCount());
    EXPECT_EQ(MAX_ROWS, list->GetItemCount());
    EXPECT_EQ(1, model->RowAt(MAX_ROWS - 1).occCount);
    EXPECT_EQ(kPictureFolderOpen, list->GetItemImage(MAX_ROWS - 1, 5));
    ASSERT_EQ(1, HOSTSIM_message_count());
    EXPECT_STREQ("The view was cut: only the first 5000 of 5001 groups are shown.",
                 HOSTSIM_message(0));
}

TEST_F(TreeBuilding, AConfigurationThatNoLongerReadsBuildsNoRows) {
    loadSession(sessionOf({part(kTop, {}, {component("a.prt")}), part("a.prt", {{"T", "1"}})}));
    build("changing", "<ROOT><T>1</T></ROOT>");
    ASSERT_EQ(2, model->RowCount());
    // Release empties the tables.
    model->ReleaseRowTables();
    EXPECT_EQ(0, model->RowCount());
    EXPECT_TRUE(model->Rows().empty());
    EXPECT_TRUE(model->SessionPartNames().empty());
    EXPECT_EQ(0, static_cast<int>(model->SessionPartNames().size()));

    writeConfig("changing", "<ROOT><T>1</T>");
    refresh();
    EXPECT_EQ(0, model->RowCount());
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(1u, RecordedFrameworkMessages().size());

    // A configuration without groups below the root: no rows, session kept.
    writeConfig("changing", "<ROOT/>");
    refresh();
    EXPECT_EQ(0, model->RowCount());
    EXPECT_EQ(2, static_cast<int>(model->SessionPartNames().size()));
}

} // namespace
