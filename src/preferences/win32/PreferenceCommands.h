#pragma once
#include <windows.h>

#include "framework/Frame.h"
#include "settings/Settings.h"
#include "store/Recovery.h"

class CMainFrame;

// The Preferences command, what its OK changes in the running windows, and
// the first-run setup wizard. The frame routes the command here.
class CPreferenceCommands : public CCmdTarget {
 public:
  CPreferenceCommands(CMainFrame& frame, RecoveryContext& notesFile);
  CPreferenceCommands(const CPreferenceCommands&) = delete;
  CPreferenceCommands& operator=(const CPreferenceCommands&) = delete;

  // Once, while the frame is created on a first run. Finish saves the
  // choices at once: exit saves only the appearance group, so a wizard
  // choice kept only in memory would be lost.
  void RunFirstRunWizard();
  // The accepted values into the windows and the settings, then saved.
  void ApplyPreferences(const Settings& accepted);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void OnPreferences();
  static const CommandEntry<CPreferenceCommands> COMMANDS[1];

  CMainFrame& frame;
  RecoveryContext& notesFile;
};
