// The main window: creation, bars, saving, quitting and the messages of
// other copies.
#include "frame/win32/MainFrame.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "framework/Win32Messages.h"
#include "framework/App.h"
#include "framework/Dialog.h"
#include "frame/FrameRules.h"
#include "frame/Worker.h"
#include "reminders/ReminderScan.h"
#include "res/WindowMessages.h"
#include "res/resource.h"
#include "tray/TrayRules.h"

namespace {

const UINT INDICATORS[] = {ID_SEPARATOR, ID_INDICATOR_REMIND, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};

class CReminderPoster : public IReminderPoster {
 public:
  explicit CReminderPoster(HWND w) : window(w) {}
  bool PostReminderDue(uint32_t number) override {
    return PostMessageA(window, WM_APP_REMINDER_DUE, 0, static_cast<LPARAM>(number)) != FALSE;
  }

 private:
  HWND window;
};

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& w = info.rcWork;
    reinterpret_cast<std::vector<WindowRect>*>(list)->push_back({w.left, w.top, w.right, w.bottom});
  }
  return TRUE;
}

// The work areas of the monitors attached now, in screen coordinates.
std::vector<WindowRect> MonitorWorkAreas() {
  std::vector<WindowRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace

const CCmdTarget::CommandEntry<CMainFrame> CMainFrame::COMMANDS[] = {
    {ID_SAVE_NOTES, &CMainFrame::OnSaveNotes, nullptr},
    {ID_APP_QUIT, &CMainFrame::Quit, nullptr},
    {ID_VIEW_NOTE, &CMainFrame::ShowNoteView, &CMainFrame::OnUpdateViewNote},
    {ID_VIEW_LIST, &CMainFrame::ShowListView, &CMainFrame::OnUpdateViewList},
    {ID_INDICATOR_REMIND, nullptr, &CMainFrame::OnUpdateReminderIndicator},
    {ID_PRINT_NOTES, &CMainFrame::PrintSelectedNotes, &CMainFrame::OnUpdatePrintNotes},
};

CMainFrame::CMainFrame(RecoveryContext& notes, const std::atomic<bool>& startup, CQuilleryDoc& doc)
    : notesFile(notes),
      startupInProgress(startup),
      document(doc),
      help(*this, notes.settings),
      tray(*this),
      reminders(*this, doc, notes.store, notes.settings),
      find(doc, notes.store, notes.settings, notes.messages),
      preferences(*this, notes),
      url(doc, notes.settings, notes.messages),
      imports(*this, doc, notes.store, notes.settings, notes.messages),
      upgrades(*this, notes) {
  AddCommandTarget(help);
  AddCommandTarget(tray);
  AddCommandTarget(reminders);
  AddCommandTarget(find);
  AddCommandTarget(preferences);
  AddCommandTarget(url);
  AddCommandTarget(imports);
  AddCommandTarget(upgrades);
  SetCloseHook(true);
}

CMainFrame::~CMainFrame() { document.SetListView(nullptr); }

bool CMainFrame::LoadMainFrame(CQuilleryView& noteView) {
  CCreateContext context{&document, &noteView};
  if (!LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, &context)) return false;
  if (!document.OnNewDocument()) return false;
  noteView.OnInitialUpdate();
  // The view fills the frame before it is first shown.
  RecalcLayout();
  return true;
}

bool CMainFrame::LoadFrame(UINT resourceId, DWORD style, const CCreateContext* context) {
  // The caption reads the application title first, then the document's.
  return CFrameWnd::LoadFrame(resourceId, style & ~FWS_PREFIXTITLE, context);
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExA(cs.hInstance, MAIN_WINDOW_CLASS, &wc)) {
    if (!GetClassInfoExA(cs.hInstance, cs.lpszClass, &wc)) return false;
    wc.cbSize = sizeof(wc);
    wc.lpszClassName = MAIN_WINDOW_CLASS;
    if (RegisterClassExA(&wc) == 0) return false;
  }
  cs.lpszClass = MAIN_WINDOW_CLASS;

  // The monitor the window was last on may be gone.
  const WindowRect rect = OnScreenWindowRect(StoredWindowRect(notesFile.settings), MonitorWorkAreas());
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  // Created maximised, the window keeps this rectangle to restore to, and a
  // start hidden in the tray or minimised comes back maximised.
  if (notesFile.settings.noteMaximized == 1) cs.style |= WS_MAXIMIZE;
  if (notesFile.settings.onTop == 1) {
    cs.dwExStyle |= WS_EX_TOPMOST;
  } else {
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  }
  return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCTA& cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  // A copy that ends at once never gets this far.
  if (notesFile.settings.setupWizRun == 0) preferences.RunFirstRunWizard();

  if (!toolBar.CreateEx(*this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE) || !toolBar.LoadToolBar(IDR_MAINFRAME)) {
    return -1;
  }
  if (!statusBar.Create(*this, WS_CHILD | WS_VISIBLE) ||
      !statusBar.SetIndicators(INDICATORS, static_cast<int>(sizeof(INDICATORS) / sizeof(INDICATORS[0])))) {
    return -1;
  }

  tray.Attach(hwnd);
  // Without the icon the window minimises and closes as any other.
  if (notesFile.settings.runInTray == 1) static_cast<void>(tray.SetTrayIcon(true));

  // The item is kept, so that the File menu can offer it again later.
  HMENU fileMenu = GetSubMenu(GetMenu(hwnd), 0);
  closeToTrayItem.cbSize = sizeof(closeToTrayItem);
  closeToTrayItem.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
  closeToTrayItem.dwTypeData = closeToTrayText;
  closeToTrayItem.cch = sizeof(closeToTrayText);
  if (fileMenu != nullptr && GetMenuItemInfoA(fileMenu, ID_APP_EXIT, FALSE, &closeToTrayItem)) {
    PrepareMenu(fileMenu);
  }

  // Without the worker the program runs on, only without auto-save and
  // reminder popups.
  static_cast<void>(
      worker.Start(hwnd, notesFile.settings, notesFile.store, startupInProgress, &saves.HeldSince()));
  return 0;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tray.IsTaskbarCreated(message)) {
    tray.OnTaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_APP_TRAY_NOTIFY:
      return tray.OnTrayNotify(wParam, lParam);
    case WM_SYSCOMMAND:
      // With the icon to come back by, minimising goes to the tray.
      if ((wParam & 0xFFF0) == SC_MINIMIZE && tray.Shown()) {
        ShowWindow(hwnd, SW_HIDE);
        return 0;
      }
      return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_TIMER:
      if (tray.OnTimer(wParam)) return 0;
      return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_SIZE:
    case WM_MOVE: {
      LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
      RecordWindowRect();
      return result;
    }
    case WM_APP_ACTIVATE:
      OnActivateFromOtherCopy();
      return 1;
    case WM_APP_QUIT:
      Quit();
      return 0;
    case WM_APP_AUTOSAVE:
      SaveAllNotes();
      return 0;
    case WM_HELP:
      if (help.OnMenuItemHelp(*reinterpret_cast<const HELPINFO*>(lParam))) return TRUE;
      return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_APP_SHOW_NOTE:
      ShowNoteView();
      return 0;
    case WM_APP_SHOW_LIST:
      ShowListView();
      return 0;
    case WM_APP_SCAN_REMINDERS: {
      // The worker hands the scan over to this thread, which makes every
      // change of the store: the scan sees no note half moved, and no other
      // write of a note's flags can meet its own. No lock is needed.
      CReminderPoster poster(hwnd);
      ScanReminders(notesFile.store, static_cast<int32_t>(lParam), poster);
      return 0;
    }
    case WM_APP_REMINDER_DUE:
      reminders.ShowDueReminders(static_cast<uint32_t>(lParam));
      return 0;
    case WM_DESTROY:
      // The worker posts to this window: it ends with it.
      worker.Stop();
      if (tray.Shown()) tray.SetTrayIcon(false);
      return CFrameWnd::WindowProc(message, wParam, lParam);
    default:
      return CFrameWnd::WindowProc(message, wParam, lParam);
  }
}

void CMainFrame::OnActivateFromOtherCopy() {
  switch (ActivateFromOtherCopy(tray.Shown(), IsIconic(hwnd) != FALSE)) {
    case ActivateAction::OpenWindow:
      OpenMainWindow();
      break;
    case ActivateAction::Restore: {
      WINDOWPLACEMENT placement{};
      placement.length = sizeof(placement);
      GetWindowPlacement(hwnd, &placement);
      placement.showCmd = SW_SHOWNORMAL;
      SetWindowPlacement(hwnd, &placement);
      break;
    }
    case ActivateAction::BringForward:
      // A window started hidden is shown, or the user could never reach it.
      if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOW);
      SetForegroundWindow(hwnd);
      break;
  }
}

void CMainFrame::OpenMainWindow() {
  ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
  // A dialog open over the window comes forward with it.
  HWND front = GetLastActivePopup(hwnd);
  if (front != nullptr && front != hwnd) {
    SetForegroundWindow(front);
  } else {
    SetForegroundWindow(hwnd);
    // Back from hidden the window has no focus: typing goes to the view.
    SetFocus(hwnd);
  }
  const NoteStore& store = notesFile.store;
  if (notesFile.settings.noteMode == 0 && listView != nullptr && store.header.noteCount > 0 &&
      store.currentNote >= 1 && store.currentNote <= store.header.noteCount) {
    SendMessageA(listView->GetSafeHwnd(), LVM_ENSUREVISIBLE, store.currentNote - 1, FALSE);
  }
}

bool CMainFrame::ModalWorkRunning() const { return !IsWindowEnabled(hwnd) || CDialog::ModalLoopRunning(); }

void CMainFrame::RecordWindowRect() {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  ::RecordWindowRect(notesFile.settings, {r.left, r.top, r.right, r.bottom}, IsIconic(hwnd) != FALSE,
                     IsZoomed(hwnd) != FALSE);
}

void CMainFrame::SaveAllNotes() {
  const bool commitEditor = notesFile.settings.noteMode == 1 && document.NoteView().TextLength() > 0;
  const std::function<Result()> commit = [this] { return document.CommitCurrentNote(); };
  // A save asked for while another one's message is open is dropped: the
  // open one already tells the user.
  static_cast<void>(saves.Run([&] { return ::SaveAllNotes(notesFile, commitEditor ? commit : nullptr); },
                              notesFile.now()));
}

void CMainFrame::Quit() {
  if (ModalWorkRunning()) {
    // Closing now would destroy the window under the dialog, and the note
    // under its work: the quit message ends every modal loop in turn, and
    // the application finishes the quit once they have returned.
    quitPending = true;
    PostMessageA(hwnd, WM_CANCELMODE, 0, 0);
    PostQuitMessage(0);
    return;
  }
  // The note being edited is stored first, while its questions can still be
  // answered; a No keeps the program running.
  if (!SaveBeforeClosing()) return;
  PostMessageA(hwnd, WM_CANCELMODE, 0, 0);
  PostQuitMessage(0);
  EndProgram();
}

bool CMainFrame::FinishQuit() {
  quitPending = false;
  if (!SaveBeforeClosing()) return false;
  EndProgram();
  return true;
}

void CMainFrame::EndProgram() {
  if (tray.Shown()) tray.SetTrayIcon(false);
  if (CWinApp* app = CWinApp::Get()) app->CloseAllDocuments(true);
}

bool CMainFrame::OnQueryEndSession() {
  // The document commits here; a question still open or answered No keeps
  // the session.
  if (!CFrameWnd::OnQueryEndSession() || !SaveBeforeClosing()) return false;
  FinalSave(notesFile);
  return true;
}

bool CMainFrame::OffersCloseToTray() const { return ::OffersCloseToTray(tray.Shown(), notesFile.settings); }

void CMainFrame::PrepareMenu(HMENU popup) {
  const bool hasItem = GetMenuState(popup, ID_APP_EXIT, MF_BYCOMMAND) != static_cast<UINT>(-1);
  if (hasItem && !OffersCloseToTray()) {
    RemoveMenu(popup, ID_APP_EXIT, MF_BYCOMMAND);
  } else if (!hasItem && OffersCloseToTray() && popup == GetSubMenu(GetMenu(hwnd), 0) && closeToTrayItem.wID != 0) {
    // Back just above "Quit", the File menu's last item.
    MENUITEMINFOA item = closeToTrayItem;
    item.dwTypeData = closeToTrayText;
    InsertMenuItemA(popup, static_cast<UINT>(GetMenuItemCount(popup) - 1), TRUE, &item);
  }
}

void CMainFrame::UpdateCloseToTrayItem() {
  if (HMENU fileMenu = GetSubMenu(GetMenu(hwnd), 0)) PrepareMenu(fileMenu);
  DrawMenuBar(hwnd);
}

void CMainFrame::SetCloseHook(bool on) { closeProc = on ? &CMainFrame::CloseToTrayProc : nullptr; }

bool CMainFrame::CloseToTrayProc(CMainFrame& frame) {
  if (!frame.OffersCloseToTray()) return true;
  ShowWindow(frame.hwnd, SW_HIDE);
  return false;
}

void CMainFrame::OnClose() {
  if (closeProc != nullptr && !closeProc(*this)) return;
  if (SaveBeforeClosing()) CFrameWnd::OnClose();
}

bool CMainFrame::SaveBeforeClosing() {
  if (!document.SaveModified()) return false;
  Result result = RESULT_OK;
  // While another save's message is open, closing would answer it unseen.
  if (!saves.Run([&] { return result = ::SaveAllNotes(notesFile, nullptr); }, notesFile.now())) return false;
  if (result == RESULT_OK) return true;
  // The file could not be written (901 said why): leaving loses the changes.
  if (ShowMessage(notesFile.messages, IDS_ASK_DISCARD_NOTE, MessageButtons::YesNoDefaultNo,
                  MessageIcon::Question) != MessageAnswer::Yes) {
    return false;
  }
  notesFile.store.dirty = false;  // given up; the save at exit need not say so again
  return true;
}

void CMainFrame::OnEndSession(bool ending) {
  // Windows may end the process at any moment now: the worker is told to
  // stop, not waited for.
  if (ending) {
    if (tray.Shown()) tray.SetTrayIcon(false);
    worker.RequestStop();
  }
  CFrameWnd::OnEndSession(ending);
}

bool CMainFrame::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id) || CFrameWnd::OnCommand(id); }

bool CMainFrame::OnUpdateCommand(CCmdUI& ui) {
  return UpdateFromTable(this, COMMANDS, ui) || CFrameWnd::OnUpdateCommand(ui);
}

void CMainFrame::OnUpdateViewNote(CCmdUI& ui) { ui.SetCheck(notesFile.settings.noteMode == 1); }

void CMainFrame::OnUpdateViewList(CCmdUI& ui) { ui.SetCheck(notesFile.settings.noteMode == 0); }

void CMainFrame::ShowListView() {
  if (notesFile.settings.noteMode == 0) return;
  // A note that cannot be stored keeps the note view; the commit has said why.
  if (!document.Notes().PrepareListView()) return;
  if (listView == nullptr) {
    auto made = std::make_unique<CNoteFormView>(notesFile.store, notesFile.settings, document.Notes());
    if (!made->Create(*this, AFX_IDW_PANE_FIRST + 1, WS_CHILD | WS_VISIBLE | WS_BORDER)) return;
    made->OnInitialUpdate();
    listView = std::move(made);
    document.SetListView(listView.get());
  }
  notesFile.settings.noteMode = 0;
  SwitchToView(*listView);
  listView->FillList();
  document.Notes().ShowCurrentNote();
  SetListTitle();
  listView->CenterCurrentItem();
  listView->EndDrag();
}

void CMainFrame::ShowNoteView() {
  if (notesFile.settings.noteMode == 1 || listView == nullptr) return;
  notesFile.settings.noteMode = 1;
  SwitchToView(document.NoteView());
  document.Notes().ShowCurrentNote();
}

void CMainFrame::PrintSelectedNotes() {
  if (notesFile.settings.noteMode != 0 || listView == nullptr) return;
  NoteStore& store = notesFile.store;
  const uint32_t current = store.currentNote;
  const std::vector<uint32_t> items = listView->SelectedItems();
  // Each note prints from the note view, as a job of its own.
  ShowNoteView();
  for (uint32_t item : items) {
    store.currentNote = item + 1;
    document.Notes().ShowCurrentNote();
    document.NoteView().OnFilePrint();
  }
  store.currentNote = current;
  ShowListView();
}

void CMainFrame::OnUpdatePrintNotes(CCmdUI& ui) {
  ui.Enable(notesFile.settings.noteMode == 0 && listView != nullptr && listView->SelectedCount() > 0);
}

void CMainFrame::SetListTitle() {
  std::string title = LoadResourceString(IDS_TITLE_LIST_VIEW);
  ReplacePlaceholder(title, "<NUMNOTES>", std::to_string(notesFile.store.header.noteCount));
  document.SetTitle(title);
}

void CMainFrame::OnUpdateReminderIndicator(CCmdUI& ui) {
  ui.Enable(true);
  ui.SetText(ShowsReminderIndicator(notesFile.store) ? LoadResourceString(ID_INDICATOR_REMIND) : std::string());
}
