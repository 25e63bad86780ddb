// Building rows against the simulated host in tests: sessions and
// configurations made in the test, a model over a memory tree list, and the
// checks every test ends with (no host memory left, none released wrongly).
#pragma once

#include "config/framework_message_recorder.h"
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "model/memory_tree_list.h"
#include "model/row_model.h"
#include "record/record_lists.h"
#include "record/tests/record_entries.h"
#include "record/work_part_record.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace row_model_test {

using nlohmann::json;
using Strings = std::vector<std::string>;

inline json part(const std::string& file,
                 const std::vector<std::pair<std::string, std::string>>& attributes = {},
                 const std::vector<json>& components = {}) {
    json p = {{"file", file}, {"attributes", json::array()}, {"components", components}};
    for (const auto& [title, value] : attributes)
        p["attributes"].push_back({{"title", title}, {"value", value}});
    return p;
}

inline json component(const std::string& file, bool suppressed = false) {
    return {{"part", file}, {"suppressed", suppressed}};
}

// A session of the given parts, the first one on display.
inline json sessionOf(const std::vector<json>& parts) {
    return {{"parts", parts}, {"display_part", parts.front()["file"]}};
}

inline void loadSession(const json& session) {
    char error[512];
    ASSERT_EQ(0, HOSTSIM_load_session_text(session.dump().c_str(), "/base", error, sizeof error))
        << error;
}

// Writes a view configuration into the build tree; returns its path.
inline std::string writeConfig(const std::string& name, const std::string& xml) {
    const std::string dir = std::string(VM_BINARY_DIR) + "/model_tests";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/" + name + ".xml", std::ios::binary) << xml;
    return dir + "/" + name + ".xml";
}

inline tag_t tagOf(const std::string& file) {
    return UF_PART_ask_part_tag(file.c_str());
}

inline std::vector<tag_t> occurrencesOf(const std::string& file) {
    tag_t* tags = nullptr;
    const int count = UF_ASSEM_ask_occs_of_part(NULL_TAG, tagOf(file), &tags);
    std::vector<tag_t> copy(tags, tags + (tags ? count : 0));
    if (tags)
        UF_free(tags);
    return copy;
}

// The model as the commands drive it: they set a row's open state before
// they open or close its parts.
class CommandedRowModel : public RowModel {
  public:
    using RowModel::EditRow;
    using RowModel::RowModel;
};

class RowModelTest : public ::testing::Test {
  protected:
    void SetUp() override { model = std::make_unique<CommandedRowModel>(*list); }

    void TearDown() override {
        model.reset();
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
        EXPECT_EQ(0, HOSTSIM_memory_misuse_count())
            << (HOSTSIM_memory_misuse_count() ? HOSTSIM_memory_misuse(0) : "");
    }

    // What the dialog does for a build and for Refresh: release the rows,
    // empty the list, set up the record, build.
    void build(const std::string& configPath) {
        path = configPath;
        model->ReleaseRowTables();
        list->ResetTree();
        set_up_work_part_record();
        model->BuildTree(path.c_str());
    }
    void build(const std::string& name, const std::string& xml) { build(writeConfig(name, xml)); }
    void refresh() { build(path); }

    // The Open command on row r, as the column command drives part status.
    void openRow(int r) {
        const tag_t display = UF_PART_ask_display_part();
        g_displayPartBeforeOpen = display;
        model->EditRow(r).open = true;
        model->OpenRowParts(r);
        if (!model->IsOtherRow(r))
            model->RebuildRowParts(r);
        UF_PART_set_display_part(display);
    }

    void closeRow(int r) {
        model->EditRow(r).open = false;
        std::unordered_set<std::string> closedParts;
        model->CloseRowParts(r, closedParts);
    }

    Strings rowNames() const { return rowTexts(&Row::name); }
    Strings rowKeys() const { return rowTexts(&Row::key); }
    Strings rowTexts(std::string Row::*text) const {
        Strings texts;
        for (const Row& row : model->Rows())
            texts.push_back(row.*text);
        return texts;
    }
    std::vector<int> rowParents() const {
        std::vector<int> parents;
        for (const Row& row : model->Rows())
            parents.push_back(row.parent);
        return parents;
    }
    const Strings& partsOf(int r) const { return model->RowAt(r).partNames; }
    // The pictures of columns 0, 1, 2, 4 and 5.
    std::vector<int> pictures(int r) const {
        return {list->GetItemImage(r, 0), list->GetItemImage(r, 1), list->GetItemImage(r, 2),
                list->GetItemImage(r, 4), list->GetItemImage(r, 5)};
    }

    std::unique_ptr<MemoryTreeList> list = std::make_unique<MemoryTreeList>();
    std::unique_ptr<CommandedRowModel> model;
    std::string path;
};

} // namespace row_model_test
