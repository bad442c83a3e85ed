#include "bench/RunHistoryFacts.h"

namespace bench {

history::RunFacts CollectRunFacts(const platform::LocalTime& started, const std::string& reportFile,
                                  const RunOptions& options, const DemoChoice& demo, bool addInfo,
                                  const HardwareValues& hardware, const std::string& note,
                                  const std::vector<history::ResolutionFacts>& resolutions,
                                  platform::TextCodePage& codePage) {
  auto utf8 = [&codePage](const std::string& ansi) { return codePage.AnsiToUtf8(ansi); };
  auto on = [](const std::string& label) { return label == history::SwitchLabel(true); };
  history::RunFacts f;
  f.Started = history::IsoLocalTime(started);
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

}  // namespace bench
