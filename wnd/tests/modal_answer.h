// Answers a modal dialog from inside its own message loop: a thread timer
// finds the thread's first shown dialog window and runs the action on it once.
// A dialog still shown 5 s after its answer is ended with IDABORT, and a
// line on the error output says so.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class ModalAnswer {
  public:
    explicit ModalAnswer(std::function<void(HWND)> action);
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    // True once the action has run.
    static bool Answered() { return !s_action; }

  private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);

    static std::function<void(HWND)> s_action;
    UINT_PTR m_timer;
};

// The text of a window.
std::string WindowText(HWND window);
