#include "bench/StepTable.h"

#include <stdexcept>

#include "bench/ResolutionEntry.h"

namespace bench {

namespace {

constexpr char kTimes[] = "\xD7";

std::string SizeText(const BenchStep& step) {
  return std::to_string(step.Width) + kTimes + std::to_string(step.Height);
}

}  // namespace

const std::array<BenchStep, 6>& StepTable() {
  // The progress label starts further left for the longer texts.
  static constexpr int kLabelLeft[kResolutionCount] = {94, 94, 92, 90, 90, 90};
  static const std::array<BenchStep, 6> table = [] {
    std::array<BenchStep, 6> steps{};
    for (const auto& row : kResolutions)
      steps[static_cast<size_t>(row.Index)] = {row.Index, row.Width, row.Height, row.ValueName,
                                               kLabelLeft[row.Index]};
    return steps;
  }();
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

std::string ConfigXLine(const BenchStep& step) { return kResolutions[static_cast<size_t>(step.Index)].ConfigLineX; }

std::string ConfigYLine(const BenchStep& step) { return kResolutions[static_cast<size_t>(step.Index)].ConfigLineY; }

std::string ResolutionTokens(const BenchStep& step) {
  return " " + std::to_string(step.Width) + " " + std::to_string(step.Height) + " -nosound ";
}

std::string ReportHeading(const BenchStep& step) {
  return "<BR><B><FONT size=5>Resolution: " + SizeText(step) + "</FONT></B><BR>";
}

}  // namespace bench
