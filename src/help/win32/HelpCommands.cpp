// The main window's help commands.
#include "help/win32/HelpCommands.h"

#include <commctrl.h>
#include <windowsx.h>

#include "help/HelpTopics.h"
#include "help/win32/ContextHelp.h"
#include "res/resource.h"

const CCmdTarget::CommandEntry<CHelpCommands> CHelpCommands::COMMANDS[] = {
    {ID_HELP, &CHelpCommands::OnHelp, nullptr},
    {ID_HELP_FAQ, &CHelpCommands::OnHelpFaq, nullptr},
    {ID_HELP_FINDER, &CHelpCommands::OnHelpFinder, nullptr},
    {ID_CONTEXT_HELP, &CHelpCommands::OnContextHelp, nullptr},
};

bool CHelpCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CHelpCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CHelpCommands::OnHelp() {
  ShowHelp(frame.GetSafeHwnd(), HELP_CONTEXT, HelpContextForF1(NoteViewShown(), frame.PrintPreviewRunning()));
}

void CHelpCommands::OnHelpFaq() { ShowHelp(frame.GetSafeHwnd(), HELP_CONTEXT, HelpContextForFaq()); }

void CHelpCommands::OnHelpFinder() { ShowHelp(frame.GetSafeHwnd(), HELP_FINDER, 0); }

bool CHelpCommands::OnMenuItemHelp(const HELPINFO& info) {
  if (info.iContextType != HELPINFO_MENUITEM) return false;
  const uint32_t context = HelpContextForMenuItem(static_cast<uint32_t>(info.iCtrlId));
  if (context == 0) return false;
  ShowHelp(frame.GetSafeHwnd(), HELP_CONTEXT, context);
  return true;
}

void CHelpCommands::OnContextHelp() {
  HWND hwnd = frame.GetSafeHwnd();
  if (GetCapture() == hwnd) return;
  SetCapture(hwnd);
  const HCURSOR helpCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HELP));
  const HCURSOR previous = SetCursor(helpCursor);
  uint32_t context = 0;
  MSG msg;
  // Another window taking the capture (a menu, a switch of programs) ends
  // the mode too.
  while (GetCapture() == hwnd) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONDOWN) {
      POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      ClientToScreen(msg.hwnd, &at);
      context = HelpContextAt(at);
      break;
    }
    if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) break;
    // Other input is not for the windows while the help cursor shows.
    if (msg.message == WM_MOUSEMOVE) SetCursor(helpCursor);
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
        (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)) {
      continue;
    }
    DispatchMessageA(&msg);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  SetCursor(previous);
  if (context != 0) ShowHelp(frame.GetSafeHwnd(), HELP_CONTEXT, context);
}

uint32_t CHelpCommands::HelpContextAt(POINT screenPoint) {
  const bool noteView = NoteViewShown();
  HWND hwnd = frame.GetSafeHwnd();
  HWND target = WindowFromPoint(screenPoint);
  if (target == nullptr || (target != hwnd && !IsChild(hwnd, target))) {
    return HelpContextForClick(HelpClick::Outside, 0, noteView);
  }
  HWND bar = frame.GetToolBar() != nullptr ? frame.GetToolBar()->GetSafeHwnd() : nullptr;
  if (target == bar) {
    POINT client = screenPoint;
    ScreenToClient(bar, &client);
    const LRESULT index = SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client));
    TBBUTTON button{};
    if (index >= 0 && SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) &&
        (button.fsStyle & TBSTYLE_SEP) == 0) {
      return HelpContextForClick(HelpClick::CommandButton, static_cast<uint32_t>(button.idCommand), noteView);
    }
  }
  return HelpContextForClick(HelpClick::Window, 0, noteView);
}
