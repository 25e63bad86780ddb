// The View Manager's answers to the development host's probe messages.
#pragma once

#include <windows.h>

class TreeListCtrl;

// True when message is one of the probe messages; *result is then its
// answer about list.
bool AnswerViewManagerProbe(TreeListCtrl& list, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result);
