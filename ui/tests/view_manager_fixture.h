// The View Manager dialog over the demo session, created by the command as
// the host runs it, and what its tests send it.
#pragma once

#include "config/framework_message_recorder.h"
#include "entry/view_manager_command.h"
#include "hostsim/hostsim_control.h"
#include "ui/view_manager_dlg.h"
#include "ui/view_manager_instance.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

using nlohmann::json;

inline const std::string kDemo = std::string(VM_SOURCE_DIR) + "/demo";
inline const std::string kScratch = std::string(VM_BINARY_DIR) + "/view_manager_dlg_tests";

// What the command's dialog step is in the plug-in library.
class DialogStep : public ViewManagerDialogStep {
  public:
    void CreateOrShow() override { CreateOrShowViewManager(); }
};

inline json demoSession() {
    std::ifstream file(kDemo + "/session.json");
    return json::parse(file);
}

inline void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class ViewManager : public ::testing::Test {
  protected:
    void SetUp() override { useDemo(demoSession()); }

    void TearDown() override {
        if (g_viewManagerDlg)
            g_viewManagerDlg->DestroyWindow();
        EXPECT_EQ(nullptr, g_viewManagerDlg);
        EXPECT_EQ(0, g_viewManagerCreated);
        // The next test starts as the process's first View Manager does.
        g_keptTreeShape = TreeShape();
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
    }

    void useDemo(json session) {
        session["environment"] = {{"KORVELTAND_DIR", kDemo + "/product/korveltand"}};
        char error[512];
        ASSERT_EQ(0, HOSTSIM_load_session_text(session.dump().c_str(), kDemo.c_str(), error,
                                               sizeof error))
            << error;
    }

    void ufusr() const {
        DialogStep step;
        RunViewManagerCommand(step);
        EXPECT_EQ(0, HOSTSIM_session_depth());
    }

    HWND dialog() const { return g_viewManagerDlg ? g_viewManagerDlg->m_hWnd : nullptr; }
    ViewManagerDlg& dlg() const { return *g_viewManagerDlg; }

    void click(int id) const {
        SendMessageA(dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog(), id)));
        EXPECT_EQ(0, HOSTSIM_session_depth());
    }
};

// A send from a thread of its own, answered while this thread pumps.
inline LRESULT sendFromAnotherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::atomic<bool> sent{false};
    LRESULT answer = -2;
    std::thread other([&] {
        answer = SendMessageA(window, message, wParam, lParam);
        sent = true;
    });
    while (!sent) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        pumpMessages();
    }
    other.join();
    return answer;
}
