#pragma once
// What the results history keeps of one run: when it started, the report it wrote, the
// settings, the machine and the note, and each measured resolution. Texts are UTF-8.
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace bench::history {

// The version of the history's formats (the CSV's columns and the JSON's keys).
inline constexpr int kFormatVersion = 1;

struct ResolutionFacts {
  int Width = 0;
  int Height = 0;
  std::string FrameRate;  // the number the game wrote, "." as decimal point; empty when unreadable
  std::string Score;      // as the report shows it
};

struct RunFacts {
  std::string Started;     // ISO 8601 local time, "2026-12-10T14:05:09"
  std::string ReportFile;  // "result_<stamp>.htm", the name without its folder
  std::string DemoFile;
  std::string Map;
  std::string ShaderModel;  // "1.1", "2.0", "3.0"
  bool ParallaxMapping = false;
  bool HQSoftShadows = false;
  bool HDR = false;
  bool ToneMapping = false;
  bool HWShadowMapping = false;
  // The hardware description as the report shows it; all empty when the run did not add it.
  std::string OS, CPU, Memory, VGA, VGAMemory, VGADriver;
  std::string Note;
  std::vector<ResolutionFacts> Resolutions;  // in the order they were measured
};

// "2026-12-10T14:05:09".
std::string IsoLocalTime(const platform::LocalTime& time);

// The frame rate at the start of the third line of the game's result file, as written
// there: digits with at most one decimal point (a decimal comma becomes a point). Empty
// when the line does not begin with such a number or the text has fewer than three lines.
std::string FrameRateFromResult(const std::string& resultText);

// "Enabled" / "Disabled", the report's words for a switch.
const char* SwitchLabel(bool on);

}  // namespace bench::history
