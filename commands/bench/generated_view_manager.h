// The View Manager over the generated die (model/bench/generated_die.h), as
// the benchmarks of the commands use it: the commands on a memory tree
// list, built as the dialog builds, prompts that are never asked.
#pragma once

#include "commands/view_manager_commands.h"
#include "model/memory_tree_list.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class GeneratedViewManager : public CommandPrompts, public ViewManagerWindow {
  public:
    // Loads the die of that many parts into the host; Error() tells why
    // when it could not.
    explicit GeneratedViewManager(int parts);
    // Builds the rows as the dialog does; false when the die was not loaded.
    bool Build();

    ViewManagerCommands* Commands() { return commands_.get(); }
    const std::string& Error() const { return error_; }

    // The seams: nothing is asked or painted; destroying deletes the
    // commands and their list.
    std::optional<uint32_t> AskColor() override { return std::nullopt; }
    int ConfirmClose() override { return CONFIRM_CANCEL; }
    std::optional<int> ChooseRowCommand(const std::vector<RowMenuEntry>&, int, int) override {
        return std::nullopt;
    }
    void InvalidateWindow() override {}
    void CopyShownRows() override {}
    void DestroyViewManager() override {
        commands_.reset();
        list_.reset();
    }

  private:
    std::unique_ptr<MemoryTreeList> list_;
    std::unique_ptr<ViewManagerCommands> commands_;
    bool loaded_ = false;
    std::string error_;
};
