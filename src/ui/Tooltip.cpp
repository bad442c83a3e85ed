#include "ui/Tooltip.h"

#include <commctrl.h>

#include "platform/win32/Win32System.h"

namespace ui {

Tooltip::~Tooltip() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Tooltip::Create(HWND owner) {
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
}

void Tooltip::Add(const Wnd& control, const std::string& text) {
  if (!hwnd_ || !control.Handle()) return;
  std::wstring wide = platform::WidenOwnText(text);
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(control.Handle());
  info.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  info.lpszText = wide.data();  // copied by the tool-tip control
  SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace ui
