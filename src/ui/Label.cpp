#include "ui/Label.h"

#include "platform/win32/Win32System.h"

namespace ui {

void Label::Create(HWND parent, int x, int y, int width, int height, const std::string& text,
                   COLORREF color, Align align) {
  color_ = color;
  CreateArgs a;
  a.className = L"STATIC";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | (align == Align::Center ? SS_CENTER : SS_LEFT);
  a.x = x, a.y = y, a.width = width, a.height = height;
  ownTexts_ = true;
  a.text = Widen(text);
  CreateWnd(a);
}

void Label::SetColors(COLORREF text, COLORREF background) {
  color_ = text;
  background_ = background;
  Invalidate();
}

void Label::MoveTo(int x, int y) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH Label::OnCtlColor(HDC dc) {
  SetTextColor(dc, color_);
  SetBkColor(dc, background_);
  return Skin::Get().Brush(background_);
}

}  // namespace ui
