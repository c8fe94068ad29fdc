// The frame window: creation, layout, command routing and the menu and
// idle command-state updates.
#include "framework/Frame.h"

#include <commctrl.h>

#include "framework/Win32Messages.h"
#include "framework/App.h"
#include "framework/FrameworkIds.h"
#include "framework/PrintPreview.h"

namespace {

constexpr const char* FRAME_CLASS = "QuilleryFrame";

class CMenuItemUI : public CCmdUI {
 public:
  CMenuItemUI(HMENU m, int i, UINT id) : CCmdUI(id), menu(m), index(static_cast<UINT>(i)) {}
  void Enable(bool on) override {
    EnableMenuItem(menu, index, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  }
  void SetCheck(bool on) override {
    CheckMenuItem(menu, index, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
  }
  void SetText(const std::string& text) override {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, index, TRUE, &info);
  }

 private:
  HMENU menu;
  UINT index;
};

}  // namespace

const CCmdTarget::CommandEntry<CFrameWnd> CFrameWnd::COMMANDS[] = {
    {ID_VIEW_TOOLBAR, &CFrameWnd::OnViewToolbar, &CFrameWnd::OnUpdateViewToolbar},
    {ID_VIEW_STATUS_BAR, &CFrameWnd::OnViewStatusBar, &CFrameWnd::OnUpdateViewStatusBar},
    {ID_INDICATOR_CAPS, nullptr, &CFrameWnd::OnUpdateKeyIndicator},
    {ID_INDICATOR_NUM, nullptr, &CFrameWnd::OnUpdateKeyIndicator},
};

CFrameWnd::~CFrameWnd() {
  CWinApp* app = CWinApp::Get();
  if (app != nullptr && app->GetMainWnd() == this) app->SetMainWnd(nullptr);
}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, const CCreateContext* context) {
  HINSTANCE instance = framework::Instance();
  appTitle = framework::CommandPrompt(resourceId);
  frameStyle = style & (FWS_ADDTOTITLE | FWS_PREFIXTITLE);
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
  if (!RegisterWindowClass(FRAME_CLASS, CS_DBLCLKS, icon, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
    return false;
  }
  menu.Reset(LoadMenuA(instance, MAKEINTRESOURCEA(resourceId)));
  accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));
  createContext = context;
  bool created = CreateEx(0, FRAME_CLASS, appTitle.c_str(), style & ~frameStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu.Get());
  createContext = nullptr;
  // A window that was made took the menu along, even when its creation
  // failed afterwards and destroyed it.
  if (created || !IsMenu(menu.Get())) menu.Release();
  if (!created) return false;
  UpdateFrameTitle();
  return true;
}

void CFrameWnd::SetActiveView(CView* view) {
  activeView = view;
  if (view != nullptr && hwnd != nullptr && GetActiveWindow() == hwnd) SetFocus(view->GetSafeHwnd());
}

void CFrameWnd::SwitchToView(CView& view) {
  CView* old = activeView;
  if (old == &view) return;
  // The preview holds the pane of the view it shows.
  if (PrintPreviewRunning()) preview->Close();
  // The pane is whichever child has the first pane's id.
  if (old != nullptr) {
    old->SetDlgCtrlId(view.GetDlgCtrlId());
    ShowWindow(old->GetSafeHwnd(), SW_HIDE);
    if (document != nullptr) document->RemoveView(old);
  }
  view.SetDlgCtrlId(AFX_IDW_PANE_FIRST);
  ShowWindow(view.GetSafeHwnd(), SW_SHOW);
  if (document != nullptr) document->AddView(&view);
  SetActiveView(&view);
  RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
  if (hwnd == nullptr) return;
  RECT area;
  GetClientRect(hwnd, &area);
  auto shown = [](HWND w) { return w != nullptr && (GetWindowLongPtrA(w, GWL_STYLE) & WS_VISIBLE) != 0; };
  if (toolBar != nullptr && shown(toolBar->GetSafeHwnd())) {
    SendMessageA(toolBar->GetSafeHwnd(), TB_AUTOSIZE, 0, 0);
    RECT r;
    GetWindowRect(toolBar->GetSafeHwnd(), &r);
    area.top += r.bottom - r.top;
  }
  if (statusBar != nullptr && shown(statusBar->GetSafeHwnd())) {
    statusBar->Resize();
    RECT r;
    GetWindowRect(statusBar->GetSafeHwnd(), &r);
    area.bottom -= r.bottom - r.top;
  }
  if (area.bottom < area.top) area.bottom = area.top;
  HWND pane = GetDlgItem(hwnd, AFX_IDW_PANE_FIRST);
  if (pane != nullptr) {
    SetWindowPos(pane, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CFrameWnd::UpdateFrameTitle() {
  if (hwnd == nullptr) return;
  std::string text = appTitle;
  if ((frameStyle & FWS_ADDTOTITLE) != 0 && document != nullptr && !document->GetTitle().empty()) {
    text = (frameStyle & FWS_PREFIXTITLE) != 0 ? document->GetTitle() + " - " + appTitle
                                               : appTitle + " - " + document->GetTitle();
  }
  char current[512];
  GetWindowTextA(hwnd, current, sizeof(current));
  if (text != current) SetWindowTextA(hwnd, text.c_str());
}

void CFrameWnd::SetMessageText(const std::string& text) {
  if (statusBar != nullptr) statusBar->SetPaneText(0, text);
}

void CFrameWnd::SetIdleMessage() { SetMessageText(LoadResourceString(AFX_IDS_IDLEMESSAGE)); }

bool CFrameWnd::RouteCommand(UINT id) {
  if (activeView != nullptr && activeView->OnCommand(id)) return true;
  if (document != nullptr && document->OnCommand(id)) return true;
  if (OnCommand(id)) return true;
  for (CCmdTarget* target : featureTargets) {
    if (target->OnCommand(id)) return true;
  }
  CWinApp* app = CWinApp::Get();
  return app != nullptr && app->OnCommand(id);
}

bool CFrameWnd::RouteUpdate(CCmdUI& ui, bool disableUnhandled) {
  bool handled = (activeView != nullptr && activeView->OnUpdateCommand(ui)) ||
                 (document != nullptr && document->OnUpdateCommand(ui)) || OnUpdateCommand(ui);
  for (size_t i = 0; !handled && i < featureTargets.size(); ++i) handled = featureTargets[i]->OnUpdateCommand(ui);
  CWinApp* app = CWinApp::Get();
  if (!handled) handled = app != nullptr && app->OnUpdateCommand(ui);
  if (!handled && disableUnhandled) ui.Enable(false);
  return handled;
}

void CFrameWnd::OnIdleUpdateCmdUI() {
  if (toolBar != nullptr) toolBar->UpdateButtons(*this);
  if (statusBar != nullptr) statusBar->UpdatePanes(*this);
}

bool CFrameWnd::PreTranslateMessage(MSG& msg) {
  return accelerators != nullptr && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
         TranslateAcceleratorA(hwnd, accelerators, &msg) != 0;
}

bool CFrameWnd::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CFrameWnd::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      return OnCreate(*reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_SETFOCUS:
      if (activeView != nullptr && activeView->GetSafeHwnd() != nullptr) {
        SetFocus(activeView->GetSafeHwnd());
        return 0;
      }
      break;
    case WM_COMMAND:
      OnCommandMessage(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
      if (ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result)) return result;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU && ReflectToChild(item->hwndItem, message, wParam, lParam, result)) {
        return TRUE;
      }
      break;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU &&
          ReflectToChild(GetDlgItem(hwnd, static_cast<int>(item->CtlID)), message, wParam, lParam, result)) {
        return TRUE;
      }
      break;
    }
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam) == 0) OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    case WM_EXITMENULOOP:
      SetIdleMessage();
      break;
    case WM_CLOSE:
      // Closing the window while a preview shows closes only the preview.
      if (PrintPreviewRunning()) {
        preview->Close();
        return 0;
      }
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      OnEndSession(wParam != FALSE);
      return 0;
    case WM_DESTROY:
      // The bars and the views go with this window.
      activeView = nullptr;
      if (toolBar != nullptr) toolBar->hwnd = nullptr;
      if (statusBar != nullptr) statusBar->hwnd = nullptr;
      break;
    case WM_NCDESTROY: {
      result = Default(message, wParam, lParam);
      CWinApp* app = CWinApp::Get();
      if (app != nullptr && app->GetMainWnd() == this) {
        app->SetMainWnd(nullptr);
        PostQuitMessage(0);
      }
      return result;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

int CFrameWnd::OnCreate(CREATESTRUCTA&) {
  if (createContext == nullptr) return 0;
  document = createContext->document;
  CView* view = createContext->view;
  if (view != nullptr) {
    if (!view->Create(*this, AFX_IDW_PANE_FIRST)) return -1;
    if (document != nullptr) document->AddView(view);
    SetActiveView(view);
  }
  return 0;
}

CFrameWnd::CFrameWnd() = default;

bool CFrameWnd::StartPrintPreview(CView& view, CPrintable& printable) {
  if (PrintPreviewRunning()) preview->Close();
  OnPrintPreview(true);
  preview = std::make_unique<CPrintPreview>(*this, view, printable);
  if (preview->Start()) return true;
  preview->DestroyWindow();
  preview.reset();
  OnPrintPreview(false);
  ShowCommandFailed(hwnd);
  return false;
}

bool CFrameWnd::PrintPreviewRunning() const { return preview != nullptr && preview->Running(); }

void CFrameWnd::OnClose() {
  if (document != nullptr) {
    if (!document->SaveModified()) return;
    document->OnCloseDocument();
  }
  if (hwnd != nullptr) DestroyWindow();
}

bool CFrameWnd::OnQueryEndSession() {
  CWinApp* app = CWinApp::Get();
  return app == nullptr || app->SaveAllModified();
}

void CFrameWnd::OnEndSession(bool ending) {
  CWinApp* app = CWinApp::Get();
  if (!ending || app == nullptr || app->GetMainWnd() != this) return;
  app->CloseAllDocuments(true);
  app->ExitInstance();
}

bool CFrameWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  CWnd* object = FromHandle(child);
  return object != nullptr && object != this && object->OnChildNotify(message, wParam, lParam, result);
}

void CFrameWnd::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  LRESULT ignored = 0;
  if (lParam != 0 && ReflectToChild(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, ignored)) {
    return;
  }
  // Menus send 0, accelerators 1, toolbar buttons BN_CLICKED (0).
  if (code > 1) return;
  // A command that became disabled since its menu or button was last
  // updated does not run.
  CTestCmdUI state(id);
  RouteUpdate(state);
  if (state.enabled) RouteCommand(id);
}

bool CFrameWnd::OnNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case TTN_GETDISPINFOA: {
      auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
      if ((info.uFlags & TTF_IDISHWND) != 0 || header.idFrom == 0) return false;
      lstrcpynA(info.szText, framework::CommandTooltip(static_cast<UINT>(header.idFrom)).c_str(),
                sizeof(info.szText));
      info.lpszText = info.szText;
      info.hinst = nullptr;
      result = 0;
      return true;
    }
    case TTN_GETDISPINFOW: {
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
      if ((info.uFlags & TTF_IDISHWND) != 0 || header.idFrom == 0) return false;
      std::string text = framework::CommandTooltip(static_cast<UINT>(header.idFrom));
      int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info.szText,
                                       static_cast<int>(sizeof(info.szText) / sizeof(WCHAR)));
      if (length == 0) info.szText[0] = 0;
      info.szText[sizeof(info.szText) / sizeof(WCHAR) - 1] = 0;
      info.lpszText = info.szText;
      info.hinst = nullptr;
      result = 0;
      return true;
    }
    case TBN_HOTITEMCHANGE:
      if (toolBar != nullptr && header.hwndFrom == toolBar->GetSafeHwnd()) {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if ((hot.dwFlags & HICF_LEAVING) != 0) {
          SetIdleMessage();
        } else {
          SetMessageText(framework::CommandPrompt(static_cast<UINT>(hot.idNew)));
        }
        result = 0;
        return true;
      }
      break;
    default:
      break;
  }
  return ReflectToChild(header.hwndFrom, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), result);
}

void CFrameWnd::OnInitMenuPopup(HMENU popup) {
  PrepareMenu(popup);
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) != 0) continue;
    if (info.hSubMenu != nullptr) {
      // A sub-menu follows its first item's handler, and is never disabled
      // only for want of one.
      UINT first = GetMenuItemID(info.hSubMenu, 0);
      if (first == 0 || first == static_cast<UINT>(-1)) continue;
      CMenuItemUI ui(popup, i, first);
      RouteUpdate(ui, false);
      continue;
    }
    CMenuItemUI ui(popup, i, info.wID);
    RouteUpdate(ui);
  }
}

void CFrameWnd::OnMenuSelect(UINT id, UINT flags, HMENU selected) {
  if (flags == 0xFFFF && selected == nullptr) {
    SetIdleMessage();
  } else if (id == 0 || (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) != 0) {
    SetMessageText(std::string());
  } else {
    SetMessageText(framework::CommandPrompt(id));
  }
}

void CFrameWnd::OnViewToolbar() {
  if (toolBar == nullptr) return;
  HWND bar = toolBar->GetSafeHwnd();
  ShowWindow(bar, IsWindowVisible(bar) ? SW_HIDE : SW_SHOW);
  RecalcLayout();
}

void CFrameWnd::OnViewStatusBar() {
  if (statusBar == nullptr) return;
  HWND bar = statusBar->GetSafeHwnd();
  ShowWindow(bar, IsWindowVisible(bar) ? SW_HIDE : SW_SHOW);
  RecalcLayout();
}

void CFrameWnd::OnUpdateViewToolbar(CCmdUI& ui) {
  ui.Enable(toolBar != nullptr);
  ui.SetCheck(toolBar != nullptr && (GetWindowLongPtrA(toolBar->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE) != 0);
}

void CFrameWnd::OnUpdateViewStatusBar(CCmdUI& ui) {
  ui.Enable(statusBar != nullptr);
  ui.SetCheck(statusBar != nullptr &&
              (GetWindowLongPtrA(statusBar->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE) != 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI& ui) {
  int key = ui.id == ID_INDICATOR_CAPS ? VK_CAPITAL : VK_NUMLOCK;
  ui.Enable((GetKeyState(key) & 1) != 0);
}
