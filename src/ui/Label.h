#pragma once
// A static text in one colour on a solid background (the skin has no see-through labels).
#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class Label : public Wnd {
 public:
  enum class Align { Left, Center };
  void Create(HWND parent, int x, int y, int width, int height, const std::string& text,
              COLORREF color = colors::Silver, Align align = Align::Left);
  void SetColors(COLORREF text, COLORREF background);
  void MoveTo(int x, int y);

 protected:
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  COLORREF color_ = colors::Silver;
  COLORREF background_ = colors::Black;
};

}  // namespace ui
