#include "document/NoteEdits.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

// After the used part went from oldUsed to newUsed: zero what lies past it,
// including stale bytes a reader may have left, and put the slot there.
void FinishPoolChange(NoteStore& store, uint32_t oldUsed, uint32_t newUsed) {
  const uint32_t top = std::max(store.poolHighWater, oldUsed);
  if (top > newUsed) std::memset(store.pool + newUsed, 0, top - newUsed);
  store.poolHighWater = newUsed;
  store.Entry(store.header.noteCount + 1) = NoteEntry{0, 0, newUsed, 0, 0};
  store.dirty = true;
}

uint32_t TextLength(const NoteStore& store, const NoteEntry& entry) {
  return static_cast<uint32_t>(std::strlen(store.Text(entry)));
}

}  // namespace

void DecreaseCount(std::atomic<uint32_t>& count, uint32_t amount) {
  uint32_t seen = count.load();
  while (!count.compare_exchange_weak(seen, seen > amount ? seen - amount : 0)) {
  }
}

bool PoolHasRoomFor(const NoteStore& store, int64_t growth) {
  const int64_t freeBytes = int64_t{POOL_CAPACITY} - store.UsedPoolBytes();
  return growth < freeBytes;
}

bool WriteNoteText(NoteStore& store, uint32_t number, const char* text, uint32_t length) {
  const uint32_t count = store.header.noteCount;
  if (number < 1 || number > count + 1) return false;
  const uint32_t used = store.UsedPoolBytes();
  if (number > count) {
    if (count >= MAX_NOTES || !PoolHasRoomFor(store, int64_t{length} + 1)) return false;
    std::memcpy(store.pool + used, text, length);
    store.pool[used + length] = '\0';
    store.header.noteCount = count + 1;
    store.Entry(number) = NoteEntry{0, 0, used, 0, 0};
    FinishPoolChange(store, used, used + length + 1);
    return true;
  }
  NoteEntry& entry = store.Entry(number);
  const uint32_t oldLength = TextLength(store, entry);
  const int64_t growth = int64_t{length} - oldLength;
  if (!PoolHasRoomFor(store, growth)) return false;
  if (number < count) {
    const uint32_t next = entry.text + oldLength + 1;
    std::memmove(store.pool + next + growth, store.pool + next, used - next);
    for (uint32_t i = number + 1; i <= count; ++i)
      store.Entry(i).text = static_cast<uint32_t>(store.Entry(i).text + growth);
  }
  std::memcpy(store.pool + entry.text, text, length);
  store.pool[entry.text + length] = '\0';
  FinishPoolChange(store, used, static_cast<uint32_t>(used + growth));
  return true;
}

void RemoveNote(NoteStore& store, uint32_t number) {
  const uint32_t count = store.header.noteCount;
  if (number < 1 || number > count) return;
  NoteEntry& entry = store.Entry(number);
  const bool hadReminder = (entry.flags & REMINDER_ACTIVE) != 0;
  const uint32_t used = store.UsedPoolBytes();
  const uint32_t removed = TextLength(store, entry) + 1;
  const uint32_t start = entry.text;
  if (number < count) {
    std::memmove(store.pool + start, store.pool + start + removed, used - start - removed);
    std::memmove(&store.Entry(number), &store.Entry(number + 1),
                 sizeof(NoteEntry) * (count - number));
    for (uint32_t i = number; i < count; ++i) store.Entry(i).text -= removed;
  }
  store.header.noteCount = count - 1;
  FinishPoolChange(store, used, used - removed);
  if (hadReminder) DecreaseCount(store.header.reminderCount);
}

void RemoveNotes(NoteStore& store, const std::vector<uint32_t>& numbers) {
  const uint32_t count = store.header.noteCount;
  if (numbers.empty() || numbers.front() < 1 || numbers.back() > count) return;
  if (std::adjacent_find(numbers.begin(), numbers.end(), std::greater_equal<uint32_t>()) != numbers.end()) return;
  const uint32_t used = store.UsedPoolBytes();
  // Texts lie packed, so a run of notes is one block of the pool.
  const auto textStart = [&](uint32_t number) { return number <= count ? store.Entry(number).text : used; };
  uint32_t out = numbers.front();
  uint32_t outText = store.Entry(out).text;
  uint32_t removedReminders = 0;
  size_t next = 0;
  uint32_t i = numbers.front();
  while (i <= count) {
    if (next < numbers.size() && numbers[next] == i) {
      if (store.Entry(i).flags & REMINDER_ACTIVE) ++removedReminders;
      ++next;
      ++i;
      continue;
    }
    const uint32_t runEnd = next < numbers.size() ? numbers[next] : count + 1;
    const uint32_t from = store.Entry(i).text;
    const uint32_t bytes = textStart(runEnd) - from;
    const uint32_t shift = from - outText;
    std::memmove(store.pool + outText, store.pool + from, bytes);
    std::memmove(&store.Entry(out), &store.Entry(i), sizeof(NoteEntry) * (runEnd - i));
    for (uint32_t m = out; m < out + (runEnd - i); ++m) store.Entry(m).text -= shift;
    out += runEnd - i;
    outText += bytes;
    i = runEnd;
  }
  store.header.noteCount = out - 1;
  // Entries behind the new slot keep nothing of the removed notes.
  if (count + 1 > out) std::memset(&store.Entry(out + 1), 0, sizeof(NoteEntry) * (count + 1 - out));
  FinishPoolChange(store, used, outText);
  if (removedReminders > 0) DecreaseCount(store.header.reminderCount, removedReminders);
}

bool PlaceNote(NoteStore& store, uint32_t position, const char* text, uint32_t length,
               const NoteEntry& fields) {
  const uint32_t count = store.header.noteCount;
  if (count >= MAX_NOTES || !PoolHasRoomFor(store, int64_t{length} + 1)) return false;
  const uint32_t used = store.UsedPoolBytes();
  const uint32_t size = length + 1;
  position = std::max<uint32_t>(position, 1);
  uint32_t at = used;
  if (position > count) {
    position = count + 1;
  } else {
    at = store.Entry(position).text;
    std::memmove(store.pool + at + size, store.pool + at, used - at);
    std::memmove(&store.Entry(position + 1), &store.Entry(position),
                 sizeof(NoteEntry) * (count - position + 1));
    for (uint32_t i = position + 1; i <= count + 1; ++i) store.Entry(i).text += size;
  }
  std::memcpy(store.pool + at, text, length);
  store.pool[at + length] = '\0';
  NoteEntry& entry = store.Entry(position);
  entry = fields;
  entry.text = at;
  store.header.noteCount = count + 1;
  FinishPoolChange(store, used, used + size);
  if (fields.flags & REMINDER_ACTIVE) ++store.header.reminderCount;
  return true;
}
