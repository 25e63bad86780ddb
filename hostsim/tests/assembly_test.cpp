// Assembly structure: occurrences, instances, suppression, release of arrays.
#include "session_fixture.h"

#include <algorithm>
#include <vector>

using namespace hostsim_test;
using Tags = std::vector<tag_t>;

namespace {

using Assembly = DieSetTest;

TEST_F(Assembly, OccurrencesLieAtEveryDepthBelowTheParent) {
    // The leaf sits directly below the top, and one, two levels further down.
    load(R"({"parts": [
               {"file": "top.prt", "components": [{"part": "mid.prt"}, {"part": "leaf.prt"}]},
               {"file": "mid.prt", "components": [{"part": "sub.prt"}, {"part": "leaf.prt"}]},
               {"file": "sub.prt", "components": [{"part": "leaf.prt"}, {"part": "leaf.prt"}]},
               {"file": "leaf.prt"}],
             "display_part": "top.prt"})");
    const tag_t leaf = partTag("leaf.prt");
    const Tags leaves = occurrencesOf(leaf);
    EXPECT_EQ(Tags(4, leaf), prototypesOf(leaves));
    EXPECT_EQ(2u, occurrencesOf(leaf, partTag("sub.prt")).size());
    EXPECT_EQ(3u, occurrencesOf(leaf, partTag("mid.prt")).size());
}

TEST_F(Assembly, AnOccurrenceNamesItsPrototypeAndItsOwnInstance) {
    const tag_t punch = partTag(kPunchFile);
    const Tags punches = occurrencesOf(punch);
    ASSERT_EQ(3u, punches.size());
    Tags instances, suppressed;
    for (tag_t occurrence : punches) {
        const tag_t instance = UF_ASSEM_ask_inst_of_part_occ(occurrence);
        instances.push_back(instance);
        EXPECT_EQ(instance, OCC_ask_instance_of_part_occ(occurrence));
        EXPECT_FALSE(UF_ASSEM_is_part_occurrence(instance)) << "an instance";
        logical state = -1;
        ASSERT_EQ(0, UF_ASSEM_ask_suppress_state(instance, &state));
        EXPECT_EQ(state, OCC_is_instance_suppressed(instance));
        if (state)
            suppressed.push_back(occurrence);
    }
    std::sort(instances.begin(), instances.end());
    EXPECT_EQ(instances.end(), std::unique(instances.begin(), instances.end()));
    // The suppressed one is the third component of the upper set.
    const Tags inUpper = childrenOf(occurrencesOf(partTag(kUpperFile)).at(0));
    EXPECT_EQ(Tags{inUpper.at(2)}, suppressed);
    // Parts are their own prototypes and no occurrences.
    EXPECT_EQ(punch, UF_ASSEM_ask_prototype_of_occ(punch));
    EXPECT_FALSE(UF_ASSEM_is_part_occurrence(punch));
}

TEST_F(Assembly, ChildrenFollowTheComponentOrder) {
    const tag_t top = partTag(kTopFile), upper = partTag(kUpperFile), punch = partTag(kPunchFile);
    const Tags below = childrenOf(UF_ASSEM_ask_root_part_occ(top));
    ASSERT_EQ((Tags{upper, partTag(kLowerFile)}), prototypesOf(below));
    EXPECT_EQ((Tags{partTag(kShoeFile), punch, punch}), prototypesOf(childrenOf(below[0])));

    tag_t sentinel = 0;
    tag_t* none = &sentinel;
    EXPECT_EQ(0, UF_ASSEM_ask_part_occ_children(occurrencesOf(partTag(kShoeFile)).at(0), &none));
    EXPECT_EQ(nullptr, none);
}

TEST_F(Assembly, OccurrenceTagsStayTheSameAcrossCallsAndReopening) {
    const tag_t punch = partTag(kPunchFile);
    const Tags first = occurrencesOf(punch);
    const tag_t upperOcc = occurrencesOf(partTag(kUpperFile)).at(0);
    const Tags inUpper = childrenOf(upperOcc);

    ASSERT_EQ(0, UF_PART_close(punch, 0, 0));
    EXPECT_TRUE(occurrencesOf(punch).empty());
    EXPECT_EQ(Tags{inUpper[0]}, childrenOf(upperOcc));
    EXPECT_FALSE(UF_ASSEM_is_part_occurrence(first[0]));

    EXPECT_EQ(punch, openPart(kPunchFile));
    EXPECT_EQ(first, occurrencesOf(punch));
    EXPECT_EQ(inUpper, childrenOf(upperOcc));
    EXPECT_TRUE(UF_ASSEM_is_part_occurrence(first[0]));
}

TEST_F(Assembly, TheRootOccurrenceHasNoInstanceAndTheDisplayPartNoOccurrence) {
    const tag_t top = partTag(kTopFile), root = UF_ASSEM_ask_root_part_occ(top);
    EXPECT_EQ(root, UF_ASSEM_ask_root_part_occ(top));
    EXPECT_TRUE(UF_ASSEM_is_part_occurrence(root));
    EXPECT_EQ(top, UF_ASSEM_ask_prototype_of_occ(root));
    EXPECT_EQ(NULL_TAG, UF_ASSEM_ask_inst_of_part_occ(root));
    EXPECT_EQ(NULL_TAG, OCC_ask_instance_of_part_occ(root));
    EXPECT_TRUE(occurrencesOf(top).empty());
}

TEST_F(Assembly, AComponentWhosePartIsNotLoadedHasNoOccurrenceAndNothingBelow) {
    const tag_t upper = partTag(kUpperFile);
    const tag_t lowerPunch = childrenOf(occurrencesOf(partTag(kLowerFile)).at(0)).at(0);
    ASSERT_EQ(0, UF_PART_close(upper, 0, 0));
    EXPECT_EQ(NULL_TAG, UF_ASSEM_ask_root_part_occ(upper)) << "a closed part has none";
    EXPECT_EQ((Tags{partTag(kLowerFile)}),
              prototypesOf(childrenOf(UF_ASSEM_ask_root_part_occ(partTag(kTopFile)))));
    EXPECT_TRUE(occurrencesOf(partTag(kShoeFile)).empty());
    EXPECT_EQ(Tags{lowerPunch}, occurrencesOf(partTag(kPunchFile)));
}

TEST_F(Assembly, OccArraysAreReleasedWithSmFreeAndAssemArraysWithUfFree) {
    // The right call, two wrong ones and memory the host never gave out
    // (recorded, not freed): the fixture expects three misuses.
    const tag_t top = partTag(kTopFile), punch = partTag(kPunchFile);
    tag_t* tags = nullptr;
    const int count = OCC_ask_occs_of_part_in_assy(top, punch, &tags);
    EXPECT_EQ(occurrencesOf(punch), Tags(tags, tags + count));
    SM_free(tags);
    ASSERT_EQ(count, OCC_ask_occs_of_part_in_assy(top, punch, &tags));
    UF_free(tags);
    ASSERT_EQ(count, UF_ASSEM_ask_occs_of_part(top, punch, &tags));
    SM_free(tags);
    tag_t notTheHosts[2];
    UF_free(notTheHosts);
    misuses = 3;
}

} // namespace
