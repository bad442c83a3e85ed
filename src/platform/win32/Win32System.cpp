#include "platform/win32/Win32System.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Widen(const std::string& ansi) { return ToWide(CP_ACP, ansi); }
std::string Narrow(const std::wstring& wide) { return FromWide(CP_ACP, wide); }
std::wstring WidenOwnText(const std::string& text) { return ToWide(kOwnTextCodePage, text); }
std::string NarrowOwnText(const std::wstring& wide) { return FromWide(kOwnTextCodePage, wide); }

LocalTime Win32Clock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek};
}

uint32_t Win32Clock::Ticks() { return GetTickCount(); }

void Win32Clock::Wait(uint32_t milliseconds) { ::Sleep(milliseconds); }

MsgResult Win32MessageBoxes::Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                                  MsgIcon icon) {
  UINT type = 0;
  switch (buttons) {
    case MsgButtons::Ok: type = MB_OK; break;
    case MsgButtons::OkCancel: type = MB_OKCANCEL; break;
    case MsgButtons::YesNo: type = MB_YESNO; break;
    case MsgButtons::YesNoCancel: type = MB_YESNOCANCEL; break;
    case MsgButtons::RetryCancel: type = MB_RETRYCANCEL; break;
  }
  switch (icon) {
    case MsgIcon::Information: type |= MB_ICONINFORMATION; break;
    case MsgIcon::Warning: type |= MB_ICONWARNING; break;
    case MsgIcon::Error: type |= MB_ICONERROR; break;
    case MsgIcon::Question: type |= MB_ICONQUESTION; break;
    case MsgIcon::None: break;
  }
  HWND owner = reinterpret_cast<HWND>(owner_);
  if (owner && !IsWindow(owner)) owner = nullptr;
  if (!owner) type |= MB_TASKMODAL;
  std::wstring title = Widen(caption.empty() ? title_ : caption);
  switch (MessageBoxW(owner, Widen(text).c_str(), title.c_str(), type)) {
    case IDCANCEL: return MsgResult::Cancel;
    case IDYES: return MsgResult::Yes;
    case IDNO: return MsgResult::No;
    case IDRETRY: return MsgResult::Retry;
    default: return MsgResult::Ok;
  }
}

void Win32Shell::Open(const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCommand) {
  ShellExecuteA(nullptr, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                parameters.empty() ? nullptr : parameters.c_str(),
                directory.empty() ? nullptr : directory.c_str(), showCommand);
}

bool Win32Display::ModeAt(uint32_t index, DisplayMode& out) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, index, &mode)) return false;
  out = DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
  return true;
}

}  // namespace platform
