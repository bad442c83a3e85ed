#pragma once
// Runs as the history sees them, for the history's tests.
#include <string>

#include "bench/history/RunFacts.h"

namespace historytest {

// A run over 640x480 and 1280x1024 with the hardware description and a plain note.
inline bench::history::RunFacts TwoResolutionRun(const std::string& started = "2026-12-10T14:05:09",
                                                 const std::string& note = "driver 81.98") {
  bench::history::RunFacts f;
  f.Started = started;
  f.ReportFile = "result_12_10_2026_2_05_09_PM.htm";
  f.DemoFile = "01_Lighthouse.dem";
  f.Map = "01_Lighthouse";
  f.ShaderModel = "3.0";
  f.ParallaxMapping = true;
  f.HDR = true;
  f.OS = "Operating System: Windows XP Professional";
  f.CPU = "Processor: AMD Athlon(tm) 64 Processor 3500+";
  f.Memory = "Memory: 1024MB RAM";
  f.VGA = "Card name: NVIDIA GeForce 6800 GT";
  f.VGAMemory = "Display Memory: 256.0 MB";
  f.VGADriver = "Driver Version: 6.14.0010.8198";
  f.Note = note;
  f.Resolutions = {{640, 480, "61.7349", "61.73"}, {1280, 1024, "28.1", "28.1"}};
  return f;
}

}  // namespace historytest
