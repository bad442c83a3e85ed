#pragma once
// A string table in memory, filled with the language sets by default, that remembers which ids
// were asked for; and a user language that a test sets.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Languages.h"

namespace fakes {

class FakeStringTable : public platform::StringTable {
 public:
  // Every text of every language set under its string table id.
  static FakeStringTable WithLanguageSets();

  std::wstring LoadText(uint32_t id) override;

  std::map<uint32_t, std::wstring> texts;
  std::vector<uint32_t> asked;
};

class FakeUserLanguage : public platform::UserLanguage {
 public:
  uint16_t DefaultLanguageId() override { return languageId; }
  uint16_t languageId = 0x0409;  // English (United States)
};

}  // namespace fakes
