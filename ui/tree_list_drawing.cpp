// How the tree list draws column 0 (lines, boxes) and column 3 (swatch), and
// where a click opens or closes a box.
#include "ui/tree_list_ctrl.h"

namespace {

constexpr COLORREF kLineColor = RGB(128, 128, 128);
// Every level indents by this much; an item's own line runs 9 pixels in.
constexpr int kIndent = 18;
constexpr int kLineOffset = 9;

void drawLine(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

void TreeListCtrl::DrawCell(HDC dc, const RECT& rect, int format, int row, int column) {
    Busy busy(m_busy);
    const int item = ItemOfRow(row);
    if (column == kColorColumn)
        DrawColorSwatch(dc, rect, item);
    if (column != kTreeColumn) {
        CellListCtrl::DrawCell(dc, rect, format, row, column);
        return;
    }
    RECT label = rect;
    label.left = DrawTreeGraphics(dc, rect, row, item);
    CellListCtrl::DrawCell(dc, label, format, row, column);
}

void TreeListCtrl::DrawColorSwatch(HDC dc, const RECT& rect, int item) const {
    const int mid = (rect.top + rect.bottom) / 2;
    const RECT swatch = {rect.left, mid - m_scale.Pixels(6), rect.left + m_scale.Pixels(14),
                         mid + m_scale.Pixels(6)};
    HBRUSH brush = CreateSolidBrush(GetItemColor(item));
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
}

int TreeListCtrl::DrawTreeGraphics(HDC dc, const RECT& rect, int row, int item) {
    const int left = rect.left;
    const int top = rect.top;
    const int indent = m_scale.Pixels(kIndent);
    const int lineOffset = m_scale.Pixels(kLineOffset);
    const int half = m_scale.Pixels(5);
    const int arm = m_scale.Pixels(3);
    const int bottom = rect.bottom;
    const int mid = (top + bottom) / 2;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, left, top - 2, rect.right, bottom + 2);
    HPEN grey = CreatePen(PS_SOLID, 1, kLineColor);
    HPEN black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    SelectObject(dc, grey);

    // A guide line for every ancestor that has later siblings.
    std::vector<int> ancestors;
    const int level = GetAncestorItems(item, &ancestors);
    for (int i = 0; i < level; ++i) {
        if (!IsLastShownChildItem(ancestors[i]))
            drawLine(dc, left + lineOffset + indent * i, top - 1, left + lineOffset + indent * i,
                     bottom + 1);
    }

    const int x = left + indent * level + lineOffset;
    const bool hasChildren = ShowsChildItems(item);
    int boxTop = mid;
    int boxBottom = mid;
    if (hasChildren) {
        const RECT box = {x - half, mid - half, x + half, mid + half};
        HBRUSH frame = CreateSolidBrush(kLineColor);
        FrameRect(dc, &box, frame);
        DeleteObject(frame);
        SelectObject(dc, black);
        drawLine(dc, x - arm, mid, x + arm + 1, mid);
        if (!m_links.IsExpanded(item))
            drawLine(dc, x, mid - arm, x, mid + arm + 1);
        SelectObject(dc, grey);
        boxTop = mid - half;
        boxBottom = mid + half;
    }
    if (item != 0)
        drawLine(dc, x, top - 1, x, boxTop);
    if (!IsLastShownChildItem(item))
        drawLine(dc, x, boxBottom, x, bottom + 1);
    const int end = left + indent * level + m_scale.Pixels(19);
    drawLine(dc, hasChildren ? x + half + 1 : x + 1, mid, end, mid);
    if (row >= 0 && row < MAX_ROWS)
        m_treeTextX[row] = end;

    RestoreDC(dc, saved);
    DeleteObject(grey);
    DeleteObject(black);
    return end + 1;
}

bool TreeListCtrl::IsOnExpandBox(POINT point) const {
    int column = -1;
    const int row = HitTestCell(point, &column);
    if (row < 0 || column != kTreeColumn)
        return false;
    const int item = ItemOfRow(row);
    RECT cell = {};
    if (!ShowsChildItems(item) || !GetCellRect(row, column, &cell))
        return false;
    // The area runs from the item's indentation over the 11-pixel margin of
    // the drawn cell and the box itself.
    const int left = cell.left + m_scale.Pixels(kIndent) * GetItemLevel(item);
    const int mid = (cell.top + cell.bottom) / 2;
    return left <= point.x && point.x < left + m_scale.Pixels(28) &&
           mid - m_scale.Pixels(10) <= point.y && point.y < mid + m_scale.Pixels(18);
}

bool TreeListCtrl::GetExpandBoxPoint(int row, POINT* point) const {
    RECT cell = {};
    if (row < 0 || !ShowsChildItems(ItemOfRow(row)) || !GetCellRect(row, kTreeColumn, &cell))
        return false;
    *point = {cell.left + m_scale.Pixels(kIndent) * GetItemLevel(ItemOfRow(row)) +
                  m_scale.Pixels(kLineOffset),
              (cell.top + cell.bottom) / 2};
    return true;
}

void TreeListCtrl::OnLButtonDown(POINT point) {
    int column = -1;
    const int row = HitTestCell(point, &column);
    if (row < 0 || !IsOnExpandBox(point))
        return;
    const int item = ItemOfRow(row);
    if (m_links.IsExpanded(item))
        CollapseItem(item);
    else
        ExpandItem(item);
}
