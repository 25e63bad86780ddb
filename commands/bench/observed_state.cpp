#include "commands/bench/observed_state.h"

#include "hostsim/hostsim_control.h"
#include "model/cell_pictures.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts)
        all += text + "|";
    return all;
}

std::string joined(const std::vector<tag_t>& tags) {
    std::string all;
    for (tag_t tag : tags)
        all += std::to_string(tag) + " ";
    return all;
}

} // namespace

std::vector<std::string> ObservedState(const std::vector<Row>& rows, const MemoryTreeList& list) {
    std::vector<std::string> lines;
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        lines.push_back("row " + std::to_string(r) + " parent " + std::to_string(row.parent) + " " +
                        row.name + " '" + row.customName + "' key '" + row.key + "' count " +
                        std::to_string(row.occCount) + " open " + std::to_string(row.open) +
                        " unfrozen " + std::to_string(row.unfrozen) + " shown " +
                        std::to_string(row.shown) + " children " + std::to_string(row.hasChildren) +
                        " other " + std::to_string(row.isOther) + " parts " +
                        joined(row.partNames) + " occs " + joined(row.occs));
    }
    for (int item = 0; item < list.GetItemCount(); ++item) {
        std::string line = "item " + std::to_string(item) + " " + list.ItemText(item) +
                           " expanded " + std::to_string(list.IsExpanded(item)) + " color " +
                           std::to_string(list.GetItemColor(item)) + " number " +
                           std::to_string(list.GetItemNumber(item)) + " pictures";
        for (int column = kColumnLabel; column <= kColumnOpen; ++column)
            line += " " + std::to_string(list.GetItemImage(item, column));
        lines.push_back(line);
    }
    char* text = HOSTSIM_state_json();
    nlohmann::json state = nlohmann::json::parse(text ? text : "null");
    HOSTSIM_free_text(text);
    state["runtime"].erase("calls");
    for (const auto& [key, value] : state.items()) {
        for (const auto& [field, part] : value.items())
            lines.push_back(
                std::string("host ").append(key).append(" ").append(field).append(" ").append(
                    part.dump()));
    }
    return lines;
}

std::string FirstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual) {
    const size_t common = std::min(expected.size(), actual.size());
    for (size_t i = 0; i < common; ++i) {
        if (expected[i] != actual[i])
            return "line " + std::to_string(i + 1) + ":\n  plug-in: " + expected[i] +
                   "\n  literal: " + actual[i];
    }
    if (expected.size() != actual.size())
        return "the plug-in has " + std::to_string(expected.size()) + " lines, the literal " +
               std::to_string(actual.size());
    return std::string();
}
