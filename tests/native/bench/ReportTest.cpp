#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "BenchFixture.h"
#include "bench/BenchErrors.h"
#include "bench/Report.h"
#include "fakes/FakeDateTimeText.h"

using namespace bench;

namespace {

std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(LUMENRIG_FIXTURES_DIR) + "/bench/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const HardwareValues kHardware{"Windows XP Professional", "AMD Athlon 64 3200+", "1024MB RAM", "RADEON X800 XT",
                               "256.0 MB", "6.14.10.6575"};

RunOptions SomeOptions() { return CaptureRunOptions(RunOptionControls{2, true, false, true, false, true}); }

std::vector<std::string> Head(bool addInfo, const HardwareValues& hw, const std::string& note) {
  std::vector<std::string> lines;
  BeginReport(lines, "12/10/2026 2:05:09 PM", addInfo, hw, note);
  return lines;
}

}  // namespace

TEST(ReportStamp, FileTextReplacesSeparatorsAndBlanks) {
  EXPECT_EQ(StampFileText("11/21/2005 2:05:33 PM"), "11_21_2005_2_05_33_PM");
  EXPECT_EQ(StampFileText("21.11.2005 14:05:33"), "21_11_2005_14_05_33");
  EXPECT_EQ(StampFileText("2005-11-21 14:05:33"), "2005_11_21_14_05_33");
  EXPECT_EQ(StampFileText("21\\11\\2005 14:05:33"), "21_11_2005_14_05_33");
}

TEST(ReportStamp, TakesBothTextsFromTheClockInTheUsersFormat) {
  FakeClock clock;
  clock.now = {2005, 11, 21, 14, 5, 33, 0, 1};
  FakeDateTimeText format;
  ReportStamp stamp = TakeReportStamp(clock, format);
  EXPECT_EQ(stamp.StampText, "11/21/2005 2:05:33 PM");
  EXPECT_EQ(stamp.StampFile, "11_21_2005_2_05_33_PM");
}

TEST(ReportHead, WithoutAdditionalInformationTheStartLineFollowsTheTitle) {
  auto lines = Head(false, kHardware, "");
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[19], "<p align=\"center\" class=\"style7\">Splinter Cell Chaos Theory Benchmark</p><br>");
  EXPECT_EQ(lines[20], "   <FONT size=2>The benchmark started at 12/10/2026 2:05:09 PM</FONT><br>");
  EXPECT_EQ(lines[21], "<hr>");  // an empty note leaves only the rule
}

TEST(ReportHead, HardwareLinesAppearOnlyForStoredValues) {
  const std::string prefix = "   <FONT size=2>";
  auto full = Head(true, kHardware, "");
  std::vector<std::string> system(full.begin() + 20, full.begin() + 27);
  EXPECT_EQ(system, (std::vector<std::string>{"<p align=\"left\" class=\"style4\">System</p>",
                                              prefix + "Windows XP Professional</FONT><br>",
                                              prefix + "AMD Athlon 64 3200+</FONT><br>",
                                              prefix + "1024MB RAM</FONT><br>", prefix + "RADEON X800 XT</FONT><br>",
                                              prefix + "256.0 MB</FONT><br>",
                                              prefix + "6.14.10.6575</FONT><br><br>"}));

  // Nothing stored: no heading and no hardware line.
  EXPECT_EQ(Head(true, HardwareValues{}, ""), Head(false, kHardware, ""));

  // The heading hangs on "OS" alone.
  HardwareValues noOs = kHardware;
  noOs.OS.clear();
  noOs.Memory.clear();
  auto lines = Head(true, noOs, "");
  EXPECT_EQ(lines[20], prefix + "AMD Athlon 64 3200+</FONT><br>");
  EXPECT_EQ(lines[21], prefix + "RADEON X800 XT</FONT><br>");
  EXPECT_EQ(lines.size(), 22u + 4u);
}

TEST(ReportHead, TheNoteGoesInUnescaped) {
  auto lines = Head(false, kHardware, "<b>OC</b> & \"fast\"");
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[21], "<FONT size=2><span class=\"style6\">Comment:</span> <b>OC</b> & \"fast\"</FONT><br>");
}

TEST(ReportHead, ReadsTheSixValuesByTheirStoredNames) {
  std::map<std::string, std::string> store{{"OS", "a"}, {"CPU", "b"}, {"Memory", "c"},
                                           {"VGA", "d"}, {"VGA Memory", "e"}, {"VGA Driver", "f"}};
  HardwareValues hw = ReadHardwareValues([&](const std::string& name) { return store[name]; });
  EXPECT_EQ(hw.OS + hw.CPU + hw.Memory + hw.VGA + hw.VGAMemory + hw.VGADriver, "abcdef");
}

TEST(ResultScore, IsTheFirstFiveCharactersOfTheThirdLine) {
  struct Case {
    const char* text;
    bool ok;
    const char* score;
  } cases[] = {
      {"head\r\nnames\r\n123.456\t1\t2\r\n", true, "123.4"},
      {"head\r\nnames\r\n45.12\t9\r\n", true, "45.12"},
      {"head\r\nnames\r\n87.3", true, "87.3"},
      {"head\nnames\n61.25 fps\n", true, "61.25"},
      {"head\rnames\r99.99999\r", true, "99.99"},
      {"head\r\nnames\r\n\r\nlater\r\n", true, ""},
      {"head\r\nnames\r\n", false, ""},
      {"", false, ""},
  };
  for (const auto& c : cases) {
    std::string score;
    EXPECT_EQ(ScoreFromResult(c.text, score), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(score, c.score) << c.text;
    }
  }
}

class CollectTest : public BenchFixture {
 protected:
  std::string Collect(int step) {
    return AddResolutionResult(lines, StepAt(step), SomeOptions(), demo, systemFolder, fake.files, fileOp, fake.clock);
  }
  std::vector<std::string> lines{"head"};
  DemoChoice demo{"01_Lighthouse", "01_Lighthouse.dem"};
};

TEST_F(CollectTest, AResultFileGivesItsSectionThroughACopy) {
  fake.files.AddFile(systemFolder + "TimeDemoResult.xls", "a\r\nb\r\n57.913\t30\t80\r\n");
  fake.files.AddFile(systemFolder + "TimeDemoResult.txt", "stale");
  EXPECT_EQ(Collect(3), "57.91");
  EXPECT_EQ(fake.files.Content(systemFolder + "TimeDemoResult.txt"), "a\r\nb\r\n57.913\t30\t80\r\n");
  EXPECT_EQ(fake.clock.waits, (std::vector<uint32_t>{500}));
  ASSERT_EQ(fake.shellFiles.requests.size(), 1u);
  EXPECT_EQ(fake.shellFiles.requests[0].function, platform::FoCopy);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "head", "<BR><B><FONT size=5>Resolution: 1280\xD7" "1024</FONT></B><BR>",
                       "Demo: 01_Lighthouse.dem<br>", "Shader Model Type: 3.0<br>", "Parallax Mapping: Enabled<br>",
                       "HQ Soft Shadows: Disabled<br>", "HDR: Enabled<br>", "ToneMapping: Disabled<br>",
                       "Hardware Shadow Mapping: Enabled<br>",
                       "<span class=\"style5\"><b>Score = 57.91 FPS</b></span><br>", "<br><HR>"}));
}

TEST_F(CollectTest, NoUsableResultGivesNoSectionAndAnEmptyScore) {
  EXPECT_EQ(Collect(0), "");  // no result file at all
  EXPECT_TRUE(fake.shellFiles.requests.empty());

  fake.files.AddFile(systemFolder + "TimeDemoResult.xls", "only\r\ntwo lines\r\n");
  EXPECT_EQ(Collect(0), "");

  fake.files.AddFile(systemFolder + "TimeDemoResult.xls", "a\r\nb\r\n60.0\r\n");
  fake.files.MakeUnreadable(systemFolder + "TimeDemoResult.txt");
  EXPECT_EQ(Collect(0), "");

  fake.shellFiles.failWithCode = 32;  // the copy never arrives
  fake.files.RemoveFile(systemFolder + "TimeDemoResult.txt");
  EXPECT_EQ(Collect(0), "");

  EXPECT_EQ(lines, std::vector<std::string>{"head"});
}

class EndReportTest : public BenchFixture {
 protected:
  std::vector<std::string> lines{"<html>"};
};

TEST_F(EndReportTest, WithoutALastScoreNothingIsSavedOrOpened) {
  const std::string folder = programFolder + "Benchmark\\";
  EXPECT_FALSE(EndReport(lines, "stamp", folder, "", fake.files, fake.shell));
  EXPECT_EQ(lines.size(), 5u);  // the footer is there all the same
  EXPECT_EQ(fake.files.ListFiles(folder, "*").size(), 0u);
  EXPECT_TRUE(fake.shell.opened.empty());
}

TEST_F(EndReportTest, IsSavedWithCrLfAndOpenedThroughTheShell) {
  const std::string folder = programFolder + "Benchmark\\";
  EXPECT_TRUE(EndReport(lines, "12_10_2026_2_05_09_PM", folder, "61.2", fake.files, fake.shell));
  const std::string path = folder + "\\result_12_10_2026_2_05_09_PM.htm";
  EXPECT_EQ(fake.files.Content(path), ReportBytes(lines));
  EXPECT_EQ(ReportBytes({"a", "", "b\xD7"}), "a\r\n\r\nb\xD7\r\n");
  ASSERT_EQ(fake.shell.opened.size(), 1u);
  EXPECT_EQ(fake.shell.opened[0].verb, "open");
  EXPECT_EQ(fake.shell.opened[0].file, path);
  EXPECT_EQ(fake.shell.opened[0].parameters, "");
  EXPECT_EQ(fake.shell.opened[0].directory, "");
  EXPECT_EQ(fake.shell.opened[0].showCommand, platform::SwShowNormal);
}

TEST(ReportPathRule, DriveRootsTakeNoExtraSeparator) {
  EXPECT_EQ(ReportPath("C:\\", "s"), "C:\\result_s.htm");
  EXPECT_EQ(ReportPath("D:", "s"), "D:result_s.htm");
  EXPECT_EQ(ReportPath("C:\\Runs\\", "s"), "C:\\Runs\\\\result_s.htm");
  EXPECT_EQ(ReportPath("C:\\Runs", "s"), "C:\\Runs\\result_s.htm");
}

TEST_F(EndReportTest, AMissingResultsFolderIsCreatedWithItsParents) {
  const std::string folder = "D:\\Bench\\Results\\2026\\";
  EXPECT_TRUE(EndReport(lines, "s", folder, "61.2", fake.files, fake.shell));
  EXPECT_TRUE(fake.files.FileExists(folder + "result_s.htm"));
}

TEST_F(EndReportTest, AReportThatCannotBeSavedNamesItsPathAndOpensNothing) {
  const std::string folder = programFolder + "Benchmark\\";
  fake.files.MakeUnwritable(folder + "\\result_s.htm");
  try {
    EndReport(lines, "s", folder, "61.2", fake.files, fake.shell);
    FAIL() << "no error";
  } catch (const EBenchFileError& e) {
    EXPECT_EQ(e.kind, EBenchFileError::Kind::ReportSave);
    EXPECT_EQ(e.path, folder + "\\result_s.htm");
    EXPECT_NE(e.Message().find(e.path), std::string::npos);
  }
  EXPECT_TRUE(fake.shell.opened.empty());
}

// A whole report over 640 x 480 and 1280 x 1024, byte for byte as it lands on disk.
TEST_F(EndReportTest, TwoResolutionsGiveTheExpectedFile) {
  std::vector<std::string> report;
  BeginReport(report, "11/21/2005 2:05:33 PM", true, kHardware, "Stock clocks");
  const DemoChoice demo{"01_Lighthouse", "01_Lighthouse.dem"};
  const RunOptions options = SomeOptions();
  fake.files.AddFile(systemFolder + "TimeDemoResult.xls", "x\r\ny\r\n88.421\t41\t140\r\n");
  EXPECT_EQ(AddResolutionResult(report, StepAt(0), options, demo, systemFolder, fake.files, fileOp, fake.clock),
            "88.42");
  fake.files.AddFile(systemFolder + "TimeDemoResult.xls", "x\r\ny\r\n31.07\t12\t60\r\n");
  EXPECT_EQ(AddResolutionResult(report, StepAt(3), options, demo, systemFolder, fake.files, fileOp, fake.clock),
            "31.07");
  ASSERT_TRUE(EndReport(report, "11_21_2005_2_05_33_PM", "C:\\", "31.07", fake.files, fake.shell));
  EXPECT_EQ(fake.files.Content("C:\\result_11_21_2005_2_05_33_PM.htm"), Fixture("two_resolutions.htm"));
}
