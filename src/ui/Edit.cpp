#include "ui/Edit.h"

namespace ui {

void Edit::Create(HWND parent, int x, int y, int width, int height, const Options& options) {
  readOnly_ = options.readOnly;
  CreateArgs a;
  a.className = L"EDIT";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL |
            (options.readOnly ? ES_READONLY : 0) | (options.password ? ES_PASSWORD : 0);
  a.x = x, a.y = y, a.width = width, a.height = height;
  CreateWnd(a);
  if (options.password) SendMessageW(hwnd_, EM_SETPASSWORDCHAR, L'*', 0);
  if (options.maxLength > 0) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(options.maxLength), 0);
}

void Edit::SetTextIfDifferent(const std::string& ansi) {
  if (Text() != ansi) SetText(ansi);
}

LRESULT Edit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = Wnd::WndProc(msg, wp, lp);
  // EN_CHANGE is the parent's to send and not every version sends it for WM_SETTEXT.
  if (msg == WM_SETTEXT && OnTextChanged) OnTextChanged();
  return result;
}

void Edit::OnCommand(int code) {
  if (code == EN_CHANGE && OnTextChanged) OnTextChanged();
}

HBRUSH Edit::OnCtlColor(HDC dc) {
  const COLORREF face = readOnly_ ? colors::EditReadOnlyFace : colors::EditFace;
  SetTextColor(dc, IsWindowEnabled(hwnd_) ? colors::Silver : colors::DisabledText);
  SetBkColor(dc, face);
  return Skin::Get().Brush(face);
}

}  // namespace ui
