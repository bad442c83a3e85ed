#pragma once
// A borderless top-level window of fixed client size: the skin paints all of it. It has a
// system menu (so the task bar and Alt+F4 can close and minimise it) but no caption or frame.
#include "ui/Wnd.h"

namespace ui {

class TopWindow : public Wnd {
 public:
  struct Options {
    DWORD exStyle = 0;
    bool taskbarButton = true;
  };
  // Created hidden, centred on the work area of the primary display.
  void Create(const std::string& text, int clientWidth, int clientHeight, const Options& options);
  void Create(const std::string& text, int clientWidth, int clientHeight) {
    Create(text, clientWidth, clientHeight, Options{});
  }
  void CenterOnScreen(bool workArea);

  // The system's close command (WM_CLOSE). Unset: the window is destroyed.
  std::function<void()> OnCloseRequest;
  // The window was destroyed.
  std::function<void()> OnDestroyed;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace ui
