#include "ui/PictureBox.h"

#include "platform/win32/Win32System.h"
#include "ui/Skin.h"

namespace ui {

void PictureBox::Create(HWND parent, int x, int y, int width, int height, const Picture* picture,
                        const std::string& text) {
  picture_ = picture;
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  a.x = x, a.y = y, a.width = width, a.height = height;
  ownTexts_ = true;
  a.text = Widen(text);
  CreateWnd(a);
}

LRESULT PictureBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      if (picture_ && *picture_) {
        picture_->Draw(dc, 0, 0);
      } else {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        FillRect(dc, &rc, Skin::Get().Brush(colors::Black));
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (dragsWindow_) {
        ReleaseCapture();
        SendMessageW(GetAncestor(hwnd_, GA_ROOT), WM_SYSCOMMAND, kMoveByCaption, 0);
        return 0;
      }
      break;
  }
  return Wnd::WndProc(msg, wp, lp);
}

}  // namespace ui
