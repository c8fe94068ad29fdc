#include "help/win32/ContextHelp.h"

#include <shellapi.h>

#include <tuple>
#include <vector>

#include "base/Messages.h"
#include "framework/App.h"
#include "framework/Win32Messages.h"
#include "help/HelpPages.h"
#include "res/resource.h"
#include "url/UrlRules.h"
#include "url/win32/UrlCommands.h"

namespace {

CHelpPages programPages;
CHelpPages* helpPages = &programPages;

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The shell command of the program the user chose for web pages: their
// own choice first, then the system's class of ".html".
bool RegisteredPageCommand(std::string& command) {
  const std::tuple<HKEY, const char*, const char*> places[] = {
      {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.html\\UserChoice",
       "ProgId"},
      {HKEY_CLASSES_ROOT, ".html", nullptr}};
  for (const auto& [root, path, name] : places) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
    char progId[256];
    DWORD size = sizeof progId - 1;
    DWORD type = 0;
    const LONG read = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(progId), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ) continue;
    // A stored string need not carry its terminator.
    progId[size] = '\0';
    if (progId[0] != '\0' && RegisteredOpenCommand(progId, command)) return true;
  }
  return false;
}

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The context a request asks about: the topic, the help id of the control
// (its dialog's topic for a button without help), or 0 for the contents.
uint32_t RequestedContext(HWND window, UINT command, ULONG_PTR data) {
  if (command == HELP_CONTEXT) return static_cast<uint32_t>(data);
  if (command == HELP_WM_HELP || command == HELP_CONTEXTMENU) {
    const uint32_t helpId = reinterpret_cast<const DWORD*>(data)[1];
    if (helpId != 0) return helpId;
    return static_cast<uint32_t>(GetWindowContextHelpId(GetParent(window)));
  }
  return 0;
}

// The what's-this menu under the mouse; true when its one item was chosen.
bool ChooseWhatsThis(HWND window) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return false;
  AppendMenuA(menu, MF_STRING, 1, LoadResourceString(IDS_WHATS_THIS).c_str());
  POINT at;
  GetCursorPos(&at);
  const BOOL chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  DestroyMenu(menu);
  return chosen == 1;
}

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

std::string CHelpPages::Folder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "help\\";
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  return folder + "help\\";
}

void CHelpPages::Open(const std::string& url, const std::string& path) {
  // The shell drops the anchor of a file: address, so the browser is asked
  // directly. Wine's browser launcher turns an address with an anchor into
  // one that finds nothing: there the page opens at its top.
  const std::string address = RunningOnWine() ? url.substr(0, url.find('#')) : url;
  std::string command;
  if (RegisteredPageCommand(command)) {
    const RegisteredCommand split = SplitRegisteredCommand(command, address);
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", split.program.c_str(), split.arguments.c_str(), "", SW_SHOWNORMAL));
    if (started > 32) return;
  }
  ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetHelpPages(CHelpPages* replacement) { helpPages = replacement != nullptr ? replacement : &programPages; }

void ShowHelp(HWND window, UINT command, ULONG_PTR data) {
  CWinApp* app = CWinApp::Get();
  if (app == nullptr) return;
  if (IsFile(app->HelpFilePath()) && app->HelpEngine().Installed()) {
    app->HelpEngine().WinHelp(window, app->HelpFilePath(), command, data);
    return;
  }
  const HelpPage page = HelpPageFor(RequestedContext(window, command, data));
  const std::string folder = helpPages->Folder();
  const std::string path = folder + page.file;
  if (!IsFile(path)) {
    ShowMessage(app->Messages(), IDS_HELP_NOT_INSTALLED, MessageButtons::Ok, MessageIcon::Information,
                {{"<FILENAME>", path}});
    return;
  }
  if (command == HELP_CONTEXTMENU && !ChooseWhatsThis(window)) return;
  helpPages->Open(HelpPageUrl(folder, page), path);
}

void AssignControlHelpIds(HWND dialog, UINT templateId) {
  if (templateId == 0) return;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));  // RT_DIALOG
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* bytes = loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  if (bytes == nullptr) return;
  SetWindowContextHelpId(dialog, DialogHelpTopic(templateId));
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
