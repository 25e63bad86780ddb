// Configurations from no group to beyond the rows the model holds.
#include "row_model_fixture.h"

#include <string>

using namespace row_model_test;

namespace {

class ConfigurationSize : public RowModelTest {};

// A root holding count groups T that every part with T=1 fits, each described
// by its position.
std::string groups(int count) {
    std::string xml = "<ROOT>";
    for (int i = 0; i < count; ++i)
        xml += "<T Description=\"" + std::to_string(i) + "\">1</T>";
    return xml + "</ROOT>";
}

TEST_F(ConfigurationSize, TheFirstGroupsInDocumentOrderBecomeRowsAndACutIsToldOnce) {
    struct Case {
        int groups;
        int rows;
        const char* message;
    };
    const Case cases[] = {
        // The root alone has no sub-groups and no parts: no row at all.
        {0, 0, nullptr},
        {MAX_ROWS, MAX_ROWS, "The view was cut: only the first 5000 of 5001 groups are shown."},
        {MAX_ROWS + 1, MAX_ROWS, "The view was cut: only the first 5000 of 5002 groups are shown."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groups);
        loadSession(sessionOf(
            {part("C:\\d\\top.prt", {}, {component("a.prt")}), part("a.prt", {{"T", "1"}})}));
        list->ResetTree();
        model->ReleaseRowTables();
        build("size", groups(c.groups));

        ASSERT_EQ(c.rows, model->m_rowCount);
        EXPECT_EQ(c.rows, list->GetItemCount());
        for (int r = 1; r < c.rows; ++r)
            ASSERT_EQ(std::to_string(r - 1), model->m_rowCustomName[r]) << r;
        if (c.message) {
            ASSERT_EQ(1, HOSTSIM_message_count());
            EXPECT_STREQ(c.message, HOSTSIM_message(0));
        } else {
            EXPECT_EQ(0, HOSTSIM_message_count());
        }
    }
}

} // namespace
