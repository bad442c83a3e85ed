#include "ui/Panel.h"

#include "platform/win32/Win32System.h"
#include "ui/Skin.h"

namespace ui {

void Panel::Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
                   const Style& style) {
  style_ = style;
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  a.exStyle = WS_EX_CONTROLPARENT;  // the dialog manager tabs into the controls inside
  a.x = x, a.y = y, a.width = width, a.height = height;
  ownTexts_ = true;
  a.text = Widen(caption);
  CreateWnd(a);
  SetTracksMouse(true);  // for its disabled children's leaving
}

// Children that are system controls (labels, check boxes, text boxes) ask their parent
// for colours; a panel answers for those that are not toolkit controls of their own.
LRESULT Panel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT r = CallDefault(msg, wp, lp);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return r;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

void Panel::Paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  FillRect(dc, &rc, Skin::Get().Brush(style_.background));
  if (!style_.framed) return;
  const std::wstring caption = WindowText(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, Skin::Get().Normal());
  SIZE text{0, 0};
  if (!caption.empty()) GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const int top = caption.empty() ? 1 : text.cy / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, colors::GroupLine);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rc.left, rc.top + top, rc.right, rc.bottom, 6, 6);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  if (!caption.empty()) {
    RECT textRect{8, 0, 8 + text.cx, text.cy};
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, style_.background);
    SetTextColor(dc, style_.captionColor);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  }
  SelectObject(dc, oldFont);
}

}  // namespace ui
