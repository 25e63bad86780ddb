/* Dialog templates and strings of the ui tests. Plain C: the resource compiler reads it too. */
#ifndef UI_TEST_RESOURCES_H
#define UI_TEST_RESOURCES_H

/* A dialog holding a report list like the View Manager's. */
#define IDD_LIST_HOST 100
#define IDC_LIST 1009

/* A resizable dialog with controls for the resize controller. */
#define IDD_RESIZE 102
#define IDC_STRETCH 1101
#define IDC_HALF 1102

#endif
