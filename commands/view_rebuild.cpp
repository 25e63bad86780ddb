// What the View Manager does with its configuration when it starts, on
// Refresh and on Switch, apart from its window.
#include "commands/view_manager_commands.h"

#include "config/product_codes.h"
#include "config/product_defaults.h"
#include "config/view_config_file.h"
#include "config/view_config_location.h"
#include "host/host_api.h"
#include "record/work_part_record.h"

bool ViewManagerCommands::FindStartingConfig(std::string& path) {
    char configName[kViewConfigNameSize] = "";
    int treeMode = 0;
    if (ask_product_default(kDieDesignProduct, kViewConfigNameKey, kWorkPartUnits, kDefaultString,
                            configName, sizeof configName) != 0 ||
        ask_product_default(kDieDesignProduct, "QVL_VIEW_NAME_SET", kWorkPartUnits, kDefaultInteger,
                            &treeMode, sizeof treeMode) != 0)
        return false;
    m_model.SetTreeMode(TreeModeOf(treeMode));
    char found[kViewConfigPathSize] = "";
    if (!find_view_config_file(configName, found, sizeof found))
        return false;
    path = found;
    return true;
}

void ViewManagerCommands::BuildRows(const char* path) {
    set_up_work_part_record();
    m_model.BuildTree(path, m_shape);
    ++m_build;
}

bool ViewManagerCommands::PrepareRebuild(const char* path) {
    if (m_highlightedRow >= 0)
        m_propagation.ApplyHighlight(m_highlightedRow, 0);
    m_highlightedRow = -1;
    KeepShapeOfRows();
    m_list.ResetTree();
    if (!CheckViewConfigFile(path))
        return false;
    m_model.ReleaseRowTables();
    return true;
}

void ViewManagerCommands::ToggleTreeMode() {
    m_model.SetTreeMode(m_model.GetTreeMode() == TreeMode::kAttribute ? TreeMode::kName
                                                                      : TreeMode::kAttribute);
    if (m_highlightedRow >= 0)
        m_propagation.ApplyHighlight(m_highlightedRow, 0);
}

void ViewManagerCommands::KeepShapeOfRows() {
    // Rows the list no longer shows (a file that did not read emptied it)
    // leave the shape before them.
    if (m_model.RowCount() > 0 && m_list.GetItemCount() == m_model.RowCount())
        m_shape = CaptureTreeShape(m_model);
}
