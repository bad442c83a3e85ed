#pragma once
// The six resolutions a run can measure (the rows of ResolutionEntry.h), in the order a
// run measures them, with everything the run derives from each: progress text,
// configuration lines, the command-line size and the report heading.
#include <array>
#include <string>

namespace bench {

struct BenchStep {
  int Index;                 // position in the resolution group, 0..5
  int Width;
  int Height;
  const char* CurrentWidth;  // "640" .. "2048", the row's ValueName
  int LabelLeft;             // left position of the progress label in the panel
};

const std::array<BenchStep, 6>& StepTable();
// Throws std::out_of_range outside 0..5.
const BenchStep& StepAt(int index);
// The row whose width text is `currentWidth`, or nullptr.
const BenchStep* FindStep(const std::string& currentWidth);

// "Resolution: 640×480" (× is byte 215, no spaces around it).
std::string ProgressText(const BenchStep& step);
// "FullscreenViewportX=640" and "FullscreenViewportY=480".
std::string ConfigXLine(const BenchStep& step);
std::string ConfigYLine(const BenchStep& step);
// " 640 480 -nosound ".
std::string ResolutionTokens(const BenchStep& step);
// "<BR><B><FONT size=5>Resolution: 640×480</FONT></B><BR>".
std::string ReportHeading(const BenchStep& step);

// The progress text and position while the results are read.
inline constexpr char kPreparingResultsText[] = "Preparing results... please wait.";
inline constexpr int kPreparingResultsLeft = 55;

}  // namespace bench
