#pragma once
// The benchmark run as the main window sees it: the run button starts it and the process
// runner's end event moves it on (RunController.h is the run itself).
#include <cstdint>

namespace bench {

class RunControl {
 public:
  virtual ~RunControl() = default;
  // The click of BenchButton.
  virtual void StartRun() = 0;
  // The end of a game process, on the user-interface thread.
  virtual void OnBenchProcessEnd(uint32_t exitCode) = 0;
};

}  // namespace bench
