#pragma once
// The start-up picture: a borderless 640 x 480 window above all others, centred on the
// screen, with no controls; it reacts to nothing.
#include "ui/Jpeg.h"
#include "ui/PictureBox.h"
#include "ui/TopWindow.h"

namespace ui {

class SplashWindow {
 public:
  static constexpr int kWidth = 640, kHeight = 480;
  static constexpr const char* kText = "Starting Tavorin Splinter Cell CT Benchmark";

  // Creates, shows and paints the window at once: the caller blocks the thread next.
  void Show(HINSTANCE resources);
  void Close();
  bool IsShown() const { return window_.Handle() != nullptr; }
  HWND Handle() const { return window_.Handle(); }

 private:
  Picture picture_;
  TopWindow window_;
  PictureBox box_;
};

}  // namespace ui
