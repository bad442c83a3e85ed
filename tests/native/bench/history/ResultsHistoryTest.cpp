// The history in a results folder over the fake file system: files written after each run,
// and every fault that must lose nothing: a results.csv held open, one that is not ours or
// is damaged, a write cut short.
#include <gtest/gtest.h>

#include "bench/history/CsvText.h"
#include "bench/history/HistoryCsv.h"
#include "bench/history/ResultsHistory.h"
#include "fakes/FakeFileSystem.h"
#include "history/HistoryFacts.h"

using namespace bench::history;

namespace {

constexpr char kFolder[] = "C:\\Program Files\\Lumenrig\\Benchmark\\";
const platform::LocalTime kNow{2026, 12, 11, 9, 30, 5, 0, 5};

class ResultsHistoryTest : public ::testing::Test {
 protected:
  ResultsHistoryTest() { files.AddFolder(kFolder); }

  static std::string Path(const std::string& name) { return std::string(kFolder) + name; }
  static RunFacts Run(int n) {
    auto facts = historytest::TwoResolutionRun("2026-12-0" + std::to_string(n) + "T10:00:00", "run " + std::to_string(n));
    facts.ReportFile = "result_run" + std::to_string(n) + ".htm";
    return facts;
  }
  std::string Record(int n) {
    const RunFacts facts = Run(n);
    return RecordRun(files, kFolder, std::string(kFolder) + "\\" + facts.ReportFile, facts, kNow);
  }
  // The notes of each row in results.csv, in file order.
  std::vector<std::string> CsvNotes() {
    const HistoryText h = ReadHistory(files.Content(Path(kHistoryFile)));
    EXPECT_EQ(h.kind, HistoryKind::Ours);
    std::vector<std::string> notes;
    for (const auto& row : h.rows) notes.push_back(row[ColNote] + " " + row[ColWidth]);
    return notes;
  }
  std::string Page() { return files.Content(Path(kCompareFile)); }
  size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }

  FakeFileSystem files;
};

const std::vector<std::string> kTwoRuns{"run 1 640", "run 1 1280", "run 2 640", "run 2 1280"};

}  // namespace

TEST_F(ResultsHistoryTest, EachRunAddsItsRowsItsJsonAndRebuildsTheComparison) {
  EXPECT_EQ(Record(1), "");
  EXPECT_EQ(Record(2), "");
  const std::string csv = files.Content(Path(kHistoryFile));
  EXPECT_EQ(csv.compare(0, HistoryHeader().size(), HistoryHeader()), 0);
  EXPECT_EQ(Count(csv, "format_version"), 1u);  // the header once, at the top
  EXPECT_EQ(CsvNotes(), kTwoRuns);
  EXPECT_NE(files.Content(Path("result_run1.json")), "<missing>");
  EXPECT_NE(files.Content(Path("result_run2.json")), "<missing>");
  EXPECT_EQ(Count(Page(), "<div class=\"bar\""), 4u);
  EXPECT_FALSE(files.FileExists(Path(kPendingFile)));
}

TEST_F(ResultsHistoryTest, AHistoryHeldOpenKeepsTheRowsAsideUntilTheNextRunThatCanWrite) {
  EXPECT_EQ(Record(1), "");
  const std::string before = files.Content(Path(kHistoryFile));
  files.Lock(Path(kHistoryFile), true);

  EXPECT_EQ(Record(2), kHistoryLocked);
  EXPECT_EQ(files.Content(Path(kHistoryFile)), before);
  EXPECT_NE(files.Content(Path(kPendingFile)), "<missing>");
  EXPECT_NE(files.Content(Path("result_run2.json")), "<missing>");
  // The page shows the waiting rows too, and says why.
  EXPECT_EQ(Count(Page(), "<div class=\"bar\""), 4u);
  EXPECT_NE(Page().find("2 rows are shown from results.pending.csv"), std::string::npos);

  EXPECT_EQ(Record(3), kHistoryLocked);  // still open: told again at this run, once

  files.Lock(Path(kHistoryFile), false);
  EXPECT_EQ(Record(4), "");
  EXPECT_EQ(CsvNotes(), (std::vector<std::string>{"run 1 640", "run 1 1280", "run 2 640", "run 2 1280", "run 3 640",
                                                  "run 3 1280", "run 4 640", "run 4 1280"}));
  EXPECT_FALSE(files.FileExists(Path(kPendingFile)));
  EXPECT_EQ(Page().find("results.pending.csv"), std::string::npos);
}

TEST_F(ResultsHistoryTest, RowsThatWaitedAreNotAddedTwiceWhenTheirFileCouldNotBeRemoved) {
  Record(1);
  files.Lock(Path(kHistoryFile), true);
  Record(2);
  files.Lock(Path(kHistoryFile), false);
  files.HoldOpen(Path(kPendingFile), true);
  EXPECT_EQ(Record(3), "");
  EXPECT_TRUE(files.FileExists(Path(kPendingFile)));
  files.HoldOpen(Path(kPendingFile), false);
  EXPECT_EQ(Record(4), "");
  EXPECT_EQ(CsvNotes(), (std::vector<std::string>{"run 1 640", "run 1 1280", "run 2 640", "run 2 1280", "run 3 640",
                                                  "run 3 1280", "run 4 640", "run 4 1280"}));
}

TEST_F(ResultsHistoryTest, APendingFileThatCannotBeReadWholeIsKept) {
  Record(1);
  const std::string waiting = HistoryRowsText(HistoryRows(Run(2)));
  files.AddFile(Path(kPendingFile), waiting);
  files.MakeUnreadable(Path(kPendingFile));
  EXPECT_EQ(Record(3), "");
  EXPECT_EQ(files.Content(Path(kPendingFile)), waiting);  // left for a run that can read it

  FakeFileSystem fresh;
  files = fresh;
  files.AddFolder(kFolder);
  Record(1);
  files.AddFile(Path(kPendingFile), waiting + "something else\r\n");
  EXPECT_EQ(Record(3), "");
  EXPECT_EQ(CsvNotes(), (std::vector<std::string>{"run 1 640", "run 1 1280", "run 2 640", "run 2 1280", "run 3 640",
                                                  "run 3 1280"}));
  EXPECT_FALSE(files.FileExists(Path(kPendingFile)));
  EXPECT_EQ(files.Content(Path("results.pending-damaged.2026-12-11_09-30-05.csv")), waiting + "something else\r\n");
  EXPECT_NE(Page().find("results.pending-damaged.2026-12-11_09-30-05.csv"), std::string::npos);
}

TEST_F(ResultsHistoryTest, WhenNothingCanBeWrittenTheUserIsToldTheResultsAreInTheReportOnly) {
  Record(1);
  files.MakeUnwritable(Path(kHistoryFile));
  EXPECT_EQ(Record(2), kHistoryNotWritten);
  files.MakeUnwritable(Path(kPendingFile));
  EXPECT_EQ(Record(3), kHistoryNotKept);
  files.MakeUnwritable(Path(kCompareFile));
  files.MakeUnwritable(Path("result_run4.json"));
  EXPECT_EQ(Record(4), std::string("The run's data file could not be written:\r\n") + kFolder + "\\result_run4.json" +
                           "\r\n\r\n" + kHistoryNotKept +
                           "\r\n\r\nThe comparison page could not be written:\r\n" + kFolder + "compare.htm");
}

TEST_F(ResultsHistoryTest, AFileThatIsNotOursOrIsDamagedIsKeptUnderADatedNameAndANewOneStarted) {
  const struct {
    const char* what;
    std::string bytes;
    const char* keptAs;
    const char* pageSays;
  } cases[] = {
      {"another program's table", "Date;FPS\r\n2026-01-01;60\r\n", "results.not-ours.2026-12-11_09-30-05.csv",
       "was not a results history of this program"},
      {"ours, with a row no run wrote", HistoryHeader() + "1,x\r\n7,bad\r\n", "results.damaged.2026-12-11_09-30-05.csv",
       "could not be read as a whole"},
  };
  for (const auto& c : cases) {
    FakeFileSystem fresh;
    files = fresh;
    files.AddFolder(kFolder);
    files.AddFile(Path(kHistoryFile), c.bytes);
    EXPECT_EQ(Record(1), "") << c.what;
    EXPECT_EQ(files.Content(Path(c.keptAs)), c.bytes) << c.what;
    EXPECT_EQ(CsvNotes(), (std::vector<std::string>{"run 1 640", "run 1 1280"})) << c.what;
    EXPECT_NE(Page().find(std::string(c.keptAs)), std::string::npos) << c.what;
    EXPECT_NE(Page().find(c.pageSays), std::string::npos) << c.what;
    // A second run on the same second does not overwrite the first file kept aside.
    files.AddFile(Path(kHistoryFile), c.bytes);
    EXPECT_EQ(Record(2), "") << c.what;
    EXPECT_EQ(files.Content(Path(c.keptAs)), c.bytes) << c.what;
    const std::string second = std::string(c.keptAs).replace(std::string(c.keptAs).size() - 4, 4, "-2.csv");
    EXPECT_EQ(files.Content(Path(second)), c.bytes) << c.what;
  }
}

TEST_F(ResultsHistoryTest, AForeignFileHeldOpenIsLeftAloneAndTheRowsWait) {
  files.AddFile(Path(kHistoryFile), "Date;FPS\r\n");
  files.Lock(Path(kHistoryFile), true);
  EXPECT_EQ(Record(1), kHistoryLocked);
  EXPECT_EQ(files.Content(Path(kHistoryFile)), "Date;FPS\r\n");
  EXPECT_NE(Page().find("results.csv is not a results history of this program"), std::string::npos);
  files.Lock(Path(kHistoryFile), false);
  EXPECT_EQ(Record(2), "");
  EXPECT_EQ(files.Content(Path("results.not-ours.2026-12-11_09-30-05.csv")), "Date;FPS\r\n");
  EXPECT_EQ(CsvNotes(), kTwoRuns);
}

TEST_F(ResultsHistoryTest, ARunKilledDuringItsWriteLeavesNoHalfRowInTheComparison) {
  Record(1);
  // What a kill in the middle of the next write could leave: part of a row, cut inside
  // its quoted note.
  const std::string row =
      HistoryRowsText({HistoryRows(historytest::TwoResolutionRun("2026-12-05T10:00:00", "x, \"y\""))[0]});
  files.AddFile(Path(kHistoryFile), files.Content(Path(kHistoryFile)) + row.substr(0, row.size() - 6));

  EXPECT_EQ(Record(3), "");
  EXPECT_EQ(CsvNotes(), (std::vector<std::string>{"run 1 640", "run 1 1280", "run 3 640", "run 3 1280"}));
  EXPECT_EQ(Count(Page(), "<div class=\"bar\""), 4u);
  EXPECT_NE(Page().find("1 row was left out: a write of the history was interrupted"), std::string::npos);
  // The cut row is still in the file, closed off for good.
  EXPECT_EQ(Record(4), "");
  EXPECT_EQ(ReadHistory(files.Content(Path(kHistoryFile))).incompleteRows, 1);
  EXPECT_EQ(CsvNotes().size(), 6u);
}

TEST_F(ResultsHistoryTest, AWriteThatFailsHalfWayKeepsTheRunsRowsForTheNextRun) {
  Record(1);
  files.CutAppendAfter(Path(kHistoryFile), 150);  // in the middle of run 2's first row
  EXPECT_EQ(Record(2), kHistoryNotWritten);
  EXPECT_EQ(Record(3), "");
  EXPECT_EQ(CsvNotes(), (std::vector<std::string>{"run 1 640", "run 1 1280", "run 2 640", "run 2 1280", "run 3 640",
                                                  "run 3 1280"}));
  EXPECT_NE(Page().find("1 row was left out"), std::string::npos);
}

TEST_F(ResultsHistoryTest, ADriveRootHoldsTheFilesDirectly) {
  files.AddFolder("D:\\");
  const RunFacts facts = Run(1);
  EXPECT_EQ(RecordRun(files, "D:\\", "D:\\result_run1.htm", facts, kNow), "");
  EXPECT_TRUE(files.FileExists("D:\\results.csv"));
  EXPECT_TRUE(files.FileExists("D:\\compare.htm"));
  EXPECT_TRUE(files.FileExists("D:\\result_run1.json"));
}
