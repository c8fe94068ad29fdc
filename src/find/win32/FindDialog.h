#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "find/CaseFold.h"
#include "find/NoteSearch.h"
#include "help/win32/HelpDialogs.h"
#include "settings/SettingsStore.h"

// The Find dialog: the text with its recent history, three options and a
// direction, all kept under the "Find" key. Each press of Find searches;
// the dialog closes only when a match was shown.
class CFindDlg : public CHelpDialog {
 public:
  // `search`: true when a match was shown.
  CFindDlg(ISettingsStore& registry, const CaseFold& fold, std::function<bool(const FindRequest&)> search);

  std::string findText;
  int wholeWords = 0;
  int ignoreCase = 0;
  int onePerNote = 0;
  int direction = -1;  // no button

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override { OnFind(); }

 private:
  void OnFind();
  void SaveChoices(const std::vector<std::string>& history);
  std::vector<std::string> History() const;
  void EnableFind();

  ISettingsStore& registry;
  const CaseFold& fold;
  std::function<bool(const FindRequest&)> search;
};
