#include "update/auLanguages.h"

#include <atomic>
#include <stdexcept>

namespace update {
namespace {

using L = TauAutoUpgraderLanguage;

constexpr uint32_t kFirstTextId = 41000;
constexpr uint32_t kIdsPerSet = 50;

// The primary language identifier of every set, in the order of the sets. The two Portuguese
// and the two Chinese sets share theirs; DetectLanguage tells them apart first.
struct PrimaryLanguage {
  L language;
  uint16_t primary;
};
constexpr PrimaryLanguage kPrimaryLanguages[] = {
    {L::wlEnglish, 0x09},    {L::wlRussian, 0x19},   {L::wlGerman, 0x07},
    {L::wlFrench, 0x0C},     {L::wlSpanish, 0x0A},   {L::wlPortuguese, 0x16},
    {L::wlPortugueseBrazilian, 0x16},                {L::wlItalian, 0x10},
    {L::wlDutch, 0x13},      {L::wlDanish, 0x06},    {L::wlSwedish, 0x1D},
    {L::wlFinnish, 0x0B},    {L::wlEstonian, 0x25},  {L::wlUkrainian, 0x22},
    {L::wlPolish, 0x15},     {L::wlCzech, 0x05},     {L::wlHungarian, 0x0E},
    {L::wlRomanian, 0x18},   {L::wlCatalan, 0x03},   {L::wlBasque, 0x2D},
    {L::wlAfrikaans, 0x36},  {L::wlChineseTraditional, 0x04},
    {L::wlChineseSimplified, 0x04},                  {L::wlIndonesian, 0x21},
    {L::wlMalay, 0x3E},      {L::wlIcelandic, 0x0F}, {L::wlTurkish, 0x1F},
};
static_assert(sizeof kPrimaryLanguages / sizeof kPrimaryLanguages[0] == kLanguageSetCount);

constexpr uint16_t kPortuguese = 0x16, kChinese = 0x04;
constexpr uint16_t kSubBrazil = 1, kSubChinaSimplified = 2;

platform::StringTable* gTexts = nullptr;
platform::UserLanguage* gUser = nullptr;
// Read by whichever thread shows a text; written on the user-interface thread.
std::atomic<L> gCurrent{L::wlEnglish};

L Detected() { return gUser ? DetectLanguage(gUser->DefaultLanguageId()) : L::wlEnglish; }

L Resolved(L language) {
  int value = static_cast<int>(language);
  if (language == L::wlAuto) return Detected();
  if (value < 1 || value > kLanguageSetCount) throw std::out_of_range("Unknown language of the update texts");
  return language;
}

}  // namespace

void UseLanguageServices(platform::StringTable& texts, platform::UserLanguage& user) {
  gTexts = &texts;
  gUser = &user;
  gCurrent = Detected();
}

TauAutoUpgraderLanguage DetectLanguage(uint16_t languageId) {
  const uint16_t primary = languageId & 0x3FF;
  const uint16_t sub = languageId >> 10;
  if (primary == kPortuguese) return sub == kSubBrazil ? L::wlPortugueseBrazilian : L::wlPortuguese;
  if (primary == kChinese) return sub == kSubChinaSimplified ? L::wlChineseSimplified : L::wlChineseTraditional;
  for (const PrimaryLanguage& entry : kPrimaryLanguages) {
    if (entry.primary == primary) return entry.language;
  }
  return L::wlEnglish;
}

void SetCurrentLanguage(TauAutoUpgraderLanguage language) { gCurrent = Resolved(language); }

TauAutoUpgraderLanguage CurrentLanguage() { return gCurrent; }

uint32_t LanguageTextId(TauAutoUpgraderLanguage language, int index) {
  if (index < 0 || index >= kLanguageTextCount) throw std::out_of_range("Update text index out of range");
  const uint32_t set = static_cast<uint32_t>(Resolved(language));
  return kFirstTextId + kIdsPerSet * (set - 1) + static_cast<uint32_t>(index);
}

std::wstring LanguageText(int index) { return LanguageText(CurrentLanguage(), index); }

std::wstring LanguageText(TauAutoUpgraderLanguage language, int index) {
  const uint32_t id = LanguageTextId(language, index);
  if (!gTexts) throw std::logic_error("The update texts are not connected to a string table");
  return gTexts->LoadText(id);
}

}  // namespace update
