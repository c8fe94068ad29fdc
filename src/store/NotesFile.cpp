#include "store/NotesFile.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads until `size` bytes are in or the file ends; `*got` is what came.
Result ReadFully(IFileReader& reader, void* buffer, uint32_t size, uint32_t* got) {
  *got = 0;
  while (*got < size) {
    uint32_t n = 0;
    Result r = reader.Read(static_cast<char*>(buffer) + *got, size - *got, &n);
    if (r != RESULT_OK) return r;
    if (n == 0) break;
    *got += n;
  }
  return RESULT_OK;
}

bool ReadExactly(IFileReader& reader, void* buffer, uint32_t size) {
  uint32_t got = 0;
  return ReadFully(reader, buffer, size, &got) == RESULT_OK && got == size;
}

Result ReadIndex(IFileReader& reader, NoteStore& store, uint32_t width) {
  const uint32_t count = store.header.noteCount;
  if (width == NOTE_ENTRY_SIZE) {
    return ReadExactly(reader, store.entries, count * NOTE_ENTRY_SIZE) ? RESULT_OK
                                                                        : NOTES_FILE_DAMAGED;
  }
  // The older layout holds only the first three fields: no flags, no reminder.
  for (uint32_t i = 0; i < count; ++i) {
    store.entries[i] = NoteEntry{};
    if (!ReadExactly(reader, &store.entries[i], width)) return NOTES_FILE_DAMAGED;
  }
  return RESULT_OK;
}

// Every text must start right after the previous one's terminator and end
// inside the bytes read, so the pool stays packed and no reference leaves it.
// Returns the used pool bytes, or false.
bool CheckPackedTexts(const NoteStore& store, uint32_t poolBytes, uint32_t* used) {
  uint32_t next = 0;
  for (uint32_t i = 0; i < store.header.noteCount; ++i) {
    if (store.entries[i].text != next || next >= poolBytes) return false;
    const void* end = std::memchr(store.pool + next, 0, poolBytes - next);
    if (end == nullptr) return false;
    next = static_cast<uint32_t>(static_cast<const char*>(end) - store.pool) + 1;
  }
  *used = next;
  return true;
}

Result ReadStore(IFileReader& reader, NoteStore& store, uint32_t* used, bool* converted) {
  unsigned char image[NOTES_FILE_HEADER_SIZE];
  if (!ReadExactly(reader, image, sizeof image)) return NOTES_FILE_DAMAGED;
  uint32_t words[NOTES_FILE_HEADER_WORDS];
  std::memcpy(words, image, sizeof words);
  store.header = NotesFileHeader(words[0], words[1], words[2], words[3], words[4]);

  const NotesFileHeader& h = store.header;
  if (h.magic != NOTES_FILE_MAGIC) return NOTES_FILE_DAMAGED;
  if (h.noteCount > MAX_NOTES) return NOTES_FILE_TOO_MANY_NOTES;
  if (h.entrySize != 0 && h.entrySize != LEGACY_NOTE_ENTRY_SIZE && h.entrySize != NOTE_ENTRY_SIZE)
    return NOTES_FILE_DAMAGED;
  *used = 0;
  *converted = false;
  if (h.noteCount == 0) return RESULT_OK;

  const uint32_t width = h.entrySize == 0 ? LEGACY_NOTE_ENTRY_SIZE : h.entrySize;
  if (Result r = ReadIndex(reader, store, width); r != RESULT_OK) return r;
  *converted = width != NOTE_ENTRY_SIZE;

  uint32_t poolBytes = 0;
  Result r = ReadFully(reader, store.pool, POOL_CAPACITY, &poolBytes);
  store.poolHighWater = std::max(store.poolHighWater, poolBytes);
  if (r != RESULT_OK) return NOTES_FILE_DAMAGED;
  // A written pool always leaves room for the new-note slot's empty text.
  if (poolBytes == POOL_CAPACITY) return NOTES_FILE_DAMAGED;
  return CheckPackedTexts(store, poolBytes, used) ? RESULT_OK : NOTES_FILE_DAMAGED;
}

}  // namespace

Result ReadNotesFile(NotesFileContext& ctx, const std::string& path) {
  NoteStore& store = ctx.store;
  // Whatever happens, what is in the store now is not the user's work.
  store.dirty = false;

  uint32_t used = 0;
  bool converted = false;
  {
    std::unique_ptr<IFileReader> reader;
    if (Result r = ctx.files.OpenForReading(path, &reader); r != RESULT_OK) return r;
    if (Result r = ReadStore(*reader, store, &used, &converted); r != RESULT_OK) return r;
  }

  // Stale bytes of earlier reads and the unused entries go, so the new-note
  // slot starts on an empty text at the first free byte.
  if (store.poolHighWater > used) std::memset(store.pool + used, 0, store.poolHighWater - used);
  store.poolHighWater = used;
  const uint32_t count = store.header.noteCount;
  std::memset(store.entries + count, 0, sizeof(NoteEntry) * (MAX_NOTES + 1 - count));
  store.entries[count].text = used;
  if (converted) {
    store.header.reminderCount = 0;
    store.dirty = true;  // rewritten in the current layout at the next save
  }

  Settings& s = ctx.settings;
  if (s.lastViewed > count) s.lastViewed = count;
  store.currentNote = s.lastViewed >= 1 ? s.lastViewed : 1;
  s.flags |= FLAG_FILE_CREATED;
  return RESULT_OK;
}

Result WriteNotesFile(NotesFileContext& ctx) {
  NoteStore& store = ctx.store;
  if (!store.dirty) {
    store.lastSaveTime = ctx.now();
    return RESULT_OK;
  }

  unsigned char header[NOTES_FILE_HEADER_SIZE] = {};
  const NotesFileHeader& h = store.header;
  const uint32_t words[NOTES_FILE_HEADER_WORDS] = {h.magic, h.version, h.noteCount, NOTE_ENTRY_SIZE,
                                                   h.reminderCount.load()};
  std::memcpy(header, words, sizeof words);
  const uint32_t used = store.UsedPoolBytes();
  const FileChunk chunks[] = {
      {header, sizeof header},
      {store.entries, h.noteCount * NOTE_ENTRY_SIZE},
      {store.pool, used},
  };
  if (Result r = ctx.files.ReplaceContents(ctx.settings.curFile, chunks, 3); r != RESULT_OK) return r;

  store.header.entrySize = NOTE_ENTRY_SIZE;
  store.poolHighWater = std::max(store.poolHighWater, used);
  ctx.saveSettings(SETTINGS_FILES);
  store.dirty = false;
  store.lastSaveTime = ctx.now();
  return RESULT_OK;
}
