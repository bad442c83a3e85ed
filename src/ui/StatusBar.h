#pragma once
// A status bar of one text panel over its whole width, painted by the toolkit so that its
// colour holds under every visual style: a sunken line on top, the window text in black,
// taken as it stands (an ampersand is no mnemonic), cut with an ellipsis when too long.
#include "ui/Wnd.h"

namespace ui {

class StatusBar : public Wnd {
 public:
  void Create(HWND parent, int x, int y, int width, int height);
  void SetColor(COLORREF color);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);
  COLORREF color_ = GetSysColor(COLOR_BTNFACE);
};

}  // namespace ui
