// Bytes as DeskNotes keys: names, texts of any bytes and length (now and
// then past a note's limit), times present or not, and the user's answer.
// Each converted text has CR LF line ends only, no zero byte and at most a
// note's length, and matches a plain line-by-line conversion; a text that
// would not fit fails instead of being cut. The import appends exactly
// the added notes, in order, with their times, and counts every other
// subkey but "0" as failed; the store keeps its invariants.
#include <optional>
#include <string>
#include <vector>

#include "FakeDocumentPorts.h"
#include "FuzzSupport.h"
#include "import/DeskNotesImport.h"
#include "shared/FakeDeskNotes.h"

namespace {

// The checker is left out of the coverage tracing: its loops over texts of
// 64 K characters cost more than the import itself, and its branches say
// nothing about the program.
#define UNTRACED __attribute__((no_sanitize("coverage")))

// Line ends made uniform the plain way: each CR LF, lone CR or lone LF
// becomes one CR LF; the text ends at its first zero.
UNTRACED std::string PlainConversion(const std::string& stored) {
  const std::string text = stored.substr(0, stored.find('\0'));
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') {
      out.push_back('\r');
      out.push_back('\n');
    } else {
      out += text[i];
    }
  }
  return out;
}

// The conversion, checked; none when the text does not fit.
UNTRACED std::optional<std::string> CheckConversion(const std::string& stored) {
  std::string note;
  const bool fits = ConvertDeskNotesText(stored, note);
  const std::string plain = PlainConversion(stored);
  FUZZ_CHECK(fits == (plain.size() <= MAX_NOTE_LENGTH));
  if (!fits) return std::nullopt;
  FUZZ_CHECK(note == plain);
  for (size_t i = 0; i < note.size(); ++i) {
    FUZZ_CHECK(note[i] != '\0');
    if (note[i] == '\r') FUZZ_CHECK(i + 1 < note.size() && note[i + 1] == '\n');
    if (note[i] == '\n') FUZZ_CHECK(i > 0 && note[i - 1] == '\r');
  }
  return note;
}

std::string StoredText(FuzzInput& in) {
  const uint8_t length = in.Byte();
  if (length == 255) {
    // Long: line ends only, or plain letters, around the note's limit.
    const size_t size = MAX_NOTE_LENGTH / 2 - 2 + in.Byte() % 5;
    return in.Byte() % 2 ? std::string(size, '\r') : std::string(size * 2, 'x');
  }
  return in.Bytes(length % 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  NoteStore& store = FuzzStore(0);
  store.ResetToEmptyPad();
  store.dirty = false;
  Settings settings;
  FakeNoteEditor editor;
  FakeNoteList list{store};
  FakeDocumentFrame frame{settings};
  FakeMessages messages;
  FakeClock clock;
  CNoteDocument doc{store, settings, editor, list, frame, messages, clock};
  frame.document = &doc;
  doc.ShowCurrentNote();
  if (in.Byte() % 2) {
    const Result r = doc.InsertNote(1, "already here", NoteEntry{1, 2, 0, 0, 0});
    FUZZ_CHECK(r == RESULT_OK);
  }

  FakeDeskNotes source;
  source.exists = in.Byte() % 8 != 0;
  const uint32_t count = in.Byte() % 9;
  uint32_t expected = 0;
  std::vector<std::optional<std::string>> converted;
  for (uint32_t i = 0; i < count; ++i) {
    FakeDeskNotes::Note note;
    const uint8_t shape = in.Byte();
    note.name = shape % 7 == 0 ? "0" : std::to_string(i + 1);
    if (note.name == "0" && i > 0) note.name = "0-" + std::to_string(i);  // one "0" at most
    if (shape & 0x10) note.text = StoredText(in);
    if (shape & 0x20) note.created = static_cast<int32_t>(in.Word());
    if (shape & 0x40) note.modified = static_cast<int32_t>(in.Word());
    if (note.name != "0") ++expected;
    converted.push_back(note.text ? CheckConversion(*note.text) : std::nullopt);
    source.notes.push_back(std::move(note));
  }
  const bool yes = in.Byte() % 4 != 0;
  messages.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};

  const uint32_t before = store.header.noteCount;
  ImportCounts counts;
  const bool ran = ImportDeskNotes(doc, source, messages, clock.now, counts);
  FUZZ_CHECK(ran == source.exists);
  const bool copied = ran && yes && count > 0;
  FUZZ_CHECK(counts.added + counts.failed == (copied ? expected : 0));
  FUZZ_CHECK(store.header.noteCount == before + counts.added);
  uint32_t at = before + 1;
  for (size_t i = 0; i < source.notes.size(); ++i) {
    const FakeDeskNotes::Note& note = source.notes[i];
    if (!copied || note.name == "0" || !converted[i] || converted[i]->empty()) continue;
    FUZZ_CHECK(at <= store.header.noteCount);
    const NoteEntry& entry = store.Entry(at++);
    FUZZ_CHECK(*converted[i] == store.Text(entry));
    FUZZ_CHECK(entry.created == (note.created && *note.created != 0 ? *note.created : clock.now));
    FUZZ_CHECK(entry.modified == (note.modified && *note.modified != 0 ? *note.modified : clock.now));
    FUZZ_CHECK(entry.flags == 0 && entry.reminderTime == 0);
  }
  FUZZ_CHECK(at == store.header.noteCount + 1);
  FUZZ_CHECK(!source.askedForUnlisted);
  CheckStoreInvariants(store, store.UsedPoolBytes());
  return 0;
}
