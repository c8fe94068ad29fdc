#pragma once
#include <cstdint>

// The program's own messages to the main window, and the class by which
// other copies and the test driver find that window. Plain numbers, so
// code without <windows.h> can name them too.

constexpr uint32_t WM_APP_SHOW_NOTE = 0x0400;  // from the summary list: open the current note
constexpr uint32_t WM_APP_TRAY_NOTIFY = 0x0801;  // from the shell: wParam the icon id, lParam the mouse message
constexpr uint32_t WM_APP_ACTIVATE = 0x0802;   // from a second copy: come forward
constexpr uint32_t WM_APP_QUIT = 0x0803;       // from a copy started to stop this one
constexpr uint32_t WM_APP_AUTOSAVE = 0x0804;   // save the notes now
constexpr uint32_t WM_APP_VERSION_RESULT = 0x0805;      // to the check dialog: wParam 1 read, 0 failed (lParam why)
constexpr uint32_t WM_APP_DOWNLOAD_PROGRESS = 0x0806;   // to the download dialog: wParam 0 bytes, 1 the result
constexpr uint32_t WM_APP_REMINDER_DUE = 0x0807;    // lParam: the note whose reminder is due
constexpr uint32_t WM_APP_SCAN_REMINDERS = 0x0808;  // lParam: the worker's cycle time, to the minute
constexpr uint32_t WM_APP_SHOW_LIST = 0x0809;  // at start-up: the list was the last view
constexpr uint32_t WM_APP_STAMP_TIME = 0x080A;  // to the thread itself: brings the last message time forward

constexpr const char* MAIN_WINDOW_CLASS = "QuilleryWndClass";
