#include "bench/StepTable.h"

#include <stdexcept>

namespace bench {

namespace {

constexpr char kTimes[] = "\xD7";

std::string SizeText(const BenchStep& step) {
  return std::to_string(step.Width) + kTimes + std::to_string(step.Height);
}

}  // namespace

const std::array<BenchStep, 6>& StepTable() {
  static const std::array<BenchStep, 6> table = {{
      {0, 640, 480, "640", 94},
      {1, 800, 600, "800", 94},
      {2, 1024, 768, "1024", 92},
      {3, 1280, 1024, "1280", 90},
      {4, 1600, 1200, "1600", 90},
      {5, 2048, 1536, "2048", 90},
  }};
  return table;
}

const BenchStep& StepAt(int index) {
  if (index < 0 || index >= static_cast<int>(StepTable().size()))
    throw std::out_of_range("no resolution row " + std::to_string(index));
  return StepTable()[static_cast<size_t>(index)];
}

const BenchStep* FindStep(const std::string& currentWidth) {
  for (const auto& step : StepTable())
    if (currentWidth == step.CurrentWidth) return &step;
  return nullptr;
}

std::string ProgressText(const BenchStep& step) { return "Resolution: " + SizeText(step); }

std::string ConfigXLine(const BenchStep& step) { return "FullscreenViewportX=" + std::to_string(step.Width); }

std::string ConfigYLine(const BenchStep& step) { return "FullscreenViewportY=" + std::to_string(step.Height); }

std::string ResolutionTokens(const BenchStep& step) {
  return " " + std::to_string(step.Width) + " " + std::to_string(step.Height) + " -nosound ";
}

std::string ReportHeading(const BenchStep& step) {
  return "<BR><B><FONT size=5>Resolution: " + SizeText(step) + "</FONT></B><BR>";
}

}  // namespace bench
