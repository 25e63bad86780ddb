// The process's one View Manager: created by the first command, shown again
// by the later ones, forgotten when its window goes.
#pragma once

#include "model/tree_shape.h"

class ViewManagerDlg;

// The dialog object, or null; cleared when the dialog is destroyed.
extern ViewManagerDlg* g_viewManagerDlg;
// 1 once the dialog's window exists; 0 again when it is destroyed.
extern int g_viewManagerCreated;
// The shape of the tree the last View Manager closed with, which the next
// one of the process opens with.
extern TreeShape g_keptTreeShape;

// Creates the modeless dialog unless the process has one ("Error creating
// Dialog" when its window cannot be made), then shows it. Runs inside the
// command's host session.
void CreateOrShowViewManager();
// The one place where the View Manager's object goes: once its window has
// gone, or when none could be made for it. Clears the pointer and the flag
// above when they stand for it.
void DeleteViewManager(ViewManagerDlg* dialog);
