#include "ui/TopWindow.h"

#include "platform/win32/Win32System.h"
#include "ui/Skin.h"

namespace ui {

void TopWindow::Create(const std::string& text, int clientWidth, int clientHeight, const Options& options) {
  CreateArgs a;
  a.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  a.exStyle = options.exStyle | WS_EX_CONTROLPARENT | (options.taskbarButton ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW);
  a.width = clientWidth;  // no frame: the window is its client area
  a.height = clientHeight;
  ownTexts_ = true;
  a.text = Widen(text);
  CreateWnd(a);
  CenterOnScreen(true);
}

void TopWindow::CenterOnScreen(bool workArea) {
  if (!hwnd_) return;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (workArea) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TopWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, Skin::Get().Brush(colors::Black));
      return 1;
    }
    case WM_CLOSE:
      if (OnCloseRequest) {
        OnCloseRequest();
        return 0;
      }
      break;
    case WM_DESTROY:
      if (OnDestroyed) OnDestroyed();
      break;
  }
  return Wnd::WndProc(msg, wp, lp);
}

}  // namespace ui
