// The work-part record against the simulated host: the class, finding and
// creating the three objects, and the parallel string lists.
#include "record/record_lists.h"
#include "record/work_part_record.h"

#include "hostsim/tests/session_fixture.h"
#include "record/tests/record_entries.h"

#include <string>
#include <vector>

using namespace hostsim_test;
using nlohmann::json;
using Strings = std::vector<std::string>;

namespace {

const char* const kTop = "C:\\dies\\top.prt";
const char* const kUpper = "C:\\dies\\upper.prt";

json recordObject(int key, Strings strings = {}) {
    return {{"class", kRecordClassName}, {"integers", {key}}, {"strings", strings}};
}

json dieSession() {
    return {{"parts", {{{"file", kTop}, {"components", {{{"part", kUpper}}}}}, {{"file", kUpper}}}},
            {"display_part", kTop}};
}

std::vector<tag_t> recordsIn(tag_t part) {
    std::vector<tag_t> found;
    tag_t object = NULL_TAG;
    while (UF_UDOBJ_cycle_udos_by_class(part, g_recordClass, &object) == 0 && object != NULL_TAG)
        found.push_back(object);
    return found;
}

int firstIntegerOf(tag_t object) {
    RecordData data(object);
    return data.IntegerCount() > 0 ? data.Integer(0) : -1;
}

class WorkPartRecord : public SessionTest {
  protected:
    void SetUp() override {
        g_closedPartsRecord = g_closedGroupsRecord = g_closedKeysRecord = NULL_TAG;
    }
    void TearDown() override {
        SessionTest::TearDown();
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
        EXPECT_EQ(0, HOSTSIM_memory_misuse_count());
    }
    void loadSession(const json& session) { load(session.dump()); }
};

TEST_F(WorkPartRecord, RegistersTheClassOnceAndReportsAFailureWithTheHostsText) {
    ASSERT_EQ(0, register_record_class());
    const UF_UDOBJ_class_t id = g_recordClass;
    ASSERT_NE(0u, id);
    loadSession(dieSession());
    EXPECT_EQ(0, register_record_class());

    // A process whose registration failed tries again at the next set-up;
    // the host refuses the name it already has.
    g_recordClass = 0;
    EXPECT_EQ(HOST_ERR_CLASS_EXISTS, register_record_class());
    EXPECT_EQ(0u, g_recordClass);
    ASSERT_EQ(1, HOSTSIM_message_count());
    EXPECT_STREQ("Class name is already registered", HOSTSIM_message(0));
    set_up_work_part_record();
    EXPECT_FALSE(work_part_record_available());
    EXPECT_EQ(NULL_TAG, g_closedPartsRecord);
    g_recordClass = id;
}

TEST_F(WorkPartRecord, SetUpCreatesTheThreeRecordsOnceInTheWorkPart) {
    loadSession(dieSession());
    set_up_work_part_record();
    ASSERT_TRUE(work_part_record_available());
    const tag_t top = partTag(kTop);
    const std::vector<tag_t> made = recordsIn(top);
    ASSERT_EQ(3u, made.size());
    EXPECT_EQ((std::vector<tag_t>{g_closedPartsRecord, g_closedGroupsRecord, g_closedKeysRecord}),
              made);
    EXPECT_EQ(3, firstIntegerOf(g_closedPartsRecord));
    EXPECT_EQ(4, firstIntegerOf(g_closedGroupsRecord));
    EXPECT_EQ(5, firstIntegerOf(g_closedKeysRecord));

    set_up_work_part_record();
    EXPECT_EQ(made, recordsIn(top));
}

TEST_F(WorkPartRecord, ExistingRecordsAreUsedAndOthersOfTheClassPassedOver) {
    json session = dieSession();
    session["parts"][0]["objects"] = {
        {{"class", kRecordClassName}},                       // no integers
        {{"class", kRecordClassName}, {"integers", {7, 3}}}, // another key
        recordObject(5, {"k"}),
        recordObject(3, {"a.prt"}),
        recordObject(4, {"G"}),
        recordObject(3, {"second.prt"})};
    loadSession(session);
    set_up_work_part_record();
    const std::vector<tag_t> objects = recordsIn(partTag(kTop));
    ASSERT_EQ(6u, objects.size());
    EXPECT_EQ(objects[3], g_closedPartsRecord);
    EXPECT_EQ(objects[4], g_closedGroupsRecord);
    EXPECT_EQ(objects[2], g_closedKeysRecord);
}

TEST_F(WorkPartRecord, AnOccurrenceAsWorkPartKeepsTheRecordsInItsPrototype) {
    json session = dieSession();
    session["work_part"] = {{"root", kTop}, {"path", {0}}};
    loadSession(session);
    const tag_t workOccurrence = UF_ASSEM_ask_work_part();
    ASSERT_TRUE(UF_ASSEM_is_part_occurrence(workOccurrence));
    set_up_work_part_record();
    ASSERT_TRUE(work_part_record_available());
    EXPECT_EQ(3u, recordsIn(partTag(kUpper)).size());
    EXPECT_TRUE(recordsIn(partTag(kTop)).empty());
    // The work part the user sees is the occurrence again.
    EXPECT_EQ(workOccurrence, UF_ASSEM_ask_work_part());
}

TEST_F(WorkPartRecord, WithoutAWorkPartOrWhenCreationFailsTheTagsAreZero) {
    json session = dieSession();
    session["display_part"] = nullptr;
    loadSession(session);
    set_up_work_part_record();
    EXPECT_FALSE(work_part_record_available());
    EXPECT_EQ(0, HOSTSIM_message_count());

    loadSession(dieSession());
    HOSTSIM_fail_operation("UF_UDOBJ_add_integers", 2, 0);
    set_up_work_part_record();
    EXPECT_NE(NULL_TAG, g_closedPartsRecord);
    EXPECT_EQ(NULL_TAG, g_closedGroupsRecord);
    EXPECT_NE(NULL_TAG, g_closedKeysRecord);
    EXPECT_FALSE(work_part_record_available());
    // The half-made object is gone again.
    EXPECT_EQ(2u, recordsIn(partTag(kTop)).size());
    EXPECT_EQ(partTag(kTop), UF_ASSEM_ask_work_part());
}

TEST_F(WorkPartRecord, ListsGrowTogetherAndKeepWholeTexts) {
    loadSession(dieSession());
    set_up_work_part_record();
    const std::string longGroup(256, 'G');
    const std::string longKey = std::string(200, 'k') + std::string(56, 'K');
    ASSERT_TRUE(record_closed_part("a.prt", "GROUP", ""));
    ASSERT_TRUE(record_closed_part("b.prt", longGroup.c_str(), longKey.c_str()));
    EXPECT_EQ((Strings{"a.prt|GROUP|", "b.prt|" + longGroup + "|" + longKey}), recordEntries());

    ClosedPartsRecord record;
    ASSERT_TRUE(record.IsReadable());
    ASSERT_EQ(2, record.Count());
    EXPECT_TRUE(record.IsEntryOf(1, longGroup.c_str(), longKey.c_str()));
    EXPECT_TRUE(record.IsEntryOf(1, longGroup.c_str(), ""));
    EXPECT_FALSE(record.IsEntryOf(1, longGroup.c_str(), longKey.substr(0, 250).c_str()));
    EXPECT_FALSE(record.IsEntryOf(0, "GROUP", "x"));
}

// A record from elsewhere whose lists differ in length: the next entry
// written cuts them back to the entries all three hold and stands beside its
// own group and key.
TEST_F(WorkPartRecord, AWriteRealignsListsOfUnequalLength) {
    struct Case {
        Strings parts, groups, keys, entries;
    };
    const Case cases[] = {
        {{"a", "b", "c", "d"}, {"Ga", "Gb"}, {}, {"x|Gx|x"}},
        {{"a", "b", "c"}, {"Ga", "Gb"}, {"a", "b", "c", "d"}, {"a|Ga|a", "b|Gb|b", "x|Gx|x"}}};
    for (const Case& c : cases) {
        json session = dieSession();
        session["parts"][0]["objects"] = {recordObject(3, c.parts), recordObject(4, c.groups),
                                          recordObject(5, c.keys)};
        loadSession(session);
        set_up_work_part_record();
        ASSERT_TRUE(record_closed_part("x", "Gx", "x"));
        EXPECT_EQ(c.entries, recordEntries());
    }
}

TEST_F(WorkPartRecord, RefusedAndRemovedEntriesGoFromAllThreeLists) {
    loadSession(dieSession());
    set_up_work_part_record();
    for (const char* name : {"a", "b", "c", "d", "e", "f"})
        ASSERT_TRUE(record_closed_part(name, (std::string("G") + name).c_str(), name));
    // The key list refuses: the part and group strings just added go again.
    HOSTSIM_fail_operation("UF_UDOBJ_add_strings", 3, 0);
    EXPECT_FALSE(record_closed_part("x", "Gx", "x"));
    // Unsorted, repeated and negative positions; two runs.
    ASSERT_TRUE(remove_record_positions({5, 1, 2, 4, -1, 4}));
    EXPECT_EQ((Strings{"a|Ga|a", "d|Gd|d"}), recordEntries());
}

TEST_F(WorkPartRecord, ListsAreUnreadableWhenARecordIsMissingOrAReadFails) {
    loadSession(dieSession());
    set_up_work_part_record();
    ASSERT_TRUE(record_closed_part("a.prt", "G", ""));
    HOSTSIM_fail_operation("UF_UDOBJ_ask_udo_data", 2, 0);
    {
        ClosedPartsRecord record;
        EXPECT_FALSE(record.IsReadable());
        EXPECT_EQ(0, record.Count());
    }
    g_closedKeysRecord = NULL_TAG;
    ClosedPartsRecord record;
    EXPECT_FALSE(record.IsReadable());
    EXPECT_FALSE(record_closed_part("b.prt", "G", ""));
    EXPECT_FALSE(remove_record_positions({0}));
}

} // namespace
