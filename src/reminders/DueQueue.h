#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "document/DocumentPorts.h"
#include "store/NoteStore.h"

// How a reminder popup ended.
enum class PopupAnswer {
  Snooze,   // the Snooze button
  Dismiss,  // the Dismiss button, Escape or the close box
  Quit,     // the program is ending: neither, the reminder stays pending
};

// The notes whose reminder popups wait, first come first shown, and the one
// loop that shows them. Numbers follow their notes while notes are deleted,
// inserted and moved; a number that no longer names a note waiting for its
// popup (REMINDER_QUEUED) is dropped, never shown. Used on the user-interface
// thread only, as is the reminder scan that marks the notes.
//
// The window's handler of a due message:
//   if (!queue.Add(store, number)) return;   // a loop further up shows it
//   while (uint32_t note = queue.Next(store)) {
//     answer = show the popup for `note`;
//     if (uint32_t item = queue.Answer(store, answer, snoozeIndex, now)) redraw item;
//   }
class CDueQueue : public INoteNumbering {
 public:
  // A due message for note `number`. It joins the queue when it names a
  // queued note not yet in it; so does every other queued note missing from
  // it (in note order), which catches a due message whose number went stale
  // on its way through the message queue. True when the caller is to run
  // the popup loop: something waits and no loop is running.
  [[nodiscard]] bool Add(const NoteStore& store, uint32_t number);

  // The note whose popup comes next, taken off the queue; 0 when none is
  // left, which ends the loop.
  [[nodiscard]] uint32_t Next(const NoteStore& store);

  // The popup of the note Next gave ended. Snooze: the reminder moves to
  // `now` rounded to the minute plus the interval at `snoozeIndex`. Dismiss:
  // the reminder is off, and the pending count falls only if this cleared
  // it. Both mark the store dirty and release the note for later scans.
  // Quit: nothing changes but that every waiting note is released, so the
  // scan announces it again should the program go on after all; the loop
  // ends. Returns the note whose list item shows a changed reminder mark,
  // 0 for none.
  uint32_t Answer(NoteStore& store, PopupAnswer answer, int snoozeIndex, int32_t now);

  // A popup loop is running (its popup may be showing further up the call
  // stack).
  bool Busy() const { return looping; }
  // The note the open popup is for; 0 when none is open or its note is gone.
  uint32_t Showing() const { return showing; }
  // Notes waiting behind the open popup.
  const std::deque<uint32_t>& Waiting() const { return waiting; }

  // What the document tells the queue, in its own numbering: the notes
  // `numbers` (ascending, as RemoveNotes takes them) were removed; a note was
  // placed in front of `position` (as PlaceNote: 0 counts as 1, past the last
  // appends); note `from` moved in front of note `to` (as MoveNote: numbers
  // before the move, noteCount + 1 is behind the last).
  void NotesRemoved(const std::vector<uint32_t>& numbers) override;
  void NoteInserted(uint32_t position) override;
  void NoteMoved(uint32_t from, uint32_t to) override;

 private:
  bool Holds(uint32_t number) const;
  template <typename Renumber>
  void RenumberAll(Renumber renumber);

  std::deque<uint32_t> waiting;
  uint32_t showing = 0;
  bool looping = false;
};
