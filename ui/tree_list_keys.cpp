// The keys of a tree view on the tree list: they move the focus and open or
// close rows. Where a key leads is decided by model/tree_keys.
#include "model/tree_keys.h"
#include "ui/tree_list_ctrl.h"

#include <optional>

namespace {

std::optional<TreeKey> treeKey(UINT key) {
    switch (key) {
    case VK_UP:
        return TreeKey::kUp;
    case VK_DOWN:
        return TreeKey::kDown;
    case VK_HOME:
        return TreeKey::kHome;
    case VK_END:
        return TreeKey::kEnd;
    case VK_PRIOR:
        return TreeKey::kPageUp;
    case VK_NEXT:
        return TreeKey::kPageDown;
    case VK_LEFT:
        return TreeKey::kLeft;
    case VK_RIGHT:
        return TreeKey::kRight;
    case VK_ADD:
        return TreeKey::kExpand;
    case VK_SUBTRACT:
        return TreeKey::kCollapse;
    case VK_MULTIPLY:
        return TreeKey::kExpandAll;
    default:
        return std::nullopt;
    }
}

bool held(int key) {
    return GetKeyState(key) < 0;
}

} // namespace

class TreeListCtrl::KeyRows : public ShownTree {
  public:
    explicit KeyRows(const TreeListCtrl& list) : m_list(list) {}
    int ShownCount() const override { return m_list.CListCtrl::GetItemCount(); }
    int ShownLevel(int position) const override {
        return m_list.GetItemLevel(m_list.ItemAt(position));
    }
    bool ShownHasChildren(int position) const override {
        return m_list.ShowsChildItems(m_list.ItemAt(position));
    }
    bool ShownExpanded(int position) const override {
        return m_list.IsExpanded(m_list.ItemAt(position));
    }

  private:
    const TreeListCtrl& m_list;
};

int TreeListCtrl::GetFocusedPosition() const {
    return static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

bool TreeListCtrl::OnKeyDown(UINT key) {
    const std::optional<TreeKey> treeKeyPressed = treeKey(key);
    if (!treeKeyPressed || held(VK_CONTROL) || held(VK_MENU))
        return false;
    const int focused = GetFocusedPosition();
    TreeKeyStep step;
    {
        Busy busy(m_busy);
        step = StepForKey(*treeKeyPressed, KeyRows(*this), focused,
                          static_cast<int>(send(LVM_GETTOPINDEX)),
                          static_cast<int>(send(LVM_GETCOUNTPERPAGE)));
    }
    switch (step.kind) {
    case TreeKeyStep::kFocus:
        if (step.position == focused)
            break;
        SetItemState(step.position, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(step.position), FALSE);
        NotifyKeyFocus(step.position);
        break;
    case TreeKeyStep::kExpand:
        ExpandItem(ItemAt(step.position));
        break;
    case TreeKeyStep::kCollapse:
        CollapseItem(ItemAt(step.position));
        break;
    case TreeKeyStep::kExpandAll:
        ExpandAll(ItemAt(step.position));
        break;
    case TreeKeyStep::kNone:
        break;
    }
    return true;
}

bool TreeListCtrl::IsMenuKey(UINT message, UINT key) {
    return (message == WM_KEYUP && key == VK_APPS) ||
           (message == WM_SYSKEYDOWN && key == VK_F10 && held(VK_SHIFT));
}

void TreeListCtrl::NotifyKeyFocus(int position) const {
    HWND owner = GetParent();
    if (!owner)
        return;
    NMITEMACTIVATE notice = {};
    notice.hdr.hwndFrom = m_hWnd;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd));
    notice.hdr.code = TLN_KEYFOCUS;
    notice.iItem = position;
    notice.iSubItem = kTreeColumn;
    SendMessageA(owner, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}
