#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the notes document reaches outside the store. The Win32 side
// implements these over the edit view, the summary list and the main window;
// native tests use fakes.

// The one-note editor.
class INoteEditor {
 public:
  virtual ~INoteEditor() = default;
  // The text, cut after `maxCharacters` characters.
  virtual std::string Text(uint32_t maxCharacters) = 0;
  // Characters in the editor (a line break counts two).
  virtual uint32_t TextLength() = 0;
  virtual bool TextChanged() = 0;
  virtual void SetTextChanged(bool changed) = 0;
  // Shows a note's text and clears the changed flag.
  virtual void LoadText(const char* text) = 0;
  // Empties the editor (the changed flag is the caller's).
  virtual void Clear() = 0;
};

// The summary list; item i (0-based) shows note i + 1.
class INoteList {
 public:
  virtual ~INoteList() = default;
  virtual uint32_t SelectedCount() = 0;
  // The selected items, ascending.
  virtual std::vector<uint32_t> SelectedItems() = 0;
  virtual void FillList() = 0;
  virtual void ClearListSelection() = 0;
  virtual void SelectCurrentItem() = 0;
  virtual void CenterCurrentItem() = 0;
};

// The main window, as far as the document uses it.
class IDocumentFrame {
 public:
  virtual ~IDocumentFrame() = default;
  // The document title, which the main window shows in its caption.
  virtual void SetTitle(const std::string& title) = 0;
  // Switches to the note view; it shows the current note through the document.
  virtual void ShowNoteView() = 0;
  // The exclamation beep of a navigation that cannot go further.
  virtual void Beep() = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  // Seconds since 1970-01-01 00:00:00 UTC.
  virtual int32_t Now() = 0;
  // A time as the user's long local date and time; "" when it cannot be shown.
  virtual std::string FormatLocalTime(int32_t time) = 0;
};

// Told whenever notes change their numbers, so that a holder of note numbers
// (the queue of due reminders) can follow its notes.
class INoteNumbering {
 public:
  virtual ~INoteNumbering() = default;
  // The notes `numbers` (ascending) were removed.
  virtual void NotesRemoved(const std::vector<uint32_t>& numbers) = 0;
  // A note was placed in front of `position` (0 counts as 1; past the last
  // appends).
  virtual void NoteInserted(uint32_t position) = 0;
  // Note `from` moved in front of note `to` (numbers before the move;
  // noteCount + 1 is behind the last).
  virtual void NoteMoved(uint32_t from, uint32_t to) = 0;
};
