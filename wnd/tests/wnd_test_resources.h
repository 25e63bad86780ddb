/* The dialog and string the window layer's tests create their windows from. Plain C: the resource
   compiler reads it too. */
#ifndef WND_TEST_RESOURCES_H
#define WND_TEST_RESOURCES_H

/* A modal dialog with an edit box and a progress bar bound by data exchange. */
#define IDD_EXCHANGE 101
#define IDC_NAME 1001
#define IDC_PROGRESS 1032

#define IDS_EXTENSION 9102

#endif
