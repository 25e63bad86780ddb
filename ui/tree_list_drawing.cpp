// How the tree list draws column 0 (lines, boxes) and column 3 (swatch), and
// where a click opens or closes a box.
#include "ui/tree_list_ctrl.h"

namespace {

constexpr COLORREF kLineColor = RGB(128, 128, 128);

void drawLine(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

void TreeListCtrl::DrawCell(HDC dc, const RECT& rect, int format, int position, int column) {
    Busy busy(m_busy);
    const int item = ItemAt(position);
    if (column == kColorColumn)
        DrawColorSwatch(dc, rect, item);
    if (column != kTreeColumn) {
        CellListCtrl::DrawCell(dc, rect, format, position, column);
        return;
    }
    // The ancestors give the level too: a chain thousands deep is walked
    // once a row.
    std::vector<int> ancestors;
    const int level = GetAncestorItems(item, &ancestors);
    const TreeCellLayout layout = LayoutTreeCell(rect, level, ShowsChildItems(item), m_scale);
    DrawTreeGraphics(dc, rect, item, ancestors, layout);
    RECT label = rect;
    label.left = layout.linesEnd + 1;
    CellListCtrl::DrawCell(dc, label, format, position, column);
}

void TreeListCtrl::DrawColorSwatch(HDC dc, const RECT& rect, int item) const {
    const int mid = (rect.top + rect.bottom) / 2;
    const RECT swatch = {rect.left, mid - m_scale.Pixels(6), rect.left + m_scale.Pixels(14),
                         mid + m_scale.Pixels(6)};
    HBRUSH brush = CreateSolidBrush(GetItemColor(item));
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
}

TreeCellLayout TreeListCtrl::LayoutOf(const RECT& text, int item) const {
    return LayoutTreeCell(text, GetItemLevel(item), ShowsChildItems(item), m_scale);
}

bool TreeListCtrl::GetTreeCellLayout(int position, TreeCellLayout* layout) const {
    RECT cell = {};
    if (position < 0 || !GetCellRect(position, kTreeColumn, &cell))
        return false;
    *layout = LayoutOf(CellTextRect(cell), ItemAt(position));
    return true;
}

bool TreeListCtrl::GetCellContentRect(int position, int column, RECT* rect) const {
    if (!CellListCtrl::GetCellContentRect(position, column, rect))
        return false;
    if (column == kTreeColumn)
        rect->left = LayoutOf(*rect, ItemAt(position)).linesEnd + 1;
    return true;
}

void TreeListCtrl::DrawTreeGraphics(HDC dc, const RECT& text, int item,
                                    const std::vector<int>& ancestors,
                                    const TreeCellLayout& layout) const {
    const int top = text.top;
    const int bottom = text.bottom;
    const int mid = layout.mid;
    const int x = layout.lineX;
    const int arm = m_scale.Pixels(3);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, text.left, top - 2, text.right, bottom + 2);
    HPEN grey = CreatePen(PS_SOLID, 1, kLineColor);
    HPEN black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    SelectObject(dc, grey);

    // A guide line for every ancestor that has later siblings shown.
    for (size_t i = 0; i < ancestors.size(); ++i) {
        const int guide = layout.firstGuideX + layout.indent * static_cast<int>(i);
        if (!IsLastShownChildItem(ancestors[i]))
            drawLine(dc, guide, top - 1, guide, bottom + 1);
    }

    const bool hasBox = !IsRectEmpty(&layout.box);
    int boxTop = mid;
    int boxBottom = mid;
    if (hasBox) {
        HBRUSH frame = CreateSolidBrush(kLineColor);
        FrameRect(dc, &layout.box, frame);
        DeleteObject(frame);
        SelectObject(dc, black);
        drawLine(dc, x - arm, mid, x + arm + 1, mid);
        if (!m_links.IsExpanded(item))
            drawLine(dc, x, mid - arm, x, mid + arm + 1);
        SelectObject(dc, grey);
        boxTop = layout.box.top;
        boxBottom = layout.box.bottom;
    }
    if (item != 0)
        drawLine(dc, x, top - 1, x, boxTop);
    if (!IsLastShownChildItem(item))
        drawLine(dc, x, boxBottom, x, bottom + 1);
    drawLine(dc, hasBox ? layout.box.right + 1 : x + 1, mid, layout.linesEnd, mid);

    RestoreDC(dc, saved);
    DeleteObject(grey);
    DeleteObject(black);
}

bool TreeListCtrl::IsOnExpandBox(POINT point) const {
    int column = -1;
    const int position = HitTestCell(point, &column);
    TreeCellLayout layout;
    return position >= 0 && column == kTreeColumn && GetTreeCellLayout(position, &layout) &&
           !IsRectEmpty(&layout.box) && PtInRect(&layout.boxArea, point);
}

bool TreeListCtrl::GetExpandBoxPoint(int position, POINT* point) const {
    TreeCellLayout layout;
    if (!GetTreeCellLayout(position, &layout) || IsRectEmpty(&layout.box))
        return false;
    *point = {layout.lineX, layout.mid};
    return true;
}

void TreeListCtrl::OnLButtonDown(POINT point) {
    int column = -1;
    const int position = HitTestCell(point, &column);
    if (position < 0 || !IsOnExpandBox(point))
        return;
    const int item = ItemAt(position);
    if (m_links.IsExpanded(item))
        CollapseItem(item);
    else
        ExpandItem(item);
}
