#pragma once
#include <windows.h>

#include <string>

#include "base/Messages.h"
#include "document/win32/QuilleryDoc.h"
#include "framework/Frame.h"
#include "settings/Settings.h"
#include "settings/win32/RegistrySettingsStore.h"

// Opens `url` in the user's browser: through the shell, or when the shell
// refuses, with the command registered for its scheme. Reports nothing.
void OpenUrl(const std::string& url);

// The default value of HKEY_CLASSES_ROOT\<scheme>\Shell\Open\Command, of
// any length; false when there is none or it is not a string.
[[nodiscard]] bool RegisteredOpenCommand(const std::string& scheme, std::string& command);

// Open URL (the note view's selection) and the vendor's web site: each
// address is checked first, so that no note can start a program or open a
// file, and a refusal is said in a short message.
class CUrlCommands : public CCmdTarget {
 public:
  CUrlCommands(CQuilleryDoc& document, const Settings& settings, IMessages& messages);
  CUrlCommands(const CUrlCommands&) = delete;
  CUrlCommands& operator=(const CUrlCommands&) = delete;

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void OnOpenUrl();
  void OnUpdateOpenUrl(CCmdUI& ui);
  void OnWebSite();
  void OpenCheckedAddress(const std::string& address);
  // The editor's selection as offsets; false when the list shows.
  bool Selection(DWORD& start, DWORD& end);
  static const CommandEntry<CUrlCommands> COMMANDS[2];

  CQuilleryDoc& document;
  const Settings& settings;
  IMessages& messages;
  CRegistrySettingsStore registry{PROGRAM_KEY};
};
