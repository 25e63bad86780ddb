// The dialog's handlers without the window, around the commands' own steps:
// created once, each handler run as the View Manager's one handler inside
// the session bracket, Switch rebuilding through Refresh.
#include "sweep/native_view_manager.h"

#include "host/host_session_bracket.h"

void NativeViewManager::CreateOrShow() {
    if (created_)
        return;
    created_ = true;
    commands_ = std::make_unique<ViewManagerCommands>(list_, prompts_, *this);
    commands_->RunHandler([this] {
        if (commands_->FindStartingConfig(configPath_))
            commands_->BuildRows(configPath_.c_str());
    });
}

void NativeViewManager::Refresh() {
    if (commands_)
        commands_->RunHandler([this] { RefreshRows(); });
}

void NativeViewManager::Switch() {
    if (!commands_)
        return;
    commands_->RunHandler([this] {
        HostSessionBracket bracket;
        if (!bracket.IsOpen())
            return;
        commands_->ToggleTreeMode();
        RefreshRows();
    });
}

void NativeViewManager::RefreshRows() {
    HostSessionBracket bracket;
    if (!bracket.IsOpen())
        return;
    if (commands_->PrepareRebuild(configPath_.c_str()))
        commands_->BuildRows(configPath_.c_str());
}
