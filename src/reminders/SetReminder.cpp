#include "reminders/SetReminder.h"

#include <algorithm>

#include "document/NoteEdits.h"
#include "reminders/Intervals.h"

namespace {

// The first moment of the local day `local` lies on: false when there is none.
bool StartOfDay(ILocalTime& localTime, LocalDateTime local, int64_t& time) {
  local.hour = local.minute = local.second = 0;
  return localTime.FromLocal(local, time);
}

}  // namespace

bool ReminderDatePickerRange(ILocalTime& localTime, ReminderDateRange& range) {
  LocalDateTime first{};
  LocalDateTime last{};
  int64_t start = 0;
  if (!localTime.ToLocal(REMINDER_TIME_FIRST, first)) return false;
  // The day that moment falls on began earlier, unless the zone is UTC: take
  // the next day. Some runtimes cannot even make times before 1970.
  if (!StartOfDay(localTime, first, start) || start < REMINDER_TIME_FIRST) {
    if (!localTime.ToLocal(REMINDER_TIME_FIRST + 86400, first)) return false;
  }
  // The last day ends at most at REMINDER_TIME_LAST: take the day before the
  // one on which that moment falls, unless it is that day's last second.
  if (!localTime.ToLocal(REMINDER_TIME_LAST, last)) return false;
  if (last.hour != 23 || last.minute != 59 || last.second != 59) {
    if (!StartOfDay(localTime, last, start) || !localTime.ToLocal(start - 3600, last)) return false;
  }
  range.first = LocalDateTime{first.year, first.month, first.day, 0, 0, 0};
  range.last = LocalDateTime{last.year, last.month, last.day, 23, 59, 59};
  return true;
}

bool BeginSetReminder(NoteStore& store, const Settings& settings, int32_t now,
                      ILocalTime& localTime, ReminderDialogStart& start) {
  const uint32_t number = store.currentNote;
  if (number < 1 || number > store.header.noteCount) return false;
  NoteEntry& entry = store.Entry(number);
  const int64_t nowMinute = int64_t{now} / 60 * 60;
  start = ReminderDialogStart{};
  if ((entry.flags & REMINDER_ACTIVE) ||
      ((entry.flags & REMINDER_SET) && entry.reminderTime > nowMinute)) {
    start.pickedDate = start.pickedTime = entry.reminderTime;
  } else {
    // A "Remind Time" beyond the storable moments offers the last of them;
    // the user can only move back from there.
    start.pickedDate = std::min(nowMinute + settings.remindTime, REMINDER_TIME_LAST);
    start.pickedTime = start.pickedDate;
    if (settings.useFixedTime != 0 &&
        !FixedTimeToPicker(localTime, settings.fixedTime, start.pickedTime)) {
      start.pickedTime = start.pickedDate;
    }
  }
  entry.flags |= REMINDER_EDITING;
  return true;
}

ReminderCheck ComposeReminderTime(ILocalTime& localTime, int64_t pickedDate, int64_t pickedTime,
                                  bool enabled, int32_t now, int32_t& chosenTime) {
  LocalDateTime date{};
  LocalDateTime time{};
  int64_t chosen = 0;
  if (!localTime.ToLocal(pickedDate, date) || !localTime.ToLocal(pickedTime, time))
    return ReminderCheck::OutOfRange;
  const LocalDateTime combined{date.year, date.month, date.day, time.hour, time.minute, time.second};
  if (!localTime.FromLocal(combined, chosen)) return ReminderCheck::OutOfRange;
  if (chosen < REMINDER_TIME_FIRST || chosen > REMINDER_TIME_LAST) return ReminderCheck::OutOfRange;
  if (enabled && chosen < now) return ReminderCheck::InPast;
  chosenTime = static_cast<int32_t>(chosen);
  return ReminderCheck::Ok;
}

bool ApplyReminderChoice(NoteStore& store, uint32_t number, bool enabled, int32_t chosenTime) {
  if (number < 1 || number > store.header.noteCount) return false;
  NoteEntry& entry = store.Entry(number);
  const bool wasActive = (entry.flags & REMINDER_ACTIVE) != 0;
  const bool changed = chosenTime != entry.reminderTime || enabled != wasActive;
  if (enabled) {
    entry.flags |= REMINDER_SET | REMINDER_ACTIVE;
    if (!wasActive) ++store.header.reminderCount;
  } else {
    entry.flags &= ~REMINDER_ACTIVE;
    if (wasActive) DecreaseCount(store.header.reminderCount);
  }
  entry.reminderTime = chosenTime;
  if (changed) store.dirty = true;
  return changed;
}

void EndSetReminder(NoteStore& store, uint32_t number) {
  if (number >= 1 && number <= store.header.noteCount) store.Entry(number).flags &= ~REMINDER_EDITING;
}
