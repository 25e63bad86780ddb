#include "ui/tree_list_ctrl.h"

#include "model/cell_words.h"
#include "ui/fit_text.h"
#include "ui/tree_list_accessible.h"

#include <windowsx.h>

#include <algorithm>
#include <set>
#include <utility>

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

// Requests that read a shown row's text.
bool isTextRequest(UINT message) {
    switch (message) {
    case LVM_GETITEMTEXTA:
    case LVM_GETITEMTEXTW:
    case LVM_GETITEMA:
    case LVM_GETITEMW:
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

// Requests that change the list. They come from the dialog's own thread:
// from another one the item they point at may be anywhere, and the shown rows
// would no longer be the model's.
bool changesTheList(UINT message) {
    return (isItemRequest(message) && message != LVM_GETITEMCOUNT) || isColumnRequest(message);
}

// The item a request names; the ANSI and wide item structures agree on it.
template <class Item> int requestedItem(LPARAM lParam) {
    return lParam ? reinterpret_cast<const Item*>(lParam)->iItem : -1;
}

// A request to append an item at index with text.
LVITEMA appendRequest(int index, const char* text) {
    LVITEMA request = {};
    request.mask = LVIF_TEXT;
    request.iItem = index;
    request.pszText = const_cast<char*>(text ? text : "");
    return request;
}

// SetItemParent reaches the list's bookkeeping under this code.
constexpr UINT kSetParentCode = WM_USER + 1;

} // namespace

TreeListCtrl::TreeListCtrl() {
    m_itemColor.fill(0x00FF0000u);
}

void TreeListCtrl::PreSubclassWindow() {
    CellListCtrl::PreSubclassWindow();
    // Hidden; a report view, as it keeps its items in a plain sequence
    // instead of arranging them as icons.
    m_allItems.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER, RECT{},
                        m_hWnd, kCompleteListId);
    // Never drawn: without this it would update its scroll bars on every
    // item it takes.
    if (m_allItems.m_hWnd)
        SendMessageA(m_allItems.m_hWnd, WM_SETREDRAW, FALSE, 0);
}

LRESULT TreeListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (changesTheList(message) && InSendMessage())
        return message == LVM_INSERTITEMA || message == LVM_INSERTITEMW ? -1 : FALSE;
    if (m_busy == 0 && isTextRequest(message))
        return AnswerTextRequest(message, wParam, lParam);
    if (m_busy == 0 && isItemRequest(message))
        return OnListMessage(message, wParam, lParam, SendToCompleteList(message, wParam, lParam));
    if (m_busy == 0 && isColumnRequest(message) && m_allItems.m_hWnd)
        SendMessageA(m_allItems.m_hWnd, message, wParam, lParam);
    switch (message) {
    case WM_SETREDRAW: {
        m_drawing = wParam != FALSE;
        const LRESULT result = CellListCtrl::WindowProc(message, wParam, lParam);
        // The list view scrolls only while it draws.
        if (m_drawing && m_pendingTopItem >= 0)
            ScrollItemToTop(std::exchange(m_pendingTopItem, -1));
        return result;
    }
    case WM_GETOBJECT:
        if (LRESULT answer = AnswerAccessibleRequest(wParam, lParam))
            return answer;
        break;
    case WM_DESTROY:
        m_accessible.reset();
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
        // The menu key on its release, as the system does, and Shift+F10,
        // before F10 can reach the menu bar; the parent shows the menu of
        // the focused row.
        if (IsMenuKey(message, static_cast<UINT>(wParam))) {
            SendMessageA(m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), -1);
            return 0;
        }
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
        // The shown row of the item, if any, draws the new texts.
        const int item = code == LVM_SETITEMA   ? requestedItem<LVITEMA>(lParam)
                         : code == LVM_SETITEMW ? requestedItem<LVITEMW>(lParam)
                                                : static_cast<int>(wParam);
        const int position = FindItemByData(item);
        if (result && position >= 0)
            CListCtrl::RedrawItems(position, position);
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

LRESULT TreeListCtrl::AnswerTextRequest(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool wholeItem = message == LVM_GETITEMA || message == LVM_GETITEMW;
    auto* request = reinterpret_cast<LVITEMA*>(lParam);
    if (!request)
        return wholeItem ? FALSE : 0;
    // The list view may point pszText at its own copy: the words go into
    // the caller's buffer.
    char* const buffer = request->pszText;
    const int bufferSize = request->cchTextMax;
    LRESULT result = 0;
    if (wholeItem) {
        result = CellListCtrl::WindowProc(message, wParam, lParam);
        request->pszText = buffer;
        if (!result || !(request->mask & LVIF_TEXT))
            return result;
    }
    if (!buffer || bufferSize <= 0)
        return result;
    char words[kCellTextSize] = "";
    GetReaderText(wholeItem ? request->iItem : static_cast<int>(wParam), request->iSubItem, words,
                  sizeof words);
    int length = 0;
    if (message == LVM_GETITEMTEXTW || message == LVM_GETITEMW) {
        wchar_t wide[kCellTextSize] = L"";
        MultiByteToWideChar(CP_ACP, 0, words, -1, wide, kCellTextSize);
        auto* wideBuffer = reinterpret_cast<wchar_t*>(buffer);
        lstrcpynW(wideBuffer, wide, bufferSize);
        length = lstrlenW(wideBuffer);
    } else {
        lstrcpynA(buffer, words, bufferSize);
        length = lstrlenA(buffer);
    }
    return wholeItem ? result : length;
}

void TreeListCtrl::GetReaderText(int position, int column, char* text, int size) {
    if (size <= 0)
        return;
    text[0] = '\0';
    Busy busy(m_busy);
    if (position < 0 || position >= CListCtrl::GetItemCount() || column < 0)
        return;
    if (column != kTreeColumn) {
        const int item = ItemAt(position);
        DescribeCellState(
            {column, GetItemBitmapId(item, column), GetItemColor(item), GetItemNumber(item)}, text,
            static_cast<size_t>(size));
        if (text[0] != '\0')
            return;
    }
    // The label, and a cell without a state to tell, read as the text shown.
    char shown[kCellTextSize] = "";
    lstrcpynA(text, GetShownCellText(position, column, shown, sizeof shown), size);
}

int TreeListCtrl::AppendItem(const char* text) {
    if (!m_hWnd)
        return -1;
    LVITEMA request = appendRequest(GetItemCount(), text);
    return static_cast<int>(
        SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request)));
}

int TreeListCtrl::AppendChildItem(const char* text, int parent) {
    if (!m_hWnd)
        return -1;
    Busy busy(m_busy);
    LVITEMA request = appendRequest(m_links.ItemCount(), text);
    const int item = static_cast<int>(
        SendToCompleteList(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request)));
    if (item < 0)
        return item;
    m_links.AppendItem();
    // Linked before it is shown: under a collapsed parent it never gets a
    // row. An item that cannot be linked shows at the end, as appended.
    if (m_links.CanLink(item, parent))
        PlaceLinkedItem(item, parent);
    else
        InsertShownRow(CListCtrl::GetItemCount(), item);
    return item;
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

    // An item is linked right after it is appended: its row is the last.
    const int position = FindShownPosition(item, CListCtrl::GetItemCount() - 1);
    if (position >= 0) {
        RemoveShownDescendants(position, item);
        DeleteItem(position);
    }
    PlaceLinkedItem(item, parent);
}

void TreeListCtrl::PlaceLinkedItem(int item, int parent) {
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
    // While the list does not draw, whoever turns drawing back on repaints
    // it once: a build links thousands of items.
    if (m_drawing)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void TreeListCtrl::InsertShownRow(int position, int item) {
    InsertItem(position, "", item);
}

void TreeListCtrl::GetStoredText(int position, int column, char* text, int size) const {
    m_allItems.GetItemText(ItemAt(position), column, text, size);
}

int TreeListCtrl::FindShownPosition(int item, int guess) const {
    if (guess >= 0 && guess < CListCtrl::GetItemCount() && ItemAt(guess) == item)
        return guess;
    return FindItemByData(item);
}

void TreeListCtrl::ExpandItem(int item) {
    Busy busy(m_busy);
    ExpandShownItem(item, FindItemByData(item));
}

void TreeListCtrl::ExpandShownItem(int item, int position) {
    if (!ShowsChildItems(item) || m_links.IsExpanded(item) || position < 0)
        return;
    m_links.MarkExpanded(item);
    {
        DrawnOnce drawnOnce(*this);
        int below = position;
        for (int child : m_links.ShownChildren(item))
            InsertShownRow(++below, child);
    }
    CListCtrl::RedrawItems(position, position);
    NotifyRowChanged(EVENT_OBJECT_STATECHANGE, position);
}

void TreeListCtrl::CollapseItem(int item) {
    Busy busy(m_busy);
    if (!ShowsChildItems(item) || !m_links.IsExpanded(item))
        return;
    m_links.ForgetExpanded(item);
    const int position = FindItemByData(item);
    if (position < 0)
        return;
    {
        DrawnOnce drawnOnce(*this);
        RemoveShownDescendants(position, item);
    }
    CListCtrl::RedrawItems(position, position);
    NotifyRowChanged(EVENT_OBJECT_STATECHANGE, position);
}

void TreeListCtrl::RemoveShownDescendants(int position, int item) {
    // The shown descendants are the rows right below, each one's parent
    // being item or a row before it in the run.
    std::set<int> inRun = {item};
    const int shownCount = CListCtrl::GetItemCount();
    int last = position;
    while (last + 1 < shownCount) {
        const int below = ItemAt(last + 1);
        if (inRun.count(m_links.ParentOf(below)) == 0)
            break;
        inRun.insert(below);
        m_links.ForgetExpanded(below);
        ++last;
    }
    // From the bottom up, so that no row moves before it goes.
    for (int doomed = last; doomed > position; --doomed)
        DeleteItem(doomed);
}

TreeListCtrl::DrawnOnce::DrawnOnce(TreeListCtrl& list) : m_list(list.m_drawing ? &list : nullptr) {
    if (m_list)
        SendMessageA(m_list->m_hWnd, WM_SETREDRAW, FALSE, 0);
}

TreeListCtrl::DrawnOnce::~DrawnOnce() {
    if (!m_list)
        return;
    SendMessageA(m_list->m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list->m_hWnd, nullptr, TRUE);
}

void TreeListCtrl::ExpandAllExcept(int item, const std::vector<bool>& keptCollapsed) {
    Busy busy(m_busy);
    DrawnOnce drawnOnce(*this);
    // The walk goes on only through expanded items, in the order of their
    // rows: each item's row is the one after the item visited before it.
    // Below an item without a row nothing shows. -1 stands above the
    // top-level items.
    int previousPosition = -2;
    m_links.WalkBelow(item, [&](int next) {
        if (next < 0)
            return true;
        const int position = FindShownPosition(next, previousPosition + 1);
        if (position < 0)
            return false;
        previousPosition = position;
        if (static_cast<size_t>(next) < keptCollapsed.size() && keptCollapsed[next])
            return false;
        ExpandShownItem(next, position);
        return m_links.IsExpanded(next);
    });
}

void TreeListCtrl::FilterItems(std::vector<bool> left) {
    Busy busy(m_busy);
    int focused = GetFocusedItem();
    m_links.Filter(std::move(left));
    ShowItems(m_links.ShownItems());
    while (focused >= 0 && FindItemByData(focused) < 0)
        focused = m_links.ParentOf(focused);
    if (focused < 0)
        return;
    const int position = FindItemByData(focused);
    SetItemState(position, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
}

void TreeListCtrl::ShowItems(const std::vector<int>& items) {
    // Where each item comes in the tree's order, shown or not: both the
    // rows and items follow it.
    std::vector<int> place(static_cast<size_t>(m_links.ItemCount()), 0);
    int next = 0;
    m_links.WalkBelow(-1, [&](int item) {
        if (item >= 0)
            place[static_cast<size_t>(item)] = next++;
        return true;
    });
    DrawnOnce drawnOnce(*this);
    int shownCount = CListCtrl::GetItemCount();
    int position = 0;
    for (int item : items) {
        while (position < shownCount &&
               place[static_cast<size_t>(ItemAt(position))] < place[static_cast<size_t>(item)]) {
            DeleteItem(position);
            --shownCount;
        }
        if (position < shownCount && ItemAt(position) == item) {
            ++position;
            continue;
        }
        InsertShownRow(position++, item);
        ++shownCount;
    }
    while (shownCount > position)
        DeleteItem(--shownCount);
    NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

int TreeListCtrl::GetFocusedItem() const {
    const int position = GetFocusedPosition();
    return position >= 0 ? ItemAt(position) : -1;
}

int TreeListCtrl::GetTopItem() const {
    if (CListCtrl::GetItemCount() == 0)
        return -1;
    return ItemAt(static_cast<int>(SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0)));
}

void TreeListCtrl::FocusItem(int item) {
    const int position = FindItemByData(item);
    if (position >= 0)
        SetItemState(position, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void TreeListCtrl::ScrollItemToTop(int item) {
    if (!m_drawing) {
        m_pendingTopItem = item;
        return;
    }
    const int position = FindItemByData(item);
    RECT bounds = {};
    if (position < 0 || !GetItemRect(0, &bounds, LVIR_BOUNDS))
        return;
    const int top = static_cast<int>(SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0));
    SendMessageA(m_hWnd, LVM_SCROLL, 0, (position - top) * (bounds.bottom - bounds.top));
}

int TreeListCtrl::GetAncestorItems(int item, std::vector<int>* ancestors) const {
    *ancestors = m_links.GetAncestorItems(item);
    return static_cast<int>(ancestors->size());
}

void TreeListCtrl::SetItemImage(int item, int column, int bitmapId) {
    SetItemImage(item, column, bitmapId, kCellImageWidth, kCellImageHeight, 0);
}

uint32_t TreeListCtrl::GetItemColor(int item) const {
    return IsTableItem(item) ? m_itemColor[static_cast<size_t>(item)] : 0;
}

void TreeListCtrl::SetItemColor(int item, uint32_t color) {
    if (IsTableItem(item))
        m_itemColor[static_cast<size_t>(item)] = color;
}

int TreeListCtrl::GetItemNumber(int item) const {
    return CellListCtrl::GetItemNumber(item);
}

void TreeListCtrl::SetItemNumber(int item, int number) {
    CellListCtrl::SetItemNumber(item, number);
}

void TreeListCtrl::RedrawItems(int first, int last) {
    // Only the page can need drawing: a command over thousands of rows would
    // otherwise have the system invalidate each row that is off it. The
    // row partly shown below the page is on it.
    const int top = GetTopIndex();
    const int from = std::max(first, top);
    const int to = std::min(last, top + GetCountPerPage());
    if (from <= to)
        CListCtrl::RedrawItems(from, to);
    // The commands redraw the rows whose states they changed; a reader
    // hears the focused one again.
    const int focused = GetFocusedPosition();
    if (focused >= first && focused <= last)
        NotifyRowChanged(EVENT_OBJECT_DESCRIPTIONCHANGE, focused);
}

IAccessible* TreeListCtrl::GetAccessibleObject() {
    if (!m_accessible)
        m_accessible.reset(TreeListAccessible::Create(*this));
    if (!m_accessible)
        return nullptr;
    m_accessible->AddRef();
    return m_accessible.get();
}

LRESULT TreeListCtrl::AnswerAccessibleRequest(WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT)
        return 0;
    IAccessible* accessible = GetAccessibleObject();
    if (!accessible)
        return 0;
    const LRESULT answer = LresultFromObject(IID_IAccessible, flags, accessible);
    accessible->Release();
    // A failure (COM not started on this thread) leaves the request to
    // the list view.
    return answer > 0 ? answer : 0;
}

void TreeListCtrl::NotifyRowChanged(DWORD event, int position) const {
    // A list view's child ids count its rows from 1.
    NotifyWinEvent(event, m_hWnd, OBJID_CLIENT, position + 1);
}

void TreeListCtrl::DisconnectAccessible::operator()(TreeListAccessible* accessible) const {
    accessible->Disconnect();
    accessible->Release();
}
