#pragma once
#include <cstdint>
#include <string>

#include "find/CaseFold.h"
#include "store/NoteStore.h"
#include "store/ResultCodes.h"

// Find: the search over all notes' texts, forwards or backwards, wrapping
// round the pad and stopping where it began, and the Find Next command.

enum FindDirectionChoice : int {
  FIND_FORWARD = 0,
  FIND_BACKWARD = 1,
  FIND_FROM_FIRST = 2,
  FIND_FROM_LAST = 3,
};

// What the dialog hands over when its Find button is pressed.
struct FindRequest {
  std::string text;
  bool wholeWords = false;
  bool ignoreCase = false;
  bool onePerNote = false;
  int direction = FIND_FORWARD;
};

// The last search, which Find Next repeats.
struct FindState {
  std::string findText;
  bool findWholeWords = false;
  bool findIgnoreCase = false;
  bool findOnePerNote = false;
  int findDirection = FIND_FORWARD;
  bool findBackward = false;
  uint32_t lastFoundNote = 0;
  uint32_t lastFoundPos = 0;
};

// Where the user is when a search starts.
struct FindPlace {
  uint32_t currentNote = 1;     // noteCount + 1: the new-note slot
  uint32_t selectionStart = 0;  // in the note view
  bool listView = false;
};

struct FindMatch {
  bool found = false;
  uint32_t note = 0;
  uint32_t offset = 0;
  uint32_t length = 0;
};

// Where the next match lies, without showing anything. A dialog's request
// (null for Find Next) becomes the state first. The search reads only the
// notes' texts, whatever the place says.
FindMatch LocateMatch(const NoteStore& store, FindState& state, const FindRequest* request,
                      const FindPlace& place, const CaseFold& fold);

// What a search needs from the windows.
class IFindWindows {
 public:
  virtual ~IFindWindows() = default;
  // Stores the text being edited, as the document's commit does.
  virtual Result CommitCurrentNote() = 0;
  virtual bool InListView() = 0;
  virtual uint32_t SelectionStart() = 0;
  // Makes note `note` current and shown (the document's GoToNote), then
  // selects the bytes in the note view.
  virtual void ShowMatch(uint32_t note, uint32_t offset, uint32_t length) = 0;
  // 911 with the text as typed.
  virtual void ShowNotFound(const std::string& text) = 0;
  virtual void Beep() = 0;
};

class CNoteFinder {
 public:
  CNoteFinder(const NoteStore& store, IFindWindows& windows, const CaseFold& fold);
  CNoteFinder(const CNoteFinder&) = delete;
  CNoteFinder& operator=(const CNoteFinder&) = delete;

  // The Find command before its dialog: commits the note being edited;
  // false when there is no dialog to show.
  [[nodiscard]] bool BeginFind();
  // The dialog's Find button: true when a match was shown, so the dialog
  // may close.
  [[nodiscard]] bool SearchNotes(const FindRequest& request);
  // Find Next: commits first, so that the search starts inside the stored
  // text; beeps when nothing else matches.
  void FindNext();
  const FindState& State() const { return state; }

 private:
  // Commits; false when the text could not be stored. An empty new-note
  // slot is given up by the commit, yet the search still starts there.
  bool Commit();
  FindPlace Place() const;

  const NoteStore& store;
  IFindWindows& windows;
  const CaseFold& fold;
  FindState state;
  bool fromSlot = false;
};
