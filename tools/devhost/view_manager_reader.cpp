#include "tools/devhost/view_manager_reader.h"

#include "res/resource.h"

#include <commctrl.h>

namespace devhost {

namespace {

// Only the View Manager answers the probe; other windows give 0.
BOOL CALLBACK findAnswering(HWND window, LPARAM found) {
    if (SendMessageA(window, ShownRowsMessage(), 0, 0) == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

std::string windowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Which of the View Manager's controls a designer types into now: "list",
// "filter", or empty for any other window.
std::string focusedControl(HWND viewManager) {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != viewManager)
        return "";
    switch (GetDlgCtrlID(focus)) {
    case IDC_TREE_LIST:
        return "list";
    case IDC_FILTER:
        return "filter";
    default:
        return "";
    }
}

nlohmann::json columnHeadings(HWND list) {
    nlohmann::json headings = nlohmann::json::array();
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column) {
        char text[256] = "";
        LVCOLUMNA request = {};
        request.mask = LVCF_TEXT;
        request.pszText = text;
        request.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&request));
        headings.push_back(text);
    }
    return headings;
}

nlohmann::json rowJson(const ShownRowState& row) {
    nlohmann::json images = nlohmann::json::array();
    for (int id : row.images)
        images.push_back(id != 0 ? nlohmann::json(id) : nlohmann::json(nullptr));
    return {{"item", row.item},
            {"label", row.label},
            {"level", row.level},
            {"hasChildren", row.hasChildren != 0},
            {"expanded", row.expanded != 0},
            {"images", images},
            {"color", row.color},
            {"count", row.count}};
}

// Where a control sits in the dialog's client area: [left, top, right, bottom].
nlohmann::json placeOf(HWND viewManager, int id) {
    RECT place = {};
    HWND control = GetDlgItem(viewManager, id);
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, viewManager, reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right, place.bottom};
}

nlohmann::json layoutOf(HWND viewManager) {
    RECT frame = {};
    GetWindowRect(viewManager, &frame);
    return {{"size", {frame.right - frame.left, frame.bottom - frame.top}},
            {"list", placeOf(viewManager, IDC_TREE_LIST)},
            {"highlight", placeOf(viewManager, IDC_HIGHLIGHT)},
            {"filter", placeOf(viewManager, IDC_FILTER)},
            {"filterCount", placeOf(viewManager, IDC_FILTER_COUNT)},
            {"refresh", placeOf(viewManager, IDC_REFRESH)},
            {"switch", placeOf(viewManager, IDC_SWITCH)},
            {"close", placeOf(viewManager, IDCANCEL)}};
}

} // namespace

HWND FindViewManager() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findAnswering, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<ShownRowState> ReadShownRows(HWND viewManager) {
    const auto* shown =
        reinterpret_cast<const ShownRows*>(SendMessageA(viewManager, ShownRowsMessage(), 0, 0));
    if (!shown)
        return {};
    return std::vector<ShownRowState>(shown->rows, shown->rows + shown->count);
}

nlohmann::json DescribeViewManager(HWND viewManager) {
    if (!viewManager)
        return nullptr;
    HWND list = GetDlgItem(viewManager, IDC_TREE_LIST);
    nlohmann::json rows = nlohmann::json::array();
    for (const ShownRowState& row : ReadShownRows(viewManager))
        rows.push_back(rowJson(row));
    return {
        {"visible", IsWindowVisible(viewManager) != 0},
        {"title", windowText(viewManager)},
        {"switchButton", windowText(GetDlgItem(viewManager, IDC_SWITCH))},
        {"highlightChecked", IsDlgButtonChecked(viewManager, IDC_HIGHLIGHT) == BST_CHECKED},
        {"columns", columnHeadings(list)},
        // The list counts every item, shown or not.
        {"itemCount", SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)},
        {"filter", windowText(GetDlgItem(viewManager, IDC_FILTER))},
        {"filterCount", windowText(GetDlgItem(viewManager, IDC_FILTER_COUNT))},
        {"shownRowCount", rows.size()},
        {"focus", focusedControl(viewManager)},
        {"rows", rows},
        // Shown rows by their place in rows; -1 for none.
        {"focusedRow", SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)},
        {"topRow", rows.empty() ? -1 : SendMessageA(list, LVM_GETTOPINDEX, 0, 0)},
        {"layout", layoutOf(viewManager)}};
}

bool CellPoint(HWND viewManager, int row, int column, POINT* point) {
    const LRESULT found = SendMessageA(viewManager, CellPointMessage(), static_cast<WPARAM>(row),
                                       static_cast<LPARAM>(column));
    if (found == -1)
        return false;
    *point = {static_cast<short>(LOWORD(found)), static_cast<short>(HIWORD(found))};
    return true;
}

} // namespace devhost
