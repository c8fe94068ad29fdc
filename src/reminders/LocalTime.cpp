#include "reminders/LocalTime.h"

#include <ctime>

bool CRuntimeLocalTime::ToLocal(int64_t time, LocalDateTime& local) {
  const std::time_t t = static_cast<std::time_t>(time);
  if (static_cast<int64_t>(t) != time) return false;
  const std::tm* tm = std::localtime(&t);
  if (tm == nullptr) return false;
  local = LocalDateTime{tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday,
                        tm->tm_hour,        tm->tm_min,     tm->tm_sec};
  return true;
}

bool CRuntimeLocalTime::FromLocal(const LocalDateTime& local, int64_t& time) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  // -1 is also one second before 1970, which no reminder needs.
  if (t == static_cast<std::time_t>(-1)) return false;
  time = static_cast<int64_t>(t);
  return true;
}
