#include "ui/tests/list_host.h"

#include "ui/tests/test_resources.h"

ListHost::ListHost() : CDialog(IDD_LIST_HOST) {
    Create(IDD_LIST_HOST);
}

ListHost::~ListHost() {
    DestroyWindow();
}

HWND ListHost::List() const {
    return GetDlgItem(IDC_LIST);
}

HFONT ListHost::Font() const {
    return reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

namespace {

// A top-down 32-bit DIB section with its pixels.
HBITMAP makeSection(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

} // namespace

HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colorAt) {
    void* bits = nullptr;
    HBITMAP bitmap = makeSection(nullptr, width, height, &bits);
    auto* pixels = static_cast<RGBQUAD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colorAt(x, y);
            pixels[y * width + x] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
        }
    }
    return bitmap;
}

Snapshot::Snapshot(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    void* bits = nullptr;
    HBITMAP section = makeSection(memory, m_width, m_height, &bits);
    HGDIOBJ old = SelectObject(memory, section);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* pixels = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < m_width * m_height; ++i)
        m_pixels.push_back(RGB(pixels[i].rgbRed, pixels[i].rgbGreen, pixels[i].rgbBlue));
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
}

COLORREF Snapshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

std::vector<COLORREF> Snapshot::In(const RECT& rect) const {
    std::vector<COLORREF> found;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            found.push_back(At(x, y));
    return found;
}
