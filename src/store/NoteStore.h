#pragma once
#include <atomic>
#include <cstdint>

// The one in-memory image of the notes file: a 20-byte header, a fixed index
// and a fixed text pool in which all texts lie packed in note order, each
// ended by a zero byte. Everything is allocated once and never reallocated.

// Room for years of short notes: the index costs 20 bytes a note, and the pool
// takes average notes of 3 KB at full index. The pool is committed by the
// system page by page as it is used, so an unused capacity costs nothing.
constexpr uint32_t MAX_NOTES = 16384;
constexpr uint32_t POOL_CAPACITY = 32u * 1024 * 1024;
constexpr uint32_t MAX_NOTE_LENGTH = 65535;

constexpr uint32_t NOTES_FILE_MAGIC = 0x00004C51;  // 'Q', 'L', 0, 0
constexpr uint32_t NOTES_FILE_HEADER_SIZE = 256;
constexpr uint32_t NOTE_ENTRY_SIZE = 20;
constexpr uint32_t LEGACY_NOTE_ENTRY_SIZE = 12;

constexpr uint32_t REMINDER_SET = 0x1;
constexpr uint32_t REMINDER_ACTIVE = 0x2;
constexpr uint32_t REMINDER_EDITING = 0x4;
constexpr uint32_t REMINDER_QUEUED = 0x8;

// The file's header: five little-endian 32-bit words, in this order.
struct NotesFileHeader {
  uint32_t magic = 0;
  uint32_t version = 0;
  uint32_t noteCount = 0;
  uint32_t entrySize = 0;
  // The background worker reads it while the window's thread changes it.
  std::atomic<uint32_t> reminderCount{0};

  NotesFileHeader() = default;
  NotesFileHeader(uint32_t m, uint32_t v, uint32_t n, uint32_t e, uint32_t r)
      : magic(m), version(v), noteCount(n), entrySize(e), reminderCount(r) {}
  NotesFileHeader(const NotesFileHeader& o)
      : NotesFileHeader(o.magic, o.version, o.noteCount, o.entrySize, o.reminderCount.load()) {}
  NotesFileHeader& operator=(const NotesFileHeader& o) {
    magic = o.magic;
    version = o.version;
    noteCount = o.noteCount;
    entrySize = o.entrySize;
    reminderCount = o.reminderCount.load();
    return *this;
  }
};
constexpr uint32_t NOTES_FILE_HEADER_WORDS = 5;

// `text` is the note's offset into the pool both in memory and in the file,
// so the index is read and written as it stands, on 32 and 64-bit builds.
struct NoteEntry {
  int32_t created;
  int32_t modified;
  uint32_t text;
  uint32_t flags;
  int32_t reminderTime;
};
static_assert(sizeof(NoteEntry) == 20, "index record is 20 bytes");

class NoteStore {
 public:
  NoteStore() = default;
  ~NoteStore();
  NoteStore(const NoteStore&) = delete;
  NoteStore& operator=(const NoteStore&) = delete;

  // Obtains the zeroed index and pool; false when memory cannot be had.
  [[nodiscard]] bool Allocate();

  // 1-based; number noteCount + 1 is the new-note slot, which has an entry
  // too (the index holds MAX_NOTES + 1 entries for it).
  NoteEntry& Entry(uint32_t number) { return entries[number - 1]; }
  const NoteEntry& Entry(uint32_t number) const { return entries[number - 1]; }
  NoteEntry& CurrentEntry() { return Entry(currentNote); }
  const char* Text(const NoteEntry& entry) const { return pool + entry.text; }
  char* Text(const NoteEntry& entry) { return pool + entry.text; }

  // Bytes of the pool in use: up to and including the last note's terminator.
  uint32_t UsedPoolBytes() const;

  // An empty pad: magic, version 1, no notes, current note 1 on an empty
  // text, dirty. The pool bytes that earlier contents used are cleared.
  void ResetToEmptyPad();

  // Bytes of the pool that may be non-zero: everything past this is zero.
  // Readers and writers of the pool keep it up to date so that clearing
  // stale bytes never has to sweep the whole pool.
  uint32_t poolHighWater = 0;

  NotesFileHeader header{};
  NoteEntry* entries = nullptr;
  char* pool = nullptr;
  uint32_t currentNote = 1;
  bool dirty = false;
  // Read by the background worker.
  std::atomic<int32_t> lastSaveTime{0};
};
