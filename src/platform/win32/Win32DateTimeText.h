#pragma once
#include "platform/DateTimeText.h"

namespace platform {

// Formats with the user's locale settings (GetDateFormatA / GetTimeFormatA).
class Win32DateTimeText : public DateTimeText {
 public:
  std::string ShortDateLongTime(const LocalTime& time) override;
};

}  // namespace platform
