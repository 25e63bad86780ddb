// The View Manager's answers to the development host's probe messages.
#pragma once

#include "ui/view_manager_probe.h"

#include <windows.h>

#include <vector>

class TreeListCtrl;

class ViewManagerProbeAnswer {
  public:
    // True when message is one of the probe messages sent from the calling
    // thread; *result is then its answer about list.
    bool Answer(TreeListCtrl& list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  private:
    std::vector<ShownRowState> m_rows;
    ShownRows m_shown = {};
};
