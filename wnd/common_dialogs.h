// The standard colour and file-open dialogs, shown modally.
#pragma once

#include "wnd/window.h"

#include <commdlg.h>

#include <string>

class CColorDialog {
  public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, const CWnd* owner = nullptr);
    // The request points into the object.
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;
    // IDOK when the user chose a colour, else IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORA m_cc;

  private:
    COLORREF m_customColors[16] = {};
};

class CFileDialog {
  public:
    // filter lists description and pattern pairs, each followed by '|'
    // ("XML Files (*.xml)|*.XML|All Documents (*.*)|*.*||").
    CFileDialog(const char* defaultExtension, const char* fileName, DWORD flags, const char* filter,
                const CWnd* owner);
    // The request points into the object.
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    // IDOK when the user chose a file, else IDCANCEL.
    INT_PTR DoModal();
    std::string GetPathName() const { return m_fileName; }

    // Fields such as the title may be set before DoModal.
    OPENFILENAMEA m_ofn;

  private:
    std::string m_defaultExtension;
    std::string m_filter;
    char m_fileName[MAX_PATH] = "";
};
