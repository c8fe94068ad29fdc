#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "base/Messages.h"
#include "document/DocumentPorts.h"
#include "settings/Settings.h"
#include "store/NoteStore.h"
#include "store/ResultCodes.h"

// The commands whose enabling the document decides.
enum class DocumentCommand {
  NewNote,
  DeleteNote,
  Properties,
  Reminders,
  Print,
  PrintPreview,
  GoToNote,
  MoveNote,
  NextNote,
  PreviousNote,
  FirstNote,
  LastNote,
};

struct NotePropertiesTexts {
  std::string number;    // "Note 3 of 5"
  std::string created;   // "New Note" for the new-note slot
  std::string modified;  // empty for the new-note slot
};

// The notes document: owns the notion of the current note and every command
// that creates, deletes, moves or navigates notes. It is the only path by
// which edited text reaches the store. Everything runs on the UI thread.
class CNoteDocument {
 public:
  CNoteDocument(NoteStore& store, Settings& settings, INoteEditor& editor, INoteList& list,
                IDocumentFrame& frame, IMessages& messages, IClock& clock);
  CNoteDocument(const CNoteDocument&) = delete;
  CNoteDocument& operator=(const CNoteDocument&) = delete;

  // Copies the editor's text into the store: RESULT_OK, NOTE_EMPTY (the
  // emptied note was removed or the empty slot abandoned, and another note
  // may be current) or NOTE_NOT_STORED.
  [[nodiscard]] Result CommitCurrentNote();
  // Removes the current note; the note behind it, or else the one before,
  // becomes current. Nothing happens for the new-note slot.
  void DeleteCurrentNote();
  // Inserts a note in front of `position` (1-based; past the last appends),
  // taking created, modified (0: now), flags and reminderTime from `entry`.
  // currentNote keeps its number.
  [[nodiscard]] Result InsertNote(uint32_t position, const std::string& text, NoteEntry entry);
  // Moves note `from` in front of note `to` (numbers before the move;
  // noteCount + 1 is behind the last); the note stays current.
  Result MoveNote(uint32_t from, uint32_t to);
  void ShowCurrentNote();
  // The one way to show note `number` (within the pad), for every feature
  // that finds or announces a note: the note being edited is left first.
  void GoToNote(uint32_t number);
  // The list made note `number` (1..noteCount) current: its row was
  // selected last.
  void SelectFromList(uint32_t number);
  // The list's double-click: the current note opens in the note view.
  void OpenInNoteView();
  // Before the list is shown: the note being edited is stored and the
  // current note names a row. False when the note could not be stored (the
  // commit said why).
  [[nodiscard]] bool PrepareListView();
  void UpdateNoteTitle();

  // Commits before another note is shown; when the text cannot be stored the
  // user decides (920) whether to go on without it. False: stay.
  [[nodiscard]] bool LeaveCurrentNote();
  // Before the program or its window closes: the note is stored, or the
  // user gave it up (920). False keeps the program running, also while a
  // question of the document is still open.
  [[nodiscard]] bool CommitBeforeClosing();

  // Go To Note: leaves the note first, since leaving may remove an emptied
  // note and renumber the rest; then `askNumber(highest, current)` gives
  // the note to show, 0 for none.
  void OnGoToNote(const std::function<uint32_t(uint32_t, uint32_t)>& askNumber);
  void OnNewNote();
  void OnDeleteNote();
  void OnNextNote();
  void OnPreviousNote();
  void OnFirstNote();
  void OnLastNote();
  // The Move Note command once its dialog chose: behind note `afterNote`,
  // 0 for in front of the first. The caller has left the note already.
  void MoveCurrentNoteAfter(uint32_t afterNote);
  // The Note Properties command before its dialog: false when no dialog
  // is to be shown.
  [[nodiscard]] bool PrepareNoteProperties(NotePropertiesTexts& texts);

  bool IsCommandEnabled(DocumentCommand command);

  // Who hears of renumbered notes; null for no one.
  void SetNumbering(INoteNumbering* observer) { numbering = observer; }

  // The heading a printed note carries: the last note-view title.
  const std::string& NoteTitle() const { return noteTitle; }

 private:
  bool InNoteView() const { return settings.noteMode != 0; }
  bool InSlot() const { return store.currentNote > store.header.noteCount; }
  uint32_t CountWithSlot() const { return store.header.noteCount + (InSlot() ? 1 : 0); }
  Result StoreEditorText();
  // Makes note `number` (kept within the pad) current and shows it.
  void ShowNote(uint32_t number);
  // 920, with No as the default answer.
  bool AskDiscardChanges();
  void DeleteSelectedListNotes();

  NoteStore& store;
  Settings& settings;
  INoteEditor& editor;
  INoteList& list;
  IDocumentFrame& frame;
  IMessages& messages;
  IClock& clock;
  INoteNumbering* numbering = nullptr;
  bool committing = false;
  bool askingDiscard = false;
  std::string noteTitle;
};
