// Bytes as a sequence of note commands on a small pad, in both views, with
// the user's answers to the questions taken from the bytes too. After every
// step the store keeps its invariants; a step that does not delete loses no
// note, and what the note view shows unchanged is what is stored.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FakeDocumentPorts.h"
#include "FakeFileSystem.h"
#include "FuzzSupport.h"
#include "document/NoteEdits.h"
#include "store/NotesFile.h"

namespace {

enum Op : uint8_t {
  TYPE, COMMIT, NEW_NOTE, DELETE_NOTE, SWITCH_VIEW, SELECT, MOVE, GO_TO, NEXT, PREVIOUS,
  FIRST, LAST, INSERT, PROPERTIES, ENABLING, ANSWER, SAVE_AND_READ, OP_COUNT
};

// Texts as the edit control could hold them: no zero bytes; now and then
// longer than a note may be. Long texts stop a little past the limit:
// longer ones add nothing but page faults, which halved the runs per second.
std::string TypedText(FuzzInput& in) {
  const uint8_t length = in.Byte();
  if (length == 255) return std::string((size_t{in.Byte()} % 136 + 1) * 512, 'L');
  std::string text = in.Bytes(length % 24);
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

// What the store keeps of a typed text.
std::string_view Stored(const std::string& typed) {
  return std::string_view(typed).substr(0, std::min<size_t>(typed.find('\0'), MAX_NOTE_LENGTH));
}

// The notes as an unordered collection, by hash: texts may be long, and
// copying them at every step would slow the search down.
using TextSet = std::vector<size_t>;

TextSet Sorted(TextSet set) {
  std::sort(set.begin(), set.end());
  return set;
}

TextSet NoteTexts(const NoteStore& store) {
  TextSet set;
  for (uint32_t i = 1; i <= store.header.noteCount; ++i)
    set.push_back(std::hash<std::string_view>()(store.Text(store.Entry(i))));
  return Sorted(std::move(set));
}

// The notes a commit of the editor may leave: its text in place of the
// current note's, as a new note, or the emptied note gone.
TextSet AfterCommit(const NoteStore& store, TextSet set, const std::string& typed) {
  if (store.currentNote <= store.header.noteCount) {
    const size_t current = std::hash<std::string_view>()(store.Text(store.Entry(store.currentNote)));
    set.erase(std::lower_bound(set.begin(), set.end(), current));
  }
  if (!Stored(typed).empty()) {
    const size_t text = std::hash<std::string_view>()(Stored(typed));
    set.insert(std::lower_bound(set.begin(), set.end(), text), text);
  }
  return set;
}

struct Session {
  NoteStore& store = FuzzStore(0);
  Settings settings;
  FakeNoteEditor editor;
  FakeNoteList list{store};
  FakeDocumentFrame frame{settings};
  FakeMessages messages;
  FakeClock clock;
  CNoteDocument doc{store, settings, editor, list, frame, messages, clock};
  uint32_t touched = 0;
  std::optional<TextSet> known;  // the notes after the last step, unless it could delete

  Session() {
    frame.document = &doc;
    store.ResetToEmptyPad();
    store.dirty = false;
    doc.ShowCurrentNote();
  }

  uint32_t Count() const { return store.header.noteCount; }

  void SwitchView() {
    if (settings.noteMode == 0) {
      frame.ShowNoteView();
      return;
    }
    if (!doc.LeaveCurrentNote()) return;
    settings.noteMode = 0;
    list.FillList();
    doc.ShowCurrentNote();
  }

  void Select(FuzzInput& in) {
    if (settings.noteMode != 0 || Count() == 0) return;
    list.selected.assign(Count(), false);
    const uint32_t first = in.Byte() % Count();
    const uint8_t mask = in.Byte();
    for (uint32_t bit = 0; bit < 8 && first + bit < Count(); ++bit)
      list.selected[first + bit] = (mask >> bit) & 1;
  }

  // As an import does: leave the note, insert, bring the views up to date.
  void Insert(FuzzInput& in) {
    if (!doc.LeaveCurrentNote()) return;
    const uint32_t position = in.Byte() % (Count() + 3);
    NoteEntry fields{static_cast<int32_t>(in.Word()), 0, 0, in.Byte() & 0xFu, 0};
    fields.reminderTime = static_cast<int32_t>(in.Word());
    const Result r = doc.InsertNote(position, TypedText(in), fields);
    FUZZ_CHECK(r == RESULT_OK || r == NOTE_EMPTY || r == NOTE_NOT_STORED);
    if (settings.noteMode == 0) list.FillList();
    doc.ShowCurrentNote();
  }

  // A save and a fresh read give the same notes.
  void SaveAndRead() {
    FakeFileSystem files;
    files.folders.insert("C:\\Pad");
    settings.curFile = "C:\\Pad\\Quillery.dat";
    NotesFileContext ctx{store, settings, files, [] { return 7; }, [](uint32_t) {}};
    const bool wasDirty = store.dirty;
    store.dirty = true;
    FUZZ_CHECK(WriteNotesFile(ctx) == RESULT_OK);
    store.dirty = wasDirty;
    NoteStore& copy = FuzzStore(1);
    Settings copySettings = settings;
    NotesFileContext readCtx{copy, copySettings, files, [] { return 7; }, [](uint32_t) {}};
    FUZZ_CHECK(ReadNotesFile(readCtx, settings.curFile) == RESULT_OK);
    FUZZ_CHECK(copy.header.noteCount == Count());
    const uint32_t used = store.UsedPoolBytes();
    FUZZ_CHECK(std::memcmp(copy.pool, store.pool, used) == 0);
    FUZZ_CHECK(std::memcmp(copy.entries, store.entries, sizeof(NoteEntry) * Count()) == 0);
  }

  void Step(FuzzInput& in) {
    const uint8_t op = in.Byte() % OP_COUNT;
    const bool pending = settings.noteMode != 0 && editor.TextChanged();
    const TextSet before = known ? std::move(*known) : NoteTexts(store);
    const TextSet committed = pending ? AfterCommit(store, before, editor.text) : before;
    bool mayDelete = false;

    switch (op) {
      case TYPE:
        if (settings.noteMode != 0) editor.Type(TypedText(in));
        break;
      case COMMIT: {
        const Result r = doc.CommitCurrentNote();
        FUZZ_CHECK(r == RESULT_OK || r == NOTE_EMPTY || r == NOTE_NOT_STORED);
        break;
      }
      case NEW_NOTE: doc.OnNewNote(); break;
      case DELETE_NOTE:
        mayDelete = true;
        doc.OnDeleteNote();
        break;
      case SWITCH_VIEW: SwitchView(); break;
      case SELECT: Select(in); break;
      case MOVE:
        if (doc.LeaveCurrentNote()) doc.MoveCurrentNoteAfter(in.Byte() % (Count() + 2));
        break;
      case GO_TO: doc.GoToNote(in.Byte() % (Count() + 3)); break;
      case NEXT: doc.OnNextNote(); break;
      case PREVIOUS: doc.OnPreviousNote(); break;
      case FIRST: doc.OnFirstNote(); break;
      case LAST: doc.OnLastNote(); break;
      case INSERT:
        mayDelete = true;  // not a loss, but the notes change
        Insert(in);
        break;
      case PROPERTIES: {
        NotePropertiesTexts texts;
        static_cast<void>(doc.PrepareNoteProperties(texts));
        break;
      }
      case ENABLING:
        for (int c = 0; c <= static_cast<int>(DocumentCommand::LastNote); ++c)
          static_cast<void>(doc.IsCommandEnabled(static_cast<DocumentCommand>(c)));
        break;
      case ANSWER:
        messages.answers.push_back(in.Byte() & 1 ? MessageAnswer::Yes : MessageAnswer::No);
        break;
      case SAVE_AND_READ: SaveAndRead(); break;
    }

    touched = std::max(touched, store.UsedPoolBytes());
    CheckStoreInvariants(store, touched);
    known.reset();
    if (!mayDelete) {
      known = NoteTexts(store);
      FUZZ_CHECK(*known == before || *known == committed);
      if (*known != before) FUZZ_CHECK(store.dirty);
    }
    if (settings.noteMode != 0 && !editor.TextChanged() && store.currentNote <= Count())
      FUZZ_CHECK(Stored(editor.text) == store.Text(store.CurrentEntry()));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Session session;
  while (in.More()) session.Step(in);
  return 0;
}
