#pragma once
#include <windows.h>

#include "help/ContextHelpRules.h"

// The one path of every help request: the application's help engine with
// the help file beside the program, or, when there is no help file, a
// message that help is not installed (the help engine would only fail).
void ShowHelp(HWND window, UINT command, ULONG_PTR data);

// Gives the controls of a dialog made from template `templateId` the help
// ids the template carries, which not every system applies by itself.
void AssignControlHelpIds(HWND dialog, UINT templateId);

// WM_HELP of a dialog, page (`tracksF1`) or sheet: the topic 0x20000 +
// `templateId` on plain F1, otherwise the pop-up help of the control asked
// about. false leaves the request to the default handling.
bool OnHelpRequest(HWND dialog, const HELPINFO& info, HelpKeyState& keys, bool tracksF1, UINT templateId);

// WM_CONTEXTMENU: the what's-this menu of the control clicked, or of the
// child under `screenPoint` when the dialog itself was clicked. false
// leaves the message to the default handling.
bool OnContextMenuHelp(HWND dialog, HWND clicked, POINT screenPoint);
