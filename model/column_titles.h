// The titles of the list's columns: the label column's by tree mode, then
// those of the command and count columns in column order.
#pragma once

#include "model/row_model.h"

constexpr const char* kCommandColumnTitles[] = {"Blank/Unblank",   "Isolate",    "Color",
                                                "Freeze/Unfreeze", "Open/Close", "Attribute Count"};

inline const char* LabelColumnTitle(TreeMode treeMode) {
    return treeMode == TreeMode::kAttribute ? "Attribute Name" : "Customized Name";
}
