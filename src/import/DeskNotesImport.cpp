#include "import/DeskNotesImport.h"

#include <algorithm>

#include "res/resource.h"
#include "store/NoteStore.h"

bool ConvertDeskNotesText(const std::string& stored, std::string& note) {
  note.clear();
  const size_t end = stored.find('\0');
  const size_t length = end == std::string::npos ? stored.size() : end;
  note.reserve(std::min<size_t>(length * 2, MAX_NOTE_LENGTH + 2));
  for (size_t i = 0; i < length; ++i) {
    const char c = stored[i];
    if (c == '\n' && i > 0 && stored[i - 1] == '\r') continue;  // already ended
    if (c == '\r' || c == '\n') {
      note.push_back('\r');
      note.push_back('\n');
    } else {
      note += c;
    }
    // Checked as it grows, so a huge value costs no more than a note.
    if (note.size() > MAX_NOTE_LENGTH) return false;
  }
  return true;
}

namespace {

// One subkey copied as a note: false when it counts as failed.
bool CopyNote(CNoteDocument& document, IDeskNotesSource& source, const std::string& name, int32_t now,
              uint32_t position) {
  std::string stored;
  std::string text;
  if (!source.Text(name, stored) || !ConvertDeskNotesText(stored, text)) return false;
  NoteEntry entry{};
  if (!source.Time(name, "Created", entry.created)) entry.created = now;
  if (!source.Time(name, "Modified", entry.modified)) entry.modified = now;
  return document.InsertNote(position, text, entry) == RESULT_OK;
}

}  // namespace

bool ImportDeskNotes(CNoteDocument& document, IDeskNotesSource& source, IMessages& messages, int32_t now,
                     ImportCounts& counts) {
  counts = ImportCounts{};
  if (document.CommitCurrentNote() == NOTE_NOT_STORED &&
      ShowMessage(messages, IDS_ASK_DISCARD_NOTE, MessageButtons::YesNoDefaultNo, MessageIcon::Question) !=
          MessageAnswer::Yes) {
    return false;
  }
  if (!source.Open()) {
    ShowMessage(messages, IDS_NO_DESKNOTES, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
  }
  std::string name;
  if (source.SubkeyName(0, name) &&
      ShowMessage(messages, IDS_ASK_IMPORT_DESKNOTES, MessageButtons::YesNo, MessageIcon::Question) ==
          MessageAnswer::Yes) {
    for (uint32_t index = 0; source.SubkeyName(index, name); ++index) {
      if (name == "0") continue;
      // Behind the last note, counted afresh: a failed note added none.
      if (CopyNote(document, source, name, now, UINT32_MAX)) {
        ++counts.added;
      } else {
        ++counts.failed;
      }
    }
  }
  ShowMessage(messages, IDS_IMPORT_DONE, MessageButtons::Ok, MessageIcon::Information,
              {{"<ADDED>", std::to_string(counts.added)}, {"<FAILED>", std::to_string(counts.failed)}});
  return true;
}
