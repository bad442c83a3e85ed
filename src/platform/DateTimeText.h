#pragma once
// Date-time values as text in the user's regional format.
#include <string>

#include "platform/Clock.h"

namespace platform {

class DateTimeText {
 public:
  virtual ~DateTimeText() = default;
  // The date in the short date format, a space, and the time in the long time format,
  // as the system formats them for the user ("11/21/2005 2:05:33 PM" in US English).
  virtual std::string ShortDateLongTime(const LocalTime& time) = 0;
};

}  // namespace platform
