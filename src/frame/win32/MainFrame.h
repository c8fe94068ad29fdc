#pragma once
#include <windows.h>

#include <memory>

#include "app/Startup.h"
#include "document/win32/QuilleryDoc.h"
#include "frame/win32/WorkerThread.h"
#include "framework/Frame.h"
#include "listview/win32/NoteFormView.h"
#include "res/WindowMessages.h"
#include "store/Recovery.h"

// The main window: menu, toolbar and status bar around the note view; the
// commands that are not about one note; saving when asked and when Windows
// ends the session.
class CMainFrame : public CFrameWnd {
 public:
  CMainFrame(RecoveryContext& notesFile, StartState& start, CQuilleryDoc& document);

  // Creates the window with the document and the note view, and shows the
  // current note in it. The window stays hidden.
  [[nodiscard]] bool LoadMainFrame(CQuilleryView& noteView);
  bool LoadFrame(UINT resourceId, DWORD style, const CCreateContext* context) override;

  // Writes the notes, with the note being edited, when they changed.
  void SaveAllNotes();
  // Ends the program: the document commits and closes, the window goes.
  void Quit();
  // Switch between the note view and the summary list; the current note
  // stays current.
  void ShowListView();
  void ShowNoteView();

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(CREATESTRUCTA& cs) override;
  bool OnQueryEndSession() override;
  void OnClose() override;
  void OnEndSession(bool ending) override;

 private:
  void OnActivateFromOtherCopy();
  void RecordWindowRect();
  void OnSaveNotes() { SaveAllNotes(); }
  // Stores the note being edited and writes the notes while the user can
  // still stay: false when the program must keep running.
  bool SaveBeforeClosing();
  void OnUpdateViewNote(CCmdUI& ui);
  void SetListTitle();
  void OnUpdateViewList(CCmdUI& ui);
  void OnUpdateReminderIndicator(CCmdUI& ui);
  // Help: the topic of the view shown (F1), the questions asked most,
  // the help file's contents; a menu item's topic in OnMenuItemHelp.
  void OnHelp();
  void OnHelpFaq();
  void OnHelpFinder();
  bool OnMenuItemHelp(const HELPINFO& info);
  // Shift+F1: the help cursor until a click says what help is wanted, or
  // Escape or a click elsewhere ends the mode.
  void OnContextHelp();
  uint32_t HelpContextAt(POINT screenPoint);
  static const CommandEntry<CMainFrame> COMMANDS[9];

  RecoveryContext& notesFile;
  StartState& start;
  CQuilleryDoc& document;
  CToolBar toolBar;
  CStatusBar statusBar;
  // The File menu's "Close to Tray" item, kept while the menu goes without it.
  MENUITEMINFOA closeToTrayItem{};
  char closeToTrayText[64] = {};
  // Made at the first switch to the list, then hidden and shown.
  std::unique_ptr<CNoteFormView> listView;
  CSaveSchedule saves;
  CWorkerThread worker;
};
