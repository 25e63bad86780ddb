#include "commands/win32/dialog_prompts.h"

#include "commands/win32/confirm_close_dlg.h"
#include "wnd/common_dialogs.h"

#include <windows.h>

std::optional<uint32_t> DialogPrompts::AskColor() {
    CColorDialog dialog(0, 0, m_owner);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    // A COLORREF is packed as the rows keep their colours: 0x00BBGGRR.
    return static_cast<uint32_t>(dialog.GetColor()) & 0x00FFFFFFu;
}

int DialogPrompts::ConfirmClose() {
    ConfirmCloseDlg dialog(m_owner);
    dialog.DoModal();
    return dialog.m_result;
}

std::optional<int> DialogPrompts::ChooseRowCommand(const std::vector<RowMenuEntry>& entries, int x,
                                                   int y) {
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return std::nullopt;
    // An entry's identifier is its column plus one: 0 means no choice.
    for (const RowMenuEntry& entry : entries)
        AppendMenuA(menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(entry.column + 1), entry.text.c_str());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0,
                                      m_owner ? m_owner->m_hWnd : nullptr, nullptr);
    DestroyMenu(menu);
    if (chosen <= 0)
        return std::nullopt;
    return chosen - 1;
}
