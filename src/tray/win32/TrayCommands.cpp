// The tray icon and its menu.
#include "tray/win32/TrayCommands.h"

#include "frame/win32/MainFrame.h"
#include "framework/Win32Messages.h"
#include "res/WindowMessages.h"
#include "res/resource.h"
#include "tray/TrayRules.h"

namespace {
// Polls for the end of a dialog that a tray "New Note" waits for.
constexpr UINT_PTR NEW_NOTE_TIMER = 0x7241;
constexpr UINT NEW_NOTE_POLL_MS = 200;
}  // namespace

const CCmdTarget::CommandEntry<CTrayCommands> CTrayCommands::COMMANDS[] = {
    {ID_TRAY_OPEN, &CTrayCommands::OnOpen, nullptr},
    {ID_TRAY_NEW_NOTE, &CTrayCommands::OnNewNote, nullptr},
};

CTrayCommands::CTrayCommands(CMainFrame& owner)
    : frame(owner), taskbarCreated(RegisterWindowMessageA("TaskbarCreated")) {}

CTrayCommands::~CTrayCommands() {
  if (trayIconShown) SetTrayIcon(false);
}

void CTrayCommands::Attach(HWND window) {
  trayIconData = NOTIFYICONDATAA{};
  // The first form of the record: every shell takes it.
  trayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
  trayIconData.hWnd = window;
  trayIconData.uID = IDR_MAINFRAME;
  trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIconData.uCallbackMessage = WM_APP_TRAY_NOTIFY;
  trayIconData.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  const std::string tip = LoadResourceString(IDS_PROGRAM_NAME);
  lstrcpynA(trayIconData.szTip, tip.c_str(), 64);
}

bool CTrayCommands::SetTrayIcon(bool add) {
  if (add) {
    trayIconShown = Shell_NotifyIconA(NIM_ADD, &trayIconData) != FALSE;
    return trayIconShown;
  }
  Shell_NotifyIconA(NIM_DELETE, &trayIconData);
  trayIconShown = false;
  return true;
}

void CTrayCommands::OnTaskbarCreated() {
  // Only an icon the program had: the shell forgot it, the user did not.
  // The delete first, so that a taskbar that kept the icon takes it again.
  if (!trayIconShown) return;
  SetTrayIcon(false);
  SetTrayIcon(true);
}

LRESULT CTrayCommands::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  switch (TrayNotification(static_cast<uint32_t>(iconId), static_cast<uint32_t>(mouseMessage))) {
    case TrayAction::None: return 0;
    case TrayAction::OpenWindow: frame.OpenMainWindow(); return 1;
    case TrayAction::ShowMenu: ShowMenu(); return 1;
  }
  return 0;
}

void CTrayCommands::ShowMenu() {
  POINT at{};
  GetCursorPos(&at);
  CMenuOwner menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
  HMENU popup = menu.Valid() ? GetSubMenu(menu.Get(), POPUP_TRAY) : nullptr;
  if (popup == nullptr) return;
  SetMenuDefaultItem(popup, 0, TRUE);
  HWND owner = frame.GetSafeHwnd();
  // Without it the menu does not close when the user clicks elsewhere. A
  // dialog or reminder open over the window stays in front of it.
  HWND front = GetLastActivePopup(owner);
  SetForegroundWindow(front != nullptr ? front : owner);
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

void CTrayCommands::OnOpen() { frame.OpenMainWindow(); }

void CTrayCommands::OnNewNote() {
  frame.OpenMainWindow();
  if (!frame.ModalWorkRunning()) {
    StartNewNote();
    return;
  }
  // The open dialog may be working on the current note: the new note waits
  // until it has closed.
  newNoteWaiting = true;
  SetTimer(frame.GetSafeHwnd(), NEW_NOTE_TIMER, NEW_NOTE_POLL_MS, nullptr);
}

bool CTrayCommands::OnTimer(UINT_PTR id) {
  if (id != NEW_NOTE_TIMER) return false;
  if (frame.ModalWorkRunning()) return true;
  KillTimer(frame.GetSafeHwnd(), NEW_NOTE_TIMER);
  if (newNoteWaiting) StartNewNote();
  return true;
}

void CTrayCommands::StartNewNote() {
  newNoteWaiting = false;
  frame.RouteCommand(ID_NOTE_NEW);
}

bool CTrayCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CTrayCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }
