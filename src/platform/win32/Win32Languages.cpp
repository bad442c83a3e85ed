#include "platform/win32/Win32Languages.h"

#include <windows.h>

namespace platform {

std::wstring Win32StringTable::LoadText(uint32_t id) {
  HMODULE module = module_ ? reinterpret_cast<HMODULE>(module_) : GetModuleHandleW(nullptr);
  // With a buffer size of 0 LoadStringW hands out the resource's own read-only text, which
  // is not terminated: its length is the return value. No text is cut at a buffer's end.
  const wchar_t* text = nullptr;
  int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) return std::wstring();
  return std::wstring(text, static_cast<size_t>(length));
}

uint16_t Win32UserLanguage::DefaultLanguageId() { return GetUserDefaultLangID(); }

}  // namespace platform
