#include "store/NoteStore.h"

#include <cstdlib>
#include <cstring>

NoteStore::~NoteStore() {
  std::free(entries);
  std::free(pool);
}

bool NoteStore::Allocate() {
  entries = static_cast<NoteEntry*>(std::calloc(MAX_NOTES + 1, sizeof(NoteEntry)));
  pool = static_cast<char*>(std::calloc(POOL_CAPACITY, 1));
  return entries != nullptr && pool != nullptr;
}

uint32_t NoteStore::UsedPoolBytes() const {
  if (header.noteCount == 0) return 0;
  const NoteEntry& last = Entry(header.noteCount);
  return last.text + static_cast<uint32_t>(std::strlen(Text(last))) + 1;
}

void NoteStore::ResetToEmptyPad() {
  std::memset(pool, 0, poolHighWater);
  poolHighWater = 0;
  std::memset(entries, 0, sizeof(NoteEntry) * (MAX_NOTES + 1));
  header = NotesFileHeader(NOTES_FILE_MAGIC, 1, 0, NOTE_ENTRY_SIZE, 0);
  currentNote = 1;
  dirty = true;
}
