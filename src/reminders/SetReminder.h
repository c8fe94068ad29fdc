#pragma once
#include <cstdint>

#include "reminders/LocalTime.h"
#include "settings/Settings.h"
#include "store/NoteStore.h"

// The set-reminder dialog's logic: what its pickers start with, which
// moments they may offer, how their values combine and what a confirmed
// choice does to the note. The dialog itself only shows and reads values.

// What the dialog opens with. The date picker shows the calendar date of
// `pickedDate`, the time picker the time of day of `pickedTime`.
struct ReminderDialogStart {
  int64_t pickedDate = 0;
  int64_t pickedTime = 0;
  bool enabled = true;  // the box always opens ticked
};

// The moments a reminder can have: what the 32-bit reminderTime holds.
constexpr int64_t REMINDER_TIME_FIRST = 0;
constexpr int64_t REMINDER_TIME_LAST = INT32_MAX;

// The date picker's range: the local days that lie wholly inside the
// moments above, so that any time of day on them can be stored.
struct ReminderDateRange {
  LocalDateTime first;  // the first day, at 00:00:00
  LocalDateTime last;   // the last day, at 23:59:59
};
[[nodiscard]] bool ReminderDatePickerRange(ILocalTime& localTime, ReminderDateRange& range);

// Opens the Reminders command on the current note: marks it as being edited
// (the scan leaves it alone meanwhile) and gives the dialog's start. False,
// and nothing marked, when the current note is not a stored note.
[[nodiscard]] bool BeginSetReminder(NoteStore& store, const Settings& settings, int32_t now,
                                    ILocalTime& localTime, ReminderDialogStart& start);

enum class ReminderCheck {
  Ok,
  InPast,      // ticked and earlier than now: message 918
  OutOfRange,  // cannot be stored; the date picker's range keeps the user from it
};

// The dialog's check of its values (on OK and on a click of the box): the
// calendar date of `pickedDate` with the time of day of `pickedTime`.
// `chosenTime` is set only with Ok.
[[nodiscard]] ReminderCheck ComposeReminderTime(ILocalTime& localTime, int64_t pickedDate,
                                                int64_t pickedTime, bool enabled, int32_t now,
                                                int32_t& chosenTime);

// The dialog ended with OK: the note's reminder becomes the choice and the
// count of pending reminders follows. True when the reminder changed (the
// store is then dirty and the note's list item wants redrawing). The count
// follows the note's flags as they are now, not as they were when the
// dialog opened, so a popup answered meanwhile cannot make it drift.
bool ApplyReminderChoice(NoteStore& store, uint32_t number, bool enabled, int32_t chosenTime);

// The dialog closed, by OK or Cancel.
void EndSetReminder(NoteStore& store, uint32_t number);
