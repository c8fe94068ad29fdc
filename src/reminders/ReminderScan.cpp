#include "reminders/ReminderScan.h"

uint32_t ScanReminders(NoteStore& store, int32_t now, IReminderPoster& poster) {
  if (store.header.reminderCount.load() == 0) return 0;
  uint32_t posted = 0;
  const uint32_t count = store.header.noteCount;
  for (uint32_t number = 1; number <= count; ++number) {
    NoteEntry& entry = store.Entry(number);
    if ((entry.flags & (REMINDER_ACTIVE | REMINDER_EDITING | REMINDER_QUEUED)) != REMINDER_ACTIVE) continue;
    if (entry.reminderTime > now) continue;
    if (!poster.PostReminderDue(number)) continue;
    entry.flags |= REMINDER_QUEUED;
    ++posted;
  }
  return posted;
}

bool ShowsReminderIndicator(const NoteStore& store) {
  if (store.header.noteCount == 0 || store.currentNote < 1 ||
      store.currentNote > store.header.noteCount + 1)
    return false;
  return (store.Entry(store.currentNote).flags & REMINDER_ACTIVE) != 0;
}

void ResetReminderRunState(NoteStore& store) {
  uint32_t active = 0;
  for (uint32_t i = 1; i <= store.header.noteCount; ++i) {
    NoteEntry& entry = store.Entry(i);
    entry.flags &= ~(REMINDER_EDITING | REMINDER_QUEUED);
    if (entry.flags & REMINDER_ACTIVE) ++active;
  }
  if (active != store.header.reminderCount) {
    store.header.reminderCount = active;
    store.dirty = true;
  }
}
