// The rows of results.csv: what a run writes, and how the file reads back, whole, foreign,
// damaged or cut short by an interrupted write.
#include <gtest/gtest.h>

#include "bench/RunHistoryFacts.h"
#include "bench/RunOptions.h"
#include "bench/history/CsvText.h"
#include "bench/history/HistoryCsv.h"
#include "fakes/FakeTextCodePage.h"
#include "history/HistoryFacts.h"

using namespace bench::history;

namespace {

std::string Header() {
  return "\xEF\xBB\xBF"
         "format_version,started,report_file,width,height,frame_rate,score,demo_file,map,shader_model,"
         "parallax_mapping,hq_soft_shadows,hdr,tone_mapping,hw_shadow_mapping,os,cpu,memory,vga,vga_memory,"
         "vga_driver,note\r\n";
}

RunFacts Collected(bool addInfo, const std::string& ansiNote) {
  bench::RunOptionControls controls;
  controls.ShaderIndex = 1;
  controls.HDR = true;
  controls.HSMapping = true;
  const bench::RunOptions options = bench::CaptureRunOptions(controls);
  const bench::HardwareValues hardware{"Operating System: Windows XP", "Processor: Pentium 4", "Memory: 512MB RAM",
                                       "Card name: RADEON X800", "Display Memory: 256.0 MB",
                                       "Driver Version: 6.14.10.6525"};
  FakeTextCodePage codePage;
  return bench::CollectRunFacts(platform::LocalTime{2026, 1, 2, 3, 4, 5, 0, 5}, "result_1_2_2026_3_04_05_AM.htm", options,
                         bench::DemoChoice{"02_Cargoship", "02_voru3v.dem"}, addInfo, hardware, ansiNote,
                         {{1024, 768, "45.12", "45.12"}}, codePage);
}

}  // namespace

TEST(HistoryCsv, TheHeaderNamesTheColumnsInTheirFixedOrder) { EXPECT_EQ(HistoryHeader(), Header()); }

TEST(HistoryCsv, ARunOverTwoResolutionsGivesTwoRowsOfTheSameRun) {
  const auto text = HistoryRowsText(HistoryRows(historytest::TwoResolutionRun()));
  EXPECT_EQ(text,
            "1,2026-12-10T14:05:09,result_12_10_2026_2_05_09_PM.htm,640,480,61.7349,61.73,01_Lighthouse.dem,"
            "01_Lighthouse,3.0,Enabled,Disabled,Enabled,Disabled,Disabled,Operating System: Windows XP Professional,"
            "Processor: AMD Athlon(tm) 64 Processor 3500+,Memory: 1024MB RAM,Card name: NVIDIA GeForce 6800 GT,"
            "Display Memory: 256.0 MB,Driver Version: 6.14.0010.8198,driver 81.98\r\n"
            "1,2026-12-10T14:05:09,result_12_10_2026_2_05_09_PM.htm,1280,1024,28.1,28.1,01_Lighthouse.dem,"
            "01_Lighthouse,3.0,Enabled,Disabled,Enabled,Disabled,Disabled,Operating System: Windows XP Professional,"
            "Processor: AMD Athlon(tm) 64 Processor 3500+,Memory: 1024MB RAM,Card name: NVIDIA GeForce 6800 GT,"
            "Display Memory: 256.0 MB,Driver Version: 6.14.0010.8198,driver 81.98\r\n");
}

TEST(HistoryCsv, FactsComeFromTheRunAsTheReportShowsThem) {
  const RunFacts f = Collected(true, "plain");
  EXPECT_EQ(f.Started, "2026-01-02T03:04:05");
  EXPECT_EQ(f.ShaderModel, "2.0");
  EXPECT_TRUE(f.HDR);
  EXPECT_TRUE(f.HWShadowMapping);
  EXPECT_FALSE(f.ParallaxMapping);
  EXPECT_EQ(f.Map, "02_Cargoship");
  EXPECT_EQ(f.DemoFile, "02_voru3v.dem");
  EXPECT_EQ(f.VGADriver, "Driver Version: 6.14.10.6525");
}

TEST(HistoryCsv, WithoutTheHardwareDescriptionItsColumnsStayEmpty) {
  const HistoryRow row = HistoryRows(Collected(false, ""))[0];
  for (size_t c = ColOS; c <= ColVGADriver; ++c) EXPECT_EQ(row[c], "") << HistoryColumns()[c];
  EXPECT_EQ(row[ColNote], "");
  EXPECT_EQ(row[ColShaderModel], "2.0");
}

TEST(HistoryCsv, ANoteWithMarkupAndAccentsIsUtf8AndKeptAsTyped) {
  // The note arrives in the ANSI code page: "é" is byte 0xE9, "€" byte 0x80.
  const HistoryRow row = HistoryRows(Collected(true, "<b>caf\xE9</b> 5\x80"))[0];
  EXPECT_EQ(row[ColNote], "<b>caf\xC3\xA9</b> 5\xE2\x82\xAC");
  EXPECT_EQ(HistoryRowsText({row}).find("\"<b>"), std::string::npos);  // nothing to quote
}

TEST(HistoryCsv, ANoteWithCommasQuotesAndLineBreaksReadsBackWhole) {
  const std::string note = "hot, \"very\" hot\r\nsecond line";
  const std::string text = HistoryRowsText(HistoryRows(Collected(true, note)));
  EXPECT_NE(text.find(",\"hot, \"\"very\"\" hot\r\nsecond line\"\r\n"), std::string::npos) << text;
  const HistoryText back = ReadHistory(Header() + text);
  ASSERT_EQ(back.kind, HistoryKind::Ours);
  ASSERT_EQ(back.rows.size(), 1u);
  EXPECT_EQ(back.rows[0][ColNote], note);
  EXPECT_EQ(back.incompleteRows, 0);
}

TEST(HistoryCsv, TheFrameRateIsTheNumberTheGameWrote) {
  const struct {
    const char* third;
    const char* frameRate;
  } cases[] = {
      {"123.456\t50.1\t200.2", "123.456"}, {"45.12\t0", "45.12"}, {"87.3", "87.3"}, {"160.000 88", "160.000"},
      {"61,7349\t0", "61.7349"},  // a decimal comma
      {"61.\t0", "61"},           {"fps\t61", ""}, {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FrameRateFromResult(std::string("Demo\r\nAverage\r\n") + c.third + "\r\n"), c.frameRate) << c.third;
  EXPECT_EQ(FrameRateFromResult("only\r\ntwo\r\n"), "");
}

TEST(HistoryCsv, ReadsTheKindOfFileItFinds) {
  const std::string rows = HistoryRowsText(HistoryRows(historytest::TwoResolutionRun()));
  const std::string noBom = Header().substr(3);
  const struct {
    const char* what;
    std::string bytes;
    HistoryKind kind;
    size_t rows;
  } cases[] = {
      {"new", "", HistoryKind::Empty, 0},
      {"ours", Header() + rows, HistoryKind::Ours, 2},
      {"ours, saved again without the byte-order mark", noBom + rows, HistoryKind::Ours, 2},
      {"header only", Header(), HistoryKind::Ours, 0},
      {"another program's table", "Date;FPS\r\n2026-01-01;60\r\n", HistoryKind::NotOurs, 0},
      {"a header with a column renamed", "\xEF\xBB\xBF" "format_version,start" + Header().substr(25) + rows,
       HistoryKind::NotOurs, 0},
      {"a header cut by the first write", Header().substr(0, 40), HistoryKind::Damaged, 0},
      {"a row of another version", Header() + rows + "2,x\r\n", HistoryKind::Damaged, 0},
      {"a row with a width that is no number", Header() + "1" + std::string(3, ',') + "wide" + std::string(18, ',') +
       "\r\n", HistoryKind::Damaged, 0},
      {"not UTF-8 (saved in another code page)", Header() + "1,caf\xE9\r\n", HistoryKind::Damaged, 0},
      {"quoting that no writer makes", Header() + "\"1\"x\r\n", HistoryKind::Damaged, 0},
  };
  for (const auto& c : cases) {
    const HistoryText h = ReadHistory(c.bytes);
    EXPECT_EQ(h.kind, c.kind) << c.what;
    EXPECT_EQ(h.rows.size(), c.rows) << c.what;
  }
}

// A write stopped after any number of bytes of a row: reading leaves that row out and
// says so; once the next write has closed it with its terminator, the row stays apart for
// good, whatever the cut (in a plain field, inside the quoted note, after a doubled quote).
TEST(HistoryCsv, ARowCutAnywhereByAnInterruptedWriteIsNeverTakenForARow) {
  const std::string before = Header() + HistoryRowsText(HistoryRows(historytest::TwoResolutionRun()));
  const std::string cutRow = HistoryRowsText(
      {HistoryRows(historytest::TwoResolutionRun("2026-12-11T09:00:00", "a, \"b\"\r\nc"))[0]});
  const std::string next = HistoryRowsText({HistoryRows(historytest::TwoResolutionRun("2026-12-12T10:00:00"))[0]});
  // Up to the row's last byte but one: a row that lacks only its LF still ends with a CR.
  for (size_t cut = 1; cut + 1 < cutRow.size(); ++cut) {
    const std::string crashed = before + cutRow.substr(0, cut);
    const HistoryText h = ReadHistory(crashed);
    ASSERT_EQ(h.kind, HistoryKind::Ours) << cut;
    EXPECT_EQ(h.rows.size(), 2u) << cut;
    EXPECT_EQ(h.incompleteRows, 1) << cut;
    ASSERT_TRUE(h.partialTail) << cut;

    const HistoryText later = ReadHistory(crashed + h.tailTerminator + next);
    ASSERT_EQ(later.kind, HistoryKind::Ours) << cut;
    ASSERT_EQ(later.rows.size(), 3u) << cut;
    EXPECT_EQ(later.rows[2][ColStarted], "2026-12-12T10:00:00") << cut;
    EXPECT_EQ(later.incompleteRows, 1) << cut;
    EXPECT_FALSE(later.partialTail) << cut;
  }
}
