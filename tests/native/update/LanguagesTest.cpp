// The language lookup: detection from the user's language, the one current language of the
// process, and the string table ids it reads.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "fakes/FakeLanguages.h"
#include "update/auLanguageSets.h"
#include "update/auLanguages.h"

namespace {

using update::TauAutoUpgraderLanguage;
using L = TauAutoUpgraderLanguage;

class Languages : public ::testing::Test {
 protected:
  void Connect(uint16_t languageId) {
    user.languageId = languageId;
    update::UseLanguageServices(table, user);
  }
  fakes::FakeStringTable table = fakes::FakeStringTable::WithLanguageSets();
  fakes::FakeUserLanguage user;
};

TEST(LanguageDetection, MapsEveryLanguageOfASetAndGivesEnglishForTheRest) {
  struct Case { uint16_t id; L language; const char* name; };
  const Case cases[] = {
      {0x0409, L::wlEnglish, "English (United States)"},  {0x0809, L::wlEnglish, "English (United Kingdom)"},
      {0x0419, L::wlRussian, "Russian"},                   {0x0407, L::wlGerman, "German"},
      {0x0807, L::wlGerman, "German (Switzerland)"},       {0x040C, L::wlFrench, "French"},
      {0x0C0C, L::wlFrench, "French (Canada)"},            {0x0C0A, L::wlSpanish, "Spanish (modern sort)"},
      {0x0816, L::wlPortuguese, "Portuguese (Portugal)"},  {0x0416, L::wlPortugueseBrazilian, "Portuguese (Brazil)"},
      {0x0410, L::wlItalian, "Italian"},                   {0x0413, L::wlDutch, "Dutch"},
      {0x0813, L::wlDutch, "Dutch (Belgium)"},             {0x0406, L::wlDanish, "Danish"},
      {0x041D, L::wlSwedish, "Swedish"},                   {0x040B, L::wlFinnish, "Finnish"},
      {0x0425, L::wlEstonian, "Estonian"},                 {0x0422, L::wlUkrainian, "Ukrainian"},
      {0x0415, L::wlPolish, "Polish"},                     {0x0405, L::wlCzech, "Czech"},
      {0x040E, L::wlHungarian, "Hungarian"},               {0x0418, L::wlRomanian, "Romanian"},
      {0x0403, L::wlCatalan, "Catalan"},                   {0x042D, L::wlBasque, "Basque"},
      {0x0436, L::wlAfrikaans, "Afrikaans"},               {0x0404, L::wlChineseTraditional, "Chinese (Taiwan)"},
      {0x0C04, L::wlChineseTraditional, "Chinese (Hong Kong)"},
      {0x0804, L::wlChineseSimplified, "Chinese (PRC)"},   {0x0421, L::wlIndonesian, "Indonesian"},
      {0x043E, L::wlMalay, "Malay (Malaysia)"},            {0x083E, L::wlMalay, "Malay (Brunei)"},
      {0x040F, L::wlIcelandic, "Icelandic"},               {0x041F, L::wlTurkish, "Turkish"},
      // Languages without a set of their own.
      {0x0411, L::wlEnglish, "Japanese"},                  {0x0408, L::wlEnglish, "Greek"},
      {0x0402, L::wlEnglish, "Bulgarian"},                 {0x0000, L::wlEnglish, "neutral"},
      // Only the low 10 bits are the language, whatever the sub-language above them.
      {0x1C09, L::wlEnglish, "English (South Africa)"},    {0x0436 | 0xFC00, L::wlAfrikaans, "Afrikaans, odd sub-language"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(update::DetectLanguage(c.id), c.language) << c.name << " 0x" << std::hex << c.id;
  }
}

TEST_F(Languages, StartUpChoosesTheUsersLanguageAndEveryTextFollowsIt) {
  Connect(0x0416);  // Portuguese (Brazil)
  EXPECT_EQ(update::CurrentLanguage(), L::wlPortugueseBrazilian);
  EXPECT_EQ(update::LanguageText(13), L"Senha");
  EXPECT_EQ(table.asked.back(), 41000u + 50 * 6 + 13);

  Connect(0x0411);  // Japanese has no set
  EXPECT_EQ(update::CurrentLanguage(), L::wlEnglish);
  EXPECT_EQ(update::LanguageText(13), L"Password");
}

TEST_F(Languages, ChoosingALanguageInOnePlaceChangesTheTextsOfTheWholeProcess) {
  Connect(0x0409);
  update::SetCurrentLanguage(L::wlGerman);
  // Another thread (as another part of the program) sees the choice without being told.
  std::wstring seenElsewhere;
  L languageElsewhere = L::wlAuto;
  std::thread other([&] {
    languageElsewhere = update::CurrentLanguage();
    seenElsewhere = update::LanguageText(17);
  });
  other.join();
  EXPECT_EQ(languageElsewhere, L::wlGerman);
  EXPECT_EQ(seenElsewhere, L"&Abbrechen");
  for (int index = 0; index < update::kLanguageTextCount; ++index) {
    EXPECT_EQ(update::LanguageText(index), update::LanguageSetText(3, index)) << index;
  }

  // wlAuto asks the system again: the user's language has changed since start-up.
  user.languageId = 0x0804;
  update::SetCurrentLanguage(L::wlAuto);
  EXPECT_EQ(update::CurrentLanguage(), L::wlChineseSimplified);
  EXPECT_EQ(update::LanguageText(11), L"\u8f93\u5165\u5bc6\u7801");  // 输入密码
}

TEST_F(Languages, ATextOfAGivenLanguageLeavesTheCurrentOneAlone) {
  Connect(0x0419);
  EXPECT_EQ(update::LanguageText(L::wlTurkish, 21), L"Hata");
  EXPECT_EQ(update::LanguageText(L::wlAuto, 21), L"\u041e\u0448\u0438\u0431\u043a\u0430");  // Ошибка
  EXPECT_EQ(update::CurrentLanguage(), L::wlRussian);
}

TEST_F(Languages, TextIdsFollowTheStringTableLayout) {
  Connect(0x0419);
  struct Case { L language; int index; uint32_t id; };
  const Case cases[] = {
      {L::wlEnglish, 0, 41000},  {L::wlEnglish, 30, 41030}, {L::wlRussian, 0, 41050},
      {L::wlGerman, 17, 41117},  {L::wlTurkish, 30, 42330}, {L::wlAuto, 5, 41055},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(update::LanguageTextId(c.language, c.index), c.id) << static_cast<int>(c.language) << "/" << c.index;
  }
  for (int bad : {-1, 31, 50}) {
    EXPECT_THROW(update::LanguageText(bad), std::out_of_range) << bad;
    EXPECT_THROW(update::LanguageTextId(L::wlEnglish, bad), std::out_of_range) << bad;
  }
  EXPECT_THROW(update::SetCurrentLanguage(static_cast<L>(28)), std::out_of_range);
  EXPECT_EQ(update::CurrentLanguage(), L::wlRussian);
}

}  // namespace
