// The dialog's steps in the dialog's order, without the window: the lookup
// of its initialisation (a site without a configuration gets an empty View
// Manager), the build wrapped in the record set-up, Refresh rereading the
// file before the rows are released, Switch turning the tree mode round.
#include "sweep/native_view_manager.h"

#include "config/product_codes.h"
#include "config/product_defaults.h"
#include "config/product_paths.h"
#include "config/view_config.h"
#include "config/view_config_location.h"
#include "host/host_api.h"
#include "host/host_session_bracket.h"
#include "record/work_part_record.h"

namespace {

constexpr int kAttributeTree = 1;

} // namespace

void NativeViewManager::CreateOrShow() {
    if (created_)
        return;
    created_ = true;
    commands_ = std::make_unique<ViewManagerCommands>(list_, prompts_, *this);

    char configName[kViewConfigNameSize] = "";
    if (ask_product_default(kDieDesignProduct, kViewConfigNameKey, kWorkPartUnits, kDefaultString,
                            configName, sizeof configName) != 0 ||
        ask_product_default(kDieDesignProduct, "QVL_VIEW_NAME_SET", kWorkPartUnits, kDefaultInteger,
                            &commands_->m_treeMode, sizeof commands_->m_treeMode) != 0)
        return;
    char path[kViewConfigPathSize] = "";
    for (const char* variable : kViewManagerProductVariables) {
        if (find_product_file(kDieDesignProduct, variable, kViewConfigDirectory, configName, path,
                              sizeof path) == 0) {
            configPath_ = path;
            Build(configPath_);
            return;
        }
    }
}

void NativeViewManager::Build(const std::string& path) {
    set_up_work_part_record();
    commands_->BuildTree(path.c_str());
    commands_->m_builtItemCount = list_.GetItemCount();
}

void NativeViewManager::Refresh() {
    if (!commands_ || !commands_->AcceptsCommands())
        return;
    HostSessionBracket bracket;
    if (!bracket.IsOpen())
        return;
    if (commands_->m_highlightedRow >= 0)
        commands_->ApplyHighlight(commands_->m_highlightedRow, 0);
    commands_->m_highlightedRow = -1;
    list_.ResetTree();
    ViewConfig config{};
    const int result = ReadViewConfig(configPath_.c_str(), &config);
    if (result == kViewConfigFormatError)
        uc1601("file format error!", 1);
    if (result != kViewConfigRead)
        return;
    ReleaseViewConfig(&config);
    commands_->ReleaseRowTables();
    Build(configPath_);
}

void NativeViewManager::Switch() {
    if (!commands_ || !commands_->AcceptsCommands())
        return;
    HostSessionBracket bracket;
    if (!bracket.IsOpen())
        return;
    commands_->m_treeMode = commands_->m_treeMode == kAttributeTree ? 0 : kAttributeTree;
    if (commands_->m_highlightedRow >= 0)
        commands_->ApplyHighlight(commands_->m_highlightedRow, 0);
    Refresh();
}
