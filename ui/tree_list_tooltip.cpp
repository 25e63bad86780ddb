// The tooltip that shows a shortened cell's full text while the pointer
// rests on it.
#include "ui/fit_text.h"
#include "ui/tree_list_ctrl.h"

#include <cstring>
#include <new>

namespace {
constexpr COLORREF kTooltipBackground = RGB(250, 254, 218);
} // namespace

bool TreeListCtrl::OnMouseMove(POINT point) {
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    const int position = hit.iItem;
    const int column = hit.iSubItem;
    TreeCellLayout tree;
    // Off the cells, or on the tree graphics of column 0.
    if (position < 0 || column < 0 || !GetTreeCellLayout(position, &tree) ||
        (column == kTreeColumn && point.x < tree.linesEnd)) {
        HideTooltip();
        return false;
    }
    RECT content = {};
    if (!IsCellTextShortened(position, column) || !GetCellContentRect(position, column, &content)) {
        HideTooltip();
        return true;
    }
    char text[kCellTextSize] = "";
    const char* shown = GetShownCellText(position, column, text, sizeof text);
    RECT label = {};
    GetItemRect(position, &label, LVIR_LABEL);
    // Below the row, where the content starts; in column 0 where its text
    // starts, after the 20-pixel picture.
    POINT at = {column == kTreeColumn ? tree.linesEnd + m_scale.Pixels(20) : content.left,
                label.bottom};
    if (hit.flags & LVHT_ONITEMLABEL) {
        ClientToScreen(m_hWnd, &at);
        ShowTooltip(at, shown);
    } else {
        HideTooltip();
    }
    return true;
}

TTTOOLINFOA TreeListCtrl::Tool() {
    TTTOOLINFOA tool = {};
    // The oldest layout every tooltip version accepts.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = GetParent();
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = m_toolTipText.data();
    return tool;
}

bool TreeListCtrl::EnsureTooltip() {
    if (m_toolTip)
        return true;
    std::unique_ptr<CToolTipCtrl> toolTip(new (std::nothrow) CToolTipCtrl);
    if (!toolTip || !toolTip->Create(*this))
        return false;
    TTTOOLINFOA tool = Tool();
    toolTip->AddTool(tool);
    toolTip->SetDelayTime(TTDT_AUTOPOP, 32767);
    toolTip->SetDelayTime(TTDT_INITIAL, 0);
    m_toolTip = std::move(toolTip);
    return true;
}

void TreeListCtrl::ShowTooltip(POINT screenPoint, const char* text) {
    if (!EnsureTooltip())
        return;
    // The text and colours come first: a tracking tooltip without text
    // stays hidden when it is activated.
    m_toolTipText = text;
    TTTOOLINFOA tool = Tool();
    m_toolTip->UpdateTipText(tool);
    m_toolTip->SetTipBkColor(kTooltipBackground);
    m_toolTip->SetTipTextColor(RGB(0, 0, 0));
    m_toolTip->TrackPosition(screenPoint);
    m_toolTip->TrackActivate(tool, true);
    m_toolTip->Update();
}

void TreeListCtrl::HideTooltip() {
    if (m_toolTip) {
        m_toolTip->DestroyWindow();
        m_toolTip.reset();
    }
    m_toolTipText.clear();
}
