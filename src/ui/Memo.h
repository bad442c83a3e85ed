#pragma once
// A read-only multi-line text box in two colours of its own; no tab stop. Its text is the
// system's (ANSI) text, lines separated by CR LF.
#include "ui/Wnd.h"

namespace ui {

class Memo : public Wnd {
 public:
  void Create(HWND parent, int x, int y, int width, int height, COLORREF text, COLORREF background);

 protected:
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  COLORREF text_ = 0, background_ = 0;
};

}  // namespace ui
