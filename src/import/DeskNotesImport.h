#pragma once
#include <cstdint>
#include <string>

#include "base/Messages.h"
#include "document/NoteDocument.h"

// Import from DeskNotes: every note that program keeps in the registry,
// appended in registry order behind the last note. The other program's
// keys are only read.

// The registry as the import reads it; the Win32 side opens the keys for
// reading only.
class IDeskNotesSource {
 public:
  virtual ~IDeskNotesSource() = default;
  // False when the DeskNotes key is missing or cannot be read.
  [[nodiscard]] virtual bool Open() = 0;
  // The name of subkey `index`; false at the end of the list and on any error.
  [[nodiscard]] virtual bool SubkeyName(uint32_t index, std::string& name) = 0;
  // The whole "Text" of subkey `name`, as stored; false when it is missing,
  // unreadable or not a string.
  [[nodiscard]] virtual bool Text(const std::string& name, std::string& text) = 0;
  // A 4-byte value ("Created", "Modified"); false when missing or unreadable.
  [[nodiscard]] virtual bool Time(const std::string& name, const char* value, int32_t& time) = 0;
};

// A DeskNotes text as a note: it ends at its first zero byte, and every
// line ends in a carriage return and line feed (DeskNotes ends lines with a
// carriage return alone; a lone line feed, or one that already follows a
// carriage return, counts as the same line end). False, with `note`
// unspecified, when the result would be longer than a note may be.
[[nodiscard]] bool ConvertDeskNotesText(const std::string& stored, std::string& note);

struct ImportCounts {
  uint32_t added = 0;
  uint32_t failed = 0;
};

// The Import command up to its report: commits the note being edited
// (920 when it cannot be stored), then 921 when there is no DeskNotes key,
// or 331 and the copy, then 332 with the counts. True when the views must
// be brought up to date (the key could be read).
[[nodiscard]] bool ImportDeskNotes(CNoteDocument& document, IDeskNotesSource& source, IMessages& messages,
                                   int32_t now, ImportCounts& counts);
