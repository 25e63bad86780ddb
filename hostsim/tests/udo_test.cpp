// User-defined objects: classes, creation in the work part, cycling, data.
#include "session_fixture.h"

#include <string>
#include <vector>

using namespace hostsim_test;
using Tags = std::vector<tag_t>;

namespace {

// Classes outlive sessions and register once per process, so every test
// takes names of its own.
std::string freshClassName(const char* base) {
    static int serial = 0;
    return std::string(base) + "_" + std::to_string(++serial);
}

UF_UDOBJ_class_t registerClass(const std::string& name) {
    UF_UDOBJ_class_t id = 0;
    EXPECT_EQ(0, UF_UDOBJ_create_class(name.c_str(), "friendly", &id)) << name;
    return id;
}

tag_t create(UF_UDOBJ_class_t id) {
    tag_t udo = NULL_TAG;
    EXPECT_EQ(0, UF_UDOBJ_create_udo(id, &udo));
    return udo;
}

Tags objectsOf(tag_t part, UF_UDOBJ_class_t id) {
    Tags found;
    tag_t udo = NULL_TAG;
    do {
        EXPECT_EQ(0, UF_UDOBJ_cycle_udos_by_class(part, id, &udo));
        if (udo != NULL_TAG)
            found.push_back(udo);
    } while (udo != NULL_TAG && found.size() < 100);
    return found;
}

using Strings = std::vector<std::string>;
struct Data {
    UF_UDOBJ_class_t id;
    std::vector<int> ints;
    Strings strings;
};

// An object's data, released whole with one call.
Data dataOf(tag_t udo) {
    UF_UDOBJ_all_data_t data{};
    EXPECT_EQ(0, UF_UDOBJ_ask_udo_data(udo, &data));
    EXPECT_EQ(udo, data.udo_tag);
    Data copy{data.class_id,
              {data.ints, data.ints + data.num_ints},
              {data.strings, data.strings + data.num_strings}};
    EXPECT_EQ(0, UF_UDOBJ_free_udo_data(&data));
    return copy;
}

void addStrings(tag_t udo, std::vector<const char*> strings) {
    ASSERT_EQ(0, UF_UDOBJ_add_strings(udo, static_cast<int>(strings.size()), strings.data()));
}

using UserObjects = DieSetTest;

TEST_F(UserObjects, AClassRegistersOnceAndOutlivesTheSession) {
    const std::string name = freshClassName("ONCE");
    const UF_UDOBJ_class_t id = registerClass(name);
    UF_UDOBJ_class_t again = 12345;
    EXPECT_EQ(HOST_ERR_CLASS_EXISTS, UF_UDOBJ_create_class(name.c_str(), "friendly", &again));
    const UF_UDOBJ_class_t other = registerClass(freshClassName("ONCE"));
    EXPECT_NE(id, other);

    load(R"({"parts": [{"file": "a.prt"}], "display_part": "a.prt"})");
    EXPECT_NE(0, UF_UDOBJ_create_class(name.c_str(), "friendly", &again));
    // Cycling visits one class in creation order.
    const tag_t a1 = create(id), b1 = create(other), a2 = create(id), a3 = create(id);
    EXPECT_EQ((Tags{a1, a2, a3}), objectsOf(partTag("a.prt"), id));
    EXPECT_EQ((Tags{b1}), objectsOf(partTag("a.prt"), other));
}

TEST_F(UserObjects, CreatedInTheWorkPartOrItsPrototypeWhichBecomesModified) {
    const UF_UDOBJ_class_t id = registerClass(freshClassName("WORK"));
    const tag_t top = partTag(kTopFile), lower = partTag(kLowerFile);
    const tag_t inTop = create(id);
    EXPECT_EQ(Tags{inTop}, objectsOf(top, id));
    EXPECT_TRUE(UF_PART_is_modified(top));

    // An occurrence as work part: the object goes to its part, not the assembly.
    ASSERT_EQ(0, UF_PART_save());
    ASSERT_EQ(0, UF_ASSEM_set_work_part(occurrencesOf(lower).at(0)));
    const tag_t inLower = create(id);
    EXPECT_EQ(Tags{inLower}, objectsOf(lower, id));
    EXPECT_TRUE(UF_PART_is_modified(lower));
    EXPECT_EQ(Tags{inTop}, objectsOf(top, id));
    EXPECT_FALSE(UF_PART_is_modified(top));

    ASSERT_EQ(0, UF_PART_close(top, 0, 0));
    tag_t none = 5;
    EXPECT_EQ(HOST_ERR_NO_WORK_PART, UF_UDOBJ_create_udo(id, &none));
    EXPECT_EQ(NULL_TAG, none);
}

TEST_F(UserObjects, DataHoldsWhatWasAddedAndDeletesStringRuns) {
    const UF_UDOBJ_class_t id = registerClass(freshClassName("DATA"));
    const tag_t udo = create(id);
    const int some[] = {3, -1, 7}, more[] = {9};
    ASSERT_EQ(0, UF_UDOBJ_add_integers(udo, 3, some));
    ASSERT_EQ(0, UF_UDOBJ_add_integers(udo, 1, more));
    addStrings(udo, {"s1", "s2"});
    addStrings(udo, {"s3", "", "s5"});
    const Data data = dataOf(udo);
    EXPECT_EQ(id, data.id);
    EXPECT_EQ((std::vector<int>{3, -1, 7, 9}), data.ints);
    EXPECT_EQ((Strings{"s1", "s2", "s3", "", "s5"}), data.strings);

    // Deleting strings removes exactly the run counted from one.
    ASSERT_EQ(0, UF_UDOBJ_delete_strings(udo, 2, 2));
    const Strings left = {"s1", "", "s5"};
    EXPECT_EQ(left, dataOf(udo).strings);

    ASSERT_EQ(0, UF_PART_save());
    const std::pair<int, int> outside[] = {{0, 1}, {3, 2}, {4, 1}, {1, 4}, {1, -1}, {-1, 2}};
    for (const auto& [first, count] : outside)
        EXPECT_NE(0, UF_UDOBJ_delete_strings(udo, first, count)) << first << ", " << count;
    EXPECT_EQ(left, dataOf(udo).strings);
    EXPECT_FALSE(UF_PART_is_modified(partTag(kTopFile))) << "failed deletes change nothing";

    ASSERT_EQ(0, UF_UDOBJ_delete_strings(udo, 3, 1));
    EXPECT_EQ((Strings{"s1", ""}), dataOf(udo).strings);
    ASSERT_EQ(0, UF_UDOBJ_delete_strings(udo, 1, 2));
    EXPECT_TRUE(dataOf(udo).strings.empty());
}

TEST_F(UserObjects, ObjectsFromTheSessionAreFoundOnceTheClassIsRegistered) {
    const std::string name = freshClassName("STORED");
    nlohmann::json session = dieSet();
    session["parts"][3]["objects"] = {{{"class", name}, {"integers", {4}}, {"strings", {"x"}}},
                                      {{"class", "OTHER"}},
                                      {{"class", name}, {"strings", {"y", "z"}}}};
    load(session.dump());
    const UF_UDOBJ_class_t id = registerClass(name);
    const Tags stored = objectsOf(partTag(kShoeFile), id);
    ASSERT_EQ(2u, stored.size());
    EXPECT_EQ((Strings{"y", "z"}), dataOf(stored[1]).strings);
    const Data data = dataOf(stored[0]);
    EXPECT_EQ(id, data.id);
    EXPECT_EQ(std::vector<int>{4}, data.ints);
    EXPECT_EQ(Strings{"x"}, data.strings);
}

TEST_F(UserObjects, DeletedObjectsAreGoneFromTheirPart) {
    const UF_UDOBJ_class_t id = registerClass(freshClassName("DELETE"));
    const tag_t first = create(id), middle = create(id), last = create(id);
    ASSERT_EQ(0, UF_PART_save());
    ASSERT_EQ(0, UF_OBJ_delete_object(middle));
    const tag_t top = partTag(kTopFile);
    EXPECT_EQ((Tags{first, last}), objectsOf(top, id));
    EXPECT_TRUE(UF_PART_is_modified(top));
    UF_UDOBJ_all_data_t data{};
    EXPECT_NE(0, UF_UDOBJ_ask_udo_data(middle, &data));
    EXPECT_NE(0, UF_OBJ_delete_object(middle));
    const int value = 1;
    EXPECT_NE(0, UF_UDOBJ_add_integers(middle, 1, &value));
}

} // namespace
