#include "reminders/Intervals.h"

const ReminderInterval INTERVALS[INTERVAL_COUNT] = {
    {"5 Minutes", 300},    {"10 Minutes", 600},  {"15 Minutes", 900},  {"30 Minutes", 1800},
    {"45 Minutes", 2700},  {"1 Hour", 3600},     {"2 Hours", 7200},    {"3 Hours", 10800},
    {"4 Hours", 14400},    {"8 Hours", 28800},   {"1 Day", 86400},     {"2 Days", 172800},
    {"3 Days", 259200},    {"4 Days", 345600},   {"1 Week", 604800},   {"2 Weeks", 1209600},
    {"3 Weeks", 1814400},  {"4 Weeks", 2419200},
};

int IntervalIndex(uint32_t seconds) {
  for (int i = 0; i < INTERVAL_COUNT; ++i)
    if (INTERVALS[i].seconds >= seconds) return i;
  return INTERVAL_COUNT - 1;
}

uint32_t IntervalSeconds(int index) {
  if (index < 0) index = 0;
  if (index >= INTERVAL_COUNT) index = INTERVAL_COUNT - 1;
  return INTERVALS[index].seconds;
}

bool FixedTimeBase(ILocalTime& localTime, int64_t& base) {
  return localTime.FromLocal(LocalDateTime{2000, 1, 1, 0, 0, 0}, base);
}

bool FixedTimeToPicker(ILocalTime& localTime, uint32_t fixedTime, int64_t& picker) {
  int64_t base = 0;
  if (!FixedTimeBase(localTime, base)) return false;
  picker = base + fixedTime;
  return true;
}

bool FixedTimeFromPicker(ILocalTime& localTime, int64_t picker, uint32_t& fixedTime) {
  LocalDateTime local{};
  if (!localTime.ToLocal(picker, local)) return false;
  // Read as a time of day on the base date, so a daylight-saving date the
  // picker may carry does not shift it by an hour.
  fixedTime = static_cast<uint32_t>(local.hour * 3600 + local.minute * 60 + local.second);
  return true;
}
