#include "ui/windows/update/UpgradeTexts.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "update/auLanguages.h"

namespace ui {
namespace {

std::wstring Convert(const std::string& text, UINT codePage, DWORD flags) {
  const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// The texts are our own and carry exactly the placeholders that the caller passes.
template <typename... Values>
std::wstring Format(const std::wstring& text, Values... values) {
  std::vector<wchar_t> buffer(text.size() + 128);
  for (;;) {
    const int n = std::swprintf(buffer.data(), buffer.size(), text.c_str(), values...);
    if (n >= 0) return std::wstring(buffer.data(), static_cast<size_t>(n));
    if (buffer.size() > 65536) return text;
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide = Convert(text, CP_UTF8, MB_ERR_INVALID_CHARS);
  return wide.empty() ? Convert(text, CP_ACP, 0) : wide;
}

std::wstring UpgradeText(int index) { return update::LanguageText(index); }

std::wstring FillStrings(const std::wstring& text, std::initializer_list<std::wstring> values) {
  std::wstring out;
  auto value = values.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 1 < text.size() && text[i + 1] == L's' && value != values.end()) {
      out += *value++;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::wstring FillNumbers(const std::wstring& text, double value) { return Format(text, value); }
std::wstring FillNumbers(const std::wstring& text, int first, int second) { return Format(text, first, second); }
std::wstring FillNumbers(const std::wstring& text, int first, int second, int third) {
  return Format(text, first, second, third);
}

}  // namespace ui
