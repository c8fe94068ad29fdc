#include "preferences/win32/PreferenceCommands.h"

#include <cstring>

#include "frame/win32/MainFrame.h"
#include "preferences/win32/PreferencePages.h"
#include "preferences/win32/SetupWizard.h"
#include "res/resource.h"

namespace {

bool SameFont(const LogFont& a, const LogFont& b) { return std::memcmp(&a, &b, sizeof(a)) == 0; }

}  // namespace

const CCmdTarget::CommandEntry<CPreferenceCommands> CPreferenceCommands::COMMANDS[] = {
    {ID_PREFERENCES, &CPreferenceCommands::OnPreferences, nullptr},
};

CPreferenceCommands::CPreferenceCommands(CMainFrame& f, RecoveryContext& notes) : frame(f), notesFile(notes) {}

bool CPreferenceCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CPreferenceCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CPreferenceCommands::RunFirstRunWizard() {
  const bool finished = RunSetupWizard(notesFile.settings);
  notesFile.settings.setupWizRun = 1;
  if (finished) notesFile.saveSettings(SETTINGS_PREFERENCES | SETTINGS_APPEARANCE);
}

void CPreferenceCommands::OnPreferences() {
  CPreferences sheet(frame.GetSafeHwnd(), notesFile.settings);
  if (sheet.DoModal() == IDOK) ApplyPreferences(sheet.values);
}

void CPreferenceCommands::ApplyPreferences(const Settings& accepted) {
  Settings& s = notesFile.settings;
  CQuilleryView& noteView = frame.NoteView();
  CNoteFormView* listView = frame.ListView();
  const bool noteFontChanged = !SameFont(s.noteFont, accepted.noteFont);
  const bool listFontChanged = !SameFont(s.listFont, accepted.listFont);
  if (noteFontChanged) noteView.SetNoteFont(accepted.noteFont);
  if (listFontChanged && listView != nullptr) listView->SetListFont(accepted.listFont);
  const bool noteLooksChanged = noteFontChanged || s.backgroundColor != accepted.backgroundColor ||
                                s.foregroundColor != accepted.foregroundColor;
  const bool listLooksChanged = listFontChanged || s.listBackgroundColor != accepted.listBackgroundColor ||
                                s.listForegroundColor != accepted.listForegroundColor;
  if (s.noteMode == 1 && noteLooksChanged) {
    InvalidateRect(noteView.GetSafeHwnd(), nullptr, TRUE);
  } else if (s.noteMode == 0 && listLooksChanged && listView != nullptr) {
    InvalidateRect(listView->GetSafeHwnd(), nullptr, TRUE);
  }
  if (s.tabs != accepted.tabs) noteView.SetTabStops(static_cast<int>(accepted.tabs) * 4);

  s.closeToTray = accepted.closeToTray;
  s.runInTray = accepted.runInTray;
  s.startWithWindows = accepted.startWithWindows;
  s.verifyDelete = accepted.verifyDelete;
  s.useBackups = accepted.useBackups;
  s.backgroundColor = accepted.backgroundColor;
  s.foregroundColor = accepted.foregroundColor;
  s.listBackgroundColor = accepted.listBackgroundColor;
  s.listForegroundColor = accepted.listForegroundColor;
  s.noteFont = accepted.noteFont;
  s.listFont = accepted.listFont;
  s.tabs = accepted.tabs;
  s.autoSaveTime = accepted.autoSaveTime;
  s.autoSave = accepted.autoSave;
  s.useFixedTime = accepted.useFixedTime;
  s.useRemindSound = accepted.useRemindSound;
  s.fixedTime = accepted.fixedTime;
  s.snoozeTime = accepted.snoozeTime;
  s.remindTime = accepted.remindTime;
  s.currentPrefsTab = accepted.currentPrefsTab;
  s.proxyOption = accepted.proxyOption;
  s.httpProxy = accepted.httpProxy;
  s.httpPort = accepted.httpPort;
  s.ftpProxy = accepted.ftpProxy;
  s.ftpPort = accepted.ftpPort;
  s.socksProxy = accepted.socksProxy;
  s.socksPort = accepted.socksPort;

  if (s.onTop != accepted.onTop) {
    s.onTop = accepted.onTop;
    // Into or out of the top-most band where it stands, without taking the
    // focus from whatever has it.
    SetWindowPos(frame.GetSafeHwnd(), s.onTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
  if (s.runInTray == 1 && !frame.TrayIconShown()) {
    static_cast<void>(frame.SetTrayIcon(true));
  } else if (s.runInTray == 0 && frame.TrayIconShown()) {
    frame.SetTrayIcon(false);
  }
  notesFile.saveSettings(SETTINGS_PREFERENCES | SETTINGS_APPEARANCE);
  frame.UpdateCloseToTrayItem();
  if (listView != nullptr) listView->ApplyListColors();
}
