#include "tools/devhost/script_runner.h"

#include "res/resource.h"
#include "tools/devhost/host_state.h"
#include "tools/devhost/message_loop.h"
#include "tools/devhost/run_outputs.h"
#include "tools/devhost/view_manager_reader.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace devhost {

namespace {

bool toNumber(const ScriptWord& word, int low, int high, int& value) {
    if (word.quoted || word.text.empty())
        return false;
    char* end = nullptr;
    const long number = std::strtol(word.text.c_str(), &end, 10);
    if (*end != '\0' || number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

// The two numbers after the action, each from low to the largest a window
// coordinate holds.
bool twoPixelCounts(const ScriptLine& line, int low, int& first, int& second) {
    return line.words.size() == 3 && toNumber(line.words[1], low, 32767, first) &&
           toNumber(line.words[2], low, 32767, second);
}

bool wordCount(const ScriptLine& line, size_t count, const char* form, std::string& error) {
    if (line.words.size() == count)
        return true;
    error = std::string("expected: ") + form;
    return false;
}

// A shown row's display index: the number itself, or the first shown row
// with the quoted label.
bool findRow(HWND viewManager, const ScriptWord& word, int& row, std::string& error) {
    const std::vector<ShownRowState> rows = ReadShownRows(viewManager);
    if (word.quoted) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (word.text == rows[i].label) {
                row = static_cast<int>(i);
                return true;
            }
        }
        error = "no shown row is labelled \"" + word.text + "\"";
        return false;
    }
    if (toNumber(word, 0, static_cast<int>(rows.size()) - 1, row))
        return true;
    error = "no shown row " + word.text + " (" + std::to_string(rows.size()) + " rows are shown)";
    return false;
}

// A press and a release of the left button at point, as the mouse gives
// them; a double-click is a click followed by the second press.
void clickList(HWND viewManager, POINT point, bool doubleClick) {
    HWND list = GetDlgItem(viewManager, IDC_TREE_LIST);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    if (!doubleClick || !IsWindow(list))
        return;
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
}

// The middle of the cell a line names by ROW COL.
bool cellOf(HWND viewManager, const ScriptLine& line, const char* form, POINT& point,
            std::string& error) {
    if (!wordCount(line, 3, form, error))
        return false;
    int row = 0;
    int column = 0;
    if (!findRow(viewManager, line.words[1], row, error))
        return false;
    if (!toNumber(line.words[2], 0, kShownColumns - 1, column) ||
        !CellPoint(viewManager, row, column, &point)) {
        error = "no column " + line.words[2].text + " (0 to 6)";
        return false;
    }
    return true;
}

bool clickCell(HWND viewManager, const ScriptLine& line, bool doubleClick, std::string& error) {
    POINT point = {};
    if (!cellOf(viewManager, line, "click|dblclick ROW COL", point, error))
        return false;
    clickList(viewManager, point, doubleClick);
    return true;
}

// The pointer comes to rest on the cell, as the mouse reports it.
bool hoverCell(HWND viewManager, const ScriptLine& line, std::string& error) {
    POINT point = {};
    if (!cellOf(viewManager, line, "hover ROW COL", point, error))
        return false;
    SendMessageA(GetDlgItem(viewManager, IDC_TREE_LIST), WM_MOUSEMOVE, 0,
                 MAKELPARAM(point.x, point.y));
    return true;
}

// A click at a point of the list's client area, wherever it falls.
bool clickAt(HWND viewManager, const ScriptLine& line, std::string& error) {
    int x = 0;
    int y = 0;
    if (!twoPixelCounts(line, 0, x, y)) {
        error = "expected: clickat X Y (pixels of the list's client area)";
        return false;
    }
    clickList(viewManager, POINT{x, y}, false);
    return true;
}

bool clickBox(HWND viewManager, const ScriptLine& line, std::string& error) {
    if (!wordCount(line, 2, "box ROW", error))
        return false;
    int row = 0;
    if (!findRow(viewManager, line.words[1], row, error))
        return false;
    POINT point = {};
    if (!CellPoint(viewManager, row, kExpandBoxColumn, &point)) {
        error = "row " + line.words[1].text + " has no box";
        return false;
    }
    clickList(viewManager, point, false);
    return true;
}

// The keys a script names, by the name it uses.
bool keyCode(const std::string& name, UINT& key) {
    static const std::map<std::string, UINT> keys = {
        {"up", VK_UP},
        {"down", VK_DOWN},
        {"left", VK_LEFT},
        {"right", VK_RIGHT},
        {"home", VK_HOME},
        {"end", VK_END},
        {"pageup", VK_PRIOR},
        {"pagedown", VK_NEXT},
        {"add", VK_ADD},
        {"subtract", VK_SUBTRACT},
        {"multiply", VK_MULTIPLY},
        {"apps", VK_APPS},
        {"f10", VK_F10},
        {"space", VK_SPACE},
        {"escape", VK_ESCAPE},
        {"f3", VK_F3},
    };
    const auto found = keys.find(name);
    if (found != keys.end()) {
        key = found->second;
        return true;
    }
    // A letter names its key.
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
        key = static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
        return true;
    }
    return false;
}

// A key pressed and released in a control of the View Manager (the list or
// the filter box), with Shift or Ctrl held through it ("shift", "ctrl" or
// none), through the host's message loop as typed keys go. F10 is a system
// key, as the keyboard gives it.
void pressKeyIn(HWND viewManager, int id, UINT key, const std::string& modifier) {
    HWND list = GetDlgItem(viewManager, id);
    SetActiveWindow(viewManager);
    SetFocus(list);
    BYTE before[256] = {};
    GetKeyboardState(before);
    BYTE held[256] = {};
    memcpy(held, before, sizeof held);
    for (UINT down : modifier == "shift"  ? std::vector<UINT>{VK_SHIFT, VK_LSHIFT}
                     : modifier == "ctrl" ? std::vector<UINT>{VK_CONTROL, VK_LCONTROL}
                                          : std::vector<UINT>{})
        held[down] |= 0x80;
    SetKeyboardState(held);
    const bool system = key == VK_F10;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(list, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scan | 1);
    PostMessageA(list, system ? WM_SYSKEYUP : WM_KEYUP, key, scan | 0xC0000001);
    PumpPendingMessages();
    SetKeyboardState(before);
}

void pressListKey(HWND viewManager, UINT key, const std::string& modifier) {
    pressKeyIn(viewManager, IDC_TREE_LIST, key, modifier);
}

bool pressKey(HWND viewManager, const ScriptLine& line, int id, std::string& error) {
    UINT key = 0;
    const std::string modifier = line.words.size() == 3 ? line.words[2].text : "";
    if (line.words.size() < 2 || line.words.size() > 3 || !keyCode(line.words[1].text, key) ||
        (line.words.size() == 3 && modifier != "shift" && modifier != "ctrl")) {
        error = "expected: " + line.words[0].text +
                " NAME [shift|ctrl] (NAME a letter, up, down, left, right, home, end, pageup, "
                "pagedown, add, subtract, multiply, apps, f10, f3, space or escape)";
        return false;
    }
    pressKeyIn(viewManager, id, key, modifier);
    return true;
}

// The clipboard's Unicode text as UTF-8; false when it holds none.
bool clipboardText(std::string& text) {
    if (!OpenClipboard(nullptr))
        return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* wide = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (wide) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text.assign(static_cast<size_t>(std::max(size, 1)) - 1, '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return wide != nullptr;
}

// Ctrl+C in the list, and what it put on the clipboard into the file.
bool copyRows(HWND viewManager, const ScriptLine& line, std::string& error) {
    if (!wordCount(line, 2, "copyrows FILE", error))
        return false;
    // An empty clipboard tells a copy that was not made from an earlier one.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    pressListKey(viewManager, 'C', "ctrl");
    std::string text;
    if (!clipboardText(text)) {
        error = "copyrows: Ctrl+C put no text on the clipboard";
        return false;
    }
    std::ofstream file(line.words[1].text, std::ios::binary);
    if (!(file << text)) {
        error = "cannot write " + line.words[1].text;
        return false;
    }
    return true;
}

// What a right click on the row's label gives the list: the context-menu
// message at that point of the screen, which the list hands to the View
// Manager.
bool rowMenu(HWND viewManager, const ScriptLine& line, std::string& error) {
    if (!wordCount(line, 2, "menu ROW", error))
        return false;
    int row = 0;
    POINT point = {};
    if (!findRow(viewManager, line.words[1], row, error) || !CellPoint(viewManager, row, 0, &point))
        return false;
    HWND list = GetDlgItem(viewManager, IDC_TREE_LIST);
    ClientToScreen(list, &point);
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                 MAKELPARAM(point.x, point.y));
    return true;
}

void pressButton(HWND viewManager, int id) {
    SendMessageA(GetDlgItem(viewManager, id), BM_CLICK, 0, 0);
}

bool setHighlight(HWND viewManager, const ScriptLine& line, std::string& error) {
    if (line.words.size() != 2 || (line.words[1].text != "on" && line.words[1].text != "off")) {
        error = "expected: highlight on|off";
        return false;
    }
    const bool checked = IsDlgButtonChecked(viewManager, IDC_HIGHLIGHT) == BST_CHECKED;
    if (checked != (line.words[1].text == "on"))
        pressButton(viewManager, IDC_HIGHLIGHT);
    return true;
}

// Return typed into a control of the View Manager, through the host's
// message loop.
void typeEnter(HWND viewManager, int id) {
    HWND control = GetDlgItem(viewManager, id);
    SetActiveWindow(viewManager);
    SetFocus(control);
    PostMessageA(control, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(control, WM_KEYUP, VK_RETURN, 0xC01C0001);
    PumpPendingMessages();
}

bool resize(HWND viewManager, const ScriptLine& line, std::string& error) {
    int width = 0;
    int height = 0;
    if (!twoPixelCounts(line, 1, width, height)) {
        error = "expected: resize W H (pixels)";
        return false;
    }
    SetWindowPos(viewManager, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool confirmAnswer(const std::string& word, ConfirmAnswer& answer) {
    const std::pair<const char*, ConfirmAnswer> answers[] = {{"save", ConfirmAnswer::Save},
                                                             {"nosave", ConfirmAnswer::NoSave},
                                                             {"cancel", ConfirmAnswer::Cancel},
                                                             {"closebox", ConfirmAnswer::CloseBox},
                                                             {"esc", ConfirmAnswer::Escape}};
    for (const auto& [name, value] : answers) {
        if (word == name) {
            answer = value;
            return true;
        }
    }
    return false;
}

bool nothingAfter(const ScriptLine& line, std::string& error) {
    if (line.words.size() == 1)
        return true;
    error = line.words[0].text + " takes nothing after it";
    return false;
}

// A button of the View Manager, pressed by an action that takes nothing
// after it.
bool pressOnly(HWND viewManager, const ScriptLine& line, int button, std::string& error) {
    if (!nothingAfter(line, error))
        return false;
    pressButton(viewManager, button);
    return true;
}

// Return in the file-name box or in the list, by an action that takes
// nothing after it.
bool enterOnly(HWND viewManager, const ScriptLine& line, int id, std::string& error) {
    if (!nothingAfter(line, error))
        return false;
    typeEnter(viewManager, id);
    return true;
}

using ViewManagerAction = bool (*)(HWND, const ScriptLine&, std::string&);

// The actions on the View Manager's windows, by name.
const std::map<std::string, ViewManagerAction>& viewManagerActions() {
    static const std::map<std::string, ViewManagerAction> actions = {
        {"click",
         [](HWND v, const ScriptLine& l, std::string& e) { return clickCell(v, l, false, e); }},
        {"dblclick",
         [](HWND v, const ScriptLine& l, std::string& e) { return clickCell(v, l, true, e); }},
        {"clickat", clickAt},
        {"hover", hoverCell},
        {"key", [](HWND v, const ScriptLine& l,
                   std::string& e) { return pressKey(v, l, IDC_TREE_LIST, e); }},
        {"filterkey",
         [](HWND v, const ScriptLine& l, std::string& e) { return pressKey(v, l, IDC_FILTER, e); }},
        {"copyrows", copyRows},
        {"menu", rowMenu},
        {"box", clickBox},
        {"highlight", setHighlight},
        {"resize", resize},
        {"switch", [](HWND v, const ScriptLine& l,
                      std::string& e) { return pressOnly(v, l, IDC_SWITCH, e); }},
        {"refresh", [](HWND v, const ScriptLine& l,
                       std::string& e) { return pressOnly(v, l, IDC_REFRESH, e); }},
        {"close",
         [](HWND v, const ScriptLine& l, std::string& e) { return pressOnly(v, l, IDCANCEL, e); }},
        {"enter", [](HWND v, const ScriptLine& l,
                     std::string& e) { return enterOnly(v, l, IDC_XML_FILE_NAME, e); }},
        {"enterlist", [](HWND v, const ScriptLine& l,
                         std::string& e) { return enterOnly(v, l, IDC_TREE_LIST, e); }},
        {"settext",
         [](HWND v, const ScriptLine& l, std::string&) {
             SetDlgItemTextA(v, IDC_XML_FILE_NAME, l.rest.c_str());
             return true;
         }},
        // As typed: the rows change with the text, no Return needed.
        {"filter",
         [](HWND v, const ScriptLine& l, std::string&) {
             SetDlgItemTextA(v, IDC_FILTER, l.rest.c_str());
             return true;
         }},
        {"snapshot",
         [](HWND, const ScriptLine& l, std::string& e) {
             if (wordCount(l, 2, "snapshot FILE.png", e) &&
                 !WriteViewManagerSnapshot(l.words[1].text))
                 e = "cannot write " + l.words[1].text;
             return e.empty();
         }},
    };
    return actions;
}

bool viewManagerAction(const std::string& action, const ScriptLine& line, std::string& error) {
    const auto found = viewManagerActions().find(action);
    if (found == viewManagerActions().end()) {
        error = "unknown action " + action;
        return false;
    }
    HWND viewManager = FindViewManager();
    if (!viewManager) {
        error = action + ": no View Manager is open";
        return false;
    }
    return found->second(viewManager, line, error);
}

} // namespace

bool ScriptRunner::Run(const std::vector<ScriptLine>& lines, std::string& error) {
    for (const ScriptLine& line : lines) {
        std::string why;
        bool done = perform(line, why);
        PumpPendingMessages();
        for (const std::string& missed : watch_.TakeMissedEntries()) {
            why += (why.empty() ? "" : "; ") + missed;
            done = false;
        }
        if (done)
            continue;
        const std::string failure = "line " + std::to_string(line.number) + ": " + why;
        if (!keepGoing_) {
            error = failure;
            return false;
        }
        skipped_.push_back(failure);
    }
    return true;
}

bool ScriptRunner::perform(const ScriptLine& line, std::string& error) {
    const std::string& action = line.words[0].text;
    if (action == "ufusr" || action == "unload") {
        if (!nothingAfter(line, error))
            return false;
        if (!plugin_.IsLoaded()) {
            error = action + ": the plug-in is unloaded";
            return false;
        }
        if (action == "unload")
            return unload(error);
        plugin_.Run();
        return true;
    }
    if (action == "answer")
        return answer(line, error);
    if (action == "host") {
        int colorIndex = 0;
        const bool colored = line.words.size() == 4 && line.words[1].text == "color" &&
                             toNumber(line.words[3], 1, 216, colorIndex);
        if (line.words.size() != 3 && !colored) {
            error = "expected: host modify|close|display|work|freeze|unfreeze|blank|unblank PART, "
                    "or host color PART INDEX";
            return false;
        }
        return ChangeHostSession(line.words[1].text, line.words[2].text, colorIndex, error);
    }
    if (action == "copy") {
        // Replaces the file, as an editor saving over it would.
        if (wordCount(line, 3, "copy FROM TO", error) &&
            !CopyFileA(line.words[1].text.c_str(), line.words[2].text.c_str(), FALSE))
            error = "cannot copy " + line.words[1].text + " to " + line.words[2].text;
        return error.empty();
    }
    if (action == "dump") {
        if (wordCount(line, 2, "dump FILE", error) &&
            !WriteDump(line.words[1].text, watch_, unloadMode_))
            error = "cannot write " + line.words[1].text;
        return error.empty();
    }
    return viewManagerAction(action, line, error);
}

bool ScriptRunner::unload(std::string& error) {
    plugin_.Unload();
    // Any window that would still run the library's code: the next message
    // it got would crash the host.
    const std::vector<std::string> left = WindowsRunningIn(plugin_);
    if (left.empty())
        return true;
    error = "unload: windows still run code of the unloaded library:";
    for (const std::string& window : left)
        error += " " + window;
    return false;
}

bool ScriptRunner::answer(const ScriptLine& line, std::string& error) {
    const std::string what = line.words.size() > 1 ? line.words[1].text : "";
    ConfirmAnswer confirm = ConfirmAnswer::Cancel;
    if (what == "confirm" && line.words.size() == 3 && confirmAnswer(line.words[2].text, confirm)) {
        watch_.AnswerNextConfirmation(confirm);
        return true;
    }
    if (what == "menu" && line.words.size() == 3) {
        watch_.AnswerNextMenu(line.words[2].text == "esc" ? "" : line.words[2].text);
        return true;
    }
    ColorAnswer color;
    if (what == "color" && line.words.size() == 3 && line.words[2].text == "cancel") {
        color.cancel = true;
        watch_.AnswerNextColorDialog(color);
        return true;
    }
    if (what == "color" && line.words.size() == 5 && toNumber(line.words[2], 0, 255, color.red) &&
        toNumber(line.words[3], 0, 255, color.green) &&
        toNumber(line.words[4], 0, 255, color.blue)) {
        watch_.AnswerNextColorDialog(color);
        return true;
    }
    error = "expected: answer confirm save|nosave|cancel|closebox|esc, answer color R G B|cancel, "
            "or answer menu ENTRY|esc";
    return false;
}

} // namespace devhost
