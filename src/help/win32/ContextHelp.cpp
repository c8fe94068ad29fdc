#include "help/win32/ContextHelp.h"

#include <vector>

#include "base/Messages.h"
#include "framework/App.h"
#include "res/resource.h"

namespace {

// The visible, enabled child of `dialog` under a screen point; null when
// there is none.
HWND ChildAt(HWND dialog, POINT screenPoint) {
  POINT client = screenPoint;
  if (!ScreenToClient(dialog, &client)) return nullptr;
  HWND child = ChildWindowFromPointEx(dialog, client, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  return child == dialog ? nullptr : child;
}

// Shows the help of `window` or of the control after it in its group.
bool ShowControlHelp(HWND dialog, HWND window, UINT command) {
  if (window == nullptr || window == dialog || !IsChild(dialog, window)) return false;
  // A part of a control (the edit of a combo box) stands for the control.
  while (GetParent(window) != dialog) window = GetParent(window);
  std::vector<HelpWindow> walk;
  std::vector<HWND> windows;
  for (HWND w = window; w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    const bool startsGroup = (GetWindowLongPtrA(w, GWL_STYLE) & WS_GROUP) != 0;
    walk.push_back({GetDlgCtrlID(w), GetWindowContextHelpId(w), startsGroup});
    windows.push_back(w);
    if (walk.size() > 1 && startsGroup) break;
  }
  const std::optional<ResolvedControlHelp> resolved = ResolveControlHelp(walk);
  if (!resolved) return false;
  DWORD pairs[4];
  for (size_t i = 0; i < 4; ++i) pairs[i] = resolved->pairs[i];
  ShowHelp(windows[resolved->window], command, reinterpret_cast<ULONG_PTR>(pairs));
  return true;
}

}  // namespace

void ShowHelp(HWND window, UINT command, ULONG_PTR data) {
  CWinApp* app = CWinApp::Get();
  if (app == nullptr) return;
  const std::string& file = app->HelpFilePath();
  const DWORD attributes = GetFileAttributesA(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ShowMessage(app->Messages(), IDS_HELP_NOT_INSTALLED, MessageButtons::Ok, MessageIcon::Information,
                {{"<FILENAME>", file}});
    return;
  }
  app->HelpEngine().WinHelp(window, file, command, data);
}

void AssignControlHelpIds(HWND dialog, UINT templateId) {
  if (templateId == 0) return;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));  // RT_DIALOG
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* bytes = loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  if (bytes == nullptr) return;
  for (const TemplateControlHelp& control : ReadTemplateHelpIds(bytes, SizeofResource(instance, found))) {
    HWND window = GetDlgItem(dialog, static_cast<int>(control.controlId));
    if (window != nullptr) SetWindowContextHelpId(window, control.helpId);
  }
}

bool OnHelpRequest(HWND dialog, const HELPINFO& info, HelpKeyState& keys, bool tracksF1, UINT templateId) {
  const bool aboutWindow = info.iContextType == HELPINFO_WINDOW;
  HWND window = aboutWindow ? static_cast<HWND>(info.hItemHandle) : nullptr;
  switch (DecideHelpRequest(keys, tracksF1, aboutWindow, window == dialog)) {
    case HelpRequestAction::Topic:
      ShowHelp(dialog, HELP_CONTEXT, DialogHelpTopic(templateId));
      return true;
    case HelpRequestAction::BeepAndDefault:
      MessageBeep(0);
      return false;
    case HelpRequestAction::ControlUnderPoint:
      return ShowControlHelp(dialog, ChildAt(dialog, info.MousePos), HELP_WM_HELP);
    case HelpRequestAction::Control:
      return ShowControlHelp(dialog, window, HELP_WM_HELP);
  }
  return false;
}

bool OnContextMenuHelp(HWND dialog, HWND clicked, POINT screenPoint) {
  HWND window = clicked == dialog ? ChildAt(dialog, screenPoint) : clicked;
  return ShowControlHelp(dialog, window, HELP_CONTEXTMENU);
}
