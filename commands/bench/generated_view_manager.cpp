#include "commands/bench/generated_view_manager.h"

#include "model/bench/generated_die.h"
#include "record/work_part_record.h"

GeneratedViewManager::GeneratedViewManager(int parts) : loaded_(LoadGeneratedDie(parts, &error_)) {}

bool GeneratedViewManager::Build() {
    if (!loaded_)
        return false;
    const std::string config = WriteGeneratedDieConfig(std::string(VM_BINARY_DIR) + "/bench");
    list_ = std::make_unique<MemoryTreeList>();
    commands_ = std::make_unique<ViewManagerCommands>(*list_, *this, *this);
    set_up_work_part_record();
    commands_->Model().BuildTree(config.c_str());
    return true;
}
