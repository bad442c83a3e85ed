#pragma once
// A plain container: a page, a frame with or without a caption, the progress panel. It
// fills itself with one colour; a framed panel draws a thin line round its children with
// its caption (its window text) set into the top line, like a group box.
#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class Panel : public Wnd {
 public:
  struct Style {
    COLORREF background = colors::Black;
    bool framed = false;
    COLORREF captionColor = colors::Silver;
  };
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
              const Style& style);
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption = {}) {
    Create(parent, x, y, width, height, caption, Style{});
  }
  COLORREF Background() const { return style_.background; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc);

 private:
  Style style_;
};

}  // namespace ui
