#include "tools/qvl_check/session_rows.h"

#include "hostsim/hostsim_control.h"
#include "model/memory_tree_list.h"
#include "model/row_model.h"
#include "record/work_part_record.h"

#include <algorithm>

namespace {

std::vector<std::string> untaken_parts(const RowModel& model) {
    std::vector<std::string> untaken;
    for (const std::string& part : model.m_sessionPartNames) {
        const bool taken =
            std::any_of(model.m_rowPartNames.begin(), model.m_rowPartNames.end(),
                        [&part](const std::vector<std::string>& names) {
                            return std::find(names.begin(), names.end(), part) != names.end();
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
    for (int r = 0; r < model.m_rowCount; ++r) {
        const int parent = model.m_rowParent[static_cast<size_t>(r)];
        depth.push_back(parent >= 0 ? depth[static_cast<size_t>(parent)] + 1 : 0);
        check.rows.push_back({depth.back(), model.m_rowName[static_cast<size_t>(r)],
                              model.m_rowCustomName[static_cast<size_t>(r)],
                              model.m_rowKey[static_cast<size_t>(r)], list.GetItemNumber(r)});
    }
    check.untakenParts = untaken_parts(model);
    for (int i = messagesBefore; i < HOSTSIM_message_count(); ++i)
        check.hostMessages.push_back(HOSTSIM_message(i));
    return check;
}
