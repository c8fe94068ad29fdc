#include "prefs/win32/HelpDialogs.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/FrameworkIds.h"
#include "prefs/win32/ContextHelp.h"

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

}  // namespace

CHelpDialog::CHelpDialog(UINT id, HWND parent) : CDialog(id, parent) {}

bool CHelpDialog::PreTranslateMessage(MSG& msg) {
  TrackF1(msg, keys);
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CHelpDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AssignControlHelpIds(hwnd, templateId);
      CenterOverOwner(hwnd);
      break;
    case WM_HELP:
      if (OnHelpRequest(hwnd, *reinterpret_cast<const HELPINFO*>(lParam), keys, true, templateId)) {
        return Handled(hwnd, TRUE);
      }
      return FALSE;
    case WM_CONTEXTMENU:
      return OnContextMenuHelp(hwnd, reinterpret_cast<HWND>(wParam), MessagePoint(lParam)) ? Handled(hwnd, 0)
                                                                                           : FALSE;
    default:
      break;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

bool CHelpDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == ID_HELP) {
    ShowHelp(hwnd, HELP_CONTEXT, DialogHelpTopic(templateId));
    return true;
  }
  return CDialog::OnCommand(wParam, lParam);
}

CHelpPropPage::CHelpPropPage(UINT id) : CPropertyPage(id) { pageFlags |= PSP_HASHELP; }

bool CHelpPropPage::PreTranslateMessage(MSG& msg) {
  TrackF1(msg, keys);
  return CPropertyPage::PreTranslateMessage(msg);
}

LRESULT CHelpPropPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AssignControlHelpIds(hwnd, templateId);
      break;
    case WM_HELP:
      if (OnHelpRequest(hwnd, *reinterpret_cast<const HELPINFO*>(lParam), keys, true, templateId)) {
        return Handled(hwnd, TRUE);
      }
      return FALSE;
    case WM_CONTEXTMENU:
      return OnContextMenuHelp(hwnd, reinterpret_cast<HWND>(wParam), MessagePoint(lParam)) ? Handled(hwnd, 0)
                                                                                           : FALSE;
    default:
      break;
  }
  return CPropertyPage::WindowProc(message, wParam, lParam);
}

bool CHelpPropPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == ID_HELP) {
    ShowHelp(hwnd, HELP_CONTEXT, DialogHelpTopic(templateId));
    return true;
  }
  return CPropertyPage::OnCommand(wParam, lParam);
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

LRESULT CHelpPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HELP: {
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
