#include "model/bench/generated_die.h"

#include "hostsim/hostsim_control.h"
#include "model/tree_list.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using nlohmann::json;

constexpr int kSections = 50;
constexpr int kTypesPerSection = 97;
constexpr int kTypesUsedPerSection = 120; // some types have no group: they go to _OTHER
constexpr int kStations = 48;

std::string partFile(int p) {
    char name[32];
    static_cast<void>(std::snprintf(name, sizeof name, "C:\\die\\p%05d.prt", p));
    return name;
}

std::string sectionTitle(int k) {
    return "SEC_" + std::to_string(k);
}

} // namespace

json GeneratedDieSession(int parts) {
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

std::string GeneratedDieConfig() {
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

namespace {
std::string writeConfig(const std::string& directory, const std::string& name,
                        const std::string& xml) {
    std::filesystem::create_directories(directory);
    std::string file = directory + "/" + name;
    std::ofstream(file, std::ios::binary) << xml;
    return file;
}

bool loadSession(const json& session, std::string* error) {
    char reason[512] = "";
    if (HOSTSIM_load_session_text(session.dump().c_str(), "/", reason, sizeof reason) == 0)
        return true;
    if (error)
        *error = reason;
    return false;
}
} // namespace

std::string WriteGeneratedDieConfig(const std::string& directory) {
    return writeConfig(directory, "generated_view.xml", GeneratedDieConfig());
}

json OtherGroupsSession() {
    json top = {{"file", "C:\\other\\top.prt"}, {"components", json::array()}};
    json all = json::array();
    for (int a = 0; a < 3; ++a) {
        const std::string assembly = "C:\\other\\asm" + std::to_string(a) + ".prt";
        top["components"].push_back({{"part", assembly}});
        json parts = json::array();
        for (int p = 0; p < 2; ++p) {
            const std::string file =
                "C:\\other\\p" + std::to_string(a) + std::to_string(p) + ".prt";
            parts.push_back({{"part", file}});
            all.push_back({{"file", file}});
        }
        all.push_back({{"file", assembly},
                       {"attributes", {{{"title", "KIND"}, {"value", "ASM"}}}},
                       {"components", parts}});
    }
    all.insert(all.begin(), top);
    return {{"parts", all}, {"display_part", "C:\\other\\top.prt"}};
}

std::string OtherGroupsConfig() {
    std::string xml = "<?xml version=\"1.0\"?>\n<ROOT Description=\"Side by side\">\n";
    xml += " <KIND Description=\"Assemblies\">ASM\n";
    for (int g = 0; g < MAX_ROWS - 2; ++g)
        xml += "  <KIND_OTHER Description=\"Other " + std::to_string(g) + "\"/>\n";
    xml += " </KIND>\n</ROOT>\n";
    return xml;
}

bool LoadOtherGroups(std::string* error) {
    return loadSession(OtherGroupsSession(), error);
}

std::string WriteOtherGroupsConfig(const std::string& directory) {
    return writeConfig(directory, "other_groups_view.xml", OtherGroupsConfig());
}

bool LoadGeneratedDie(int parts, std::string* error) {
    return loadSession(GeneratedDieSession(parts), error);
}

json GroupChainSession() {
    json top = {{"file", "C:\\chain\\top.prt"}};
    top["components"] = json::array({{{"part", "C:\\chain\\link.prt"}}});
    json link = {{"file", "C:\\chain\\link.prt"}};
    link["attributes"] = json::array({{{"title", "CHAIN"}, {"value", "1"}}});
    return {{"parts", json::array({top, link})}, {"display_part", "C:\\chain\\top.prt"}};
}

std::string GroupChainConfig(int levels) {
    // Each CHAIN group sits in a group of a tag of its own that no part
    // matches (its text comes first): that group is dropped and hands its
    // sub-group to the row kept before it, the previous level. So the rows
    // nest as deep as there are levels while the file nests three deep.
    std::string xml = "<?xml version=\"1.0\"?>\n<ROOT Description=\"Level 0\">\n";
    for (int level = 1; level < levels; ++level) {
        const std::string hand = "HAND_" + std::to_string(level);
        xml.append(" <").append(hand).append(">x<CHAIN Description=\"Level ");
        xml.append(std::to_string(level)).append("\">1</CHAIN></").append(hand).append(">\n");
    }
    return xml + "</ROOT>\n";
}

bool LoadViewManagerSession(json session, const std::string& config, const std::string& productDir,
                            std::string* error) {
    const std::string directory = productDir + "/configuration/xml_files";
    std::filesystem::create_directories(directory);
    std::ofstream(directory + "/qvl_view.xml", std::ios::binary) << config;
    session["environment"] = {{"KORVELTAND_DIR", productDir}};
    session["customer_defaults"] = {{"QVL_WIZARD_VIEW_MANAGER", "qvl_view.xml"},
                                    {"QVL_VIEW_NAME_SET", 1}};
    return loadSession(session, error);
}
