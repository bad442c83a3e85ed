#pragma once
// The update component's texts: 27 language sets of 31 texts each in the program's string
// table, and the one current language of the whole process. Every window and message of the
// component takes its texts from here, so choosing a language in one place changes them all.
#include <cstdint>
#include <string>

#include "platform/Languages.h"
#include "update/auLanguageEnum.h"

namespace update {

constexpr int kLanguageSetCount = 27;
constexpr int kLanguageTextCount = 31;

// Connects the lookup to the string table and the user's language, and chooses the current
// language by detection. Called once at start-up, before any text is asked for (tests call it
// again to start afresh). Both objects must outlive every lookup.
void UseLanguageServices(platform::StringTable& texts, platform::UserLanguage& user);

// The language of a Windows language identifier: the sub-language decides between the two
// Portuguese and the two Chinese sets; a language without a set gives English.
TauAutoUpgraderLanguage DetectLanguage(uint16_t languageId);

// wlAuto runs the detection again; any other value becomes the current language.
void SetCurrentLanguage(TauAutoUpgraderLanguage language);
TauAutoUpgraderLanguage CurrentLanguage();

// The string table id of text `index` of a language's set: 41000 + 50 x (set - 1) + index.
uint32_t LanguageTextId(TauAutoUpgraderLanguage language, int index);

// Text `index` (0..30) of the current language, or of `language` (wlAuto: the detected one).
// An index outside 0..30 raises std::out_of_range.
std::wstring LanguageText(int index);
std::wstring LanguageText(TauAutoUpgraderLanguage language, int index);

}  // namespace update
