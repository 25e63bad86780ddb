// A report list that draws its rows itself: each cell an optional picture
// and its text, shortened with "..." when it does not fit; column 6 shows a
// number per item. Where a cell's picture and text go, and how much of the
// text fits, is worked out by the same functions for drawing and for the
// tooltips. Its parent window must be bound to a CWnd (a CDialog), which
// passes the owner-draw messages back to it.
#pragma once

#include "model/tree_list.h"
#include "ui/cell_image.h"
#include "ui/display_scale.h"
#include "ui/fit_text.h"
#include "ui/picture_sets.h"
#include "wnd/list_ctrl.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Columns the per-cell tables hold; the View Manager uses 7.
constexpr int MAX_CELL_COLUMNS = 9;
// The column that shows the item's number instead of its text.
constexpr int kNumberColumn = 6;
// A cell's content keeps this far (at 96 DPI) from the cell's left and right
// edges: a 1-pixel frame, 2 pixels, and 4 pixels of margin twice on the left.
constexpr int kCellMarginLeft = 11;
constexpr int kCellMarginRight = 7;

class CellListCtrl : public CListCtrl {
  public:
    CellListCtrl();

    // The picture a cell shows: image width by height pictures (at 96 DPI)
    // from band imageRow of bitmap resource bitmapId, or of its set for the
    // list's scale (picture_sets.h); the cell's text chooses the image
    // ("index:text"). Replaces an earlier picture of the cell; the caller
    // repaints. 1, or 0 when the record cannot be allocated. A resource is
    // loaded once for all the cells that show it, and released with the
    // last of them.
    int SetItemImage(int item, int column, int bitmapId, int imageWidth, int imageHeight,
                     int imageRow);
    // The same with a bitmap the caller made; the control takes it over.
    int SetItemBitmap(int item, int column, HBITMAP bitmap, int imageWidth, int imageHeight,
                      int imageRow);

    // The position of the row under a client point, found by its height alone, and
    // the column under it; -1 (and column -1) when there is none.
    int HitTestCell(POINT point, int* column) const;
    // The bitmap resource whose picture a cell shows, 0 for none.
    int GetItemBitmapId(int item, int column) const;
    // The bitmaps the cells hold, each once.
    std::vector<HBITMAP> GetHeldBitmaps() const;
    // The text a cell shows: with a picture its text is "index:text to
    // show" (index chooses the picture of the band), without one all of it.
    static const char* ShownCellText(const char* text, bool hasPicture, int* pictureIndex);

    // The text a cell draws: in column 6 the row's number, elsewhere the
    // cell's own text.
    void GetCellText(int position, int column, char* text, int size) const;
    // The part of a cell's text that it shows beside its picture, in text.
    const char* GetShownCellText(int position, int column, char* text, int size) const;
    // A cell's rectangle from the row's label and the column widths.
    bool GetCellRect(int position, int column, RECT* rect) const;
    // Where the cell's picture and text go: the cell less its margins, in
    // column 0 of a tree list less the tree's graphics too.
    virtual bool GetCellContentRect(int position, int column, RECT* rect) const;
    // Whether the cell's text is too long for its room now, and is drawn
    // shortened.
    bool IsCellTextShortened(int position, int column) const;
    // The number drawn in column 6 for item.
    int GetItemNumber(int item) const;
    void SetItemNumber(int item, int number);
    int GetColumnCount() const;
    // Marks, in the cells of column, where their shown text has text,
    // whatever its case; an empty text marks nothing. The caller repaints.
    void SetMarkedText(int column, std::string text);
    // The DPI that lengths given at 96 DPI are drawn at; set before the font, which measures rows.
    // The cells' resource pictures change to the set nearest it; the caller repaints.
    void SetScale(DisplayScale scale);
    DisplayScale Scale() const { return m_scale; }
    // The drawn size of a cell's picture, false when it has none.
    bool GetItemImageSize(int item, int column, SIZE* size) const;

  protected:
    DisplayScale m_scale;
    CellPictureSet m_pictures = CellPicturesFor(DisplayScale());
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    void MeasureItem(LPMEASUREITEMSTRUCT measureItem);
    // Draws one cell into its text rectangle.
    virtual void DrawCell(HDC dc, const RECT& rect, int format, int position, int column);
    // The cell less its margins.
    RECT CellTextRect(const RECT& cell) const;

    // The item the row at a position shows: its item data.
    int ItemAt(int position) const { return static_cast<int>(GetItemData(position)); }
    // The text a cell of the row at a position holds for the drawing.
    virtual void GetStoredText(int position, int column, char* text, int size) const {
        GetItemText(position, column, text, size);
    }

  private:
    // The cell's text, shortened to what fits beside its picture in
    // content, with its picture and the picture's index.
    struct FittedCell {
        FittedText fitted{};
        const CellImage* image = nullptr;
        int pictureIndex = 0;
    };
    FittedCell FitCell(HDC dc, const RECT& content, int position, int column) const;
    // Draws the marked part of text, which the cell drew left-aligned in
    // rect, over the same place on the marker's colour.
    void MarkText(HDC dc, const RECT& rect, const char* text) const;
    // The picture a cell holds, loaded or not; null for none.
    const CellImage* FindCellImage(int item, int column) const;
    // bitmapId's picture from the list's set, at its size there.
    int LoadItemImage(int item, int column, int bitmapId, SIZE baseSize, int imageRow);
    SharedBitmap LoadSharedBitmap(int bitmapId);
    int SetCellImage(int item, int column, SharedBitmap bitmap, int imageWidth, int imageHeight,
                     int imageRow);

    // Indexed by item: the number drawn in column 6.
    std::array<int, MAX_ROWS> m_itemNumber{};
    int m_markedColumn = -1;
    std::string m_markedText;
    std::map<uint32_t, std::unique_ptr<CellImage>> m_cellImages;
    // The resources loaded, by id, as long as a cell shows them.
    std::map<int, std::weak_ptr<SharedBitmap::element_type>> m_loadedBitmaps;
};
