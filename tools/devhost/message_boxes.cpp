#include "tools/devhost/message_boxes.h"

#include "hostsim/hostsim_control.h"

#include <windows.h>

#include <set>

namespace devhost {

namespace {

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

HHOOK g_hook = nullptr;
bool g_answerAutomatically = false;
std::vector<std::string>* g_texts = nullptr;
// Activation repeats when a box regains the focus; each box counts once.
std::set<HWND>* g_seen = nullptr;

bool isMessageBox(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, kMessageTextId) != nullptr;
}

// The answer a person pressing Enter would give.
WORD defaultButton(HWND box) {
    LRESULT found = SendMessageA(box, DM_GETDEFID, 0, 0);
    return HIWORD(found) == DC_HASDEFID ? LOWORD(found) : IDOK;
}

LRESULT CALLBACK watchActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (isMessageBox(window) && g_seen->insert(window).second) {
            char text[1024] = "";
            GetDlgItemTextA(window, kMessageTextId, text, sizeof text);
            g_texts->push_back(text);
            if (g_answerAutomatically)
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(defaultButton(window), BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void showHostMessage(const char* text, void*) {
    MessageBoxA(nullptr, text, "Host", MB_OK | MB_ICONINFORMATION);
}

} // namespace

MessageBoxes::MessageBoxes(bool answerAutomatically) {
    g_texts = &texts_;
    g_seen = &seen_;
    g_answerAutomatically = answerAutomatically;
    g_hook = SetWindowsHookExA(WH_CBT, watchActivation, nullptr, GetCurrentThreadId());
    HOSTSIM_set_message_handler(showHostMessage, nullptr);
}

MessageBoxes::~MessageBoxes() {
    HOSTSIM_set_message_handler(nullptr, nullptr);
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_texts = nullptr;
    g_seen = nullptr;
}

} // namespace devhost
