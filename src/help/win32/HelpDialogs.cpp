#include "help/win32/HelpDialogs.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/FrameworkIds.h"
#include "help/win32/ContextHelp.h"

namespace {

void TrackF1(const MSG& msg, HelpKeyState& keys) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) keys.OnF1Down(GetKeyState(VK_SHIFT) < 0);
}

POINT MessagePoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Over a shown owner rather than in the middle of the screen, where the
// template's centring puts it.
void CenterOverOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) return;
  RECT outer, box, work;
  GetWindowRect(owner, &outer);
  GetWindowRect(dialog, &box);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  int x = (outer.left + outer.right - width) / 2;
  int y = (outer.top + outer.bottom - height) / 2;
  x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
  y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A dialog procedure's answer to a message it handled.
LRESULT Handled(HWND dialog, LRESULT result) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

// The help messages that dialogs and pages answer alike; false for any other
// message, which goes on to the base class.
bool HandleHelpMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       HelpKeyState& keys, UINT templateId, LRESULT* result) {
  switch (message) {
    case WM_INITDIALOG:
      AssignControlHelpIds(window, templateId);
      return false;
    case WM_HELP:
      *result = OnHelpRequest(window, *reinterpret_cast<const HELPINFO*>(lParam), keys, true,
                              templateId)
                    ? Handled(window, TRUE)
                    : FALSE;
      return true;
    case WM_CONTEXTMENU:
      *result = OnContextMenuHelp(window, reinterpret_cast<HWND>(wParam), MessagePoint(lParam))
                    ? Handled(window, 0)
                    : FALSE;
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) != ID_HELP) return false;
      ShowHelp(window, HELP_CONTEXT, DialogHelpTopic(templateId));
      *result = TRUE;
      return true;
    default:
      return false;
  }
}

}  // namespace

CHelpDialog::CHelpDialog(UINT id, HWND parent) : CDialog(id, parent) {}

bool CHelpDialog::PreTranslateMessage(MSG& msg) {
  TrackF1(msg, keys);
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CHelpDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) return CDialog::WindowProc(message, wParam, lParam);
  LRESULT result = FALSE;
  if (HandleHelpMessage(hwnd, message, wParam, lParam, keys, templateId, &result)) return result;
  if (message == WM_INITDIALOG) CenterOverOwner(hwnd);
  return CDialog::WindowProc(message, wParam, lParam);
}

bool CHelpDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  LRESULT result = FALSE;
  return HandleHelpMessage(hwnd, WM_COMMAND, wParam, lParam, keys, templateId, &result) ||
         CDialog::OnCommand(wParam, lParam);
}

CHelpPropPage::CHelpPropPage(UINT id) : CPropertyPage(id) { pageFlags |= PSP_HASHELP; }

bool CHelpPropPage::PreTranslateMessage(MSG& msg) {
  TrackF1(msg, keys);
  return CPropertyPage::PreTranslateMessage(msg);
}

LRESULT CHelpPropPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) return CPropertyPage::WindowProc(message, wParam, lParam);
  // A switch of pages can leave the focus in this one, hidden: the sheet
  // answers for the page that shows.
  if (message == WM_HELP && !IsWindowVisible(hwnd) && GetParent(hwnd) != nullptr) {
    keys.f1Pressed = false;
    return SendMessageA(GetParent(hwnd), WM_HELP, wParam, lParam);
  }
  LRESULT result = FALSE;
  if (HandleHelpMessage(hwnd, message, wParam, lParam, keys, templateId, &result)) return result;
  return CPropertyPage::WindowProc(message, wParam, lParam);
}

bool CHelpPropPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  LRESULT result = FALSE;
  return HandleHelpMessage(hwnd, WM_COMMAND, wParam, lParam, keys, templateId, &result) ||
         CPropertyPage::OnCommand(wParam, lParam);
}

bool CHelpPropPage::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != static_cast<UINT>(PSN_HELP)) return CPropertyPage::OnNotify(header, result);
  ShowHelp(hwnd, HELP_CONTEXT, DialogHelpTopic(templateId));
  result = 0;
  return true;
}

CHelpPropSheet::CHelpPropSheet(const std::string& caption, HWND parent, UINT startPage)
    : CPropertySheet(caption, parent, startPage) {}

bool CHelpPropSheet::OnInitDialog() {
  const bool result = CPropertySheet::OnInitDialog();
  SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return result;
}

bool CHelpPropSheet::PreTranslateMessage(MSG& msg) {
  // The page that shows answers F1 in its own controls.
  HWND page = PropSheet_GetCurrentPageHwnd(hwnd);
  if (page == nullptr || (msg.hwnd != page && !IsChild(page, msg.hwnd))) TrackF1(msg, keys);
  return CPropertySheet::PreTranslateMessage(msg);
}

LRESULT CHelpPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HELP: {
      const bool plainF1 = keys.f1Pressed && keys.noShift;
      keys.f1Pressed = false;
      HWND page = PropSheet_GetCurrentPageHwnd(hwnd);
      if (plainF1 && page != nullptr) {
        ShowHelp(page, HELP_CONTEXT, GetWindowContextHelpId(page));
        return TRUE;
      }
      HelpKeyState noKeys;
      if (OnHelpRequest(hwnd, *reinterpret_cast<const HELPINFO*>(lParam), noKeys, false, 0)) return TRUE;
      break;
    }
    case WM_CONTEXTMENU:
      if (OnContextMenuHelp(hwnd, reinterpret_cast<HWND>(wParam), MessagePoint(lParam))) return 0;
      break;
    default:
      break;
  }
  return CPropertySheet::WindowProc(message, wParam, lParam);
}
