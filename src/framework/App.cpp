// The application object and the message loop.
#include "framework/App.h"

#include "framework/Print.h"

#include <commctrl.h>

#include "framework/FrameworkIds.h"

namespace {
// The process's application object; it is process-wide by definition.
CWinApp* theApp = nullptr;
// Wine and Windows send this timer message for caret blinking; it must not
// wake the idle updates.
constexpr UINT WM_SYSTIMER = 0x0118;
}  // namespace

const CCmdTarget::CommandEntry<CWinApp> CWinApp::COMMANDS[] = {
    {ID_APP_EXIT, &CWinApp::OnAppExit, nullptr},
    {ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup, nullptr},
};

CWinApp::CWinApp() {
  theApp = this;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    helpFilePath.assign(path, length);
    size_t dot = helpFilePath.find_last_of(".\\");
    if (dot != std::string::npos && helpFilePath[dot] == '.') helpFilePath.erase(dot);
    helpFilePath += ".hlp";
  }
}

CWinApp::~CWinApp() {
  if (theApp == this) theApp = nullptr;
}

CWinApp* CWinApp::Get() { return theApp; }

int CWinApp::RunApplication() {
  if (!InitInstance()) return ExitInstance();
  return Run();
}

int CWinApp::ExitInstance() { return static_cast<int>(exitCode); }

int CWinApp::Run() {
  MSG msg{};
  MSG last{};
  bool idle = true;
  int idleCount = 0;
  for (;;) {
    while (idle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = false;
    }
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (!PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (IsIdleMessage(msg, last)) {
      idle = true;
      idleCount = 0;
    }
    last = msg;
  }
  exitCode = msg.message == WM_QUIT ? msg.wParam : 0;
  return ExitInstance();
}

bool CWinApp::IsIdleMessage(const MSG& msg, const MSG& last) {
  // A mouse that did not move and repaints do not change any command state.
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    return msg.message != last.message || msg.pt.x != last.pt.x || msg.pt.y != last.pt.y;
  }
  return msg.message != WM_PAINT && msg.message != WM_SYSTIMER;
}

bool CWinApp::OnIdle(int count) {
  if (count == 0 && mainWnd != nullptr && mainWnd->GetSafeHwnd() != nullptr &&
      IsWindowVisible(mainWnd->GetSafeHwnd())) {
    mainWnd->OnIdleUpdateCmdUI();
  }
  return false;
}

bool CWinApp::PreTranslateMessage(MSG& msg) {
  // From the target window up to its top-level window, each bound object
  // may take the message (a modeless dialog's IsDialogMessage, the frame's
  // accelerators, a view's own pre-translation).
  return framework::PreTranslateChain(msg);
}

void CWinApp::SetMainWnd(CFrameWnd* frame) {
  mainWnd = frame;
  win32Messages.owner = frame != nullptr ? frame->GetSafeHwnd() : nullptr;
}

void CWinApp::CloseAllDocuments(bool) {
  if (mainWnd != nullptr && mainWnd->GetActiveDocument() != nullptr) {
    mainWnd->GetActiveDocument()->OnCloseDocument();
  }
}

bool CWinApp::SaveAllModified() {
  return mainWnd == nullptr || mainWnd->GetActiveDocument() == nullptr ||
         mainWnd->GetActiveDocument()->SaveModified();
}

void CWinApp::SetMessages(IMessages* replacement) {
  messages = replacement != nullptr ? replacement : &win32Messages;
}

void CWinApp::SetHelpEngine(IHelpEngine* replacement) {
  helpEngine = replacement != nullptr ? replacement : &winHelpEngine;
}

bool CWinHelpEngine::Installed() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const DWORD attributes = GetFileAttributesA((std::string(folder, length) + "\\winhlp32.exe").c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void CWinHelpEngine::WinHelp(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) {
  WinHelpA(window, helpFile.c_str(), command, data);
}

bool CWinApp::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CWinApp::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CWinApp::OnFilePrintSetup() { PrintSetup(mainWnd != nullptr ? mainWnd->GetSafeHwnd() : nullptr); }

void CWinApp::OnAppExit() {
  if (mainWnd != nullptr && mainWnd->GetSafeHwnd() != nullptr) {
    SendMessageA(mainWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
  }
}
