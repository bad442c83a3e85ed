#include "bench/history/RunFacts.h"

#include <cctype>
#include <cstdio>

#include "platform/Text.h"

namespace bench::history {

std::string IsoLocalTime(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::string FrameRateFromResult(const std::string& resultText) {
  const std::vector<std::string> lines = text::SplitLines(resultText);
  if (lines.size() < 3) return "";
  const std::string& line = lines[2];
  std::string number;
  bool point = false;
  for (char c : line) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      number += c;
    } else if ((c == '.' || c == ',') && !point && !number.empty()) {
      number += '.';
      point = true;
    } else {
      break;
    }
  }
  // The number ends where a character cannot continue it: "45.12\t..." gives 45.12. A
  // point with no digit after it ("61.") is not part of the number.
  if (!number.empty() && number.back() == '.') number.pop_back();
  return number;
}

const char* SwitchLabel(bool on) { return on ? "Enabled" : "Disabled"; }

}  // namespace bench::history
