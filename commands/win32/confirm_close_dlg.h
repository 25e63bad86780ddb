// The question asked before modified parts are closed: "&Close and Save ",
// "&Close without save" or "&Cancel". It only reports the answer; the Close
// command saves and closes, or does nothing.
#pragma once

#include "commands/command_prompts.h"
#include "wnd/common_controls.h"
#include "wnd/dialog.h"

class ConfirmCloseDlg : public CDialog {
  public:
    // A modal dialog from template 1053 over owner (may be null).
    explicit ConfirmCloseDlg(CWnd* owner = nullptr);

    // CONFIRM_SAVE_AND_CLOSE, CONFIRM_CLOSE_NO_SAVE or CONFIRM_CANCEL; every
    // way out of the dialog but the first two buttons leaves it at cancel.
    int m_result = CONFIRM_CANCEL;
    HICON m_hIcon;
    CProgressCtrl m_progress;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Records the answer and ends the dialog with the cancel code.
    void Answer(int result);
};
