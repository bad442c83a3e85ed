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

RunFacts CollectRunFacts(const platform::LocalTime& started, const std::string& reportFile,
                         const RunOptions& options, const DemoChoice& demo, bool addInfo,
                         const HardwareValues& hardware, const std::string& note,
                         const std::vector<ResolutionFacts>& resolutions, platform::TextCodePage& codePage) {
  auto utf8 = [&codePage](const std::string& ansi) { return codePage.AnsiToUtf8(ansi); };
  auto on = [](const std::string& label) { return label == SwitchLabel(true); };
  RunFacts f;
  f.Started = IsoLocalTime(started);
  f.ReportFile = utf8(reportFile);
  f.DemoFile = utf8(demo.DemoFile);
  f.Map = utf8(demo.MapName);
  f.ShaderModel = options.ShaderLabel;
  f.ParallaxMapping = on(options.ParallaxLabel);
  f.HQSoftShadows = on(options.HQSoftShadowsLabel);
  f.HDR = on(options.HDRLabel);
  f.ToneMapping = on(options.ToneMappingLabel);
  f.HWShadowMapping = on(options.HWShadowMappingLabel);
  if (addInfo) {
    f.OS = utf8(hardware.OS);
    f.CPU = utf8(hardware.CPU);
    f.Memory = utf8(hardware.Memory);
    f.VGA = utf8(hardware.VGA);
    f.VGAMemory = utf8(hardware.VGAMemory);
    f.VGADriver = utf8(hardware.VGADriver);
  }
  f.Note = utf8(note);
  f.Resolutions = resolutions;
  return f;
}

}  // namespace bench::history
