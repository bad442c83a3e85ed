#pragma once
// The update windows' texts: a text of the current language set with its placeholders
// filled in. The sets are UTF-16; the values come from the component as UTF-8.
#include <initializer_list>
#include <string>

namespace ui {

// UTF-8 to UTF-16. Bytes that are not UTF-8 (an info file written in the system's code page)
// are read in the system's ANSI code page instead, so nothing of the text is lost.
std::wstring FromUtf8(const std::string& text);

// Text `index` of the current language.
std::wstring UpgradeText(int index);

// `text` with each "%s" replaced by the next of `values`, in order; a "%s" without a value
// stays as it is.
std::wstring FillStrings(const std::wstring& text, std::initializer_list<std::wstring> values);

// `text` with its numeric placeholders ("%d", "%.2d", "%.1f", ...) formatted from the values,
// as printf formats them (C locale).
std::wstring FillNumbers(const std::wstring& text, double value);
std::wstring FillNumbers(const std::wstring& text, int first, int second);
std::wstring FillNumbers(const std::wstring& text, int first, int second, int third);

}  // namespace ui
