// The View Manager without its window: what the dialog does natively when
// the command creates it (find the configuration, build the rows), on
// Refresh and Switch, and when it is closed. The rows live in a memory tree
// list; the prompts are scripted.
#pragma once

#include "commands/view_manager_commands.h"
#include "entry/view_manager_command.h"
#include "model/memory_tree_list.h"
#include "model/row_table.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class ScriptedAnswers : public CommandPrompts {
  public:
    std::optional<uint32_t> AskColor() override { return color; }
    int ConfirmClose() override { return answer; }
    std::optional<int> ChooseRowCommand(const std::vector<RowMenuEntry>&, int, int) override {
        return std::nullopt;
    }

    std::optional<uint32_t> color;
    int answer = CONFIRM_CANCEL;
};

class NativeViewManager : public ViewManagerDialogStep, public ViewManagerWindow {
  public:
    // Creates the View Manager once per object; a later call only "shows"
    // it.
    void CreateOrShow() override;
    void Refresh();
    void Switch();

    // The commands, none before the command created them or after a close.
    ViewManagerCommands* Commands() { return commands_.get(); }
    ScriptedAnswers& Prompts() { return prompts_; }
    MemoryTreeList& List() { return list_; }

    // The window seam: nothing to paint; destroying deletes the commands.
    void InvalidateWindow() override {}
    void DestroyViewManager() override { commands_.reset(); }
    // Keeps the table, as the window's clipboard would.
    void CopyShownRows() override { copied_ = RowsAsTable(commands_->Model(), list_.ShownItems()); }
    const std::string& Copied() const { return copied_; }

  private:
    // Refresh inside a running handler.
    void RefreshRows();

    MemoryTreeList list_;
    ScriptedAnswers prompts_;
    std::unique_ptr<ViewManagerCommands> commands_;
    std::string configPath_;
    std::string copied_;
    bool created_ = false;
};
