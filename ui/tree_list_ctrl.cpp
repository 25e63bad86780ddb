#include "ui/tree_list_ctrl.h"

#include "ui/fit_text.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// Requests about items: they go to the complete list.
bool isItemRequest(UINT message) {
    switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW:
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_GETITEMCOUNT:
        return true;
    default:
        return false;
    }
}

// Requests about columns: both lists get them.
bool isColumnRequest(UINT message) {
    switch (message) {
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN:
    case LVM_SETCOLUMNA:
    case LVM_SETCOLUMNW:
        return true;
    default:
        return false;
    }
}

// The item a request names; the ANSI and wide item structures agree on it.
template <class Item> int requestedItem(LPARAM lParam) {
    return lParam ? reinterpret_cast<const Item*>(lParam)->iItem : -1;
}

// SetItemParent reaches the list's bookkeeping under this code.
constexpr UINT kSetParentCode = WM_USER + 1;

} // namespace

TreeListCtrl::TreeListCtrl() : m_itemColor(), m_treeTextX() {
    // Blue until the dialog writes the item's colour.
    std::fill(std::begin(m_itemColor), std::end(m_itemColor), 0x00FF0000u);
}

void TreeListCtrl::PreSubclassWindow() {
    CellListCtrl::PreSubclassWindow();
    // Hidden; a report view, as it keeps its items in a plain sequence
    // instead of arranging them as icons.
    m_allItems.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER, RECT{},
                        m_hWnd, kCompleteListId);
}

LRESULT TreeListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_busy == 0 && isItemRequest(message))
        return OnListMessage(message, wParam, lParam, SendToCompleteList(message, wParam, lParam));
    if (m_busy == 0 && isColumnRequest(message) && m_allItems.m_hWnd)
        SendMessageA(m_allItems.m_hWnd, message, wParam, lParam);
    switch (message) {
    case WM_SETREDRAW:
        m_drawing = wParam != FALSE;
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSEMOVE:
        if (!OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            return 0;
        break;
    default:
        break;
    }
    return CellListCtrl::WindowProc(message, wParam, lParam);
}

LRESULT TreeListCtrl::SendToCompleteList(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
        // Items are only appended, so that an item's index never changes,
        // and no more than the tables hold.
        const int index = message == LVM_INSERTITEMA ? requestedItem<LVITEMA>(lParam)
                                                     : requestedItem<LVITEMW>(lParam);
        if (m_links.ItemCount() >= MAX_ROWS || index < m_links.ItemCount())
            return -1;
        break;
    }
    case LVM_DELETEITEM:
        // Deleting one item would renumber every later one: refused.
        return FALSE;
    default:
        break;
    }
    return SendMessageA(m_allItems.m_hWnd, message, wParam, lParam);
}

LRESULT TreeListCtrl::OnListMessage(UINT code, WPARAM wParam, LPARAM lParam, LRESULT result) {
    Busy busy(m_busy);
    switch (code) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
        if (result >= 0) {
            m_links.AppendItem();
            InsertShownRow(CListCtrl::GetItemCount(), static_cast<int>(result));
        }
        break;
    case LVM_DELETEALLITEMS:
        RemoveAllItems();
        break;
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW:
    case LVM_SETITEMA:
    case LVM_SETITEMW: {
        // The shown row of the item, if any, takes the new texts.
        const int item = code == LVM_SETITEMA   ? requestedItem<LVITEMA>(lParam)
                         : code == LVM_SETITEMW ? requestedItem<LVITEMW>(lParam)
                                                : static_cast<int>(wParam);
        const int row = FindItemByData(item);
        if (result && row >= 0)
            CopyTexts(row, item);
        break;
    }
    case kSetParentCode:
        LinkItem(static_cast<int>(wParam), static_cast<int>(lParam));
        break;
    default:
        break;
    }
    return result;
}

int TreeListCtrl::AppendItem(const char* text) {
    if (!m_hWnd)
        return -1;
    LVITEMA request = {};
    request.mask = LVIF_TEXT;
    request.iItem = GetItemCount();
    request.pszText = const_cast<char*>(text ? text : "");
    return static_cast<int>(
        SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request)));
}

int TreeListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

int TreeListCtrl::GetShownRowCount() {
    Busy busy(m_busy);
    return CListCtrl::GetItemCount();
}

void TreeListCtrl::ResetTree() {
    Busy busy(m_busy);
    RemoveAllItems();
}

void TreeListCtrl::RemoveAllItems() {
    m_allItems.DeleteAllItems();
    DeleteAllItems();
    m_links.Reset();
}

void TreeListCtrl::SetItemParent(int item, int parent) {
    OnListMessage(kSetParentCode, static_cast<WPARAM>(item), static_cast<LPARAM>(parent), 1);
}

void TreeListCtrl::LinkItem(int item, int parent) {
    if (!m_links.CanLink(item, parent))
        return;

    const int row = FindItemByData(item);
    if (row >= 0) {
        RemoveShownDescendants(row, item);
        DeleteItem(row);
    }
    m_links.ForgetExpanded(item);
    // Under an expanded parent the item shows directly below it; a
    // top-level item shows at the end.
    if (parent < 0) {
        InsertShownRow(CListCtrl::GetItemCount(), item);
    } else if (m_links.IsExpanded(parent)) {
        const int parentRow = FindItemByData(parent);
        InsertShownRow(parentRow >= 0 ? parentRow + 1 : CListCtrl::GetItemCount(), item);
    }
    m_links.SetParent(item, parent);
    Notify(TLN_PARENTSET, item, parent);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void TreeListCtrl::InsertShownRow(int position, int item) {
    char text[kCellTextSize] = "";
    m_allItems.GetItemText(item, 0, text, sizeof text);
    const int row = InsertItem(position, text, item);
    if (row >= 0)
        CopyTexts(row, item);
}

void TreeListCtrl::CopyTexts(int row, int item) {
    const int columns = GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        char text[kCellTextSize] = "";
        m_allItems.GetItemText(item, column, text, sizeof text);
        SetItemText(row, column, text);
    }
}

void TreeListCtrl::ExpandItem(int item) {
    Busy busy(m_busy);
    if (!HasChildItems(item) || m_links.IsExpanded(item))
        return;
    const int row = FindItemByData(item);
    if (row < 0)
        return;
    m_links.MarkExpanded(item);
    int position = row;
    for (int child : m_links.Children(item))
        InsertShownRow(++position, child);
    CListCtrl::RedrawItems(row, row);
    Notify(TLN_EXPANDED, item, 0);
}

void TreeListCtrl::CollapseItem(int item) {
    Busy busy(m_busy);
    if (!HasChildItems(item) || !m_links.IsExpanded(item))
        return;
    m_links.ForgetExpanded(item);
    const int row = FindItemByData(item);
    if (row < 0)
        return;
    RemoveShownDescendants(row, item);
    CListCtrl::RedrawItems(row, row);
    Notify(TLN_COLLAPSED, item, 0);
}

void TreeListCtrl::RemoveShownDescendants(int row, int item) {
    std::vector<int> ancestors;
    while (row + 1 < CListCtrl::GetItemCount()) {
        const int below = ItemOfRow(row + 1);
        GetAncestorItems(below, &ancestors);
        if (std::find(ancestors.begin(), ancestors.end(), item) == ancestors.end())
            break;
        m_links.ForgetExpanded(below);
        DeleteItem(row + 1);
    }
}

void TreeListCtrl::ExpandAll(int item) {
    // Rows inserted into a list that is drawing each update its scroll bars;
    // the whole expansion is drawn once instead. A caller that suspended
    // drawing keeps it suspended.
    const bool drawing = m_drawing;
    if (drawing)
        SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    m_links.WalkBelow(item, [this](int next) {
        ExpandItem(next);
        return true;
    });
    if (drawing) {
        SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

int TreeListCtrl::GetAncestorItems(int item, std::vector<int>* ancestors) const {
    *ancestors = m_links.GetAncestorItems(item);
    return static_cast<int>(ancestors->size());
}

void TreeListCtrl::Notify(UINT code, int item, int parent) const {
    if (HWND owner = GetParent())
        SendMessageA(owner, code, static_cast<WPARAM>(item), static_cast<LPARAM>(parent));
}

void TreeListCtrl::SetItemImage(int item, int column, int bitmapId) {
    SetItemImage(item, column, bitmapId, kCellImageWidth, kCellImageHeight, 0);
}

uint32_t TreeListCtrl::GetItemColor(int item) const {
    return item >= 0 && item < MAX_ROWS ? m_itemColor[item] : 0;
}

void TreeListCtrl::SetItemColor(int item, uint32_t color) {
    if (item >= 0 && item < MAX_ROWS)
        m_itemColor[item] = color;
}

int TreeListCtrl::GetItemNumber(int item) const {
    return item >= 0 && item < MAX_ROWS ? m_itemNumber[item] : 0;
}

void TreeListCtrl::SetItemNumber(int item, int number) {
    if (item >= 0 && item < MAX_ROWS)
        m_itemNumber[item] = number;
}

void TreeListCtrl::RedrawItems(int first, int last) {
    CListCtrl::RedrawItems(first, last);
}
