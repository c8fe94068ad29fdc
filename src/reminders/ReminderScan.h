#pragma once
#include <cstdint>

#include "store/NoteStore.h"

// Which notes' reminders are due, and the run-time state of reminders.

class IReminderPoster {
 public:
  virtual ~IReminderPoster() = default;
  // Announces that note `number`'s reminder is due; false when the message
  // could not be posted.
  virtual bool PostReminderDue(uint32_t number) = 0;
};

// Posts every note, in note order, whose reminder is pending, neither being
// edited nor already queued, and not later than `now`; a note is marked
// queued only when its post succeeded, so a failed one is tried again at the
// next cycle. Visits no note while no reminder is pending. Runs on the
// user-interface thread, which owns the store. Returns the number posted.
uint32_t ScanReminders(NoteStore& store, int32_t now, IReminderPoster& poster);

// The status bar shows "REMIND" while the current note has a pending reminder.
bool ShowsReminderIndicator(const NoteStore& store);

// Start-up: the editing and queued states belong to the last run; the count
// of active reminders is recounted and fixed (and marked for saving) when the
// file had it wrong.
void ResetReminderRunState(NoteStore& store);
