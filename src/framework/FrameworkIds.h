// The framework's standard command, window, string and message ids. Read by
// the resource compiler (through src/res/resource.h) and by C++: only
// #define lines here.
#ifndef QUILLERY_FRAMEWORK_IDS_H
#define QUILLERY_FRAMEWORK_IDS_H

// Commands
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_DIRECT 57608
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_FINDER 57667
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670
#define ID_DEFAULT_HELP 57671
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Status-bar panes: the message pane, then indicators whose string is the
// text they show while enabled.
#define ID_SEPARATOR 0
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138

// Child windows of a frame.
#define AFX_IDW_TOOLBAR 59392
#define AFX_IDW_STATUS_BAR 59393
#define AFX_IDW_PANE_FIRST 59648

// Strings
#define AFX_IDS_APP_TITLE 57344
#define AFX_IDS_IDLEMESSAGE 57345
#define AFX_IDP_COMMAND_FAILURE 61705
#define AFX_IDP_PARSE_INT 61712
#define AFX_IDP_PARSE_INT_RANGE 61714
#define AFX_IDP_PARSE_UINT 61719

// Dialogs
#define AFX_IDD_PREVIEW_TOOLBAR 30723

// The print preview's buttons.
#define AFX_ID_PREVIEW_CLOSE 58112
#define AFX_ID_PREVIEW_NUMPAGE 58113
#define AFX_ID_PREVIEW_NEXT 58114
#define AFX_ID_PREVIEW_PREV 58115
#define AFX_ID_PREVIEW_PRINT 58116
#define AFX_ID_PREVIEW_ZOOMIN 58117
#define AFX_ID_PREVIEW_PAGE_TEXT 58119

// Resource type of a toolbar's button table.
#define RT_TOOLBAR_TYPE 241

#endif
