#pragma once
#include <windows.h>

#include <string>

#include "help/ContextHelpRules.h"

// The help pages: the "help" folder beside the program, and the user's
// browser that opens them; a recorder in tests.
class CHelpPages {
 public:
  virtual ~CHelpPages() = default;
  // Ends in a backslash.
  virtual std::string Folder();
  // Opens `url` (the page's file: address with its anchor) with the
  // program registered for web pages; without one, the shell opens `path`.
  virtual void Open(const std::string& url, const std::string& path);
};
// Replaces the help pages (tests); null restores the program's.
void SetHelpPages(CHelpPages* replacement);

// The one path of every help request: the application's help engine when
// the classic help file beside the program and the engine are both there,
// otherwise the help page of the request in the browser; when that page is
// missing too, a message that help is not installed.
void ShowHelp(HWND window, UINT command, ULONG_PTR data);

// Gives the controls of a dialog made from template `templateId` the help
// ids the template carries, which not every system applies by itself, and
// the dialog its topic, for the buttons that have no help of their own.
void AssignControlHelpIds(HWND dialog, UINT templateId);

// WM_HELP of a dialog, page (`tracksF1`) or sheet: the topic 0x20000 +
// `templateId` on plain F1, otherwise the pop-up help of the control asked
// about. false leaves the request to the default handling.
bool OnHelpRequest(HWND dialog, const HELPINFO& info, HelpKeyState& keys, bool tracksF1, UINT templateId);

// WM_CONTEXTMENU: the what's-this menu of the control clicked, or of the
// child under `screenPoint` when the dialog itself was clicked. false
// leaves the message to the default handling.
bool OnContextMenuHelp(HWND dialog, HWND clicked, POINT screenPoint);
