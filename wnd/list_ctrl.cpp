#include "wnd/list_ctrl.h"

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) const {
    LVCOLUMNA request = {};
    request.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    request.fmt = format;
    request.cx = width;
    request.pszText = const_cast<char*>(heading);
    return static_cast<int>(send(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&request)));
}

bool CListCtrl::GetColumn(int column, int* format, int* width) const {
    LVCOLUMNA request = {};
    request.mask = LVCF_FMT | LVCF_WIDTH;
    if (!send(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&request)))
        return false;
    *format = request.fmt;
    *width = request.cx;
    return true;
}

int CListCtrl::InsertItem(int item, const char* text, LPARAM data) const {
    LVITEMA request = {};
    request.mask = LVIF_TEXT | LVIF_PARAM;
    request.iItem = item;
    request.pszText = const_cast<char*>(text);
    request.lParam = data;
    return static_cast<int>(send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request)));
}

bool CListCtrl::SetItemText(int item, int column, const char* text) const {
    LVITEMA request = {};
    request.iSubItem = column;
    request.pszText = const_cast<char*>(text);
    return send(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&request)) != 0;
}

int CListCtrl::GetItemText(int item, int column, char* text, int size) const {
    text[0] = '\0';
    LVITEMA request = {};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = size;
    return static_cast<int>(send(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&request)));
}

LPARAM CListCtrl::GetItemData(int item) const {
    LVITEMA request = {};
    request.mask = LVIF_PARAM;
    request.iItem = item;
    return send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request)) ? request.lParam : 0;
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) const {
    LVITEMA request = {};
    request.state = state;
    request.stateMask = mask;
    return send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&request)) != 0;
}

bool CListCtrl::GetItemRect(int item, RECT* rect, int code) const {
    rect->left = code;
    return send(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(rect)) != 0;
}

int CListCtrl::FindItemByData(LPARAM data) const {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(
        send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}
