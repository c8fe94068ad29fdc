#include "document/win32/QuilleryDoc.h"

#include <algorithm>
#include <ctime>

#include "document/win32/NoteDialogs.h"
#include "framework/Frame.h"
#include "res/WindowMessages.h"
#include "res/resource.h"

namespace {
// Longer formatted times are not shown at all.
constexpr size_t MAX_TIME_TEXT = 511;
}  // namespace

const CCmdTarget::CommandEntry<CQuilleryDoc> CQuilleryDoc::COMMANDS[] = {
    {ID_NOTE_NEW, &CQuilleryDoc::OnNewNote, &CQuilleryDoc::OnUpdateNewNote},
    {ID_NOTE_DELETE, &CQuilleryDoc::OnDeleteNote, &CQuilleryDoc::OnUpdateDeleteNote},
    {ID_NOTE_NEXT, &CQuilleryDoc::OnNextNote, &CQuilleryDoc::OnUpdateNextNote},
    {ID_NOTE_PREVIOUS, &CQuilleryDoc::OnPreviousNote, &CQuilleryDoc::OnUpdatePreviousNote},
    {ID_NOTE_FIRST, &CQuilleryDoc::OnFirstNote, &CQuilleryDoc::OnUpdateFirstNote},
    {ID_NOTE_LAST, &CQuilleryDoc::OnLastNote, &CQuilleryDoc::OnUpdateLastNote},
    {ID_NOTE_GOTO, &CQuilleryDoc::OnGoToNote, &CQuilleryDoc::OnUpdateGoToNote},
    {ID_NOTE_MOVE, &CQuilleryDoc::OnMoveNote, &CQuilleryDoc::OnUpdateMoveNote},
    {ID_NOTE_PROPERTIES, &CQuilleryDoc::OnNoteProperties, &CQuilleryDoc::OnUpdateNoteProperties},
};

std::string CQuilleryDoc::CEditorPort::Text(uint32_t maxCharacters) {
  std::string text = view.GetText();
  if (text.size() > maxCharacters) text.resize(maxCharacters);
  return text;
}

uint32_t CQuilleryDoc::CEditorPort::TextLength() {
  return static_cast<uint32_t>(std::max(view.TextLength(), 0));
}

void CQuilleryDoc::CFramePort::ShowNoteView() {
  CFrameWnd* mainFrame = static_cast<CQuilleryDoc&>(document).NoteView().GetParentFrame();
  if (mainFrame != nullptr) SendMessageA(mainFrame->GetSafeHwnd(), WM_APP_SHOW_NOTE, 0, 0);
}

int32_t CQuilleryDoc::CSystemClock::Now() { return static_cast<int32_t>(std::time(nullptr)); }

std::string CQuilleryDoc::CSystemClock::FormatLocalTime(int32_t time) {
  std::time_t t = time;
  const std::tm* local = std::localtime(&t);
  if (local == nullptr) return std::string();
  char text[MAX_TIME_TEXT + 1];
  size_t length = std::strftime(text, sizeof(text), "%#c", local);
  return std::string(text, length);
}

CQuilleryDoc::CQuilleryDoc(NoteStore& store, Settings& s, CQuilleryView& view, IMessages& messages)
    : store(store),
      settings(s),
      noteView(view),
      editor(view),
      frame(*this),
      notes(store, s, editor, list, frame, messages, clock) {
  view.AttachNotes(notes, store);
}

bool CQuilleryDoc::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return false;
  // The note view is always the first one shown.
  settings.noteMode = 1;
  notes.ShowCurrentNote();
  noteView.SetTabStops(static_cast<int>(settings.tabs) * 4);
  return true;
}

void CQuilleryDoc::OnCloseDocument() {
  static_cast<void>(notes.CommitCurrentNote());
  CDocument::OnCloseDocument();
}

// Every way of closing asks here first: the note being edited is stored,
// or the user gives it up, before anything posts the quit or destroys the
// window.
bool CQuilleryDoc::SaveModified() { return notes.CommitBeforeClosing(); }

bool CQuilleryDoc::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CQuilleryDoc::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CQuilleryDoc::OnGoToNote() {
  notes.OnGoToNote([](uint32_t highest, uint32_t current) {
    CGoToNoteDlg dialog;
    dialog.maxNote = highest;
    dialog.noteNumber = current;
    return dialog.DoModal() == IDOK ? dialog.noteNumber : 0u;
  });
}

void CQuilleryDoc::OnMoveNote() {
  if (!notes.LeaveCurrentNote()) return;
  // A text the user chose not to keep leaves nothing stored to move.
  if (store.currentNote > store.header.noteCount) return;
  CMoveNoteDlg dialog(store.currentNote, store.header.noteCount);
  dialog.placement = 1;
  dialog.afterNote = store.currentNote;
  if (dialog.DoModal() != IDOK) return;
  notes.MoveCurrentNoteAfter(dialog.placement == 0 ? 0 : dialog.afterNote);
}

void CQuilleryDoc::OnNoteProperties() {
  NotePropertiesTexts texts;
  if (!notes.PrepareNoteProperties(texts)) return;
  CNotePropertiesDlg dialog;
  dialog.numberText = texts.number;
  dialog.createdText = texts.created;
  dialog.modifiedText = texts.modified;
  dialog.DoModal();
}
