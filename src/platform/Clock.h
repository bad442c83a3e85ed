#pragma once
// Time seam: the local time and blocking waits on the calling thread.
#include <cstdint>

namespace platform {

struct LocalTime {
  int year = 0, month = 0, day = 0;           // month 1..12
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int dayOfWeek = 0;                          // 0 = Sunday
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Milliseconds since some fixed start; wraps like the system's tick count.
  virtual uint32_t Ticks() = 0;
  // Blocks the calling thread; no messages are processed meanwhile.
  virtual void Wait(uint32_t milliseconds) = 0;
};

}  // namespace platform
