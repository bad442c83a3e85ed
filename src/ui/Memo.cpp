#include "ui/Memo.h"

#include "ui/Skin.h"

namespace ui {

void Memo::Create(HWND parent, int x, int y, int width, int height, COLORREF text, COLORREF background) {
  text_ = text;
  background_ = background;
  CreateArgs a;
  a.className = L"EDIT";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  a.exStyle = WS_EX_CLIENTEDGE;
  a.x = x, a.y = y, a.width = width, a.height = height;
  CreateWnd(a);
}

HBRUSH Memo::OnCtlColor(HDC dc) {
  SetTextColor(dc, text_);
  SetBkColor(dc, background_);
  return Skin::Get().Brush(background_);
}

}  // namespace ui
