#include "wnd/common_dialogs.h"

#include <algorithm>

namespace {
HWND handleOf(const CWnd* window) {
    return window ? window->m_hWnd : nullptr;
}
} // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, const CWnd* owner) : m_cc() {
    m_cc.lStructSize = sizeof m_cc;
    m_cc.hwndOwner = handleOf(owner);
    m_cc.rgbResult = initial;
    // The dialog needs room for its custom colours even when none are shown.
    m_cc.lpCustColors = m_customColors;
    m_cc.Flags = initial != 0 ? flags | CC_RGBINIT : flags;
}

INT_PTR CColorDialog::DoModal() {
    return ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

CFileDialog::CFileDialog(const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, const CWnd* owner)
    : m_ofn(), m_defaultExtension(defaultExtension ? defaultExtension : ""),
      m_filter(filter ? filter : "") {
    // The dialog wants the pairs separated by zeros and ended by two.
    std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
    m_filter.push_back('\0');
    if (fileName)
        lstrcpynA(m_fileName, fileName, sizeof m_fileName);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = handleOf(owner);
    m_ofn.lpstrFilter = m_filter.size() > 1 ? m_filter.c_str() : nullptr;
    m_ofn.lpstrFile = m_fileName;
    m_ofn.nMaxFile = sizeof m_fileName;
    m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
    return GetOpenFileNameA(&m_ofn) ? IDOK : IDCANCEL;
}
