// The View Manager as the development host sees it: found among the
// thread's windows, read through its controls and its probe messages.
#pragma once

#include "ui/view_manager_probe.h"

#include <nlohmann/json.hpp>
#include <windows.h>

#include <string>
#include <vector>

namespace devhost {

// The View Manager's window, or null when the process has none.
HWND FindViewManager();

// The shown rows in display order.
std::vector<ShownRowState> ReadShownRows(HWND viewManager);

// The View Manager as the dump shows it; null for no window. Besides the
// rows it gives the window's outer size and where the list and the buttons
// sit ("layout").
nlohmann::json DescribeViewManager(HWND viewManager);

// Scrolls the shown row into view and gives the middle of its cell (column
// 0 to 6, or kExpandBoxColumn for its box) in the list's client
// coordinates; false when the row has no such cell.
bool CellPoint(HWND viewManager, int row, int column, POINT* point);

} // namespace devhost
