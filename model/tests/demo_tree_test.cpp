// The demo session with the demo configuration: properties of the built tree
// checked against the configuration and the session as the host reports them.
#include "row_model_fixture.h"

#include "config/view_config_file.h"
#include "model/occurrence_state.h"

#include <algorithm>

using namespace row_model_test;

namespace {

const std::string kDemo = std::string(VM_SOURCE_DIR) + "/demo";

// The session parts that carry an attribute with this title (and value).
Strings partsCarrying(const std::string& title, const std::string& value) {
    Strings parts;
    for (int i = 0; i < UF_PART_ask_num_parts(); ++i) {
        const tag_t tag = UF_PART_ask_nth_part(i);
        int count = 0;
        UF_ATTR_part_attr_t* attributes = nullptr;
        ATTR_ask_part_attrs(tag, &count, &attributes);
        for (int a = 0; a < count; ++a) {
            if (title == attributes[a].title && (value.empty() || value == attributes[a].value)) {
                char name[HOST_PART_NAME_BUFSIZE];
                UF_PART_ask_part_name(tag, name);
                parts.push_back(name);
                break;
            }
        }
        UF_free(attributes);
    }
    return parts;
}

class DemoTree : public RowModelTest {};

TEST_F(DemoTree, RowsFollowTheConfigurationAndTheSession) {
    char error[512];
    ASSERT_EQ(0, HOSTSIM_load_session_file((kDemo + "/session.json").c_str(), error, sizeof error))
        << error;
    build(kDemo + "/product/korveltand/configuration/xml_files/qvl_view.xml");
    const ViewConfigFile file(path.c_str());
    ASSERT_EQ(kViewConfigRead, file.Result());
    const ViewConfig& config = file.Get();

    // 40 of 42 library parts are loaded; the whole tree is expanded.
    EXPECT_EQ(40, static_cast<int>(model->SessionPartNames().size()));
    ASSERT_EQ(43, model->RowCount());
    EXPECT_EQ(model->RowCount(), static_cast<int>(list->ShownItems().size()));
    std::vector<int> rowOfEntry(config.entryCount, -2);
    int e = 0;
    for (int r = 0; r < model->RowCount(); ++r) {
        SCOPED_TRACE(r);
        // Rows are the kept entries in order, under the row of their entry's parent.
        while (e < config.entryCount && (model->RowAt(r).name != config.groupName[e] ||
                                         model->RowAt(r).key != config.keyValue[e]))
            ++e;
        ASSERT_LT(e, config.entryCount);
        rowOfEntry[e] = r;
        const int parent = config.parentIndex[e];
        EXPECT_EQ(parent < 0 ? -1 : rowOfEntry[parent], model->RowAt(r).parent);
        EXPECT_EQ(std::string("0:") + config.customName[e], list->ItemText(r));
        const int occurrences = model->RowAt(r).occCount;
        EXPECT_EQ(occurrences, list->GetItemNumber(r));
        EXPECT_EQ(occurrences > 0, model->RowAt(r).open);
        EXPECT_TRUE(config.hasSubGroups[e] != 0 || occurrences > 0 || model->IsOtherRow(r));
        EXPECT_TRUE(model->RowAt(r).shown);
        if (model->IsOtherRow(r)) {
            // Nothing a sibling shows, one name per occurrence.
            EXPECT_EQ(static_cast<int>(partsOf(r).size()), occurrences);
            for (int s = model->RowAt(r).parent + 1; s < r; ++s) {
                for (const std::string& name : partsOf(s))
                    EXPECT_EQ(0, std::count(partsOf(r).begin(), partsOf(r).end(), name)) << name;
            }
            continue;
        }
        // Every part that carries the group's attribute, each unsuppressed
        // occurrence counted.
        EXPECT_EQ(partsCarrying(config.groupName[e], config.keyValue[e]), partsOf(r));
        int unsuppressed = 0;
        for (const std::string& name : partsOf(r)) {
            for (tag_t occurrence : occurrencesOf(name))
                unsuppressed += IsUnsuppressedOccurrence(occurrence) ? 1 : 0;
        }
        EXPECT_EQ(unsuppressed, occurrences);
    }
    // The _OTHER rows of the stripper, the upper and the lower die.
    EXPECT_EQ((std::vector<int>{12, 15, 24}),
              (std::vector<int>{model->RowAt(17).occCount, model->RowAt(18).occCount,
                                model->RowAt(30).occCount}));
}

} // namespace
