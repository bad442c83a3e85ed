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
