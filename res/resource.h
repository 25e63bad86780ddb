/* Resource ids of the plug-in library. Plain C: the resource compiler reads it too. */
#ifndef KZQVL_VIEW_RESOURCE_H
#define KZQVL_VIEW_RESOURCE_H

/* Cell pictures of the tree list: one 20 x 19 image at the top left, pure green see-through. */
#define IDB_FOLDER_CLOSED 1029
#define IDB_FOLDER_OPEN 1030
#define IDB_BLOCK_SOLID 1037
#define IDB_BLOCKS_SOLID 1038
#define IDB_PADLOCK_OPEN 1050
#define IDB_PADLOCK_CLOSED 1052
#define IDB_BLOCK_DOTTED 1060
#define IDB_BLOCKS_DOTTED 1061
#define IDB_TICK_RED 1065
#define IDB_TICK_GREY 1068
#define IDB_ISOLATE_YELLOW_FRONT 1069
#define IDB_ISOLATE_ALL_GREY 1070

/* The same cell pictures drawn for 150 % and 200 % (scaled_pictures.rc): 30 x 28 and 40 x 37 at the
   top left, at the picture's id plus these. */
#define IDB_SCALED_150 1000
#define IDB_SCALED_200 2000

/* The warning triangle of the close confirmation. */
#define IDB_WARNING 1057

/* The icon of the dialogs. */
#define IDI_VIEW_MANAGER 1076

/* Dialog templates, their controls and the string table go below. */

/* The View Manager dialog and its controls; the file-name box, its label and the Browse and Edit
   buttons are hidden. */
#define IDD_VIEW_MANAGER 1005
#define IDC_XML_FILE_NAME 1001
#define IDC_REFRESH 1002
#define IDC_TREE_LIST 1009
#define IDC_SWITCH 1021
#define IDC_BROWSE 1023
#define IDC_XML_FILE_LABEL 1024
#define IDC_EDIT_XML_FILE 1033
#define IDC_HIGHLIGHT 1034
#define IDC_BOTTOM_LINE 1036
#define IDC_LIST_LINE 1037
/* The filter box beside the Highlight box, and the count of the rows it finds. */
#define IDC_FILTER 1040
#define IDC_FILTER_COUNT 1041

/* Strings of the file-open dialog of the Browse button. */
#define IDS_XML_EXTENSION 102
#define IDS_OPEN_XML_TITLE 104
#define IDS_XML_FILTER 105

/* The close confirmation and its controls; the progress bar is created hidden. */
#define IDD_CONFIRM_CLOSE 1053
#define IDC_SAVE_AND_CLOSE 1002
#define IDC_CONFIRM_WARNING 1012
#define IDC_CONFIRM_TEXT 1013
#define IDC_CLOSE_NO_SAVE 1014
#define IDC_CONFIRM_CANCEL 1015
#define IDC_CONFIRM_PROGRESS 1032

#endif
