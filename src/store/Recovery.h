#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Messages.h"
#include "store/NotesFile.h"

// Opening the notes file at start-up, with its dialogue when the file is
// missing, locked or damaged; the start-up backup; the two saves; and the one
// way notes-file errors are shown.
struct RecoveryContext : NotesFileContext {
  IMessages& messages;
  // Set when the opened file is good enough to be copied over the backup.
  bool backupPending = false;
  // Files read and refused while opening; an ending that would replace one
  // first renames it aside, so nothing the user had is destroyed.
  std::vector<std::string> rejectedFiles{};
};

// Shows string `messageId` about `path` with an exclamation icon and OK. For
// a system code the number and the system's description are added.
void ReportFileError(IMessages& messages, Result code, uint32_t messageId,
                     const std::string& path);

// Fills the store from the notes file, a backup or a new empty pad, asking
// the user where needed. A new pad is made without asking only when no notes
// file and no backup exist. False when start-up must end; the store is then
// never dirty, so nothing is written back at exit. A changed "Flags" is
// saved at once.
[[nodiscard]] bool OpenNotesFile(RecoveryContext& ctx);

// Copies the notes file over the backup when backups are on. False after a
// failed copy, which has been reported; the notes stay usable.
[[nodiscard]] bool BackupNotesFile(RecoveryContext& ctx);

// Writes the notes when changed. `commitEditor`, when set, first moves the
// editor's text into the store; if it could not be stored nothing is written
// (NOTE_NOT_STORED). A failed write has been reported; its code is returned.
Result SaveAllNotes(RecoveryContext& ctx, const std::function<Result()>& commitEditor);

// The save at exit and at the end of the session: the notes, then the
// appearance settings whatever became of the notes.
void FinalSave(RecoveryContext& ctx);
