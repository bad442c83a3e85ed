#include "bench/Report.h"

#include "bench/BenchErrors.h"
#include "bench/GameInterface.h"
#include "bench/RunMessages.h"
#include "bench/RunWaits.h"
#include "hwinfo/HardwareInfo.h"
#include "procs/ShellCopy.h"
#include "platform/Text.h"

namespace bench {

std::string StampFileText(const std::string& stampText) {
  std::string out = stampText;
  for (char c : std::string(":./-\\ "))
    for (char& ch : out)
      if (ch == c) ch = '_';
  return out;
}

ReportStamp TakeReportStamp(platform::Clock& clock, platform::DateTimeText& dateTime) {
  ReportStamp stamp;
  stamp.Taken = clock.Now();
  stamp.StampText = dateTime.ShortDateLongTime(stamp.Taken);
  stamp.StampFile = StampFileText(dateTime.ShortDateLongTime(clock.Now()));
  return stamp;
}

HardwareValues ReadHardwareValues(const std::function<std::string(const std::string&)>& readValue) {
  // The hardware dialog's table names the values, in its display order.
  const auto& f = hwinfo::kHardwareFields;
  return HardwareValues{readValue(f[0].valueName), readValue(f[1].valueName), readValue(f[2].valueName),
                        readValue(f[3].valueName), readValue(f[4].valueName), readValue(f[5].valueName)};
}

void BeginReport(std::vector<std::string>& reportLines, const std::string& stampText, bool addInfo,
                 const HardwareValues& hardware, const std::string& note) {
  auto& r = reportLines;
  r.push_back("<html>");
  r.push_back("<head>");
  r.push_back(std::string("<title>Splinter Cell Chaos Theory Benchmark - ") + kReportSiteName + "</title>");
  r.push_back("<style type=\"text/css\">");
  r.push_back("<!--");
  r.push_back(".style4 {");
  r.push_back("\tcolor: #0066FF;");
  r.push_back("\tfont-weight: bold;");
  r.push_back("}");
  r.push_back(".style5 {color: #990000}");
  r.push_back(".style6 {color: #0066FF}");
  r.push_back(".style7 {");
  r.push_back("font-size: 36px;");
  r.push_back("font-weight: bold;");
  r.push_back("}");
  r.push_back("-->");
  r.push_back("</style>");
  r.push_back("</head>");
  r.push_back("<body>");
  r.push_back("<p align=\"center\" class=\"style7\">Splinter Cell Chaos Theory Benchmark</p><br>");
  if (addInfo) {
    if (!hardware.OS.empty()) r.push_back("<p align=\"left\" class=\"style4\">System</p>");
    for (const std::string* value :
         {&hardware.OS, &hardware.CPU, &hardware.Memory, &hardware.VGA, &hardware.VGAMemory})
      if (!value->empty()) r.push_back("   <FONT size=2>" + *value + "</FONT><br>");
    if (!hardware.VGADriver.empty()) r.push_back("   <FONT size=2>" + hardware.VGADriver + "</FONT><br><br>");
  }
  r.push_back("   <FONT size=2>The benchmark started at " + stampText + "</FONT><br>");
  if (!note.empty()) r.push_back("<FONT size=2><span class=\"style6\">Comment:</span> " + note + "</FONT><br>");
  r.push_back("<hr>");
}

bool ScoreFromResult(const std::string& resultText, std::string& score) {
  const std::vector<std::string> lines = text::SplitLines(resultText);
  if (lines.size() < 3) return false;
  score = lines[2].substr(0, 5);
  return true;
}

std::vector<std::string> ResolutionSection(const BenchStep& step, const RunOptions& options,
                                           const DemoChoice& demo, const std::string& score) {
  return {
      ReportHeading(step),
      "Demo: " + demo.DemoFile + "<br>",
      "Shader Model Type: " + options.ShaderLabel + "<br>",
      "Parallax Mapping: " + options.ParallaxLabel + "<br>",
      "HQ Soft Shadows: " + options.HQSoftShadowsLabel + "<br>",
      "HDR: " + options.HDRLabel + "<br>",
      "ToneMapping: " + options.ToneMappingLabel + "<br>",
      "Hardware Shadow Mapping: " + options.HWShadowMappingLabel + "<br>",
      "<span class=\"style5\"><b>Score = " + score + " FPS</b></span><br>",
      "<br><HR>",
  };
}

std::string AddResolutionResult(std::vector<std::string>& reportLines, const BenchStep& step,
                                const RunOptions& options, const DemoChoice& demo, const std::string& systemFolder,
                                platform::FileSystem& files, TJvSHFileOperation& fileOp, platform::Clock& clock,
                                std::string* resultText) {
  const std::string result = systemFolder + kResultFile;
  const std::string copy = systemFolder + kResultCopyFile;
  if (!files.FileExists(result)) return "";
  ShellCopy(fileOp, result, copy);
  clock.Wait(kWaitAfterResultCopyMs);

  // A copy that did not arrive, cannot be read or is cut short counts as no result: the
  // resolution gets no section and the run goes on.
  std::string bytes;
  std::string score;
  if (!files.ReadAll(copy, bytes) || !ScoreFromResult(bytes, score)) return "";
  for (auto& line : ResolutionSection(step, options, demo, score)) reportLines.push_back(std::move(line));
  if (resultText) *resultText = bytes;
  return score;
}

void AppendReportFooter(std::vector<std::string>& reportLines) {
  reportLines.push_back("<P></P>");
  reportLines.push_back(std::string("<CENTER>Any bug, etc: <a href=\"mailto:") + kReportContactAddress + "\">" +
                        kReportContactName + "</a></CENTER>");
  reportLines.push_back("");
  reportLines.push_back(std::string("<CENTER>") + kReportCredit + "</CENTER><BR></BODY></HTML>");
}

std::string ReportFileName(const std::string& stampFile) { return "result_" + stampFile + ".htm"; }

std::string ReportPath(const std::string& resultsFolder, const std::string& stampFile) {
  return resultsFolder + (resultsFolder.size() <= 3 ? "" : "\\") + ReportFileName(stampFile);
}

std::string ReportBytes(const std::vector<std::string>& reportLines) {
  std::string bytes;
  for (const auto& line : reportLines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

bool EndReport(std::vector<std::string>& reportLines, const std::string& stampFile, const std::string& resultsFolder,
               const std::string& lastScore, platform::FileSystem& files, platform::Shell& shell) {
  AppendReportFooter(reportLines);
  if (lastScore.empty()) return false;

  const std::string path = ReportPath(resultsFolder, stampFile);
  if (!resultsFolder.empty() && !files.DirectoryExists(resultsFolder)) files.CreateDirectories(resultsFolder);
  if (!files.WriteAll(path, ReportBytes(reportLines)))
    throw EBenchFileError(EBenchFileError::Kind::ReportSave, path, FillIn(kReportNotSaved, path));
  shell.Open("open", path, "", "", platform::SwShowNormal);
  return true;
}

}  // namespace bench
