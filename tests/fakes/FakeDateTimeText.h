#pragma once
// Formats like a US English system: "M/d/yyyy h:mm:ss AM".
#include <cstdio>
#include <string>

#include "platform/DateTimeText.h"

class FakeDateTimeText : public platform::DateTimeText {
 public:
  std::string ShortDateLongTime(const platform::LocalTime& t) override {
    int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d/%d/%04d %d:%02d:%02d %s", t.month, t.day, t.year, hour12, t.minute,
                  t.second, t.hour < 12 ? "AM" : "PM");
    return buf;
  }
};
