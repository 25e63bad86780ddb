#include "commands/win32/dialog_prompts.h"

#include "commands/win32/confirm_close_dlg.h"
#include "wnd/common_dialogs.h"

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
