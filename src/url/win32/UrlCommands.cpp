#include "url/win32/UrlCommands.h"

#include <shellapi.h>

#include <vector>

#include "framework/Win32Messages.h"
#include "res/resource.h"
#include "settings/win32/RegistryKey.h"
#include "url/UrlRules.h"

bool RegisteredOpenCommand(const std::string& scheme, std::string& command) {
  CRegistryKey key;
  // Reading is all it needs, and all an ordinary user may do there.
  if (key.Open(HKEY_CLASSES_ROOT, (scheme + "\\Shell\\Open\\Command").c_str(), KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return false;
  std::vector<char> value(size + 1);
  if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  // A stored string need not carry its terminator.
  value[size] = '\0';
  command = value.data();
  return true;
}

void OpenUrl(const std::string& url) {
  const INT_PTR shell =
      reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", url.c_str(), "", "", SW_SHOWNORMAL));
  if (shell > 32 || shell == 0) return;
  std::string command;
  if (!RegisteredOpenCommand(FallbackScheme(url), command)) return;
  const RegisteredCommand split = SplitRegisteredCommand(command, url);
  ShellExecuteA(nullptr, "open", split.program.c_str(), split.arguments.c_str(), "", SW_SHOWNORMAL);
}

const CCmdTarget::CommandEntry<CUrlCommands> CUrlCommands::COMMANDS[] = {
    {ID_OPEN_URL, &CUrlCommands::OnOpenUrl, &CUrlCommands::OnUpdateOpenUrl},
    {ID_VENDOR_WEB_SITE, &CUrlCommands::OnWebSite, nullptr},
};

CUrlCommands::CUrlCommands(CQuilleryDoc& doc, const Settings& s, IMessages& m)
    : document(doc), settings(s), messages(m) {}

bool CUrlCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CUrlCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

bool CUrlCommands::Selection(DWORD& start, DWORD& end) {
  HWND editor = document.NoteView().GetSafeHwnd();
  if (settings.noteMode == 0 || editor == nullptr) return false;
  start = end = 0;
  SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return true;
}

void CUrlCommands::OnUpdateOpenUrl(CCmdUI& ui) {
  DWORD start = 0;
  DWORD end = 0;
  ui.Enable(Selection(start, end) && start != end);
}

void CUrlCommands::OnOpenUrl() {
  DWORD start = 0;
  DWORD end = 0;
  if (!Selection(start, end) || start >= end) return;
  const std::string text = document.NoteView().GetText();
  if (start >= text.size()) return;
  const std::string address = AddressForSelection(text.substr(start, end - start));
  if (!address.empty()) OpenCheckedAddress(address);
}

void CUrlCommands::OnWebSite() {
  OpenCheckedAddress(WebSiteAddress(registry, LoadResourceString(IDS_WEB_SITE_ADDRESS)));
}

void CUrlCommands::OpenCheckedAddress(const std::string& address) {
  if (!IsWebAddress(address)) {
    ShowMessage(messages, IDS_NOT_A_WEB_ADDRESS, MessageButtons::Ok, MessageIcon::Exclamation);
    return;
  }
  OpenUrl(address);
}
