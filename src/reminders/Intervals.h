#pragma once
#include <cstdint>

#include "reminders/LocalTime.h"

// The durations behind every interval list (the reminder popup's snooze
// list, the preferences page and the setup wizard), in the order of the
// lists' items.

struct ReminderInterval {
  const char* name;  // as the lists show it
  uint32_t seconds;
};

constexpr int INTERVAL_COUNT = 18;
extern const ReminderInterval INTERVALS[INTERVAL_COUNT];

// The list index for an interval setting: the first entry at least as long,
// the last entry for a setting longer than all.
int IntervalIndex(uint32_t seconds);
// The seconds of list index `index`; an index outside the list counts as
// the nearest end, so a list with nothing selected cannot reach past it.
uint32_t IntervalSeconds(int index);

// FIXED_TIME_BASE: local midnight at the start of 1 January 2000. A time
// picker that shows the "Fixed Time" of day is given this plus the setting.
// False when the runtime cannot make the moment.
[[nodiscard]] bool FixedTimeBase(ILocalTime& localTime, int64_t& base);
// What the picker shows for a "Fixed Time" setting.
[[nodiscard]] bool FixedTimeToPicker(ILocalTime& localTime, uint32_t fixedTime, int64_t& picker);
// The setting back from a picker that shows 1 January 2000; a value off that
// day (a picker handed another date) keeps only its time of day.
[[nodiscard]] bool FixedTimeFromPicker(ILocalTime& localTime, int64_t picker, uint32_t& fixedTime);
