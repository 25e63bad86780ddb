// Building rows against the simulated host in tests: small sessions and
// configurations made in the test, a model over a memory tree list, and the
// checks every test ends with (no host memory left, none released wrongly).
#pragma once

#include "config/framework_message_recorder.h"
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "model/memory_tree_list.h"
#include "model/row_model.h"
#include "record/record_lists.h"
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
using Attributes = std::vector<std::pair<std::string, std::string>>;

inline json part(const std::string& file, const Attributes& attributes = {},
                 std::vector<json> components = {}) {
    json p = {{"file", file}};
    json list = json::array();
    for (const auto& [title, value] : attributes)
        list.push_back({{"title", title}, {"value", value}});
    if (!list.empty())
        p["attributes"] = list;
    if (!components.empty())
        p["components"] = components;
    return p;
}

inline json component(const std::string& file, bool suppressed = false) {
    json c = {{"part", file}};
    if (suppressed)
        c["suppressed"] = true;
    return c;
}

// A session of the given parts, the first one on display.
inline json sessionOf(std::vector<json> parts) {
    json s = {{"parts", parts}};
    s["display_part"] = parts.front()["file"];
    return s;
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
    const std::string path = dir + "/" + name + ".xml";
    std::ofstream(path, std::ios::binary) << xml;
    return path;
}

inline tag_t tagOf(const std::string& file) {
    return UF_PART_ask_part_tag(file.c_str());
}

inline Strings recordStrings(tag_t record) {
    RecordData data(record);
    Strings strings;
    for (int i = 0; i < data.StringCount(); ++i)
        strings.push_back(data.String(i));
    return strings;
}

inline std::vector<tag_t> occurrencesOf(const std::string& file) {
    tag_t* tags = nullptr;
    const int count = UF_ASSEM_ask_occs_of_part(NULL_TAG, tagOf(file), &tags);
    std::vector<tag_t> copy(tags, tags + (tags ? count : 0));
    if (tags)
        UF_free(tags);
    return copy;
}

class RowModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list = std::make_unique<MemoryTreeList>();
        model = std::make_unique<RowModel>(*list);
    }

    void TearDown() override {
        model.reset();
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
        EXPECT_EQ(0, HOSTSIM_memory_misuse_count())
            << (HOSTSIM_memory_misuse_count() ? HOSTSIM_memory_misuse(0) : "");
    }

    // What the dialog does before and after every build.
    void build(const std::string& configPath) {
        path = configPath;
        set_up_work_part_record();
        model->BuildTree(path.c_str());
        model->m_builtItemCount = list->GetItemCount();
    }
    void build(const std::string& name, const std::string& xml) { build(writeConfig(name, xml)); }

    // Refresh: release, empty the list, set up the record, build again.
    void refresh() {
        model->ReleaseRowTables();
        list->ResetTree();
        build(path);
    }

    // The Open command on row r, as the column command drives part status.
    void openRow(int r) {
        const tag_t display = UF_PART_ask_display_part();
        g_displayPartBeforeOpen = display;
        model->m_rowOpen[r] = 1;
        model->OpenRowParts(r);
        if (!model->IsOtherRow(r))
            model->RebuildRowParts(r);
        UF_PART_set_display_part(display);
    }

    void closeRow(int r) {
        model->m_rowOpen[r] = 0;
        model->CloseRowParts(r);
    }

    Strings rowNames() const {
        return Strings(model->m_rowName.begin(), model->m_rowName.begin() + model->m_rowCount);
    }
    std::vector<int> rowParents() const {
        return std::vector<int>(model->m_rowParent.begin(),
                                model->m_rowParent.begin() + model->m_rowCount);
    }
    const Strings& partsOf(int r) const { return model->m_rowPartNames[r]; }
    int rowOf(const std::string& name, const std::string& key = "") const {
        for (int r = 0; r < model->m_rowCount; ++r) {
            if (model->m_rowName[r] == name && model->m_rowKey[r] == key)
                return r;
        }
        ADD_FAILURE() << "no row " << name << " " << key;
        return 0;
    }
    // The pictures of columns 0, 1, 2, 4 and 5.
    std::vector<int> pictures(int r) const {
        return {list->ItemImage(r, 0), list->ItemImage(r, 1), list->ItemImage(r, 2),
                list->ItemImage(r, 4), list->ItemImage(r, 5)};
    }

    std::unique_ptr<MemoryTreeList> list;
    std::unique_ptr<RowModel> model;
    std::string path;
};

} // namespace row_model_test
