#include "ui/Button.h"

#include "platform/win32/Win32System.h"

namespace ui {

void OwnerDrawButton::CreateButton(HWND parent, int x, int y, int width, int height,
                                   const std::string& text) {
  CreateArgs a;
  a.className = L"BUTTON";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
  a.x = x, a.y = y, a.width = width, a.height = height;
  ownTexts_ = true;
  a.text = Widen(text);
  CreateWnd(a);
  SetTracksMouse(true);
}

LRESULT OwnerDrawButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // WM_DRAWITEM paints every pixel
    case WM_SETCURSOR:
      if (handCursor_ && LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649) /* IDC_HAND */));
        return TRUE;
      }
      break;
    case WM_LBUTTONDBLCLK:
      // A quick second click is a click too, not a double click.
      return CallDefault(WM_LBUTTONDOWN, wp, lp);
  }
  return Wnd::WndProc(msg, wp, lp);
}

void OwnerDrawButton::OnCommand(int code) {
  if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && IsWindowEnabled(hwnd_) && OnClick) OnClick();
}

void PictureButton::Create(HWND parent, int x, int y, const Picture* normal, const Picture* hover,
                           const Picture* down, const std::string& text) {
  normal_ = normal, hover_ = hover, down_ = down;
  CreateButton(parent, x, y, normal ? normal->Width() : 16, normal ? normal->Height() : 16, text);
  SetHandCursor(true);
}

void PictureButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Picture* picture = normal_;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (!disabled && (item.itemState & ODS_SELECTED) && down_) picture = down_;
  else if (!disabled && IsHot() && hover_) picture = hover_;
  if (!picture || !*picture) {
    FillRect(item.hDC, &item.rcItem, Skin::Get().Brush(colors::Black));
    return;
  }
  picture->Draw(item.hDC, 0, 0);
  if (disabled) {
    // Dim the picture: the button is out of use, e.g. during a run.
    HDC dc = item.hDC;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 150, 0};
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP black = CreateCompatibleBitmap(dc, 1, 1);
    HGDIOBJ old = SelectObject(mem, black);
    SetPixel(mem, 0, 0, RGB(0, 0, 0));
    AlphaBlend(dc, 0, 0, picture->Width(), picture->Height(), mem, 0, 0, 1, 1, blend);
    SelectObject(mem, old);
    DeleteObject(black);
    DeleteDC(mem);
  }
}

void ToolButton::Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
                        const Picture* icon, const Style& style, bool showCaption) {
  icon_ = icon;
  style_ = style;
  showCaption_ = showCaption;
  CreateButton(parent, x, y, width, height, caption);
}

void ToolButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool hot = IsHot() && !disabled;
  FillRect(dc, &rc, Skin::Get().Brush(pressed ? RGB(16, 18, 17) : style_.face));
  if (style_.framed || hot) {
    HPEN pen = CreatePen(PS_SOLID, 1, hot || pressed ? style_.hotFrame : style_.frame);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 4, 4);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  const int shift = pressed ? 1 : 0;
  int textLeft = rc.left + 6;
  if (icon_ && *icon_) {
    const int iconLeft = showCaption_ ? rc.left + 5 : rc.left + (rc.right - rc.left - icon_->Width()) / 2;
    icon_->Draw(dc, iconLeft + shift, rc.top + (rc.bottom - rc.top - icon_->Height()) / 2 + shift);
    textLeft = iconLeft + icon_->Width() + 5;
  }
  if (showCaption_) {
    const std::wstring caption = WindowText(hwnd_);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? colors::DisabledText : hot ? style_.hotText : style_.text);
    RECT textRect{textLeft + shift, rc.top + shift, rc.right - 4 + shift, rc.bottom + shift};
    const UINT align = icon_ ? DT_LEFT : DT_CENTER;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | align);  // "&&" shows as "&"
    SelectObject(dc, oldFont);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus{rc.left + 3, rc.top + 3, rc.right - 3, rc.bottom - 3};
    SetTextColor(dc, colors::Silver);
    SetBkColor(dc, colors::Black);
    DrawFocusRect(dc, &focus);
  }
}

void FramedButton::Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
                          const Style& style) {
  style_ = style;
  CreateButton(parent, x, y, width, height, caption);
  SetHandCursor(true);
}

void FramedButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool hot = IsHot() && !disabled;
  FillRect(dc, &rc, Skin::Get().Brush(style_.face));

  HBRUSH frame = Skin::Get().Brush(hot ? style_.hotFrame : focused || pressed ? style_.focusFrame : style_.frame);
  FrameRect(dc, &rc, frame);
  if (hot || focused || pressed) {
    RECT inner = rc;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, frame);
  }

  const std::wstring caption = WindowText(hwnd_);
  if (pressed) OffsetRect(&rc, 1, 1);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? style_.disabledText : style_.text);
  // Without DT_NOPREFIX a doubled ampersand shows as one.
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
}

}  // namespace ui
