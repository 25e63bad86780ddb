// What the column commands ask of the View Manager's window beyond its list.
#pragma once

class ViewManagerWindow {
  public:
    virtual ~ViewManagerWindow() = default;
    // Repaints the whole window, background included.
    virtual void InvalidateWindow() = 0;
    // Makes the View Manager go away: its window, the object whose
    // CloseViewManager calls this, and the process's pointer to it. The
    // object may be deleted before this returns.
    virtual void DestroyViewManager() = 0;
    // Puts the rows it shows on the clipboard as a table (RowsAsTable).
    virtual void CopyShownRows() = 0;
};
