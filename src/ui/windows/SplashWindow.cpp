#include "ui/windows/SplashWindow.h"

#include "ui/windows/ArtworkIds.h"

namespace ui {

void SplashWindow::Show(HINSTANCE resources) {
  if (IsShown()) return;
  picture_ = LoadJpegResource(resources, IDJ_SPLASH);
  TopWindow::Options options;
  options.exStyle = WS_EX_TOPMOST;
  options.taskbarButton = false;
  window_.Create(kText, kWidth, kHeight, options);
  window_.CenterOnScreen(false);
  box_.Create(window_.Handle(), 0, 0, kWidth, kHeight, &picture_);
  EnableWindow(window_.Handle(), FALSE);  // it reacts to nothing
  ShowWindow(window_.Handle(), SW_SHOWNA);
  UpdateWindow(window_.Handle());
  GdiFlush();
}

void SplashWindow::Close() {
  if (!IsShown()) return;
  DestroyWindow(window_.Handle());
  picture_ = Picture();
}

}  // namespace ui
