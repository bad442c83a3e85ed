// A run that saved its report brings the results history beside it up to date; a history
// that cannot be written costs neither the report nor the user's configuration.
#include "RunControllerFixture.h"
#include "bench/history/HistoryCsv.h"
#include "bench/history/ResultsHistory.h"

using namespace bench;

namespace {

std::string InResults(const std::string& name) { return std::string(RunWorld::kResults) + name; }

std::vector<std::string> CsvRows(FakeFileSystem& files) {
  const auto history = history::ReadHistory(files.Content(InResults("results.csv")));
  std::vector<std::string> rows;
  for (const auto& row : history.rows)
    rows.push_back(row[history::ColStarted] + " " + row[history::ColWidth] + "x" + row[history::ColHeight] + " " +
                   row[history::ColFrameRate] + " " + row[history::ColScore]);
  return rows;
}

}  // namespace

TEST_F(RunControllerTest, ASavedReportGetsItsRowsItsJsonAndTheComparisonBesideIt) {
  form->AddInfoBox.SetChecked(true);
  os.registry.SetString(HKLM, settings::SettingsStore::kKeyPath, "VGA", "Card name: RADEON X800");
  os.registry.SetString(HKLM, settings::SettingsStore::kKeyPath, "VGA Driver", "Driver Version: 6.14.10.6525");
  form->NoteEdit.SetText("caf\xE9 <b>hot</b>");
  Check({0, 2});
  Click();
  GameEnds("61.7349");
  GameEnds("45.1");

  EXPECT_EQ(CsvRows(os.files), (std::vector<std::string>{"2026-12-10T14:05:09 640x480 61.7349 61.73",
                                                        // the score is the report's five characters, tab included
                                                        "2026-12-10T14:05:09 1024x768 45.1 45.1\t"}));
  const auto row = history::ReadHistory(os.files.Content(InResults("results.csv"))).rows.at(0);
  EXPECT_EQ(row[history::ColReportFile], "result_12_10_2026_2_05_09_PM.htm");
  EXPECT_EQ(row[history::ColVGA], "Card name: RADEON X800");
  EXPECT_EQ(row[history::ColOS], "");
  EXPECT_EQ(row[history::ColNote], "caf\xC3\xA9 <b>hot</b>");
  EXPECT_EQ(row[history::ColShaderModel], "1.1");
  EXPECT_NE(os.files.Content(InResults("\\result_12_10_2026_2_05_09_PM.json")).find("\"frameRateText\": \"61.7349\""),
            std::string::npos);
  EXPECT_NE(os.files.Content(InResults("compare.htm")).find("caf\xC3\xA9 &lt;b&gt;hot&lt;/b&gt;"), std::string::npos);
  // The report itself is as it always was: ANSI, the note unescaped.
  EXPECT_NE(os.files.Content(InResults("\\result_12_10_2026_2_05_09_PM.htm")).find("caf\xE9 <b>hot</b></FONT>"),
            std::string::npos);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(RunControllerTest, AHistoryHeldOpenIsToldOnceAfterTheReportOpenedAndCaughtUpNextTime) {
  Check({0});
  Click();
  GameEnds("61.73");
  os.files.Lock(InResults("results.csv"), true);

  size_t openedAtBox = 0;
  os.messages.onShow = [&](const ShownMessage&) { openedAtBox = os.shell.opened.size(); };
  os.clock.now.day = 11;
  Click();
  GameEnds("62.5");
  EXPECT_EQ(Boxes(), std::vector<std::string>{history::kHistoryLocked});
  EXPECT_EQ(openedAtBox, 2u);  // the second report was already open
  EXPECT_TRUE(os.files.FileExists(InResults("\\result_12_11_2026_2_05_09_PM.htm")));
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_EQ(Flag(), "0");
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_EQ(CsvRows(os.files).size(), 1u);

  os.files.Lock(InResults("results.csv"), false);
  os.clock.now.day = 12;
  Click();
  GameEnds("63.0");
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(CsvRows(os.files), (std::vector<std::string>{"2026-12-10T14:05:09 640x480 61.73 61.73",
                                                        "2026-12-11T14:05:09 640x480 62.5 62.5\t",
                                                        "2026-12-12T14:05:09 640x480 63.0 63.0\t"}));
}

TEST_F(RunControllerTest, ARunThatSavedNoReportLeavesTheHistoryAlone) {
  Check({0, 1});
  Click();
  GameEnds("61.73");
  GameEnds("");
  EXPECT_FALSE(os.files.FileExists(InResults("results.csv")));
  EXPECT_FALSE(os.files.FileExists(InResults("compare.htm")));
  EXPECT_TRUE(os.files.ListFiles(kResults, "*.json").empty());
}
