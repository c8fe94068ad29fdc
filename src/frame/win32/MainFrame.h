#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "document/win32/QuilleryDoc.h"
#include "find/win32/FindCommands.h"
#include "frame/win32/WorkerThread.h"
#include "framework/Frame.h"
#include "help/win32/HelpCommands.h"
#include "import/win32/ImportCommands.h"
#include "listview/win32/NoteFormView.h"
#include "preferences/win32/PreferenceCommands.h"
#include "reminders/win32/ReminderCommands.h"
#include "store/Recovery.h"
#include "tray/win32/TrayCommands.h"
#include "url/win32/UrlCommands.h"
#include "update/win32/UpgradeCommands.h"

// The main window: menu, toolbar and status bar around the note view; the
// commands that are not about one note; saving when asked and when Windows
// ends the session.
class CMainFrame : public CFrameWnd {
 public:
  // The worker stays quiet while `startupInProgress` holds.
  CMainFrame(RecoveryContext& notesFile, const std::atomic<bool>& startupInProgress, CQuilleryDoc& document);
  ~CMainFrame() override;

  // Creates the window with the document and the note view, and shows the
  // current note in it. The window stays hidden.
  [[nodiscard]] bool LoadMainFrame(CQuilleryView& noteView);
  bool LoadFrame(UINT resourceId, DWORD style, const CCreateContext* context) override;

  // Writes the notes, with the note being edited, when they changed.
  void SaveAllNotes();
  // Ends the program: the document commits and closes, the window goes.
  // While a dialog runs its loop over the window, the quit ends that loop
  // first and the closing waits for FinishQuit.
  void Quit();
  bool QuitPending() const { return quitPending; }
  // The closing of a quit that ended dialogs' loops, once they returned;
  // false when the user kept the note and the program goes on.
  [[nodiscard]] bool FinishQuit();
  // Switch between the note view and the summary list; the current note
  // stays current.
  void ShowListView();
  void ShowNoteView();

  // Whether "Close to Tray" is offered and closing only hides the window.
  bool OffersCloseToTray() const;
  bool SetTrayIcon(bool add) { return tray.SetTrayIcon(add); }
  bool TrayIconShown() const { return tray.Shown(); }
  // The File menu offers "Close to Tray" exactly when OffersCloseToTray.
  void UpdateCloseToTrayItem();
  CQuilleryView& NoteView() { return document.NoteView(); }
  // Null until the list was first shown.
  CNoteFormView* ListView() const { return listView.get(); }
  // Shows the window (restored, when it was minimised) in front of others.
  void OpenMainWindow();
  // A dialog or popup runs its own loop over this window.
  bool ModalWorkRunning() const;
  // The close procedure, asked at every WM_CLOSE whether the window may
  // close; print previews turn it off while they run.
  void SetCloseHook(bool on);
  static bool CloseToTrayProc(CMainFrame& frame);
  void OnPrintPreview(bool running) override { SetCloseHook(!running); }

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

  CWorkerThread& Worker() { return worker; }
  CUpgradeCommands& Upgrades() { return upgrades; }

 protected:
  void PrepareMenu(HMENU popup) override;
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(CREATESTRUCTA& cs) override;
  bool OnQueryEndSession() override;
  void OnClose() override;
  void OnEndSession(bool ending) override;

 private:
  void OnActivateFromOtherCopy();
  void EndProgram();
  void RecordWindowRect();
  void OnSaveNotes() { SaveAllNotes(); }
  // Stores the note being edited and writes the notes while the user can
  // still stay: false when the program must keep running.
  bool SaveBeforeClosing();
  void OnUpdateViewNote(CCmdUI& ui);
  void SetListTitle();
  void OnUpdateViewList(CCmdUI& ui);
  void OnUpdateReminderIndicator(CCmdUI& ui);
  // Print Note(s): each selected note through the note view's Print.
  void PrintSelectedNotes();
  void OnUpdatePrintNotes(CCmdUI& ui);
  static const CommandEntry<CMainFrame> COMMANDS[6];

  RecoveryContext& notesFile;
  const std::atomic<bool>& startupInProgress;
  CQuilleryDoc& document;
  CHelpCommands help;
  CTrayCommands tray;
  CReminderCommands reminders;
  CFindCommands find;
  CPreferenceCommands preferences;
  CUrlCommands url;
  CImportCommands imports;
  CUpgradeCommands upgrades;
  CToolBar toolBar;
  CStatusBar statusBar;
  // The File menu's "Close to Tray" item, kept while the menu goes without it.
  MENUITEMINFOA closeToTrayItem{};
  char closeToTrayText[64] = {};
  bool (*closeProc)(CMainFrame&) = nullptr;
  bool quitPending = false;
  // Made at the first switch to the list, then hidden and shown.
  std::unique_ptr<CNoteFormView> listView;
  CSaveSchedule saves;
  CWorkerThread worker;
};
