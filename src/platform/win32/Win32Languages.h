#pragma once
// The string table of a module (the program's own by default) and GetUserDefaultLangID.
#include <cstdint>
#include <string>

#include "platform/Languages.h"

namespace platform {

class Win32StringTable : public StringTable {
 public:
  // `module` is an HMODULE; 0 is the program's own exe.
  explicit Win32StringTable(uintptr_t module = 0) : module_(module) {}
  std::wstring LoadText(uint32_t id) override;

 private:
  uintptr_t module_;
};

class Win32UserLanguage : public UserLanguage {
 public:
  uint16_t DefaultLanguageId() override;
};

}  // namespace platform
