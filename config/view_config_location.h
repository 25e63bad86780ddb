// Where the View Manager finds its view configuration: the file name in a
// customer default, the file below a product directory.
#pragma once

#include <cstddef>

constexpr char kViewConfigNameKey[] = "QVL_WIZARD_VIEW_MANAGER";
constexpr char kViewConfigDirectory[] = "/configuration/xml_files";
// The product directories, tried in this order.
constexpr const char* kViewManagerProductVariables[] = {"KORVELTAND_DIR", "KORVELTAND_LIB_DIR"};
// The callers' buffers for the file name and the path.
constexpr size_t kViewConfigNameSize = 255;
constexpr size_t kViewConfigPathSize = 255;

// Finds the file of that name below the product directories in their order;
// where a product directory lacks it, below the base directory's copy of
// the product. The command and its dialog both look here, so that the
// dialog opens the file the command checked. True with the path in path.
bool find_view_config_file(const char* name, char* path, size_t pathSize);
