#include "fakes/FakeLanguages.h"

#include "update/auLanguageSets.h"

namespace fakes {

FakeStringTable FakeStringTable::WithLanguageSets() {
  FakeStringTable table;
  for (int set = 1; set <= 27; ++set) {
    for (int index = 0; index < 31; ++index) {
      table.texts[41000 + 50 * (set - 1) + index] = update::LanguageSetText(set, index);
    }
  }
  return table;
}

std::wstring FakeStringTable::LoadText(uint32_t id) {
  asked.push_back(id);
  auto found = texts.find(id);
  return found == texts.end() ? std::wstring() : found->second;
}

}  // namespace fakes
