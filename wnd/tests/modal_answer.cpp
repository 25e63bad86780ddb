#include "wnd/tests/modal_answer.h"

#include <cstdio>
#include <cstring>

std::function<void(HWND)> ModalAnswer::s_action;

namespace {

// How long a dialog may stay up after its answer, or a wait for one may last.
constexpr ULONGLONG kPatienceMs = 5000;
ULONGLONG g_deadline = 0;

BOOL CALLBACK findShownDialog(HWND window, LPARAM found) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

ModalAnswer::ModalAnswer(std::function<void(HWND)> action)
    : m_timer(SetTimer(nullptr, 0, 30, &ModalAnswer::Poll)) {
    s_action = std::move(action);
    g_deadline = GetTickCount64() + kPatienceMs;
}

ModalAnswer::~ModalAnswer() {
    KillTimer(nullptr, m_timer);
    s_action = nullptr;
}

void CALLBACK ModalAnswer::Poll(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog && s_action) {
        auto action = std::move(s_action);
        s_action = nullptr;
        g_deadline = GetTickCount64() + kPatienceMs;
        action(dialog);
        return;
    }
    if (GetTickCount64() < g_deadline || (!dialog && !s_action))
        return;
    // A test never waits for ever: it says what it waited for and ends the
    // dialog, so that the test fails instead of hanging.
    g_deadline = GetTickCount64() + kPatienceMs;
    if (!dialog) {
        std::fprintf(stderr, "ModalAnswer: no dialog was shown within %llu ms\n", kPatienceMs);
        return;
    }
    std::fprintf(stderr,
                 "ModalAnswer: the dialog \"%s\" was still shown %llu ms after its answer (the "
                 "focus: %p); ended with IDABORT\n",
                 WindowText(dialog).c_str(), kPatienceMs, static_cast<void*>(GetFocus()));
    EndDialog(dialog, IDABORT);
}

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
