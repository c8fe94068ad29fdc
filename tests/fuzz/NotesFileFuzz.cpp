// Any bytes as a notes file. A rejected file leaves nothing behind that a
// later read would keep; an accepted one keeps every invariant, its texts
// byte for byte, and saves to an image that reads back to the same image.
#include <cstring>
#include <vector>

#include "FakeFileSystem.h"
#include "FuzzSupport.h"
#include "document/NoteEdits.h"
#include "reminders/ReminderScan.h"
#include "shared/NotesFileImage.h"
#include "store/NotesFile.h"

namespace {

using Bytes = FakeFileSystem::Bytes;

const std::string FILE_PATH = "C:\\Pad\\Quillery.dat";
const std::string SAVED_PATH = "C:\\Pad\\Saved.dat";
const std::string KNOWN_PATH = "C:\\Pad\\Known.dat";

// Three notes, one with a pending reminder: what every run starts from.
Bytes KnownImage() {
  Bytes b;
  for (uint32_t v : {NOTES_FILE_MAGIC, 1u, 3u, NOTE_ENTRY_SIZE, 1u}) image::PutU32(b, v);
  b.resize(NOTES_FILE_HEADER_SIZE, 0);
  const uint32_t records[3][5] = {{10, 11, 0, 0, 0},
                                  {20, 21, 6, REMINDER_SET | REMINDER_ACTIVE, 900},
                                  {30, 31, 9, 0, 0}};
  for (const auto& r : records)
    for (uint32_t v : r) image::PutU32(b, v);
  const char pool[] = "first\0ab\0third";
  b.insert(b.end(), pool, pool + sizeof pool);
  return b;
}

struct Run {
  NoteStore& store = FuzzStore(0);
  Settings settings;
  FakeFileSystem files;
  NotesFileContext ctx{store, settings, files, [] { return 5000; }, [](uint32_t) {}};

  Run() {
    files.folders.insert("C:\\Pad");
    files.Put(KNOWN_PATH, KnownImage());
    settings.curFile = SAVED_PATH;
  }

  Result Read(const std::string& path) {
    settings.lastViewed = 3;
    settings.flags = 0;
    return ReadNotesFile(ctx, path);
  }

  Bytes Save() {
    store.dirty = true;
    FUZZ_CHECK(WriteNotesFile(ctx) == RESULT_OK);
    FUZZ_CHECK(!store.dirty);
    return files.files[SAVED_PATH];
  }
};

// A store's header, its notes and new-note slot, and the current note.
struct Snapshot {
  NotesFileHeader header;
  std::vector<NoteEntry> entries;
  uint32_t currentNote;
};

Snapshot Take(const NoteStore& s) {
  return {s.header, std::vector<NoteEntry>(s.entries, s.entries + s.header.noteCount + 1),
          s.currentNote};
}

// The same, and every entry past the slot unused.
bool Same(const NoteStore& s, const Snapshot& a) {
  return std::memcmp(&a.header, &s.header, sizeof a.header) == 0 &&
         a.header.noteCount + 1 == a.entries.size() &&
         std::memcmp(a.entries.data(), s.entries, a.entries.size() * sizeof(NoteEntry)) == 0 &&
         a.currentNote == s.currentNote && 
         AllZero(s.entries + a.entries.size(),
                 (MAX_NOTES + 1 - a.entries.size()) * sizeof(NoteEntry));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Run run;
  NoteStore& store = run.store;
  FUZZ_CHECK(run.Read(KNOWN_PATH) == RESULT_OK);
  static const Snapshot known = Take(store);
  static const std::string knownPool(store.pool, store.UsedPoolBytes());

  run.files.Put(FILE_PATH, Bytes(data, data + size));
  const Result r = run.Read(FILE_PATH);
  const uint32_t touched = std::max<uint32_t>(static_cast<uint32_t>(size), knownPool.size());

  if (r != RESULT_OK) {
    FUZZ_CHECK(r == NOTES_FILE_DAMAGED || r == NOTES_FILE_TOO_MANY_NOTES);
    FUZZ_CHECK(!store.dirty);
    FUZZ_CHECK(run.settings.lastViewed == 3 && run.settings.flags == 0);
    // Whatever the rejected file left is gone after the next good read.
    FUZZ_CHECK(run.Read(KNOWN_PATH) == RESULT_OK);
    FUZZ_CHECK(Same(store, known));
    FUZZ_CHECK(std::memcmp(store.pool, knownPool.data(), knownPool.size()) == 0);
    CheckStoreInvariants(store, touched);
    return 0;
  }

  const uint32_t count = store.header.noteCount;
  const uint32_t width = store.header.entrySize == 0 ? LEGACY_NOTE_ENTRY_SIZE : store.header.entrySize;
  FUZZ_CHECK(store.dirty == (count > 0 && width != NOTE_ENTRY_SIZE));
  FUZZ_CHECK(run.settings.lastViewed <= count && (run.settings.flags & FLAG_FILE_CREATED));
  ResetReminderRunState(store);  // as start-up does
  CheckStoreInvariants(store, touched);

  // The texts are the file's pool bytes, unchanged.
  const uint32_t used = store.UsedPoolBytes();
  const size_t poolStart = count == 0 ? NOTES_FILE_HEADER_SIZE : NOTES_FILE_HEADER_SIZE + size_t{width} * count;
  FUZZ_CHECK(poolStart + used <= size);
  FUZZ_CHECK(std::memcmp(store.pool, data + poolStart, used) == 0);

  const Bytes first = run.Save();
  const Snapshot saved = Take(store);
  FUZZ_CHECK(first.size() == NOTES_FILE_HEADER_SIZE + size_t{NOTE_ENTRY_SIZE} * count + used);
  FUZZ_CHECK(run.Read(SAVED_PATH) == RESULT_OK && !store.dirty);
  FUZZ_CHECK(Same(store, saved));
  CheckStoreInvariants(store, touched);
  FUZZ_CHECK(run.Save() == first);
  return 0;
}
