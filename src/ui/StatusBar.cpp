#include "ui/StatusBar.h"

#include "ui/Skin.h"

namespace ui {

void StatusBar::Create(HWND parent, int x, int y, int width, int height) {
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE;
  a.x = x, a.y = y, a.width = width, a.height = height;
  CreateWnd(a);
}

void StatusBar::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

LRESULT StatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETTEXT: {
      const LRESULT result = Wnd::WndProc(msg, wp, lp);
      Invalidate();
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

void StatusBar::Paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  FillRect(dc, &rc, Skin::Get().Brush(color_));
  HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(dc, shadow);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, rc.right, 0);
  SelectObject(dc, oldPen);
  DeleteObject(shadow);

  const std::wstring text = WindowText(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, Skin::Get().Normal());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT textRect{rc.left + 4, rc.top + 1, rc.right, rc.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
}

}  // namespace ui
