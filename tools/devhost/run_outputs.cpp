#include "tools/devhost/run_outputs.h"

#include "model/cell_pictures.h"
#include "model/cell_words.h"
#include "tools/devhost/host_state.h"
#include "tools/devhost/snapshot.h"
#include "tools/devhost/view_manager_reader.h"

#include <cstdio>
#include <fstream>

namespace devhost {

namespace {

nlohmann::json messagesJson(const DialogWatch& watch) {
    nlohmann::json messages = nlohmann::json::array();
    for (const ShownMessage& message : watch.Messages())
        messages.push_back({{"source", message.source}, {"text", message.text}});
    return messages;
}

const char* stateOf(int picture, int whenOn, const char* on, const char* off) {
    if (picture == 0)
        return "-";
    return picture == whenOn ? on : off;
}

std::string rowStates(const ShownRowState& row) {
    return std::string(stateOf(row.images[kColumnBlank], kPictureShown, "shown", "blanked")) +
           ", " + stateOf(row.images[kColumnFreeze], kPictureUnfrozen, "unfrozen", "frozen") +
           ", " + stateOf(row.images[kColumnOpen], kPictureFolderOpen, "open", "closed") +
           ", colour " + HexColor(row.color);
}

} // namespace

bool WriteDump(const std::string& path, const DialogWatch& watch, int unloadMode) {
    nlohmann::json viewManager = DescribeViewManager(FindViewManager());
    if (viewManager.is_object())
        viewManager["created"] = watch.ViewManagersCreated();
    const nlohmann::json dump = {{"viewManager", viewManager},
                                 {"host", DescribeHost()},
                                 {"messages", messagesJson(watch)},
                                 {"unloadMode", unloadMode}};
    std::ofstream file(path);
    file << dump.dump(2) << '\n';
    return static_cast<bool>(file);
}

bool WriteViewManagerSnapshot(const std::string& path) {
    return WriteWindowSnapshot(FindViewManager(), path);
}

void PrintViewManagerTree(std::ostream& out) {
    HWND viewManager = FindViewManager();
    if (!viewManager) {
        out << "No View Manager is open.\n";
        return;
    }
    const std::vector<ShownRowState> rows = ReadShownRows(viewManager);
    out << "View Manager (" << rows.size() << " rows shown):\n";
    for (const ShownRowState& row : rows) {
        const char* box = !row.hasChildren ? "  " : row.expanded ? "- " : "+ ";
        out << std::string(static_cast<size_t>(row.level) * 2 + 2, ' ') << box << row.label << "  ["
            << rowStates(row) << "]  " << row.count << '\n';
    }
}

} // namespace devhost
