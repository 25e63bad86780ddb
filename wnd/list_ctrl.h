// The list-view control: a window object with the list view's requests as
// calls. Every call is a message to the control's own window.
#pragma once

#include "wnd/window.h"

#include <commctrl.h>

class CListCtrl : public CWnd {
  public:
    int GetItemCount() const { return static_cast<int>(send(LVM_GETITEMCOUNT)); }
    int InsertColumn(int column, const char* heading, int format, int width) const;
    // Format and width of a column; false when there is no such column.
    bool GetColumn(int column, int* format, int* width) const;

    int InsertItem(int item, const char* text, LPARAM data) const;
    bool DeleteItem(int item) const { return send(LVM_DELETEITEM, item) != 0; }
    bool DeleteAllItems() const { return send(LVM_DELETEALLITEMS) != 0; }
    bool SetItemText(int item, int column, const char* text) const;
    // Copies at most size - 1 characters; returns the length copied.
    int GetItemText(int item, int column, char* text, int size) const;
    LPARAM GetItemData(int item) const;
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(send(LVM_GETITEMSTATE, item, mask));
    }
    bool SetItemState(int item, UINT state, UINT mask) const;
    bool GetItemRect(int item, RECT* rect, int code) const;
    // The row whose item data is data, or -1.
    int FindItemByData(LPARAM data) const;
    int SubItemHitTest(LVHITTESTINFO* hit) const {
        return static_cast<int>(send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(hit)));
    }
    bool RedrawItems(int first, int last) const { return send(LVM_REDRAWITEMS, first, last) != 0; }
    int GetTopIndex() const { return static_cast<int>(send(LVM_GETTOPINDEX)); }
    // Rows wholly inside the list's client area.
    int GetCountPerPage() const { return static_cast<int>(send(LVM_GETCOUNTPERPAGE)); }
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(send(LVM_GETHEADER)); }

  protected:
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
