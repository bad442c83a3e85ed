#include "hwinfo/ReportParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FixtureFiles.h"

using hwinfo::HardwareInfo;
using hwinfo::LineValue;
using hwinfo::ParseReport;
using hwinfo::ReportLines;

namespace {

std::vector<std::string> Fields(const HardwareInfo& info) {
  return {info.Lines.begin(), info.Lines.end()};
}

std::vector<std::string> Strings(const char* const (&lines)[6]) {
  return {std::begin(lines), std::end(lines)};
}

HardwareInfo ParseText(const std::string& text) { return ParseReport(ReportLines(text)); }

}  // namespace

TEST(ReportParser, WindowsReportGivesTheSixLinesOfItsSystemAndDisplaySections) {
  // The report has traps after each label: "Available OS Memory:", "Driver File Version:",
  // a sound device's "Driver Version:", a luminance line with "=".
  HardwareInfo info = ParseReport(ReportLines(FixtureBytes("dxdiag/windows-dxdiag.txt")));
  EXPECT_EQ(Fields(info), Strings(expected::kWindowsLines));
  EXPECT_EQ(info.CPU(), expected::kWindowsLines[1]);
  EXPECT_EQ(info.VGADriver(), expected::kWindowsLines[5]);
}

TEST(ReportParser, WinesReportHasNoDisplaySectionSoItsThreeDisplayFieldsStayEmpty) {
  HardwareInfo info = ParseReport(ReportLines(FixtureBytes("dxdiag/wine-dxdiag.txt")));
  EXPECT_EQ(Fields(info), Strings(expected::kWineLines));
}

TEST(ReportParser, LineValueTakesTheTextAfterTheFirstEqualsSignAndDropsLeadingSpacesOnly) {
  struct Case { const char* line; const char* value; };
  const Case cases[] = {
      {"          Processor: X", "Processor: X"},
      {"Processor: X", "Processor: X"},  // an unindented label keeps its first letter
      {"    DirectX Version: = \"DirectX 9.0c (4.09.0000.0904)", "\"DirectX 9.0c (4.09.0000.0904)"},
      {"a = b = c", "b = c"},
      {"\t  Memory: 1MB", "\t  Memory: 1MB"},  // tabs are not spaces
      {"   ", ""},
      {"", ""},
      {"x=", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LineValue(c.line), c.value) << "line: " << c.line;
}

TEST(ReportParser, LabelsMatchInAnyCaseAnywhereInTheLineAndTheLineIsStoredAsWritten) {
  HardwareInfo info = ParseText(
      "   OPERATING SYSTEM: Windows XP\r\n"
      "   my processor: Pentium 4\r\n"
      "   MeMoRy: 512MB RAM\r\n"
      "   CARD NAME: Radeon 9800\r\n"
      "   display memory: 128.0 MB\r\n"
      "   DRIVER VERSION: 6.14.0010.6458\r\n");
  EXPECT_EQ(Fields(info), (std::vector<std::string>{
                              "OPERATING SYSTEM: Windows XP", "my processor: Pentium 4",
                              "MeMoRy: 512MB RAM", "CARD NAME: Radeon 9800",
                              "display memory: 128.0 MB", "DRIVER VERSION: 6.14.0010.6458"}));
}

TEST(ReportParser, ALineWithEqualsSignIsSearchedAndStoredFromTheTextAfterItOnly) {
  // The label before "=" does not count; a label after it does.
  HardwareInfo info = ParseText(
      "  Operating System: Windows 98\r\n"
      "  Processor: = none here\r\n"
      "note = Processor: Athlon\r\n"
      "  Memory: shared = 256MB\r\n"
      "  Memory: 192MB\r\n");
  EXPECT_EQ(info.OS(), "Operating System: Windows 98");
  EXPECT_EQ(info.CPU(), "Processor: Athlon");
  EXPECT_EQ(info.Memory(), "Memory: 192MB");
}

TEST(ReportParser, SearchGoesOnFromTheLineOfThePreviousLabelAndSkipsMissingOnes) {
  // "Display Memory:" holds "Memory:" too: with "Memory:" missing from the system section
  // the memory search stops on that line, and the display memory search finds the same
  // line again because the search restarts on it.
  HardwareInfo info = ParseText(
      "  Processor: P3\r\n"
      "  Operating System: written after the processor\r\n"
      "  Card name: Voodoo\r\n"
      "  Display Memory: 16 MB\r\n");
  EXPECT_EQ(Fields(info), (std::vector<std::string>{
                              "Operating System: written after the processor", "",
                              "Display Memory: 16 MB", "", "Display Memory: 16 MB", ""}));
}

TEST(ReportParser, OneLineCanAnswerTwoLabelsAndEmptyOrUnrelatedReportsGiveEmptyFields) {
  HardwareInfo both = ParseText("Operating System: Processor: Memory: all in one\r\n");
  EXPECT_EQ(both.OS(), "Operating System: Processor: Memory: all in one");
  EXPECT_EQ(both.CPU(), both.OS());
  EXPECT_EQ(both.Memory(), both.OS());
  EXPECT_EQ(both.VGA(), "");

  EXPECT_EQ(ParseText(""), HardwareInfo{});
  EXPECT_EQ(ParseText("nothing\r\nto see\r\n"), HardwareInfo{});
}

TEST(ReportParser, ReportLinesSplitsOnEveryLineEndAndBringsUnicodeReportsToAnsi) {
  EXPECT_EQ(ReportLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));

  // UTF-16 little endian with its mark, as some tools write: "Memory: 1 GB\r\nCaf\u00e9\u20ac"
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("Memory: 1 GB\r\nCaf")) utf16 += std::string{c, '\0'};
  utf16 += std::string("\xE9\x00", 2);  // e acute: Latin-1, kept as its ANSI byte
  utf16 += std::string("\xAC\x20", 2);  // euro sign: beyond Latin-1
  EXPECT_EQ(ReportLines(utf16), (std::vector<std::string>{"Memory: 1 GB", "Caf\xE9?"}));

  std::string utf8 = "\xEF\xBB\xBF" "Card name: Caf\xC3\xA9\r\nx\xE2\x82\xAC";
  EXPECT_EQ(ReportLines(utf8), (std::vector<std::string>{"Card name: Caf\xE9", "x?"}));

  // The parse then finds its labels in the converted text.
  EXPECT_EQ(ParseReport(ReportLines(utf16)).Memory(), "Memory: 1 GB");
}
