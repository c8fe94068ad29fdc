#pragma once
#include <cstdint>

// A calendar moment on the user's wall clock.
struct LocalDateTime {
  int year;
  int month;   // 1..12
  int day;     // 1..31
  int hour;
  int minute;
  int second;
};

// Conversions between seconds since 1970 (UTC) and local time. Times are
// 64-bit here so that a sum of a 32-bit moment and an interval cannot wrap
// before it is checked.
class ILocalTime {
 public:
  virtual ~ILocalTime() = default;
  // False when the runtime cannot show the moment.
  virtual bool ToLocal(int64_t time, LocalDateTime& local) = 0;
  // Daylight saving is the runtime's choice. False when the moment cannot be
  // had.
  virtual bool FromLocal(const LocalDateTime& local, int64_t& time) = 0;
};

// The C runtime's localtime and mktime.
class CRuntimeLocalTime : public ILocalTime {
 public:
  bool ToLocal(int64_t time, LocalDateTime& local) override;
  bool FromLocal(const LocalDateTime& local, int64_t& time) override;
};
