#include "wnd/tests/modal_answer.h"

#include <cstring>

std::function<void(HWND)> ModalAnswer::s_action;

namespace {

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
}

ModalAnswer::~ModalAnswer() {
    KillTimer(nullptr, m_timer);
    s_action = nullptr;
}

void CALLBACK ModalAnswer::Poll(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !s_action)
        return;
    auto action = std::move(s_action);
    s_action = nullptr;
    action(dialog);
}

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
