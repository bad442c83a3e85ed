#pragma once
// The run's HTML report: its head, one section per measured resolution, the footer, the
// file it is saved to and the browser it is opened in. Lines are ANSI texts (× is byte
// 215) and go into the file as they are: hardware values, note and demo name unescaped.
#include <functional>
#include <string>
#include <vector>

#include "bench/DemoChoice.h"
#include "bench/RunOptions.h"
#include "bench/StepTable.h"
#include "platform/Clock.h"
#include "platform/DateTimeText.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "procs/JvSHFileOperation.h"

namespace bench {

struct ReportStamp {
  std::string StampText;  // short date, a space, long time, as the system formats them
  std::string StampFile;  // the same with ":", ".", "/", "-", "\" and " " made "_"
  platform::LocalTime Taken;  // the reading StampText was made from
};

// StampText -> StampFile.
std::string StampFileText(const std::string& stampText);
// Two readings of the clock, one for each text (they may differ by a second).
ReportStamp TakeReportStamp(platform::Clock& clock, platform::DateTimeText& dateTime);

// The stored hardware description, the six values of hwinfo::kHardwareFields in its order;
// a missing value is empty.
struct HardwareValues {
  std::string OS, CPU, Memory, VGA, VGAMemory, VGADriver;
};
// Reads the six values through `readValue` (value name -> text, "" when missing).
HardwareValues ReadHardwareValues(const std::function<std::string(const std::string&)>& readValue);

// The head: from "<html>" to "<hr>". `hardware` is used only when `addInfo` is on.
void BeginReport(std::vector<std::string>& reportLines, const std::string& stampText, bool addInfo,
                 const HardwareValues& hardware, const std::string& note);

// The score of a result file's text: the first five characters of its third line.
// False when the text has fewer than three lines.
bool ScoreFromResult(const std::string& resultText, std::string& score);

// The ten lines of one resolution section.
std::vector<std::string> ResolutionSection(const BenchStep& step, const RunOptions& options,
                                           const DemoChoice& demo, const std::string& score);

// Copies the game's TimeDemoResult.xls in `systemFolder` to TimeDemoResult.txt, waits,
// reads the copy and appends the section. Returns the score; empty, with nothing
// appended, when there is no result file, the copy is missing or unreadable, or it has
// fewer than three lines. `resultText`, when given, receives the copy's text.
std::string AddResolutionResult(std::vector<std::string>& reportLines, const BenchStep& step,
                                const RunOptions& options, const DemoChoice& demo, const std::string& systemFolder,
                                platform::FileSystem& files, TJvSHFileOperation& fileOp, platform::Clock& clock,
                                std::string* resultText = nullptr);

// The four footer lines.
void AppendReportFooter(std::vector<std::string>& reportLines);

// resultsFolder + ("result_" when it is at most 3 characters, a drive root, else
// "\result_") + stampFile + ".htm".
std::string ReportPath(const std::string& resultsFolder, const std::string& stampFile);
// The report's own name: "result_" + stampFile + ".htm".
std::string ReportFileName(const std::string& stampFile);

// The file form: every line followed by CR LF.
std::string ReportBytes(const std::vector<std::string>& reportLines);

// Appends the footer; then, only when `lastScore` is not empty, saves the report (the
// results folder and its parents are created when missing) and opens it through the
// shell's "open". Returns whether it was saved. Throws EBenchFileError (ReportSave) when
// the file cannot be written.
bool EndReport(std::vector<std::string>& reportLines, const std::string& stampFile, const std::string& resultsFolder,
               const std::string& lastScore, platform::FileSystem& files, platform::Shell& shell);

// Texts of the head and footer that are ours to choose.
inline constexpr char kReportSiteName[] = "www.tavorin.example";
inline constexpr char kReportContactAddress[] = "lumenrig@tavorin.example";
inline constexpr char kReportContactName[] = "Tavorin Lumenrig";
inline constexpr char kReportCredit[] =
    "Made with Lumenrig. Splinter Cell Chaos Theory is a trademark of Ubisoft Entertainment.";

}  // namespace bench
