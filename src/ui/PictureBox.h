#pragma once
// A picture that only shows itself (the window's background, the about picture). The
// background one also moves its top-level window when the left mouse button goes down on it,
// as a caption would.
#include "ui/Jpeg.h"
#include "ui/Wnd.h"

namespace ui {

class PictureBox : public Wnd {
 public:
  // The picture is borrowed and must outlive the box.
  void Create(HWND parent, int x, int y, int width, int height, const Picture* picture,
              const std::string& text = {});
  // Left button down starts moving the top-level window (the system's "move by caption").
  void SetDragsWindow(bool drags) { dragsWindow_ = drags; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  const Picture* picture_ = nullptr;
  bool dragsWindow_ = false;
};

// The system command that moves a window as if its caption had been grabbed:
// SC_MOVE combined with the caption hit-test code.
inline constexpr WPARAM kMoveByCaption = 0xF012;

}  // namespace ui
