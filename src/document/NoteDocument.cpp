#include "document/NoteDocument.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/NoteEdits.h"
#include "res/resource.h"

namespace {

bool AskYesNo(IMessages& messages, uint32_t id, MessageIcon icon,
              std::initializer_list<Placeholder> placeholders = {}) {
  return ShowMessage(messages, id, MessageButtons::YesNo, icon, placeholders) ==
         MessageAnswer::Yes;
}

void Warn(IMessages& messages, uint32_t id) {
  ShowMessage(messages, id, MessageButtons::Ok, MessageIcon::Exclamation);
}

// Texts end at their first zero byte in the pool, so nothing behind one
// may be counted as part of the text.
uint32_t StoredLength(const std::string& text) {
  return static_cast<uint32_t>(std::strlen(text.c_str()));
}

}  // namespace

CNoteDocument::CNoteDocument(NoteStore& store, Settings& settings, INoteEditor& editor,
                             INoteList& list, IDocumentFrame& frame, IMessages& messages,
                             IClock& clock)
    : store(store),
      settings(settings),
      editor(editor),
      list(list),
      frame(frame),
      messages(messages),
      clock(clock) {}

Result CNoteDocument::CommitCurrentNote() {
  // A nested message loop (a message box below) may run an auto-save.
  if (committing) return NOTE_NOT_STORED;
  if (!InNoteView() || !editor.TextChanged()) return RESULT_OK;
  committing = true;
  const Result result = StoreEditorText();
  committing = false;
  return result;
}

Result CNoteDocument::StoreEditorText() {
  const bool cut = editor.TextLength() > MAX_NOTE_LENGTH;
  if (cut && !AskYesNo(messages, IDS_ASK_TRUNCATE_NOTE, MessageIcon::Exclamation)) return NOTE_NOT_STORED;
  const std::string text = editor.Text(MAX_NOTE_LENGTH);
  const uint32_t length = StoredLength(text);
  const uint32_t count = store.header.noteCount;
  const uint32_t number = store.currentNote;

  if (length == 0) {
    editor.SetTextChanged(false);
    if (!InSlot()) {
      DeleteCurrentNote();
      ShowCurrentNote();
      return NOTE_EMPTY;
    }
    if (count == 0) return RESULT_OK;
    store.currentNote = count;
    ShowCurrentNote();
    return NOTE_EMPTY;
  }

  if (InSlot() && count >= MAX_NOTES) {
    Warn(messages, IDS_NOTE_PAD_FULL);
    return NOTE_NOT_STORED;
  }
  if (!WriteNoteText(store, number, text.data(), length)) {
    Warn(messages, IDS_OUT_OF_MEMORY);
    return NOTE_NOT_STORED;
  }
  NoteEntry& entry = store.Entry(number);
  entry.modified = clock.Now();
  if (number > count) entry.created = entry.modified;
  if (number >= count) settings.lastViewed = number;
  editor.SetTextChanged(false);
  // The editor shows what was kept, not a tail that is already gone.
  if (cut) editor.LoadText(store.Text(entry));
  return RESULT_OK;
}

void CNoteDocument::DeleteCurrentNote() {
  const uint32_t number = store.currentNote;
  if (number < 1 || number > store.header.noteCount) return;
  RemoveNote(store, number);
  if (numbering != nullptr) numbering->NotesRemoved({number});
  if (number > store.header.noteCount)
    store.currentNote = std::max<uint32_t>(store.header.noteCount, 1);
}

Result CNoteDocument::InsertNote(uint32_t position, const std::string& text, NoteEntry entry) {
  const int32_t now = clock.Now();
  const uint32_t length = StoredLength(text);
  if (length == 0) return NOTE_EMPTY;
  if (store.header.noteCount >= MAX_NOTES || length > MAX_NOTE_LENGTH) return NOTE_NOT_STORED;
  if (entry.created == 0) entry.created = now;
  if (entry.modified == 0) entry.modified = now;
  if (!PlaceNote(store, position, text.data(), length, entry)) {
    Warn(messages, IDS_OUT_OF_MEMORY);
    return NOTE_NOT_STORED;
  }
  if (numbering != nullptr) numbering->NoteInserted(position);
  return RESULT_OK;
}

Result CNoteDocument::MoveNote(uint32_t from, uint32_t to) {
  const uint32_t count = store.header.noteCount;
  if (from < 1 || from > count || to < 1 || to > count + 1) return NOTE_NOT_STORED;
  if (from == to) return RESULT_OK;
  const NoteEntry moved = store.Entry(from);
  const std::string text = store.Text(moved);
  const uint32_t place = to > from ? to - 1 : to;
  RemoveNote(store, from);
  // The removal freed exactly the room the note needs, and the stored text
  // goes back as it is, whatever its length.
  if (!PlaceNote(store, place, text.data(), StoredLength(text), moved)) {
    if (numbering != nullptr) numbering->NotesRemoved({from});
    return NOTE_NOT_STORED;
  }
  if (numbering != nullptr) numbering->NoteMoved(from, to);
  store.currentNote = place;
  return RESULT_OK;
}

void CNoteDocument::ShowCurrentNote() {
  const uint32_t count = store.header.noteCount;
  if (store.currentNote < 1 || store.currentNote > count + 1)
    store.currentNote = std::max<uint32_t>(count, 1);
  settings.lastViewed = store.currentNote;
  if (InNoteView()) {
    editor.LoadText(InSlot() ? "" : store.Text(store.CurrentEntry()));
    UpdateNoteTitle();
  } else if (count > 0) {
    list.ClearListSelection();
    list.SelectCurrentItem();
  }
}

void CNoteDocument::GoToNote(uint32_t number) {
  if (!LeaveCurrentNote()) return;
  ShowNote(number);
}

void CNoteDocument::OnGoToNote(const std::function<uint32_t(uint32_t, uint32_t)>& askNumber) {
  if (!LeaveCurrentNote()) return;
  const uint32_t number = askNumber(store.header.noteCount, store.currentNote);
  if (number != 0 && number != store.currentNote) ShowNote(number);
}

void CNoteDocument::SelectFromList(uint32_t number) {
  if (number < 1 || number > store.header.noteCount) return;
  store.currentNote = number;
  settings.lastViewed = number;
}

void CNoteDocument::OpenInNoteView() {
  if (!InNoteView()) frame.ShowNoteView();
}

bool CNoteDocument::PrepareListView() {
  if (CommitCurrentNote() == NOTE_NOT_STORED) return false;
  if (InSlot() && store.header.noteCount > 0) store.currentNote = store.header.noteCount;
  return true;
}

void CNoteDocument::ShowNote(uint32_t number) {
  const uint32_t highest = std::max<uint32_t>(store.header.noteCount, 1);
  store.currentNote = std::min(std::max<uint32_t>(number, 1), highest);
  ShowCurrentNote();
}

void CNoteDocument::UpdateNoteTitle() {
  std::string title = messages.LoadText(IDS_TITLE_NOTE_VIEW);
  ReplacePlaceholder(title, "<CURNOTE>", std::to_string(store.currentNote));
  ReplacePlaceholder(title, "<NUMNOTES>", std::to_string(CountWithSlot()));
  noteTitle = title;
  frame.SetTitle(title);
}

bool CNoteDocument::LeaveCurrentNote() {
  if (CommitCurrentNote() != NOTE_NOT_STORED) return true;
  return AskDiscardChanges();
}

bool CNoteDocument::CommitBeforeClosing() {
  // Closing while a question is open would answer it without the user.
  if (committing || askingDiscard) return false;
  if (CommitCurrentNote() != NOTE_NOT_STORED) return true;
  if (!AskDiscardChanges()) return false;
  // Given up: nothing is left for the commit at closing.
  editor.SetTextChanged(false);
  return true;
}

bool CNoteDocument::AskDiscardChanges() {
  askingDiscard = true;
  const bool yes = ShowMessage(messages, IDS_ASK_DISCARD_NOTE, MessageButtons::YesNoDefaultNo,
                               MessageIcon::Question) == MessageAnswer::Yes;
  askingDiscard = false;
  return yes;
}

void CNoteDocument::OnNewNote() {
  if (!InNoteView()) frame.ShowNoteView();
  if (CommitCurrentNote() == NOTE_NOT_STORED) return;
  const uint32_t count = store.header.noteCount;
  if (count == 0) return;  // the slot is already current
  if (count >= MAX_NOTES) {
    Warn(messages, IDS_NOTE_PAD_FULL);
    return;
  }
  NoteEntry& slot = store.Entry(count + 1);
  slot.text = store.UsedPoolBytes();
  slot.flags = 0;
  slot.reminderTime = 0;
  store.currentNote = count + 1;
  editor.Clear();
  // Leaving the still empty slot then abandons it through the commit.
  editor.SetTextChanged(true);
  UpdateNoteTitle();
}

void CNoteDocument::OnDeleteNote() {
  if (!InNoteView()) {
    DeleteSelectedListNotes();
    return;
  }
  if (editor.TextLength() > 0 && settings.verifyDelete != 0 &&
      !AskYesNo(messages, IDS_CONFIRM_DELETE, MessageIcon::Question))
    return;
  // The commit's empty-text path removes the note and shows the next one.
  editor.Clear();
  editor.SetTextChanged(true);
  static_cast<void>(CommitCurrentNote());
}

void CNoteDocument::DeleteSelectedListNotes() {
  const std::vector<uint32_t> items = list.SelectedItems();
  const uint32_t selected = static_cast<uint32_t>(items.size());
  if (selected == 0) return;
  if (selected == 1) {
    if (settings.verifyDelete != 0 &&
        !AskYesNo(messages, IDS_CONFIRM_DELETE, MessageIcon::Question))
      return;
  } else if (!AskYesNo(messages, IDS_CONFIRM_DELETE_MANY, MessageIcon::Question,
                       {{"<NUM>", std::to_string(selected)}})) {
    return;
  }
  std::vector<uint32_t> numbers;
  numbers.reserve(items.size());
  for (uint32_t item : items) numbers.push_back(item + 1);
  // One pass over the store and one refill, whatever the selection.
  RemoveNotes(store, numbers);
  if (numbering != nullptr) numbering->NotesRemoved(numbers);
  store.currentNote = std::max<uint32_t>(std::min(numbers.front(), store.header.noteCount), 1);
  list.FillList();
  ShowCurrentNote();
  std::string title = messages.LoadText(IDS_TITLE_LIST_VIEW);
  ReplacePlaceholder(title, "<NUMNOTES>", std::to_string(store.header.noteCount));
  frame.SetTitle(title);
}

void CNoteDocument::OnNextNote() {
  if (store.currentNote >= store.header.noteCount) {
    frame.Beep();
    return;
  }
  const Result result = CommitCurrentNote();
  // An emptied note was removed and the one behind it already shows.
  if (result == NOTE_EMPTY) return;
  if (result == NOTE_NOT_STORED && !AskDiscardChanges())
    return;
  ++store.currentNote;
  ShowCurrentNote();
}

void CNoteDocument::OnPreviousNote() {
  if (store.currentNote <= 1) {
    frame.Beep();
    return;
  }
  const uint32_t before = store.currentNote;
  const Result result = CommitCurrentNote();
  // An emptied last note or an abandoned slot already made the note before
  // current; only a note removed in place still needs the step back.
  if (result == NOTE_EMPTY && store.currentNote != before) return;
  if (result == NOTE_NOT_STORED && !AskDiscardChanges())
    return;
  --store.currentNote;
  ShowCurrentNote();
}

void CNoteDocument::OnFirstNote() {
  if (!LeaveCurrentNote()) return;
  store.currentNote = 1;
  ShowCurrentNote();
}

void CNoteDocument::OnLastNote() {
  if (!LeaveCurrentNote()) return;
  if (store.header.noteCount > 0) store.currentNote = store.header.noteCount;
  ShowCurrentNote();
}

void CNoteDocument::MoveCurrentNoteAfter(uint32_t afterNote) {
  static_cast<void>(MoveNote(store.currentNote, afterNote + 1));
  if (InNoteView()) {
    ShowCurrentNote();
  } else {
    list.FillList();
    ShowCurrentNote();
    list.CenterCurrentItem();
  }
}

bool CNoteDocument::PrepareNoteProperties(NotePropertiesTexts& texts) {
  const Result result = CommitCurrentNote();
  if (result == NOTE_EMPTY) return false;
  if (result == NOTE_NOT_STORED && !AskDiscardChanges())
    return false;
  texts.number = messages.LoadText(IDS_PROPERTIES_NUMBER);
  ReplacePlaceholder(texts.number, "<CURNOTE>", std::to_string(store.currentNote));
  ReplacePlaceholder(texts.number, "<NUMNOTES>", std::to_string(CountWithSlot()));
  if (InSlot()) {
    texts.created = messages.LoadText(IDS_PROPERTIES_NEW_NOTE);
    texts.modified.clear();
  } else {
    const NoteEntry& entry = store.CurrentEntry();
    texts.created = clock.FormatLocalTime(entry.created);
    texts.modified = clock.FormatLocalTime(entry.modified);
  }
  return true;
}

bool CNoteDocument::IsCommandEnabled(DocumentCommand command) {
  const uint32_t count = store.header.noteCount;
  const uint32_t current = store.currentNote;
  const bool noteView = InNoteView();
  // The list is asked only in list view: it may not exist before.
  const auto hasText = [&] { return noteView && editor.TextLength() > 0; };
  const auto textOrOneSelected = [&] {
    return noteView ? hasText() : list.SelectedCount() == 1;
  };
  const bool otherPlaces = count > 1 || current > 1;
  switch (command) {
    case DocumentCommand::NewNote:
      return count < MAX_NOTES;
    case DocumentCommand::DeleteNote:
      return otherPlaces || hasText();
    case DocumentCommand::Properties:
    case DocumentCommand::Reminders:
      return textOrOneSelected();
    case DocumentCommand::Print:
    case DocumentCommand::PrintPreview:
      return noteView ? hasText() : count > 0;
    case DocumentCommand::GoToNote:
      return otherPlaces;
    case DocumentCommand::MoveNote:
      return otherPlaces && textOrOneSelected();
    case DocumentCommand::NextNote:
    case DocumentCommand::LastNote:
      return current < count;
    case DocumentCommand::PreviousNote:
    case DocumentCommand::FirstNote:
      return current > 1;
  }
  return false;
}
