#pragma once
// The languages of the update component's windows and messages, in the order of their
// sets in the string table (set n = value n).
namespace update {
enum class TauAutoUpgraderLanguage {
  wlAuto, wlEnglish, wlRussian, wlGerman, wlFrench, wlSpanish, wlPortuguese, wlPortugueseBrazilian,
  wlItalian, wlDutch, wlDanish, wlSwedish, wlFinnish, wlEstonian, wlUkrainian, wlPolish, wlCzech,
  wlHungarian, wlRomanian, wlCatalan, wlBasque, wlAfrikaans, wlChineseTraditional, wlChineseSimplified,
  wlIndonesian, wlMalay, wlIcelandic, wlTurkish
};
}  // namespace update
