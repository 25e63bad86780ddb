// BuildTree on generated die sessions of 1,000, 5,000 and 20,000 parts with
// 30 attributes each, against a configuration of 5,000 groups.
//
// The die: the display part holds 50 section assemblies, each holding its
// share of the parts once. Every part carries its section's title, a type,
// a station, a material and 26 more attributes. The configuration: a root
// with 50 section groups (each with 97 type groups and an _OTHER group that
// gathers the parts of the types left out), and a stations group with 48
// stations.
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "model/memory_tree_list.h"
#include "model/row_model.h"
#include "record/work_part_record.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using nlohmann::json;

constexpr int kSections = 50;
constexpr int kTypesPerSection = 97;
constexpr int kTypesUsedPerSection = 120; // some types have no group: they go to _OTHER
constexpr int kStations = 48;

std::string partFile(int p) {
    char name[32];
    std::snprintf(name, sizeof name, "C:\\die\\p%05d.prt", p);
    return name;
}

std::string sectionTitle(int k) {
    return "SEC_" + std::to_string(k);
}

json generatedSession(int parts) {
    json sections = json::array();
    json library = json::array();
    json top = {{"file", "C:\\die\\top.prt"}, {"components", json::array()}};
    for (int k = 0; k < kSections; ++k) {
        top["components"].push_back({{"part", "C:\\die\\sec" + std::to_string(k) + ".prt"}});
        sections.push_back({{"file", "C:\\die\\sec" + std::to_string(k) + ".prt"},
                            {"attributes", {{{"title", sectionTitle(k)}, {"value", "1"}}}},
                            {"components", json::array()}});
    }
    for (int p = 0; p < parts; ++p) {
        const int k = p % kSections;
        const int type = k * kTypesUsedPerSection + (p / kSections) % kTypesUsedPerSection;
        json attributes = {{{"title", sectionTitle(k)}, {"value", "1"}},
                           {{"title", "TYPE"}, {"value", "T" + std::to_string(type)}},
                           {{"title", "STATION"}, {"value", std::to_string(p % kStations)}},
                           {{"title", "MATERIAL"}, {"value", "M" + std::to_string(p % 11)}}};
        for (int a = 4; a < 30; ++a)
            attributes.push_back(
                {{"title", "ATTR_" + std::to_string(a)}, {"value", "V" + std::to_string(p % 7)}});
        json part = {{"file", partFile(p)}, {"attributes", attributes}, {"color", 1 + p % 5}};
        if (p % 97 == 0)
            part["frozen"] = true;
        library.push_back(part);
        sections[k]["components"].push_back({{"part", partFile(p)}});
    }
    json all = json::array({top});
    for (json& section : sections)
        all.push_back(section);
    for (json& part : library)
        all.push_back(part);
    return {{"parts", all}, {"display_part", "C:\\die\\top.prt"}};
}

std::string generatedConfig() {
    std::string xml = "<?xml version=\"1.0\"?>\n<DIE Description=\"Generated die\">\n";
    for (int k = 0; k < kSections; ++k) {
        xml += " <" + sectionTitle(k) + " Description=\"Section " + std::to_string(k) + "\">\n";
        for (int j = 0; j < kTypesPerSection; ++j) {
            xml += "  <TYPE Description=\"Type " + std::to_string(j) + "\">T" +
                   std::to_string(k * kTypesUsedPerSection + j) + "</TYPE>\n";
        }
        xml += "  <" + sectionTitle(k) + "_OTHER Description=\"Other\"/>\n";
        xml += " </" + sectionTitle(k) + ">\n";
    }
    xml += " <STATIONS Description=\"Stations\">\n";
    for (int s = 0; s < kStations; ++s)
        xml += "  <STATION Description=\"Station\">" + std::to_string(s) + "</STATION>\n";
    xml += " </STATIONS>\n</DIE>\n";
    return xml;
}

const std::string& configPath() {
    static const std::string path = [] {
        const std::string dir = std::string(VM_BINARY_DIR) + "/bench";
        std::filesystem::create_directories(dir);
        const std::string file = dir + "/generated_view.xml";
        std::ofstream(file) << generatedConfig();
        return file;
    }();
    return path;
}

void loadGenerated(benchmark::State& state, int parts) {
    char error[512];
    if (HOSTSIM_load_session_text(generatedSession(parts).dump().c_str(), "/", error,
                                  sizeof error) != 0)
        state.SkipWithError(error);
}

void BM_BuildTree(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    loadGenerated(state, parts);
    set_up_work_part_record();
    int rows = 0;
    long long calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<MemoryTreeList>();
        auto model = std::make_unique<RowModel>(*list);
        HOSTSIM_clear_call_log();
        state.ResumeTiming();

        model->BuildTree(configPath().c_str());

        state.PauseTiming();
        rows = model->m_rowCount;
        calls = HOSTSIM_call_log_size();
        model.reset();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["host_calls"] = static_cast<double>(calls);
}

BENCHMARK(BM_BuildTree)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace
