#pragma once
// The program's own string table and the user's language, for the texts that are shown in
// the user's language. Texts are UTF-16, so every language reads right whatever the system's
// ANSI code page.
#include <cstdint>
#include <string>

namespace platform {

class StringTable {
 public:
  virtual ~StringTable() = default;
  // The text with this resource id; empty when the program has none.
  virtual std::wstring LoadText(uint32_t id) = 0;
};

class UserLanguage {
 public:
  virtual ~UserLanguage() = default;
  // The user's default language identifier: primary language in the low 10 bits, the
  // sub-language above them.
  virtual uint16_t DefaultLanguageId() = 0;
};

}  // namespace platform
