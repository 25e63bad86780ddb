// The window layer: binding objects to windows, dialogs with data exchange,
// resource strings and the file dialog. The colour dialog is checked through
// the prompts (commands/win32/tests) and devhost's command script.
#include "testing/failing_allocations.h"
#include "wnd/common_controls.h"
#include "wnd/common_dialogs.h"
#include "wnd/dialog.h"
#include "wnd/module_instance.h"
#include "wnd/tests/modal_answer.h"
#include "wnd/tests/wnd_test_resources.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <string>
#include <vector>

namespace {

// A window whose own procedure answers kProbe, which DefWindowProc answers 0.
constexpr UINT kProbe = WM_GETDLGCODE;
constexpr LRESULT kOwn = DLGC_STATIC;
HWND makePlainWindow() {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

// Answers kProbe with 11 and counts what it saw.
class ProbeWindow : public CWnd {
  public:
    int probes = 0;
    bool* ended = nullptr;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbe) {
            ++probes;
            return lParam == 1 ? Default(message, wParam, lParam) : 11;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        if (ended)
            *ended = m_hWnd == nullptr;
    }
};

// A procedure put on top of another one, as a second subclasser would.
WNDPROC g_below = nullptr;
LRESULT CALLBACK onTopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(g_below, window, message, wParam, lParam);
}

TEST(WindowObject, TakesTheMessagesOfTheWindowItIsBoundTo) {
    HWND window = makePlainWindow();
    ASSERT_TRUE(window);
    ProbeWindow object;
    ASSERT_TRUE(object.SubclassWindow(window));
    EXPECT_EQ(&object, CWnd::FromHandlePermanent(window));
    EXPECT_EQ(11, SendMessageA(window, kProbe, 0, 0));
    // Default processing is the window's own procedure.
    EXPECT_EQ(kOwn, SendMessageA(window, kProbe, 0, 1));

    // One object per window, one window per object.
    ProbeWindow second;
    EXPECT_FALSE(second.SubclassWindow(window));
    EXPECT_FALSE(object.SubclassWindow(makePlainWindow()));

    EXPECT_EQ(window, object.UnsubclassWindow());
    EXPECT_EQ(nullptr, object.m_hWnd);
    EXPECT_EQ(kOwn, SendMessageA(window, kProbe, 0, 0));
    EXPECT_EQ(2, object.probes);
    DestroyWindow(window);
}

TEST(WindowObject, UnboundUnderALaterProcedureStillPassesMessagesOn) {
    HWND window = makePlainWindow();
    ProbeWindow object;
    ASSERT_TRUE(object.SubclassWindow(window));
    g_below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&onTopProc)));
    object.UnsubclassWindow();
    EXPECT_EQ(kOwn, SendMessageA(window, kProbe, 0, 0));
    EXPECT_EQ(0, object.probes);
    DestroyWindow(window);
}

TEST(WindowObject, IsUnboundAfterTheLastMessageAndDestroysItsWindow) {
    bool endedUnbound = false;
    {
        ProbeWindow object;
        object.ended = &endedUnbound;
        ASSERT_TRUE(object.SubclassWindow(makePlainWindow()));
        EXPECT_TRUE(object.DestroyWindow());
    }
    EXPECT_TRUE(endedUnbound);

    HWND window = makePlainWindow();
    {
        ProbeWindow object;
        ASSERT_TRUE(object.SubclassWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

// Throws from its handler of kProbe, or destroys its own window there and
// then reads its own members, as a handler that closes its window does.
class FailingWindow : public CWnd {
  public:
    std::vector<std::string> events;
    bool destroyInside = false;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kProbe)
            return CWnd::WindowProc(message, wParam, lParam);
        if (!destroyInside)
            throw std::bad_alloc();
        ::DestroyWindow(m_hWnd);
        events.push_back("handler returns");
        return 11;
    }
    void OnHandlerFailure(HandlerFailure failure) noexcept override {
        events.push_back(failure == HandlerFailure::kOutOfMemory ? "out of memory" : "other");
    }
    void PostNcDestroy() override { events.push_back("final"); }
};

TEST(WindowObject, KeepsExceptionsAndOutlivesEveryMessageItIsHandling) {
    FailingWindow object;
    HWND window = makePlainWindow();
    ASSERT_TRUE(object.SubclassWindow(window));
    EXPECT_EQ(0, SendMessageA(window, kProbe, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"out of memory"}, object.events);
    object.events.clear();
    object.destroyInside = true;
    EXPECT_EQ(11, SendMessageA(window, kProbe, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"handler returns", "final"}), object.events);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(window));
}

TEST(WindowObject, AFailedBindHoldsNothingAndLeavesNothingBound) {
    HWND window = makePlainWindow();
    {
        ProbeWindow object;
        failing_allocations::Arm(1);
        const bool bound = object.SubclassWindow(window);
        failing_allocations::Disarm();
        ASSERT_TRUE(failing_allocations::Failed());
        EXPECT_FALSE(bound);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(window));
        EXPECT_EQ(kOwn, SendMessageA(window, kProbe, 0, 0));
    }
    // The table is not left locked: binding works again.
    ProbeWindow object;
    EXPECT_TRUE(object.SubclassWindow(window));
    EXPECT_EQ(11, SendMessageA(window, kProbe, 0, 0));
}

TEST(WindowObject, ReleasingAllWindowsLeavesNoProcedureOfTheLibrary) {
    bool ended = false;
    ProbeWindow first;
    first.ended = &ended;
    HWND firstWindow = makePlainWindow();
    ASSERT_TRUE(first.SubclassWindow(firstWindow));
    ProbeWindow child;
    ASSERT_TRUE(child.SubclassWindow(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5,
                                                     firstWindow, nullptr, nullptr, nullptr)));
    CWnd::ReleaseAllWindows();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(IsWindow(firstWindow));
    EXPECT_EQ(nullptr, child.m_hWnd);
}

// The exchange dialog: the name and the progress bar are exchanged.
class ExchangeDialog : public CDialog {
  public:
    ExchangeDialog() : CDialog(IDD_EXCHANGE) {}
    std::string name = "start";
    CProgressCtrl progress;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_PROGRESS, progress);
        DDX_Text(pDX, IDC_NAME, name);
    }
};

// OK takes the typed name; Cancel and the close box leave the member as it was.
TEST(Dialog, ExchangesDataAndEndsOnOkOrCancel) {
    for (UINT how : {UINT(IDOK), UINT(IDCANCEL), UINT(WM_CLOSE)}) {
        ExchangeDialog dialog;
        std::string shown;
        ModalAnswer answer([&](HWND self) {
            shown = WindowText(GetDlgItem(self, IDC_NAME));
            EXPECT_EQ(GetDlgItem(self, IDC_PROGRESS), dialog.progress.m_hWnd);
            SetDlgItemTextA(self, IDC_NAME, "typed");
            PostMessageA(self, how == WM_CLOSE ? how : WM_COMMAND, how == WM_CLOSE ? 0 : how, 0);
        });
        EXPECT_EQ(how == IDOK ? IDOK : IDCANCEL, dialog.DoModal());
        EXPECT_EQ("start", shown);
        EXPECT_EQ(how == IDOK ? "typed" : "start", dialog.name);
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        EXPECT_EQ(nullptr, dialog.progress.m_hWnd);
    }
}

TEST(ResourceString, ReadsTheModulesStringTable) {
    EXPECT_EQ("xml", LoadResourceString(IDS_EXTENSION));
    EXPECT_EQ("", LoadResourceString(4711));
}

TEST(CommonDialogs, FileDialogOffersTheFilterAndAnswersThePath) {
    char modulePath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    std::vector<std::string> filters;
    ModalAnswer answer([&](HWND dialog) {
        // The file type box (cmb1) and the file name box (cmb13).
        HWND types = GetDlgItem(dialog, 0x470);
        const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = "";
            SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            filters.push_back(text);
        }
        SetDlgItemTextA(dialog, 0x47C, modulePath);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    CFileDialog file("xml", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                     "XML Files (*.xml)|*.XML|All Documents (*.*)|*.*||", nullptr);
    file.m_ofn.lpstrTitle = "Open XML File";
    EXPECT_EQ(IDOK, file.DoModal());
    EXPECT_EQ((std::vector<std::string>{"XML Files (*.xml)", "All Documents (*.*)"}), filters);
    EXPECT_EQ(0, lstrcmpiA(modulePath, file.GetPathName().c_str()));
}

} // namespace
