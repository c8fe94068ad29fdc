#pragma once
#include <windows.h>

#include "framework/Win32Messages.h"
#include "framework/Frame.h"

// The application object: one per process. Runs InitInstance, the message
// loop (pre-translation through the window chain, the main frame's
// accelerators, modeless dialogs, idle-time command-state updates) and
// ExitInstance; holds the main window and the message boxes by string id.

// Shows help from a help file: the system's WinHelpA, or a recorder in tests.
class IHelpEngine {
 public:
  virtual ~IHelpEngine() = default;
  // Whether the engine is on this system at all.
  virtual bool Installed() = 0;
  virtual void WinHelp(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) = 0;
};

class CWinHelpEngine : public IHelpEngine {
 public:
  // Current Windows no longer carries the engine's program.
  bool Installed() override;
  void WinHelp(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) override;
};

class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The one application object (null when there is none).
  static CWinApp* Get();

  // WinMain's work: InitInstance, then the message loop; ExitInstance in
  // both cases. Returns the process exit code.
  int RunApplication();
  // true to run the message loop.
  virtual bool InitInstance() = 0;
  // Returns the exit code: the quit message's, unless overridden.
  virtual int ExitInstance();
  // The message loop until WM_QUIT; then ExitInstance.
  virtual int Run();
  // One idle step; true when more idle work remains.
  virtual bool OnIdle(int count);
  // Pre-translation of a message of the loop: true when consumed.
  bool PreTranslateMessage(MSG& msg);

  CFrameWnd* GetMainWnd() const { return mainWnd; }
  void SetMainWnd(CFrameWnd* frame);
  // Closes the document of the main frame (which destroys the frame).
  void CloseAllDocuments(bool endSession);
  bool SaveAllModified();

  IMessages& Messages() { return *messages; }
  // Replaces the message boxes (tests); null restores the Win32 ones.
  void SetMessages(IMessages* replacement);
  // The executable's path with the help-file extension.
  const std::string& HelpFilePath() const { return helpFilePath; }
  IHelpEngine& HelpEngine() { return *helpEngine; }
  // Replaces the help engine (tests); null restores WinHelpA.
  void SetHelpEngine(IHelpEngine* replacement);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  static bool IsIdleMessage(const MSG& msg, const MSG& last);
  void OnAppExit();
  void OnFilePrintSetup();
  static const CommandEntry<CWinApp> COMMANDS[2];

  CFrameWnd* mainWnd = nullptr;
  CWin32Messages win32Messages;
  IMessages* messages = &win32Messages;
  std::string helpFilePath;
  CWinHelpEngine winHelpEngine;
  IHelpEngine* helpEngine = &winHelpEngine;
  WPARAM exitCode = 0;
};
