#include "tools/devhost/dialog_watch.h"

#include "hostsim/hostsim_control.h"
#include "res/resource.h"
#include "tools/devhost/message_loop.h"

#include <windows.h>

#include <functional>
#include <set>

namespace devhost {

namespace {

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;
// The red, green and blue boxes of the standard colour dialog.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;

DialogWatch* g_watch = nullptr;
HHOOK g_hook = nullptr;
bool g_showingHostMessage = false;
// Activation repeats when a dialog regains the focus; each one counts once.
std::set<HWND> g_seen;

struct PendingAnswer {
    HWND dialog;
    std::function<void(HWND)> act;
};
std::vector<PendingAnswer> g_pending;
UINT_PTR g_timer = 0;

// A prompt holds off the window it belongs to; a modeless dialog, such as
// the View Manager itself, does not.
bool isModal(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    return owner && !IsWindowEnabled(owner);
}

bool has(HWND dialog, int id) {
    return GetDlgItem(dialog, id) != nullptr;
}

// Answers run from the dialog's own message loop, once it is up.
void CALLBACK answerPending(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, g_timer);
    g_timer = 0;
    std::vector<PendingAnswer> pending;
    pending.swap(g_pending);
    for (PendingAnswer& answer : pending) {
        if (IsWindow(answer.dialog))
            answer.act(answer.dialog);
    }
}

void schedule(HWND dialog, std::function<void(HWND)> act) {
    g_pending.push_back({dialog, std::move(act)});
    if (!g_timer)
        g_timer = SetTimer(nullptr, 0, 0, answerPending);
}

void press(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id))
        SendMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The answer a person pressing Enter would give.
void pressDefault(HWND dialog) {
    LRESULT found = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    press(dialog, HIWORD(found) == DC_HASDEFID ? LOWORD(found) : IDOK);
}

// Esc as typed: the dialog's loop turns it into its cancel command.
void typeEscape(HWND dialog) {
    HWND focus = GetFocus();
    HWND target = focus && IsChild(dialog, focus) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void answerConfirmation(HWND dialog, ConfirmAnswer answer) {
    switch (answer) {
    case ConfirmAnswer::Save:
        press(dialog, IDC_SAVE_AND_CLOSE);
        break;
    case ConfirmAnswer::NoSave:
        press(dialog, IDC_CLOSE_NO_SAVE);
        break;
    case ConfirmAnswer::Cancel:
        press(dialog, IDC_CONFIRM_CANCEL);
        break;
    case ConfirmAnswer::CloseBox:
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case ConfirmAnswer::Escape:
        typeEscape(dialog);
        break;
    }
}

void answerColor(HWND dialog, const ColorAnswer& answer) {
    if (answer.cancel) {
        press(dialog, IDCANCEL);
        return;
    }
    SetDlgItemInt(dialog, kRedBox, static_cast<UINT>(answer.red), FALSE);
    SetDlgItemInt(dialog, kGreenBox, static_cast<UINT>(answer.green), FALSE);
    SetDlgItemInt(dialog, kBlueBox, static_cast<UINT>(answer.blue), FALSE);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// An entry's words as the script names them: no access key's &, no
// shortcut after the tab.
std::string entryWords(const char* text) {
    std::string words;
    for (const char* c = text; *c && *c != '\t'; ++c) {
        if (*c != '&')
            words += *c;
    }
    return words;
}

void postKey(HWND window, UINT key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// Chooses the entry as the keyboard does: Down to it from no selection,
// then Return; Esc when there is none such (missed then names the entries).
void answerMenu(HWND menuWindow, const std::string& entry, std::string& missed) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    const int count = menu ? GetMenuItemCount(menu) : 0;
    std::string entries;
    for (int position = 0; position < count; ++position) {
        char text[128] = "";
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        const std::string words = entryWords(text);
        if (!entry.empty() && lstrcmpiA(words.c_str(), entry.c_str()) == 0) {
            for (int down = 0; down <= position; ++down)
                postKey(menuWindow, VK_DOWN);
            postKey(menuWindow, VK_RETURN);
            return;
        }
        entries += (entries.empty() ? "" : ", ") + words;
    }
    if (!entry.empty())
        missed = "the menu has no entry " + entry + " (" + entries + ")";
    postKey(menuWindow, VK_ESCAPE);
}

} // namespace

std::vector<std::string> DialogWatch::TakeMissedEntries() {
    std::vector<std::string> missed;
    missed.swap(missedEntries_);
    return missed;
}

// What the hook does with a dialog that has just come up.
struct WatchAccess {
    // A dialog window being made with the View Manager's caption.
    static void onCreate(DialogWatch& watch, HWND window, const CBT_CREATEWNDA& creation) {
        const char* caption = creation.lpcs->lpszName;
        if (IsDialogWindow(window) && caption && lstrcmpA(caption, "View Manager") == 0)
            ++watch.viewManagersCreated_;
        else if (isMenuWindow(window))
            onNewMenu(watch, window);
    }

    // A pop-up menu: it takes the next answer, or with nobody to answer is
    // left at once.
    static void onNewMenu(DialogWatch& watch, HWND menu) {
        if (watch.menuAnswers_.empty() && !watch.automatic_)
            return;
        std::string entry;
        if (!watch.menuAnswers_.empty()) {
            entry = watch.menuAnswers_.front();
            watch.menuAnswers_.pop_front();
        }
        schedule(menu, [&watch, entry](HWND m) {
            std::string missed;
            answerMenu(m, entry, missed);
            if (!missed.empty())
                watch.missedEntries_.push_back(missed);
        });
    }

    static bool isMenuWindow(HWND window) {
        char className[8] = "";
        return GetClassNameA(window, className, sizeof className) &&
               lstrcmpA(className, "#32768") == 0;
    }

    static void onNewDialog(DialogWatch& watch, HWND dialog) {
        if (has(dialog, kMessageTextId)) {
            char text[1024] = "";
            GetDlgItemTextA(dialog, kMessageTextId, text, sizeof text);
            watch.messages_.push_back({g_showingHostMessage ? "host" : "framework", text});
            if (watch.automatic_)
                schedule(dialog, pressDefault);
        } else if (has(dialog, IDC_CLOSE_NO_SAVE) && !watch.confirmAnswers_.empty()) {
            const ConfirmAnswer answer = watch.confirmAnswers_.front();
            watch.confirmAnswers_.pop_front();
            schedule(dialog, [answer](HWND d) { answerConfirmation(d, answer); });
        } else if (has(dialog, kRedBox) && !watch.colorAnswers_.empty()) {
            const ColorAnswer answer = watch.colorAnswers_.front();
            watch.colorAnswers_.pop_front();
            schedule(dialog, [answer](HWND d) { answerColor(d, answer); });
        } else if (watch.automatic_ && isModal(dialog)) {
            // Nothing is lost by backing out of a prompt nobody answered.
            schedule(dialog, [](HWND d) {
                press(d, has(d, IDC_CONFIRM_CANCEL) ? IDC_CONFIRM_CANCEL : IDCANCEL);
            });
        }
    }
};

namespace {

LRESULT CALLBACK watchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && g_watch)
        WatchAccess::onCreate(*g_watch, window, *reinterpret_cast<const CBT_CREATEWNDA*>(lParam));
    else if (code == HCBT_ACTIVATE && g_watch && IsDialogWindow(window) &&
             g_seen.insert(window).second)
        WatchAccess::onNewDialog(*g_watch, window);
    else if (code == HCBT_DESTROYWND)
        g_seen.erase(window);
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void showHostMessage(const char* text, void*) {
    g_showingHostMessage = true;
    MessageBoxA(nullptr, text, "Host", MB_OK | MB_ICONINFORMATION);
    g_showingHostMessage = false;
}

} // namespace

DialogWatch::DialogWatch(bool automatic) : automatic_(automatic) {
    g_watch = this;
    g_hook = SetWindowsHookExA(WH_CBT, watchDialogs, nullptr, GetCurrentThreadId());
    HOSTSIM_set_message_handler(showHostMessage, nullptr);
}

DialogWatch::~DialogWatch() {
    HOSTSIM_set_message_handler(nullptr, nullptr);
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_watch = nullptr;
    g_seen.clear();
    g_pending.clear();
}

} // namespace devhost
