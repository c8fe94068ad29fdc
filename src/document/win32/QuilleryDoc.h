#pragma once
#include <windows.h>

#include "base/Messages.h"
#include "document/NoteDocument.h"
#include "framework/View.h"
#include "noteview/win32/QuilleryView.h"

// The one document: the framework's side of the notes document. Commands
// and their states come here through command routing and go on to
// CNoteDocument, which works on the store through the note view.
class CQuilleryDoc : public CDocument {
 public:
  CQuilleryDoc(NoteStore& store, Settings& settings, CQuilleryView& noteView, IMessages& messages);

  CNoteDocument& Notes() { return notes; }
  CQuilleryView& NoteView() { return noteView; }
  // The summary list, or null before the first switch to it and after it
  // went.
  void SetListView(INoteList* view) { list.view = view; }
  // Stores the text being edited before anything else reads the notes.
  [[nodiscard]] Result CommitCurrentNote() { return notes.CommitCurrentNote(); }

  bool OnNewDocument() override;
  void OnCloseDocument() override;
  bool SaveModified() override;
  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  // The note view as the document's editor.
  class CEditorPort : public INoteEditor {
   public:
    explicit CEditorPort(CQuilleryView& v) : view(v) {}
    std::string Text(uint32_t maxCharacters) override;
    uint32_t TextLength() override;
    bool TextChanged() override { return view.textChanged; }
    void SetTextChanged(bool changed) override { view.textChanged = changed; }
    void LoadText(const char* text) override { view.LoadCurrentNoteText(text); }
    void Clear() override { view.SetText(""); }

   private:
    CQuilleryView& view;
  };
  // The summary list, once the first switch to it has made it.
  class CListPort : public INoteList {
   public:
    uint32_t SelectedCount() override { return view != nullptr ? view->SelectedCount() : 0; }
    std::vector<uint32_t> SelectedItems() override {
      return view != nullptr ? view->SelectedItems() : std::vector<uint32_t>();
    }
    void FillList() override {
      if (view != nullptr) view->FillList();
    }
    void ClearListSelection() override {
      if (view != nullptr) view->ClearListSelection();
    }
    void SelectCurrentItem() override {
      if (view != nullptr) view->SelectCurrentItem();
    }
    void CenterCurrentItem() override {
      if (view != nullptr) view->CenterCurrentItem();
    }
    INoteList* view = nullptr;
  };
  // The main window's caption shows the document title.
  class CFramePort : public IDocumentFrame {
   public:
    explicit CFramePort(CDocument& d) : document(d) {}
    void SetTitle(const std::string& title) override { document.SetTitle(title); }
    // The main window switches the views.
    void ShowNoteView() override;
    void Beep() override { MessageBeep(MB_ICONEXCLAMATION); }

   private:
    CDocument& document;
  };
  class CSystemClock : public IClock {
   public:
    int32_t Now() override;
    std::string FormatLocalTime(int32_t time) override;
  };

  void OnNewNote() { notes.OnNewNote(); }
  void OnDeleteNote() { notes.OnDeleteNote(); }
  void OnNextNote() { notes.OnNextNote(); }
  void OnPreviousNote() { notes.OnPreviousNote(); }
  void OnFirstNote() { notes.OnFirstNote(); }
  void OnLastNote() { notes.OnLastNote(); }
  void OnUpdateNewNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::NewNote)); }
  void OnUpdateDeleteNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::DeleteNote)); }
  void OnUpdateNextNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::NextNote)); }
  void OnUpdatePreviousNote(CCmdUI& ui) {
    ui.Enable(notes.IsCommandEnabled(DocumentCommand::PreviousNote));
  }
  void OnUpdateFirstNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::FirstNote)); }
  void OnUpdateLastNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::LastNote)); }
  // The note dialogs.
  void OnGoToNote();
  void OnMoveNote();
  void OnNoteProperties();
  void OnUpdateGoToNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::GoToNote)); }
  void OnUpdateMoveNote(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::MoveNote)); }
  void OnUpdateNoteProperties(CCmdUI& ui) { ui.Enable(notes.IsCommandEnabled(DocumentCommand::Properties)); }
  static const CommandEntry<CQuilleryDoc> COMMANDS[9];

  NoteStore& store;
  Settings& settings;
  CQuilleryView& noteView;
  CEditorPort editor;
  CListPort list;
  CFramePort frame;
  CSystemClock clock;
  CNoteDocument notes;
};
