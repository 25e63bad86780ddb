// Closing and opening a row's parts, and what the work-part record keeps of
// them between a close, a Refresh and a reopen.
#include "row_model_fixture.h"

#include "model/cell_pictures.h"
#include "model/part_name.h"

using namespace row_model_test;

namespace {

const std::string kTop = "C:\\d\\top.prt";

json dieWithSuppressedParts() {
    return sessionOf({part(kTop, {},
                           {component("a.prt"), component("b.prt", true), component("c.prt"),
                            component("c.prt", true)}),
                      part("a.prt", {{"T", "1"}, {"S", "1"}}), part("b.prt", {{"T", "1"}}),
                      part("c.prt", {{"T", "1"}})});
}

class PartStatus : public RowModelTest {};

// A host that fills the name buffer without its end: the name is read to
// the buffer's end and no further.
TEST_F(PartStatus, APartNameWithoutItsEndIsReadNoFurtherThanItsBuffer) {
    loadSession(sessionOf({part("top.prt")}));
    HOSTSIM_unterminated_part_names(1);
    const std::string name = PartNameOf(UF_PART_ask_display_part());
    HOSTSIM_unterminated_part_names(0);
    EXPECT_EQ(std::string("top.prt") + std::string(HOST_PART_NAME_BUFSIZE - 7, '_'), name);
}

TEST_F(PartStatus, ClosingRecordsAndClosesOnlyPartsWithAnUnsuppressedOccurrence) {
    loadSession(dieWithSuppressedParts());
    build("close", "<ROOT><T>1</T></ROOT>");
    ASSERT_EQ((Strings{"a.prt", "b.prt", "c.prt"}), partsOf(1));
    closeRow(1);
    EXPECT_EQ((Strings{"a.prt|T|1", "c.prt|T|1"}), recordEntries());
    EXPECT_EQ(0, UF_PART_is_loaded("a.prt"));
    EXPECT_EQ(1, UF_PART_is_loaded("b.prt")); // all its occurrences suppressed
    EXPECT_EQ(0, UF_PART_is_loaded("c.prt"));
    // The row is emptied and shows itself closed.
    EXPECT_TRUE(partsOf(1).empty());
    EXPECT_EQ(0, model->RowAt(1).partNames.size());
    EXPECT_EQ(0, model->RowAt(1).occCount);
    EXPECT_TRUE(model->RowAt(1).occs.empty());
    EXPECT_EQ(kPictureFolderClosed, list->GetItemImage(1, kColumnOpen));
    EXPECT_EQ(kPicturePartClosed, list->GetItemImage(1, kColumnLabel));
    EXPECT_EQ(0u, list->GetItemColor(1));
    EXPECT_EQ(0, list->GetItemNumber(1));

    // Closing a group row shows the closed stack of blocks.
    closeRow(0);
    EXPECT_EQ(kPictureGroupClosed, list->GetItemImage(0, kColumnLabel));
}

TEST_F(PartStatus, APartIsRecordedOnceHoweverOftenItIsClosed) {
    loadSession(dieWithSuppressedParts());
    build("twice", "<ROOT><T>1</T><S>1</S></ROOT>");
    closeRow(1);
    closeRow(2); // a.prt is closed already
    EXPECT_EQ((Strings{"a.prt|T|1", "c.prt|T|1"}), recordEntries());
    refresh();
    openRow(1);
    ASSERT_EQ(1, UF_PART_is_loaded("a.prt"));
    closeRow(1);
    EXPECT_EQ((Strings{"a.prt|T|1", "c.prt|T|1"}), recordEntries());
}

// A record from elsewhere whose part list runs past the other two: a name
// only that list holds is no entry, so closing the part records it beside
// its group and key, and it reopens.
TEST_F(PartStatus, ANameOnlyTheLongestListHoldsIsRecordedAgainAndReopens) {
    json session = dieWithSuppressedParts();
    session["parts"][0]["objects"] = {
        {{"class", kRecordClassName}, {"integers", {3}}, {"strings", {"x.prt", "a.prt"}}},
        {{"class", kRecordClassName}, {"integers", {4}}, {"strings", {"T"}}},
        {{"class", kRecordClassName}, {"integers", {5}}, {"strings", {"1"}}}};
    loadSession(session);
    build("misaligned", "<ROOT><T>1</T></ROOT>");
    closeRow(1);
    EXPECT_EQ((Strings{"x.prt|T|1", "a.prt|T|1", "c.prt|T|1"}), recordEntries());
    refresh();
    openRow(1);
    EXPECT_EQ(1, UF_PART_is_loaded("a.prt"));
}

TEST_F(PartStatus, AClosedRowSurvivesRefreshAndReopensWithItsPartsAndOccurrences) {
    json session = dieWithSuppressedParts();
    session["parts"][1]["color"] = 181;
    loadSession(session);
    build("reopen", "<ROOT><T>1</T></ROOT>");
    const std::vector<tag_t> occurrences = model->RowAt(1).occs;
    closeRow(1);
    refresh();
    // Kept because the record remembers it; b.prt stayed loaded.
    ASSERT_EQ((Strings{"ROOT", "T"}), rowNames());
    EXPECT_EQ(Strings{"b.prt"}, partsOf(1));
    EXPECT_EQ(0, model->RowAt(1).occCount);
    EXPECT_FALSE(model->RowAt(1).open);

    openRow(1);
    EXPECT_EQ(1, UF_PART_is_loaded("a.prt"));
    EXPECT_EQ(1, UF_PART_is_loaded("c.prt"));
    // Parts that the View Manager reopened count although the last build
    // did not see them loaded; in session order, then reopened order.
    EXPECT_EQ((Strings{"b.prt", "a.prt", "c.prt"}), partsOf(1));
    EXPECT_EQ(3, model->RowAt(1).partNames.size());
    EXPECT_EQ(occurrences, model->RowAt(1).occs);
    EXPECT_EQ(2, model->RowAt(1).occCount);
    // The entries stay: the row shows occurrences again.
    EXPECT_EQ((Strings{"a.prt|T|1", "c.prt|T|1"}), recordEntries());
}

TEST_F(PartStatus, AnOtherRowReopensEveryPartRecordedWithItsGroupName) {
    loadSession(
        sessionOf({part(kTop, {}, {component("upper.prt")}),
                   part("upper.prt", {{"UPPER", "U"}},
                        {component("shoe.prt"), component("bolt.prt"), component("bolt.prt"),
                         component("pin.prt", true)}),
                   part("shoe.prt", {{"TYPE", "SHOE"}}), part("bolt.prt"), part("pin.prt")}));
    build("other_reopen", "<ROOT><UPPER><TYPE>SHOE</TYPE><UPPER_OTHER/></UPPER></ROOT>");
    int other = 3;
    // The suppressed pin is not on display: the row does not count it.
    ASSERT_EQ((Strings{"bolt.prt", "bolt.prt"}), partsOf(other));
    closeRow(other);
    EXPECT_EQ(Strings{"bolt.prt|UPPER_OTHER|"}, recordEntries());
    EXPECT_EQ(1, UF_PART_is_loaded("pin.prt"));
    // Another entry of the group under another key is reopened too.
    ASSERT_TRUE(record_closed_part("shoe.prt", "UPPER_OTHER", "elsewhere"));
    UF_PART_close(tagOf("shoe.prt"), 1, 1);

    refresh();
    // TYPE=SHOE is gone: its part is closed and the record does not know it.
    ASSERT_EQ((Strings{"ROOT", "UPPER", "UPPER_OTHER"}), rowNames());
    other = 2;
    EXPECT_EQ(Strings{}, partsOf(other));
    openRow(other);
    // Filled as a build fills it: one name per component occurrence.
    EXPECT_EQ((Strings{"shoe.prt", "bolt.prt", "bolt.prt"}), partsOf(other));
    EXPECT_EQ(3, model->RowAt(other).partNames.size());
    EXPECT_EQ(3, model->RowAt(other).occCount);
    EXPECT_EQ(3u, model->RowAt(other).occs.size());
    EXPECT_EQ(3, list->GetItemNumber(other));
    EXPECT_EQ(2u, recordEntries().size());
}

TEST_F(PartStatus, AReopenGivesTheOccurrencesABuildGivesWithTheDisplayPartAmongThem) {
    json session = sessionOf({part("a.prt", {{"T", "1"}}),
                              part(kTop, {{"T", "1"}}, {component("a.prt"), component("a.prt")})});
    session["display_part"] = kTop;
    loadSession(session);
    build("display_among", "<ROOT><T>1</T></ROOT>");
    ASSERT_EQ((Strings{"a.prt", kTop}), partsOf(1));
    const std::vector<tag_t> built = model->RowAt(1).occs;
    ASSERT_EQ(3u, built.size());
    openRow(1);
    EXPECT_EQ(built, model->RowAt(1).occs);
    EXPECT_EQ(3, model->RowAt(1).occCount);
}

TEST_F(PartStatus, AReopenedRowThatStillShowsNothingForgetsExactlyItsEntries) {
    json top = part(kTop, {}, {component("a.prt")});
    top["objects"] = {
        {{"class", kRecordClassName},
         {"integers", {3}},
         {"strings", {"gone1.prt", "h.prt", "gone2.prt", "k2.prt", "any.prt"}}},
        {{"class", kRecordClassName}, {"integers", {4}}, {"strings", {"G", "H", "G", "G", "GG"}}},
        {{"class", kRecordClassName}, {"integers", {5}}, {"strings", {"1", "1", "1", "2", "1"}}}};
    loadSession(sessionOf({top, part("a.prt", {{"X", "1"}})}));
    build("forget", "<ROOT><G>1</G><H>1</H></ROOT>");
    openRow(1);
    EXPECT_EQ(0, model->RowAt(1).occCount);
    EXPECT_EQ((Strings{"h.prt|H|1", "k2.prt|G|2", "any.prt|GG|1"}), recordEntries());
}

TEST_F(PartStatus, APartTheRecordCannotTakeIsLeftOpen) {
    loadSession(dieWithSuppressedParts());
    build("unrecorded", "<ROOT><T>1</T></ROOT>");
    HOSTSIM_fail_operation("UF_UDOBJ_add_strings", 2, 0); // a.prt's group name
    closeRow(1);
    EXPECT_EQ(1, UF_PART_is_loaded("a.prt"));
    EXPECT_EQ(0, UF_PART_is_loaded("c.prt"));
    EXPECT_EQ(Strings{"c.prt|T|1"}, recordEntries());

    EXPECT_EQ(Strings{"a.prt"}, partsOf(1));

    // Without record objects the parts close unrecorded.
    g_closedGroupsRecord = NULL_TAG;
    closeRow(1);
    EXPECT_EQ(0, UF_PART_is_loaded("a.prt"));
    EXPECT_EQ(Strings{"c.prt"}, recordStrings(g_closedPartsRecord));
}

TEST_F(PartStatus, AFailedOpenLeavesTheDisplayPartAndReleasesTheLoadStatus) {
    json session = dieWithSuppressedParts();
    session["parts"].push_back({{"file", "spare.prt"}, {"loaded", false}});
    loadSession(session);
    const tag_t display = UF_PART_ask_display_part();
    EXPECT_EQ(HOST_ERR_FILE_NOT_FOUND, model->OpenPartQuietly("missing.prt"));
    EXPECT_EQ(display, UF_PART_ask_display_part());
    HOSTSIM_fail_operation("UF_PART_open_quiet", 1, 0);
    EXPECT_EQ(HOST_ERR_INJECTED, model->OpenPartQuietly("spare.prt"));
    EXPECT_EQ(display, UF_PART_ask_display_part());
    EXPECT_EQ(0, HOSTSIM_outstanding_allocations());

    // A loaded part is not opened again; an opened one becomes the display
    // part; display updates are on again either way.
    EXPECT_EQ(0, model->OpenPartQuietly("a.prt"));
    EXPECT_EQ(display, UF_PART_ask_display_part());
    EXPECT_EQ(0, model->OpenPartQuietly("spare.prt"));
    EXPECT_EQ(tagOf("spare.prt"), UF_PART_ask_display_part());
    char* state = HOSTSIM_state_json();
    EXPECT_TRUE(json::parse(state)["runtime"]["display_updates"].get<bool>());
    HOSTSIM_free_text(state);
}

} // namespace
