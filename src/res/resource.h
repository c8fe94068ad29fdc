// Resource, command, control and string ids of the program. Read by the
// resource compiler and by C++: only #define lines here.
#ifndef QUILLERY_RESOURCE_H
#define QUILLERY_RESOURCE_H

// The framework's standard ids (ID_APP_EXIT, ID_FILE_PRINT, indicators, ...).
#include "framework/FrameworkIds.h"

// Resources. The main frame's menu, accelerators, toolbar, icon and document
// string share one id.
#define IDR_MAINFRAME 128
#define IDR_POPUP_MENUS 133       // tray menu, note context menu, list context menu
#define IDB_SPLASH 138            // start-up picture, loaded with its palette
#define IDB_REMINDER_MARK 160     // 32 x 16: the 16 x 16 mark, then its mask
#define IDB_PICTURE 161           // About box and setup wizard pages
#define IDD_ABOUTBOX 100
#define IDD_SPLASH 135
#define IDD_NOTE_PROPERTIES 132
#define IDD_GOTO_NOTE 139
#define IDD_MOVE_NOTE 170
#define IDD_SET_REMINDER 153
#define IDD_REMINDER_POPUP 155

// Positions of the popups of menu 133.
#define POPUP_TRAY 0
#define POPUP_NOTE_CONTEXT 1
#define POPUP_LIST_CONTEXT 2

// Controls of the About box and the splash box.
#define IDC_ABOUT_PRODUCT 10000
#define IDC_ABOUT_VERSION 10001
#define IDC_ABOUT_COPYRIGHT 10002
#define IDC_SPLASH_TEXT 10100

// Controls of the Go To Note, Note Properties and Move Note dialogs.
#define IDC_GOTO_NUMBER 10200
#define IDC_PROPERTIES_NUMBER 10300
#define IDC_PROPERTIES_CREATED 10301
#define IDC_PROPERTIES_MODIFIED 10302
#define IDC_MOVE_BEFORE_FIRST 11500
#define IDC_MOVE_AFTER 11501
#define IDC_MOVE_AFTER_NUMBER 11502

// Controls of the set-reminder dialog and the reminder popup.
#define IDC_REMINDER_ENABLED 10700
#define IDC_REMINDER_DATE 10701
#define IDC_REMINDER_TIME 10702
#define IDC_POPUP_TEXT 10800
#define IDC_POPUP_SNOOZE_LIST 10801
#define IDC_POPUP_SNOOZE 10802
#define IDC_POPUP_DISMISS 10803

// The Find dialog, its controls and its not-found message.
#define IDD_FIND 140
#define IDC_FIND_WHOLE_WORDS 10500
#define IDC_FIND_IGNORE_CASE 10501
#define IDC_FIND_ONE_PER_NOTE 10502
#define IDC_FIND_FORWARD 10503
#define IDC_FIND_BACKWARD 10504
#define IDC_FIND_FROM_FIRST 10505
#define IDC_FIND_FROM_LAST 10506
#define IDC_FIND_TEXT 10507
#define IDC_FIND_BUTTON 10508
#define IDS_FIND_NOT_FOUND 911

// Open URL, the web-site command and Import from DeskNotes.
#define IDS_WEB_SITE_ADDRESS 310      // the default; "Web Site Address" under "General" replaces it
#define IDS_DESKNOTES_KEY 330
#define IDS_ASK_IMPORT_DESKNOTES 331
#define IDS_IMPORT_DONE 332
#define IDS_NO_DESKNOTES 921
#define IDS_NOT_A_WEB_ADDRESS 930
#define IDS_WHATS_THIS 931

// Status-bar indicator of the current note's reminder (also its string).
#define ID_INDICATOR_REMIND 101

// Commands. Each command's string is its status-bar prompt and, after a
// line break, its tooltip.
#define ID_NOTE_NEW 32800
#define ID_NOTE_DELETE 32802
#define ID_NOTE_PROPERTIES 32803
#define ID_APP_QUIT 32804
#define ID_IMPORT_DESKNOTES 32805
#define ID_SAVE_NOTES 32806
#define ID_PRINT_NOTES 32807
#define ID_NOTE_NEXT 32901
#define ID_NOTE_PREVIOUS 32902
#define ID_NOTE_FIRST 32906
#define ID_NOTE_LAST 32907
#define ID_NOTE_GOTO 32908
#define ID_OPEN_URL 32909
#define ID_NOTE_MOVE 32910
#define ID_REMINDERS 32911
#define ID_FIND 33002
#define ID_FIND_NEXT 33003
#define ID_INSERT_DATE 33004
#define ID_INSERT_TIME 33005
#define ID_INSERT_DATE_TIME 33006
#define ID_INSERT_WEEKDAY 33007
#define ID_PREFERENCES 33200
#define ID_VIEW_NOTE 33201
#define ID_VIEW_LIST 33202
#define ID_CHECK_VERSION 33302
#define ID_VENDOR_WEB_SITE 33303
#define ID_HELP_FAQ 33304
#define ID_TRAY_NEW_NOTE 33400
#define ID_TRAY_OPEN 33401

// Help context numbers: commands 0x10000 + id, dialogs 0x20000 + template
// id, and a dialog control 0x80000000 + template id * 0x10000 + control id.
#define HELP_COMMAND_BASE 0x10000
#define HELP_DIALOG_BASE 0x20000
#define HELPID_CONTROL(dialog, control) (0x80000000 + (dialog) * 0x10000 + (control))

// Strings.
#define IDS_TITLE_NOTE_VIEW 200
#define IDS_PROPERTIES_NUMBER 201
#define IDS_PROPERTIES_NEW_NOTE 202
#define IDS_TITLE_LIST_VIEW 207
#define IDS_REMINDER_POPUP_CAPTION 210
#define IDS_SET_REMINDER_CAPTION 211
#define IDS_MOVE_NOTE_CAPTION 212
#define IDS_CONFIRM_DELETE 300
#define IDS_PROGRAM_NAME 301      // the tray tooltip and the Run entry's value name
#define IDS_RUN_KEY 303
#define IDS_VERSION_STRING_BLOCK 304
#define IDS_ASK_CREATE_NOTES_FILE 305
#define IDS_ASK_DEFAULT_PATH 309
#define IDS_LOCALE 312
#define IDS_CONFIRM_DELETE_MANY 321
#define IDS_HELP_NOT_INSTALLED 340
#define IDS_NOTE_FONT_FACES 325
#define IDS_LIST_FONT_FACES 326
#define IDS_LIST_HEADING_NUMBER 400
#define IDS_LIST_HEADING_NOTE 401
#define IDS_LIST_HEADING_CREATED 402
#define IDS_LIST_HEADING_MODIFIED 403
#define IDS_ERROR_CREATE_NOTES_FILE 900
#define IDS_ERROR_WRITE_NOTES_FILE 901
#define IDS_OUT_OF_MEMORY 902
#define IDS_ERROR_READ_NOTES_FILE 903
#define IDS_NOTE_PAD_FULL 904
#define IDS_NOTES_FILE_IN_USE 905
#define IDS_ASK_USE_BACKUP 906
#define IDS_ASK_CREATE_AFTER_BACKUP 907
#define IDS_ERROR_RECREATE_NOTES_FILE 908
#define IDS_ERROR_BACKUP 909
#define IDS_NOTES_FILE_CORRUPTED 910
#define IDS_REMINDER_IN_PAST 918
#define IDS_ASK_DISCARD_NOTE 920
#define IDS_ASK_TRUNCATE_NOTE 922
#define IDS_NOTES_FILE_KEPT_ASIDE 924
#define IDS_ERROR_KEEP_ASIDE 925
#define IDS_TOO_MANY_NOTES 926

// Preferences sheet and first-run setup wizard: pages, controls, strings.
#define IDD_PREFS_GENERAL 106
#define IDD_PREFS_STARTUP 134
#define IDD_PREFS_APPEARANCE 145
#define IDD_PREFS_PROXY 151
#define IDD_PREFS_REMINDERS 157
#define IDD_WIZ_WELCOME 162
#define IDD_WIZ_START 163
#define IDD_WIZ_TRAY 164
#define IDD_WIZ_ON_TOP 165
#define IDD_WIZ_REMIND 166
#define IDD_WIZ_SNOOZE 168
#define IDC_START_WITH_WINDOWS 10900
#define IDC_RUN_IN_TRAY 10901
#define IDC_CLOSE_TO_TRAY 10902
#define IDC_VERIFY_DELETE 11000
#define IDC_AUTOSAVE 11001
#define IDC_AUTOSAVE_MINUTES 11002
#define IDC_USE_BACKUPS 11003
#define IDC_SNOOZE_INTERVAL 11100
#define IDC_REMIND_SOUND 11101
#define IDC_REMIND_INTERVAL 11102
#define IDC_USE_FIXED_TIME 11103
#define IDC_FIXED_TIME 11104
#define IDC_NOTE_TEXT_COLOR 11200
#define IDC_NOTE_BACK_COLOR 11201
#define IDC_LIST_TEXT_COLOR 11202
#define IDC_LIST_BACK_COLOR 11203
#define IDC_NOTE_FONT 11204
#define IDC_LIST_FONT 11205
#define IDC_NOTE_SAMPLE 11206
#define IDC_LIST_SAMPLE 11207
#define IDC_TABS 11208
#define IDC_ON_TOP 11209
#define IDC_PROXY_NONE 11301
#define IDC_PROXY_SYSTEM 11302
#define IDC_PROXY_LISTED 11303
#define IDC_HTTP_PROXY 11305
#define IDC_HTTP_PORT 11306
#define IDC_FTP_PROXY 11307
#define IDC_FTP_PORT 11308
#define IDC_SOCKS_PROXY 11309
#define IDC_SOCKS_PORT 11310
#define IDS_NOTE_TEXT_COLOR_TITLE 203
#define IDS_NOTE_BACK_COLOR_TITLE 204
#define IDS_LIST_TEXT_COLOR_TITLE 205
#define IDS_LIST_BACK_COLOR_TITLE 206
#define IDS_NOTE_FONT_TITLE 208
#define IDS_LIST_FONT_TITLE 209
#define IDS_PREFERENCES_CAPTION 302
#define IDS_FONT_FAILED 913
#define IDS_PROXY_NO_SERVER 916
#define IDS_PROXY_BAD_PORT 917

// Printing.
#define IDS_LIST_PRINT_TITLE 313
#define IDS_LIST_PRINT_PAGE 314
#define IDS_NOTE_PRINT_REMIND_HEADING 500
#define IDS_NOTE_PRINT_FOOTER 501


// Version check and upgrade download: dialogs, controls, strings.
#define IDD_CHECK_VERSION 146
#define IDD_DOWNLOAD 150
#define IDC_CHECK_DOWNLOAD 10100
#define IDC_CHECK_TEXT 10101
#define IDC_DOWNLOAD_PROGRESS 10400
#define IDC_DOWNLOAD_TEXT 10401
#define IDC_DOWNLOAD_STATUS 10402
#define IDS_DOWNLOADING 315
#define IDS_DOWNLOAD_COMPLETE 316
#define IDS_ASK_INSTALL_UPGRADE 317
#define IDS_CLOSE 328
#define IDS_AGENT_NAME 329
#define IDS_CHECK_UPGRADE_AVAILABLE 450
#define IDS_CHECK_UP_TO_DATE 451
#define IDS_CHECK_FAILED 452
#define IDS_CHECK_SESSION_FAILED 453
#define IDS_CHECK_OPEN_URL_FAILED 454
#define IDS_CHECK_READ_FAILED 455
#define IDS_CHECK_UNKNOWN_ERROR 456
#define IDS_CHECK_INVALID_FILE 457
#define IDS_INSTALLER_NOT_STARTED 458
#define IDS_UPGRADES_FOLDER_FAILED 914
#define IDS_DOWNLOAD_ERROR 915

#endif
