// The 27 language sets as the build made them from resources/languages: complete, and each a
// translation that keeps the English set's placeholders, line breaks and accelerators.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/auLanguageSets.h"
#include "update/auLanguages.h"

namespace {

using update::LanguageSetText;

std::string Narrow(const std::wstring& w) {  // for failure messages; ASCII is enough there
  std::string s;
  for (wchar_t c : w) s += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  return s;
}

// The printf placeholders of a text in order, as written ("%s", "%.1f", "%.2d", "%%").
std::vector<std::wstring> Placeholders(const std::wstring& text) {
  std::vector<std::wstring> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    size_t end = i + 1;
    while (end < text.size() && std::wstring(L"-+ #0123456789.hlL").find(text[end]) != std::wstring::npos) ++end;
    if (end < text.size()) ++end;  // the conversion
    found.push_back(text.substr(i, end - i));
    i = end - 1;
  }
  return found;
}

// The carriage returns and line feeds of a text in order.
std::wstring LineBreaks(const std::wstring& text) {
  std::wstring breaks;
  for (wchar_t c : text) {
    if (c == L'\r' || c == L'\n') breaks += c;
  }
  return breaks;
}

// Why a translated text does not fit its English original; empty when it does.
std::string Mismatch(const std::wstring& english, const std::wstring& text, int index) {
  if (text.empty()) return "empty";
  if (Placeholders(text) != Placeholders(english)) return "placeholders differ from English";
  if (LineBreaks(text) != LineBreaks(english)) return "line breaks differ from English";
  const bool button = index >= 14 && index <= 19;
  const size_t amp = text.find(L'&');
  if (button && (amp == std::wstring::npos || amp + 1 >= text.size() || text[amp + 1] == L' ' ||
                 text.find(L'&', amp + 1) != std::wstring::npos)) {
    return "a button text needs exactly one accelerator";
  }
  if (!button && amp != std::wstring::npos) return "only button texts carry an accelerator";
  return "";
}

TEST(LanguageSets, EverySetHasAllTextsWithTheEnglishPlaceholdersLineBreaksAndAccelerators) {
  for (int set = 1; set <= update::kLanguageSetCount; ++set) {
    for (int index = 0; index < update::kLanguageTextCount; ++index) {
      const wchar_t* text = LanguageSetText(set, index);
      ASSERT_NE(text, nullptr) << "set " << set << " text " << index;
      EXPECT_EQ(Mismatch(LanguageSetText(1, index), text, index), "")
          << "set " << set << " text " << index << ": \"" << Narrow(text) << "\"";
    }
  }
  EXPECT_EQ(LanguageSetText(0, 0), nullptr);
  EXPECT_EQ(LanguageSetText(28, 0), nullptr);
  EXPECT_EQ(LanguageSetText(1, 31), nullptr);
}

TEST(LanguageSets, TheCheckRejectsTheMistakesATranslationCanMake) {
  const std::wstring english = LanguageSetText(1, 8);  // "Estimated time left: %d:%.2d:%.2d"
  EXPECT_EQ(Mismatch(english, L"Restzeit: %d:%.2d:%.2d", 8), "");
  EXPECT_NE(Mismatch(english, L"Restzeit: %d:%d:%d", 8), "");        // precision lost
  EXPECT_NE(Mismatch(english, L"Restzeit: %d:%.2d", 8), "");         // one missing
  EXPECT_NE(Mismatch(english, L"", 8), "");
  const std::wstring question = LanguageSetText(1, 23);  // "%s ...\n%s\n..."
  EXPECT_NE(Mismatch(question, L"%s\n%d\nfrage", 23), "");           // another conversion
  EXPECT_NE(Mismatch(question, L"%s\r\n%s\r\nfrage", 23), "");       // other line breaks
  EXPECT_NE(Mismatch(question, L"%s %s\nfrage", 23), "");            // one break lost
  EXPECT_NE(Mismatch(LanguageSetText(1, 14), L"Ja", 14), "");        // no accelerator
  EXPECT_NE(Mismatch(LanguageSetText(1, 14), L"&J&a", 14), "");      // two
  EXPECT_NE(Mismatch(LanguageSetText(1, 0), L"Update & Co", 0), "");  // "&" outside a button
}

TEST(LanguageSets, EnglishIsExactlyTheComponentsTextsWithItsControlCharactersAndQuotes) {
  struct Case { int index; const wchar_t* text; };
  const Case cases[] = {
      {0, L"Application update wizard"},
      {8, L"Estimated time left: %d:%.2d:%.2d"},
      {10, L"The update of %s has been successfully completed.\r\rPress the OK button to restart program."},
      {18, L"&Next >"},
      {22, L"Preparing. . ."},
      {23, L"A newer version of %s was released.\n%s\nDo you want to update your version with the latest one?"},
      {25, L"File which contains upgrade information was not found on developer's site."},
      {29, L"Access to remote file \"%s\" is password protected.\n\nPlease enter your username and password "
           L"(received after registration) to continue software upgrade."},
      {30, L"Connection with remote server lost.\r\rPlease restore connection and try to\rupgrade this "
           L"software again later."},
  };
  for (const Case& c : cases) EXPECT_EQ(std::wstring(LanguageSetText(1, c.index)), c.text) << c.index;
}

TEST(LanguageSets, TheSentencesOfEveryOtherSetAreTranslated) {
  // Short words such as "Error" or "&OK" may be the same in a language; a whole sentence left
  // in English is a set that was copied and not translated.
  for (int set = 2; set <= update::kLanguageSetCount; ++set) {
    for (int index : {1, 10, 23, 24, 25, 26, 27, 28, 29, 30}) {
      EXPECT_NE(std::wstring(LanguageSetText(set, index)), LanguageSetText(1, index))
          << "set " << set << " text " << index;
    }
  }
}

TEST(LanguageSets, NonAsciiLettersArriveAsTheirCodePoints) {
  // The first letters of the Russian, Chinese and German wizard captions.
  EXPECT_EQ(LanguageSetText(2, 0)[0], L'\u041c');   // М
  EXPECT_EQ(LanguageSetText(23, 0)[0], L'\u5e94');  // 应
  EXPECT_EQ(std::wstring(LanguageSetText(3, 19)), L"&Sp\u00e4ter");
}

}  // namespace
