// The language sets as the resource compiler stored them in the exe, read back through
// LoadStringW: every text exactly as in the source files, whatever the system's code page.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/Win32Languages.h"
#include "update/auLanguageSets.h"
#include "update/auLanguages.h"

namespace {

using L = update::TauAutoUpgraderLanguage;

class LanguageStringTable : public ::testing::Test {
 protected:
  void SetUp() override { update::UseLanguageServices(table, user); }
  platform::Win32StringTable table;
  platform::Win32UserLanguage user;
};

TEST_F(LanguageStringTable, EveryTextOfEverySetComesBackExactlyAsTheSourceHasIt) {
  for (int set = 1; set <= update::kLanguageSetCount; ++set) {
    for (int index = 0; index < update::kLanguageTextCount; ++index) {
      EXPECT_EQ(update::LanguageText(static_cast<L>(set), index), update::LanguageSetText(set, index))
          << "set " << set << " text " << index;
    }
  }
}

TEST_F(LanguageStringTable, CyrillicAndChineseTextsArriveAsTheirOwnLetters) {
  // Written here in UTF-8 source, independently of the generated tables.
  EXPECT_EQ(update::LanguageText(L::wlRussian, 0), L"Мастер обновления программы");
  EXPECT_EQ(update::LanguageText(L::wlRussian, 29),
            L"Доступ к удалённому файлу \"%s\" защищён паролем.\n\nВведите имя пользователя и пароль "
            L"(полученные при регистрации), чтобы продолжить обновление программы.");
  EXPECT_EQ(update::LanguageText(L::wlChineseSimplified, 0), L"应用程序更新向导");
  EXPECT_EQ(update::LanguageText(L::wlChineseSimplified, 10), L"%s 的更新已成功完成。\r\r请按“确定”按钮重新启动程序。");
  EXPECT_EQ(update::LanguageText(L::wlChineseTraditional, 14), L"是(&Y)");
}

TEST_F(LanguageStringTable, AnIdWithoutTextGivesAnEmptyText) {
  EXPECT_EQ(table.LoadText(41031), L"");  // between the English and the Russian set
  EXPECT_EQ(table.LoadText(40999), L"");
}

}  // namespace
