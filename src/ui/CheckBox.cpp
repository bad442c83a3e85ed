#include "ui/CheckBox.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "platform/win32/Win32System.h"

namespace ui {

void CheckBox::Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
                      Kind kind) {
  kind_ = kind;
  CreateArgs a;
  a.className = L"BUTTON";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
            (kind == Kind::Check ? BS_CHECKBOX : BS_RADIOBUTTON);
  a.x = x, a.y = y, a.width = width, a.height = height;
  ownTexts_ = true;
  a.text = Widen(caption);
  CreateWnd(a);
  // Themed check boxes ignore the text colour; unthemed ones take the skin's colours, and
  // the custom drawing below replaces the rest where the system offers it.
  SetWindowTheme(hwnd_, L"", L"");
  SetTracksMouse(true);
}

bool CheckBox::IsChecked() const {
  return hwnd_ && SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetIsChecked(bool checked) {
  if (hwnd_ && IsChecked() != checked)
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::OnCommand(int code) {
  if (code != BN_CLICKED || !IsWindowEnabled(hwnd_)) return;
  if (kind_ == Kind::Check) SetIsChecked(!IsChecked());
  if (OnClicked) OnClicked();
}

LRESULT CheckBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The system paints parts of the button outside WM_PAINT on these; paint it whole again.
  switch (msg) {
    case BM_SETCHECK:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = Wnd::WndProc(msg, wp, lp);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return r;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

HBRUSH CheckBox::OnCtlColor(HDC dc) {
  SetTextColor(dc, IsWindowEnabled(hwnd_) ? colors::Silver : colors::DisabledText);
  SetBkColor(dc, colors::Black);
  return Skin::Get().Brush(colors::Black);
}

bool CheckBox::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
  auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(header);
  if (cd->dwDrawStage != CDDS_PREPAINT) return false;
  Draw(cd->hdc, cd->rc, (cd->uItemState & CDIS_FOCUS) != 0);
  result = CDRF_SKIPDEFAULT;
  return true;
}

// The box or dot in the skin's selection colours: frame blue, mark green, amber under the
// mouse; grey when disabled.
void CheckBox::Draw(HDC dc, const RECT& rc, bool focused) {
  const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
  const bool checked = IsChecked();
  FillRect(dc, &rc, Skin::Get().Brush(colors::Black));
  const int box = 13;
  const int top = rc.top + (rc.bottom - rc.top - box) / 2;
  RECT boxRect{rc.left, top, rc.left + box, top + box};
  const COLORREF frame = !enabled ? colors::DisabledText : IsHot() ? colors::HotTrack : colors::SelFrame;
  const COLORREF mark = enabled ? colors::SelHighlight : colors::DisabledText;
  HPEN pen = CreatePen(PS_SOLID, 1, frame);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, Skin::Get().Brush(RGB(10, 12, 11)));
  if (kind_ == Kind::Check) {
    Rectangle(dc, boxRect.left, boxRect.top, boxRect.right, boxRect.bottom);
    if (checked) {
      HPEN markPen = CreatePen(PS_SOLID, 2, mark);
      SelectObject(dc, markPen);
      POINT tick[3] = {{boxRect.left + 3, boxRect.top + 6},
                       {boxRect.left + 5, boxRect.top + 9},
                       {boxRect.left + 10, boxRect.top + 3}};
      Polyline(dc, tick, 3);
      SelectObject(dc, pen);
      DeleteObject(markPen);
    }
  } else {
    Ellipse(dc, boxRect.left, boxRect.top, boxRect.right, boxRect.bottom);
    if (checked) {
      SelectObject(dc, GetStockObject(NULL_PEN));
      SelectObject(dc, Skin::Get().Brush(mark));
      Ellipse(dc, boxRect.left + 3, boxRect.top + 3, boxRect.right - 2, boxRect.bottom - 2);
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);

  const std::wstring caption = WindowText(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? colors::Silver : colors::DisabledText);
  RECT textRect{rc.left + box + 5, rc.top, rc.right, rc.bottom};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  if (focused) {
    RECT measure = textRect;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_CALCRECT);
    RECT focus{textRect.left - 2, top - 1, measure.right + 2, top + box + 1};
    SetTextColor(dc, colors::Silver);
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, oldFont);
}

}  // namespace ui
