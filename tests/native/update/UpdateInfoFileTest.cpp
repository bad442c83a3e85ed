#include <gtest/gtest.h>

#include "update/UpdateInfoFile.h"

using namespace update;

namespace {

TDateTime Date(int y, int m, int d) {
  TDateTime t = 0;
  EXPECT_TRUE(TryEncodeDate(y, m, d, t));
  return t;
}

RunningVersion ByNumber(const std::string& v) {
  return {TauAutoUpgraderVersionControl::byNumber, v, ""};
}

RunningVersion ByDate(const std::string& d) {
  return {TauAutoUpgraderVersionControl::byDate, "", d};
}

const TDateTime kToday = Date(2026, 12, 10);

}  // namespace

TEST(InfoKeyLookup, FindsKeysAnywhereWithoutRegardToCaseAndKeepsTheValueAsWritten) {
  std::string text =
      "Release notes for the launcher\r\n"
      "  see #VERSION=1.3 Beta \r\n"
      "#version=9.9\r\n"
      "#Url=http://host/Dir/File.EXE\tcomment\n"
      "#method=2xyz";
  EXPECT_EQ(FindInfoKey(text, "version"), "1.3 Beta ");  // first occurrence, blanks kept
  EXPECT_EQ(FindInfoKey(text, "url"), "http://host/Dir/File.EXE");  // ends at the tab
  EXPECT_EQ(FindInfoKey(text, "method"), "2xyz");  // runs to the end of the text
  EXPECT_EQ(FindInfoKey(text, "date"), "");
  EXPECT_EQ(InfoUpgradeMethod(text), TacUpgradeMethod::umRedirectToURL);
}

TEST(InfoKeyLookup, BracedMessageSpansLinesAndNeedsItsBraces) {
  EXPECT_EQ(FindInfoKey("#message={Line one\r\nLine two} #message={later}", "message", true),
            "Line one\r\nLine two");
  EXPECT_EQ(FindInfoKey("#message={runs to the end\r\n", "message", true), "runs to the end\r\n");
  EXPECT_EQ(FindInfoKey("#message=no braces\r\n", "message", true), "");
  // Bytes above 127 are text, not control characters.
  EXPECT_EQ(FindInfoKey("#url=http://h/\xE9t\xE9.zip\r\n", "url"), "http://h/\xE9t\xE9.zip");
}

TEST(InfoFileList, NumberingContinuesFromTheEntriesSoFarAndStopsAtAGap) {
  struct Case {
    const char* text;
    std::vector<std::string> files;
  } cases[] = {
      {"#url1=a\n#url2=b\n#url4=d\n", {"a", "b"}},
      {"#url=u\n#url1=a\n#url2=b\n", {"u", "b"}},
      {"#url0=z\n#url1=a\n#url2=b\n", {"z", "b"}},
      {"#url=u\n#url0=z\n#url2=b\n#url3=c\n", {"u", "z", "c"}},
      {"#url2=b\n", {}},
      {"#url=\n#url1=a\n", {"a"}},  // an empty value does not count
      {"#url1=a\n#url2=\n#url3=c\n", {"a"}},
  };
  for (const Case& c : cases) EXPECT_EQ(InfoFileList(c.text), c.files) << c.text;
}

TEST(VersionNumbers, CompareByNumberWithTextFallback) {
  struct Case {
    const char* server;
    const char* running;
    int expected;
  } cases[] = {
      {"1.10", "1.9", 1},         // numbers, not text
      {"1.2", "1.2.0", 0},        // missing parts are 0
      {"1.2", "1.2.0.0", 0},
      {"2.0.1.15", "2.0.1.9", 1},
      {"1.2.3.4.9", "1.2.3.4.1", 0},  // past the fourth part nothing counts
      {"1.0", "1.1", -1},
      {"1.3 ", "1.3", 1},         // "3 " is not a number: text comparison, longer is greater
      {"1.3 ", "1.4", -1},        // text: "1.3 " < "1.4"
      {"2.0 ", "1.9", 1},         // decided at the first pair, before the blank
      {"1.a", "1.b", -1},
      {"", "1.0", -1},            // empty first part: text comparison
      {"99999999999.0", "1.0", 1},  // too large to be a number: text
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompareVersionNumbers(c.server, c.running), c.expected) << c.server << " vs " << c.running;
}

TEST(InfoDates, MonthDayYearAsWrittenAndUnreadableMeansToday) {
  EXPECT_EQ(ParseInfoDate("11/30/2005", kToday), Date(2005, 11, 30));
  EXPECT_EQ(ParseInfoDate("1/2/05", kToday), Date(5, 1, 2));  // year taken as written
  for (const char* bad : {"", "11/30", "11-30-2005", "13/01/2005", "02/30/2005", "a/1/2005", "11/30/2005 "})
    EXPECT_EQ(ParseInfoDate(bad, kToday), kToday) << bad;
}

TEST(InfoParse, OneFileSelfUpgradeWhenNewer) {
  InfoParseResult r = ParseInfoFile("#version=1.3\r\n#url=http://h/lumenrig.exe\r\n#method=0\r\n", ByNumber("1.2"), kToday);
  EXPECT_TRUE(r.UpdateAvailable);
  EXPECT_EQ(r.FileList, std::vector<std::string>{"http://h/lumenrig.exe"});
  EXPECT_EQ(r.UpgradeMethod, TacUpgradeMethod::umSelfUpgrade);
  EXPECT_EQ(r.UpgradeMsg, "");
}

TEST(InfoParse, MessageAndMethodOnlyWithAnUpdate) {
  std::string text = "#VERSION=2.0\n#message={New demos\r\nand fixes}\n#method=1\n#url1=http://h/setup.exe\n";
  InfoParseResult r = ParseInfoFile(text, ByNumber("1.9"), kToday);
  EXPECT_TRUE(r.UpdateAvailable);
  EXPECT_EQ(r.UpgradeMsg, "New demos\r\nand fixes");
  EXPECT_EQ(r.UpgradeMethod, TacUpgradeMethod::umUseExternalSetup);

  InfoParseResult same = ParseInfoFile(text, ByNumber("2.0.0"), kToday);
  EXPECT_FALSE(same.UpdateAvailable);
  EXPECT_EQ(same.UpgradeMsg, "");
  EXPECT_EQ(same.UpgradeMethod, TacUpgradeMethod::umSelfUpgrade);
  EXPECT_EQ(same.FileList.size(), 1u);  // the list is still filled
}

TEST(InfoParse, NewerWithoutAnyFileOffersNothing) {
  EXPECT_FALSE(ParseInfoFile("#version=9.0\n#message={x}\n", ByNumber("1.0"), kToday).UpdateAvailable);
}

TEST(InfoParse, ByDateOnlyALaterDateIsNewer) {
  std::string text = "#date=12/01/2005\n#url=http://h/a.zip\n";
  EXPECT_TRUE(ParseInfoFile(text, ByDate("11/01/2005"), kToday).UpdateAvailable);
  EXPECT_FALSE(ParseInfoFile(text, ByDate("12/01/2005"), kToday).UpdateAvailable);
  // No date key counts as today, which is later than an old release.
  EXPECT_TRUE(ParseInfoFile("#url=http://h/a.zip\n", ByDate("11/01/2005"), kToday).UpdateAvailable);
  EXPECT_FALSE(ParseInfoFile("#url=http://h/a.zip\n", ByDate("bad"), kToday).UpdateAvailable);
}

TEST(InfoFileNames, LastSegmentOfTheAddress) {
  EXPECT_EQ(AddressFileName("http://h/dir/Lumenrig.exe"), "Lumenrig.exe");
  EXPECT_EQ(AddressFileName("http://h/a\\b/c.txt"), "c.txt");
  EXPECT_EQ(AddressFileName("plain.txt"), "plain.txt");
  EXPECT_EQ(AddressFileName("file:///C:/dir/data.bin"), "data.bin");
  // Names that only look like devices are ordinary files.
  EXPECT_EQ(AddressFileName("http://h/console.txt"), "console.txt");
  EXPECT_EQ(AddressFileName("http://h/COM10"), "COM10");
  EXPECT_EQ(AddressFileName("http://h/LPT.dll"), "LPT.dll");
  EXPECT_EQ(AddressFileName("http://h/.config"), ".config");
}

TEST(InfoFileNames, NamesWindowsWouldTakeForSomethingElseAreRefused) {
  const char* refused[] = {
      "http://h/dir/",                  // no name at all
      "http://h/Lumenrig.exe?v=2",      // the query is part of the last segment
      "http://h/a.exe:stream",          // an NTFS stream of a.exe
      "http://h/C:evil.exe",            // a drive-relative path
      "http://h/star*.exe", "http://h/a<b", "http://h/a>b", "http://h/a|b", "http://h/a\"b",
      "http://h/tab\tname", "http://h/line\nname",
      "http://h/CON", "http://h/con.txt", "http://h/Nul", "http://h/NUL .txt", "http://h/aux.tar.gz",
      "http://h/prn", "http://h/COM1", "http://h/lpt9.exe", "http://h/CONOUT$",
      "http://h/trailing.", "http://h/trailing ", "http://h/..",
  };
  for (const char* address : refused) EXPECT_EQ(AddressFileName(address), "") << address;
}

TEST(InfoFileNames, NamesWindowsCannotCreateOrThatMeanADeviceAreRefused) {
  for (const char* address :
       {"http://h/get.php?f=a", "http://h/a*b", "http://h/c:d", "http://h/a<b", "http://h/a>b", "http://h/a|b",
        "http://h/a\"b", "http://h/a\tb", "http://h/CON", "http://h/nul.txt", "http://h/Com1.dat", "http://h/lpt9",
        "http://h/aux .x", "http://h/name.", "http://h/name ", ""})
    EXPECT_EQ(AddressFileName(address), "") << address;
  for (const char* kept : {"console.exe", "com10.dat", "lpt.txt", "nul_ok", "CONFIG.SYS", ".hidden"})
    EXPECT_EQ(AddressFileName(std::string("http://h/") + kept), kept);
}

TEST(InfoMirror, DefaultsToASelfUpgradeWithoutFiles) {
  TauAutoUpgraderInfo info;
  EXPECT_TRUE(info.Files.empty());
  EXPECT_EQ(info.UpgradeMethod, TacUpgradeMethod::umSelfUpgrade);
  EXPECT_EQ(FormatVersionDate(2005, 11, 1), "11/01/2005");
}
