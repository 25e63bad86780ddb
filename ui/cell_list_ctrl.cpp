#include "ui/cell_list_ctrl.h"

#include "model/find_ignoring_case.h"
#include "ui/fit_text.h"
#include "wnd/module_instance.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>

namespace {

uint32_t imageKey(int item, int column) {
    return (static_cast<uint32_t>(item) & 0xFFFF) << 16 | (static_cast<uint32_t>(column) & 0xFFFF);
}

// Behind the found part of a label: a marker pen's yellow, under black text
// on any row, the selected one too.
constexpr COLORREF kMarkerColor = RGB(255, 236, 120);

UINT alignment(int format, bool shortened) {
    // A shortened text starts at the left, so that its beginning shows.
    if (shortened)
        return DT_LEFT;
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

} // namespace

CellListCtrl::CellListCtrl() = default;

void CellListCtrl::PreSubclassWindow() {
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_OWNERDRAWFIXED);
}

LRESULT CellListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT: {
        LRESULT result = Default(message, wParam, lParam);
        // A size notice makes the list view measure its rows again.
        RECT bounds = {};
        GetWindowRect(m_hWnd, &bounds);
        WINDOWPOS placement = {m_hWnd,
                               nullptr,
                               0,
                               0,
                               bounds.right - bounds.left,
                               bounds.bottom - bounds.top,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER};
        SendMessageA(m_hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&placement));
        return result;
    }
    default:
        return CListCtrl::WindowProc(message, wParam, lParam);
    }
}

bool CellListCtrl::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return true;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *result = TRUE;
        return true;
    default:
        return false;
    }
}

void CellListCtrl::MeasureItem(LPMEASUREITEMSTRUCT measureItem) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    LOGFONTA logical = {};
    if (font && GetObjectA(font, sizeof logical, &logical))
        measureItem->itemHeight = static_cast<UINT>(
            std::max(static_cast<int>(abs(logical.lfHeight)) + m_scale.Pixels(6),
                     // A picture's last row is see-through; the row holds the rest.
                     m_pictures.Height(kCellImageHeight) - 1));
}

void CellListCtrl::SetScale(DisplayScale scale) {
    m_scale = scale;
    m_pictures = CellPicturesFor(scale);
    // Copied first: loading replaces the records.
    struct Loaded {
        uint32_t key;
        int bitmapId;
        SIZE baseSize;
        int imageRow;
    };
    std::vector<Loaded> fromResources;
    for (const auto& [key, image] : m_cellImages) {
        if (image->bitmapId)
            fromResources.push_back({key, image->bitmapId, image->baseSize, image->imageRow});
    }
    for (const Loaded& cell : fromResources)
        LoadItemImage(static_cast<int>(cell.key >> 16), static_cast<int>(cell.key & 0xFFFF),
                      cell.bitmapId, cell.baseSize, cell.imageRow);
}

bool CellListCtrl::GetItemImageSize(int item, int column, SIZE* size) const {
    const CellImage* image = FindCellImage(item, column);
    if (!image || !image->loaded)
        return false;
    *size = {image->imageWidth, image->imageHeight};
    return true;
}

void CellListCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    const int position = static_cast<int>(drawItem->itemID);
    if (position < 0)
        return;
    HDC dc = drawItem->hDC;
    const UINT state = GetItemState(position, 0xFFFF);
    const bool highlighted =
        ((state & LVIS_SELECTED) && (GetStyle() & LVS_SHOWSELALWAYS)) || (state & LVIS_DROPHILITED);
    COLORREF oldText = 0;
    COLORREF oldBack = 0;
    if (highlighted) {
        oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    }
    RECT bounds = {};
    GetItemRect(position, &bounds, LVIR_BOUNDS);
    FillRect(dc, &bounds, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    RECT cell = {};
    int format = 0;
    int width = 0;
    for (int column = 0; GetColumn(column, &format, &width) && GetCellRect(position, column, &cell);
         ++column)
        DrawCell(dc, CellTextRect(cell), format, position, column);
    if (highlighted) {
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
}

RECT CellListCtrl::CellTextRect(const RECT& cell) const {
    return {cell.left + m_scale.Pixels(kCellMarginLeft), cell.top + 1,
            cell.right - m_scale.Pixels(kCellMarginRight), cell.bottom - 1};
}

bool CellListCtrl::GetCellContentRect(int position, int column, RECT* rect) const {
    RECT cell = {};
    if (!GetCellRect(position, column, &cell))
        return false;
    *rect = CellTextRect(cell);
    return true;
}

int CellListCtrl::GetItemNumber(int item) const {
    return IsTableItem(item) ? m_itemNumber[static_cast<size_t>(item)] : 0;
}

void CellListCtrl::SetItemNumber(int item, int number) {
    if (IsTableItem(item))
        m_itemNumber[static_cast<size_t>(item)] = number;
}

void CellListCtrl::GetCellText(int position, int column, char* text, int size) const {
    if (column == kNumberColumn)
        snprintf(text, static_cast<size_t>(size), "%d", GetItemNumber(ItemAt(position)));
    else
        GetStoredText(position, column, text, size);
}

CellListCtrl::FittedCell CellListCtrl::FitCell(HDC dc, const RECT& content, int position,
                                               int column) const {
    FittedCell cell;
    char text[kCellTextSize] = "";
    GetCellText(position, column, text, sizeof text);
    cell.image = FindCellImage(ItemAt(position), column);
    const char* shown = ShownCellText(text, cell.image != nullptr, &cell.pictureIndex);
    const int pictureWidth = cell.image ? cell.image->imageWidth : 0;
    cell.fitted =
        FitText(dc, shown, content.right - content.left - pictureWidth, column != kNumberColumn);
    return cell;
}

bool CellListCtrl::IsCellTextShortened(int position, int column) const {
    RECT content = {};
    if (!GetCellContentRect(position, column, &content))
        return false;
    HDC dc = GetDC(m_hWnd);
    if (!dc)
        return false;
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    const bool shortened = FitCell(dc, content, position, column).fitted.shortened;
    SelectObject(dc, oldFont);
    ReleaseDC(m_hWnd, dc);
    return shortened;
}

void CellListCtrl::DrawCell(HDC dc, const RECT& rect, int format, int position, int column) {
    const FittedCell cell = FitCell(dc, rect, position, column);
    const FittedText& fitted = cell.fitted;
    const CellImage* image = cell.image;
    const int pictureWidth = image ? image->imageWidth : 0;
    if (fitted.text[0] != '\0') {
        RECT textRect = {rect.left + pictureWidth, rect.top, rect.right, rect.bottom};
        const UINT align = alignment(format, fitted.shortened);
        DrawTextA(dc, fitted.text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
        if (column == m_markedColumn && align == DT_LEFT)
            MarkText(dc, textRect, fitted.text);
    }
    if (image)
        DrawImageTransparent(*image, cell.pictureIndex, dc, rect.left,
                             rect.top + (rect.bottom - rect.top - image->imageHeight) / 2);
}

void CellListCtrl::SetMarkedText(int column, std::string text) {
    m_markedColumn = text.empty() ? -1 : column;
    m_markedText = std::move(text);
}

void CellListCtrl::MarkText(HDC dc, const RECT& rect, const char* text) const {
    const size_t at = FindIgnoringCase(text, m_markedText);
    if (at == std::string_view::npos)
        return;
    SIZE before = {};
    SIZE marked = {};
    const int length = static_cast<int>(m_markedText.size());
    if (!GetTextExtentPoint32A(dc, text, static_cast<int>(at), &before) ||
        !GetTextExtentPoint32A(dc, text + at, length, &marked))
        return;
    RECT markRect = {rect.left + before.cx, rect.top, rect.left + before.cx + marked.cx,
                     rect.bottom};
    if (markRect.left >= rect.right)
        return;
    markRect.right = std::min(markRect.right, rect.right);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, kMarkerColor);
    const int oldMode = SetBkMode(dc, OPAQUE);
    DrawTextA(dc, text + at, length, &markRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

const char* CellListCtrl::GetShownCellText(int position, int column, char* text, int size) const {
    GetCellText(position, column, text, size);
    int index = 0;
    return ShownCellText(text, FindCellImage(ItemAt(position), column) != nullptr, &index);
}

const CellImage* CellListCtrl::FindCellImage(int item, int column) const {
    auto found = m_cellImages.find(imageKey(item, column));
    return found != m_cellImages.end() ? found->second.get() : nullptr;
}

const char* CellListCtrl::ShownCellText(const char* text, bool hasPicture, int* pictureIndex) {
    *pictureIndex = 0;
    if (!hasPicture)
        return text;
    // Without a colon the text is the index alone.
    *pictureIndex = static_cast<int>(strtol(text, nullptr, 10));
    const char* colon = strchr(text, ':');
    return colon ? colon + 1 : "";
}

int CellListCtrl::GetItemBitmapId(int item, int column) const {
    const CellImage* image = FindCellImage(item, column);
    return image && image->loaded ? image->bitmapId : 0;
}

std::vector<HBITMAP> CellListCtrl::GetHeldBitmaps() const {
    std::set<HBITMAP> held;
    for (const auto& cell : m_cellImages) {
        if (cell.second->bitmap)
            held.insert(cell.second->bitmap);
    }
    return {held.begin(), held.end()};
}

SharedBitmap CellListCtrl::LoadSharedBitmap(int bitmapId) {
    std::weak_ptr<SharedBitmap::element_type>& loaded = m_loadedBitmaps[bitmapId];
    SharedBitmap bitmap = loaded.lock();
    if (!bitmap) {
        bitmap = ShareBitmap(LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(bitmapId)));
        loaded = bitmap;
    }
    return bitmap;
}

int CellListCtrl::SetItemImage(int item, int column, int bitmapId, int imageWidth, int imageHeight,
                               int imageRow) {
    return LoadItemImage(item, column, bitmapId, {imageWidth, imageHeight}, imageRow);
}

int CellListCtrl::LoadItemImage(int item, int column, int bitmapId, SIZE baseSize, int imageRow) {
    if (!SetCellImage(item, column, LoadSharedBitmap(bitmapId + m_pictures.resourceOffset),
                      m_pictures.Length(baseSize.cx), m_pictures.Height(baseSize.cy), imageRow))
        return 0;
    CellImage& image = *m_cellImages[imageKey(item, column)];
    image.bitmapId = bitmapId;
    image.baseSize = baseSize;
    return 1;
}

int CellListCtrl::SetItemBitmap(int item, int column, HBITMAP bitmap, int imageWidth,
                                int imageHeight, int imageRow) {
    return SetCellImage(item, column, ShareBitmap(bitmap), imageWidth, imageHeight, imageRow);
}

int CellListCtrl::SetCellImage(int item, int column, SharedBitmap bitmap, int imageWidth,
                               int imageHeight, int imageRow) {
    std::unique_ptr<CellImage> image(
        new (std::nothrow) CellImage(std::move(bitmap), imageWidth, imageHeight, imageRow));
    if (!image)
        return 0;
    m_cellImages[imageKey(item, column)] = std::move(image);
    return 1;
}

int CellListCtrl::HitTestCell(POINT point, int* column) const {
    *column = -1;
    RECT label = {};
    if (!GetItemRect(0, &label, LVIR_LABEL))
        return -1;
    // The row is found at the middle of item 0's label, moved into view when
    // the list is scrolled to the right.
    RECT probe = label;
    if (probe.left < 0)
        OffsetRect(&probe, -probe.left, 0);
    LVHITTESTINFO hit = {};
    hit.pt = {(probe.left + probe.right) / 2, point.y};
    const int position = static_cast<int>(send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (position < 0)
        return -1;
    int left = label.left;
    int format = 0;
    int width = 0;
    for (int c = 0; GetColumn(c, &format, &width); ++c) {
        if (point.x >= left && point.x < left + width) {
            *column = c;
            return position;
        }
        left += width;
    }
    return -1;
}

bool CellListCtrl::GetCellRect(int position, int column, RECT* rect) const {
    RECT label = {};
    if (column < 0 || !GetItemRect(position, &label, LVIR_LABEL))
        return false;
    int left = label.left;
    int format = 0;
    int width = 0;
    for (int c = 0; c < column; ++c) {
        if (!GetColumn(c, &format, &width))
            return false;
        left += width;
    }
    if (!GetColumn(column, &format, &width))
        return false;
    *rect = {left, label.top, left + width, label.bottom};
    return true;
}

int CellListCtrl::GetColumnCount() const {
    return static_cast<int>(SendMessageA(GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0));
}
