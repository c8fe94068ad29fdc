#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/Startup.h"
#include "app/win32/SingleCopy.h"
#include "document/win32/QuilleryDoc.h"
#include "frame/win32/MainFrame.h"
#include "framework/App.h"
#include "framework/Dialog.h"
#include "noteview/win32/QuilleryView.h"
#include "help/win32/HelpDialogs.h"
#include "settings/win32/RegistrySettingsStore.h"
#include "store/Recovery.h"
#include "store/win32/Win32FileSystem.h"

// The application: brings the program up in a fixed order (settings, notes
// file, backup, main window, splash, window state), saves everything at the
// end and, when asked, hands over to the uninstaller. It owns the
// process-wide state: the note store, the settings and the windows.
class CQuilleryApp : public CWinApp {
 public:
  // `commandLine`: the parameters after the program's name.
  explicit CQuilleryApp(std::string commandLine = std::string());

  bool InitInstance() override;
  int ExitInstance() override;
  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

  const ProductInfo& Product() const { return product; }
  NoteStore& Store() { return store; }
  Settings& AppSettings() { return settings; }
  CQuilleryView* NoteView() const { return noteView.get(); }

 private:
  void ReadVersionInformation();
  void SaveSettingsGroups(uint32_t groups);
  void ShowSplashFor3Seconds();
  void ShowMainWindow();
  void RunUninstaller();
  void OnAppAbout();
  static const CommandEntry<CQuilleryApp> COMMANDS[1];

  std::string commandLine;
  NoteStore store;
  Settings settings;
  CRegistrySettingsStore registry;
  CWin32FileSystem files;
  std::string runCommand;
  RecoveryContext notesFile;
  StartState start;
  ProductInfo product;
  bool exitDone = false;
  // Settings never loaded are never written back over the user's.
  bool settingsLoaded = false;
  CSingleCopy singleCopy;
  std::unique_ptr<CQuilleryView> noteView;
  std::unique_ptr<CQuilleryDoc> document;
  std::unique_ptr<CMainFrame> mainFrame;
};

// The About box: product name, version and legal notice.
class CAboutDlg : public CHelpDialog {
 public:
  explicit CAboutDlg(const ProductInfo& product);

 protected:
  bool OnInitDialog() override;

 private:
  const ProductInfo& product;
};

// The start-up picture, drawn with its own palette over the box's text.
class CSplashDlg : public CDialog {
 public:
  CSplashDlg();

 protected:
  bool OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
};
