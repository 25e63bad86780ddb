#include "tools/qvl_check/session_rows.h"

#include "hostsim/hostsim_control.h"
#include "model/memory_tree_list.h"
#include "model/row_model.h"
#include "record/work_part_record.h"

#include <algorithm>

namespace {

std::vector<std::string> untaken_parts(const RowModel& model) {
    std::vector<std::string> untaken;
    for (const std::string& part : model.SessionPartNames()) {
        const bool taken =
            std::any_of(model.Rows().begin(), model.Rows().end(), [&part](const Row& row) {
                return std::find(row.partNames.begin(), row.partNames.end(), part) !=
                       row.partNames.end();
            });
        if (!taken)
            untaken.push_back(part);
    }
    return untaken;
}

} // namespace

SessionCheck CheckSession(const std::string& configPath, const std::string& sessionPath) {
    SessionCheck check;
    char error[1024] = "";
    if (HOSTSIM_load_session_file(sessionPath.c_str(), error, sizeof error) != 0) {
        check.error = error;
        return check;
    }
    const int messagesBefore = HOSTSIM_message_count();
    MemoryTreeList list;
    RowModel model(list);
    set_up_work_part_record();
    model.BuildTree(configPath.c_str());

    std::vector<int> depth;
    for (int r = 0; r < model.RowCount(); ++r) {
        const Row& row = model.RowAt(r);
        depth.push_back(row.parent >= 0 ? depth[static_cast<size_t>(row.parent)] + 1 : 0);
        check.rows.push_back(
            {depth.back(), row.name, row.customName, row.key, list.GetItemNumber(r)});
    }
    check.untakenParts = untaken_parts(model);
    for (int i = messagesBefore; i < HOSTSIM_message_count(); ++i)
        check.hostMessages.push_back(HOSTSIM_message(i));
    return check;
}
