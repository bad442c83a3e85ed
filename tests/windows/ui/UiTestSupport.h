#pragma once
// Helpers of the window tests: finding controls the way automation does, and a parent
// window to put controls in.
#include <windows.h>

#include <string>

#include "platform/win32/Win32System.h"

namespace uitest {

// The control with `id` at any depth below `root`, or null.
inline HWND FindById(HWND root, int id) {
  struct Search { int id; HWND found; } search{id, nullptr};
  EnumChildWindows(
      root,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (GetDlgCtrlID(hwnd) == s->id) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::string TextOf(HWND hwnd) {
  wchar_t buffer[1024] = {};
  SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return platform::Narrow(buffer);
}

// What automation sends for a click: BN_CLICKED to the control's parent.
inline void ClickThroughParent(HWND control) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

inline bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Saves what the screen shows of `window` (frame included) as a 24-bit BMP file, for a person
// to look at; false when it could not be written.
inline bool SaveWindowImage(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = (static_cast<DWORD>(w) * 3 + 3) & ~3u, imageBytes = rowBytes * static_cast<DWORD>(h);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes), 0,
                        0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  bool written = false;
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD n1 = 0, n2 = 0, n3 = 0;
    written = WriteFile(out, &file, sizeof file, &n1, nullptr) &&
              WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &n2, nullptr) &&
              WriteFile(out, bits, imageBytes, &n3, nullptr) && n3 == imageBytes;
    CloseHandle(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A plain visible top-level window to hold the controls under test.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UiTestHost";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, L"UiTestHost", L"host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 400,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~HostWindow() { DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_;
};

}  // namespace uitest
