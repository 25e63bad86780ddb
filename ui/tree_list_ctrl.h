// The View Manager's list as a tree: items hang under parent items, only
// the items whose ancestors are all expanded are shown, column 0 draws the
// tree's lines and boxes and column 3 a colour swatch. It is the Windows
// implementation of the TreeList that tree building and the commands use.
//
// The control keeps every item in a hidden complete list (its child window
// 0x1111), where an item's index never changes, with the items' texts; a
// shown row holds only its item index as item data. The list view's own item
// requests sent to the control go to the complete list, column requests to
// both lists, and text requests about shown rows get a screen reader's words.
#pragma once

#include "model/tree_links.h"
#include "model/tree_list.h"
#include "ui/cell_list_ctrl.h"
#include "ui/tree_cell_layout.h"
#include "wnd/common_controls.h"

#include <oleacc.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the control tells its parent, as a WM_NOTIFY with an NMITEMACTIVATE,
// when a key of the tree moved the focus onto shown row iItem.
constexpr UINT TLN_KEYFOCUS = 0x5401;

constexpr int kCompleteListId = 0x1111;
constexpr int kTreeColumn = 0;
constexpr int kColorColumn = 3;

class TreeListAccessible;

class TreeListCtrl : public CellListCtrl, public TreeList {
  public:
    TreeListCtrl();

    int AppendItem(const char* text) override;
    int GetItemCount() const override;
    void ResetTree() override;
    void SetItemParent(int item, int parent) override;
    int AppendChildItem(const char* text, int parent) override;
    void ExpandAllExcept(int item, const std::vector<bool>& keptCollapsed) override;
    bool HasChildItems(int item) const override { return m_links.HasChildItems(item); }
    // Has children that show: the filter may leave none.
    bool ShowsChildItems(int item) const { return m_links.HasShownChildItems(item); }
    int GetFirstChildItem(int parent) override { return m_links.GetFirstChildItem(parent); }
    int GetNextChildItem() override { return m_links.GetNextChildItem(); }
    using CellListCtrl::SetItemImage;
    void SetItemImage(int item, int column, int bitmapId) override;
    int GetItemImage(int item, int column) const override { return GetItemBitmapId(item, column); }
    uint32_t GetItemColor(int item) const override;
    void SetItemColor(int item, uint32_t color) override;
    int GetItemNumber(int item) const override;
    void SetItemNumber(int item, int number) override;
    void RedrawItems(int first, int last) override;
    int GetFocusedItem() const override;
    int GetTopItem() const override;
    void FocusItem(int item) override;
    void ScrollItemToTop(int item) override;

    // Show or hide the children of an item that has a shown row.
    void ExpandItem(int item);
    void CollapseItem(int item);
    bool IsExpanded(int item) const override { return m_links.IsExpanded(item); }
    bool IsExpandedUnfiltered(int item) const override {
        return m_links.IsExpandedUnfiltered(item);
    }
    // The shown rows become those the filter leaves. The focus stays on its
    // item, or goes to the nearest row above it that still shows.
    void FilterItems(std::vector<bool> left) override;
    bool IsLastShownChildItem(int item) const { return m_links.IsLastShownChildItem(item); }
    // The ancestors from the top-level one down to the parent; their number.
    int GetAncestorItems(int item, std::vector<int>* ancestors) const;
    int GetItemLevel(int item) const { return m_links.GetItemLevel(item); }
    // True on the box area of column 0 of an item with children.
    bool IsOnExpandBox(POINT point) const;
    // The middle of the box of a shown row whose item has children; false
    // for any other row.
    bool GetExpandBoxPoint(int position, POINT* point) const;
    // The rows shown now; GetItemCount counts every item.
    int GetShownRowCount();
    // The position of the shown row that has the keyboard focus, or -1.
    int GetFocusedPosition() const;
    // What a screen reader hears for a shown row's cell (into size bytes):
    // the label without its picture index, a state in words, the count.
    // Text requests from outside the control get these words; the stored
    // texts stay the drawing's.
    void GetReaderText(int position, int column, char* text, int size);
    // The object that accessibility clients get for the list (WM_GETOBJECT),
    // with a reference for the caller; nullptr when it cannot be made.
    IAccessible* GetAccessibleObject();
    void HideTooltip();

    // Where column 0's parts go in a shown row; false for no such row.
    bool GetTreeCellLayout(int position, TreeCellLayout* layout) const;
    // Column 0's picture and label start right of the tree's graphics.
    bool GetCellContentRect(int position, int column, RECT* rect) const override;

  protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawCell(HDC dc, const RECT& rect, int format, int position, int column) override;
    // Shown rows hold no texts: they are their items' in the complete list.
    void GetStoredText(int position, int column, char* text, int size) const override;
    // What follows an item request once the complete list has answered it.
    virtual LRESULT OnListMessage(UINT code, WPARAM wParam, LPARAM lParam, LRESULT result);

  private:
    // While raised, the control's own requests reach the shown rows.
    class Busy {
      public:
        explicit Busy(uint16_t& busy) : m_busy(busy) { ++m_busy; }
        ~Busy() { --m_busy; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

      private:
        uint16_t& m_busy;
    };

    // Rows inserted into or deleted from a list that is drawing each update
    // its scroll bars and scroll what is below them; while this lives the
    // list draws nothing, and it is drawn once afterwards. A caller that
    // suspended drawing keeps it suspended.
    class DrawnOnce {
      public:
        explicit DrawnOnce(TreeListCtrl& list);
        ~DrawnOnce();
        DrawnOnce(const DrawnOnce&) = delete;
        DrawnOnce& operator=(const DrawnOnce&) = delete;

      private:
        TreeListCtrl* m_list;
    };

    LRESULT SendToCompleteList(UINT message, WPARAM wParam, LPARAM lParam);
    // LVM_GETITEMTEXT and LVM_GETITEM (ANSI or wide) answered with the
    // reader's words.
    LRESULT AnswerTextRequest(UINT message, WPARAM wParam, LPARAM lParam);
    void LinkItem(int item, int parent);
    // Links an item that has no shown row, showing it under its parent
    // when the parent is expanded.
    void PlaceLinkedItem(int item, int parent);
    void RemoveAllItems();
    // A shown row for item at position.
    void InsertShownRow(int position, int item);
    // The position of item, tried at guess first; -1 when it is not shown.
    int FindShownPosition(int item, int guess) const;
    // Shows the children of item, shown at position, if it is shown.
    void ExpandShownItem(int item, int position);
    // Removes the shown rows of item's descendants below its position.
    void RemoveShownDescendants(int position, int item);
    // Makes the shown rows items, in the tree's order, inserting and
    // deleting only the rows that differ.
    void ShowItems(const std::vector<int>& items);
    // The accessible object of the list (WM_GETOBJECT), 0 to leave the
    // request to the list view.
    LRESULT AnswerAccessibleRequest(WPARAM flags, LPARAM objectId);
    // Tells accessibility clients that a shown row's state or
    // description changed.
    void NotifyRowChanged(DWORD event, int position) const;

    // The layout of column 0 drawn in text for item.
    TreeCellLayout LayoutOf(const RECT& text, int item) const;
    // ancestors: item's, from the top-level one down.
    void DrawTreeGraphics(HDC dc, const RECT& text, int item, const std::vector<int>& ancestors,
                          const TreeCellLayout& layout) const;
    void DrawColorSwatch(HDC dc, const RECT& rect, int item) const;
    void OnLButtonDown(POINT point);
    // A key of a tree view; false when the list view is to have it.
    bool OnKeyDown(UINT key);
    static bool IsMenuKey(UINT message, UINT key);
    // The keys' view of the shown rows.
    class KeyRows;
    void NotifyKeyFocus(int position) const;
    // False when the move must not reach the list view.
    bool OnMouseMove(POINT point);
    bool EnsureTooltip();
    void ShowTooltip(POINT screenPoint, const char* text);
    TTTOOLINFOA Tool();

    // Indexed by item: the colour of the swatch, as 0x00BBGGRR; blue until
    // the dialog writes it.
    std::array<uint32_t, MAX_ROWS> m_itemColor;
    CListCtrl m_allItems;
    TreeLinks m_links;
    uint16_t m_busy = 0;
    // False while WM_SETREDRAW has suspended drawing.
    bool m_drawing = true;
    // The item ScrollItemToTop was given while the list did not draw.
    int m_pendingTopItem = -1;
    std::unique_ptr<CToolTipCtrl> m_toolTip;
    std::string m_toolTipText;
    // Disconnected before its reference goes: a client may hold it longer.
    struct DisconnectAccessible {
        void operator()(TreeListAccessible* accessible) const;
    };
    std::unique_ptr<TreeListAccessible, DisconnectAccessible> m_accessible;
};
