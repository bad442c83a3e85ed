#include "bench/history/ResultsHistory.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "bench/history/ComparePage.h"
#include "bench/history/HistoryCsv.h"
#include "bench/history/RunJson.h"
#include "platform/Text.h"

namespace bench::history {
namespace {

constexpr char kPendingDamagedReason[] = "pending-damaged";

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

std::string DateForName(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

// Moves `path` aside as "results.<reason>.<date>.csv" (a counter when that name is
// taken); returns the new name, or "" when the file could not be moved.
std::string SetAside(platform::FileSystem& files, const std::string& folder, const std::string& path,
                     const std::string& reason, const platform::LocalTime& now) {
  const std::string stem = std::string("results.") + reason + "." + DateForName(now);
  for (int n = 1; n <= 99; ++n) {
    const std::string name = stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".csv";
    const std::string target = HistoryPath(folder, name);
    if (files.FileExists(target)) continue;
    return files.RenameFile(path, target) ? name : "";
  }
  return "";
}

struct FileText {
  bool exists = false;
  bool read = false;  // false when it exists but could not be read
  std::string bytes;
};

FileText ReadIfThere(platform::FileSystem& files, const std::string& path) {
  FileText f;
  f.exists = files.FileExists(path);
  f.read = f.exists && files.ReadAll(path, f.bytes);
  return f;
}

// The rows of `extra` that `rows` does not hold yet.
std::vector<HistoryRow> NotYetIn(const std::vector<HistoryRow>& rows, const std::vector<HistoryRow>& extra) {
  std::vector<HistoryRow> out;
  for (const auto& row : extra) {
    bool known = false;
    for (const auto& have : rows) known = known || SameMeasurement(have, row);
    for (const auto& have : out) known = known || SameMeasurement(have, row);
    if (!known) out.push_back(row);
  }
  return out;
}

// The notes of the comparison page about files set aside in the folder.
void SetAsideNotes(platform::FileSystem& files, const std::string& folder, std::vector<std::string>& notes) {
  for (const auto& name : files.ListFiles(folder, "results.*.csv")) {
    if (StartsWith(name, std::string("results.") + kNotOursReason + "."))
      notes.push_back("A results.csv that was not a results history of this program was found and kept as " + name +
                      "; a new history was started.");
    else if (StartsWith(name, std::string("results.") + kDamagedReason + "."))
      notes.push_back("A results.csv that could not be read as a whole was kept as " + name +
                      "; a new history was started. Its runs are not shown here.");
    else if (StartsWith(name, std::string("results.") + kPendingDamagedReason + "."))
      notes.push_back("A results.pending.csv that could not be read as a whole was kept as " + name +
                      "; the rows that could be read were added to the history.");
  }
}

class Recorder {
 public:
  Recorder(platform::FileSystem& files, const std::string& folder, const platform::LocalTime& now)
      : files_(files),
        folder_(folder),
        now_(now),
        csvPath_(HistoryPath(folder, kHistoryFile)),
        pendingPath_(HistoryPath(folder, kPendingFile)) {}

  // Appends the run's rows, with any that waited, to results.csv; failing that, keeps the
  // run's rows in the pending file. Returns the problem to tell, or "".
  std::string AppendRows(const std::vector<HistoryRow>& runRows) {
    const FileText pendingFile = ReadIfThere(files_, pendingPath_);
    const HistoryText pending = ReadRows(pendingFile.bytes);
    FileText csvFile = ReadIfThere(files_, csvPath_);
    HistoryText history = ReadHistory(csvFile.bytes);

    platform::AppendOutcome outcome = platform::AppendOutcome::Failed;
    bool canAppend = !csvFile.exists || csvFile.read;
    if (canAppend && (history.kind == HistoryKind::NotOurs || history.kind == HistoryKind::Damaged)) {
      const char* reason = history.kind == HistoryKind::NotOurs ? kNotOursReason : kDamagedReason;
      if (!SetAside(files_, folder_, csvPath_, reason, now_).empty()) {
        history = HistoryText{};
      } else {
        canAppend = false;
      }
    }
    if (canAppend) {
      std::string text = history.kind == HistoryKind::Empty ? HistoryHeader() : history.tailTerminator;
      text += HistoryRowsText(NotYetIn(history.rows, pending.rows));
      text += HistoryRowsText(runRows);
      outcome = files_.Append(csvPath_, text);
    } else {
      // Not written: whether another program holds it tells which message is right.
      outcome = files_.Append(csvPath_, "");
      if (outcome == platform::AppendOutcome::Appended) outcome = platform::AppendOutcome::Failed;
    }

    if (outcome == platform::AppendOutcome::Appended) {
      // A pending file we could not read stays for a later run; one that held more than
      // we could read stays too, under a dated name.
      if (pendingFile.read) {
        if (pending.kind == HistoryKind::Damaged)
          SetAside(files_, folder_, pendingPath_, kPendingDamagedReason, now_);
        else
          files_.RemoveFile(pendingPath_);  // should it stay, its rows are known next time
      }
      return "";
    }
    const std::string keep = pending.tailTerminator + HistoryRowsText(runRows);
    if (files_.Append(pendingPath_, keep) != platform::AppendOutcome::Appended) return kHistoryNotKept;
    return outcome == platform::AppendOutcome::Locked ? kHistoryLocked : kHistoryNotWritten;
  }

  // compare.htm from results.csv as it is now, and the rows that still wait.
  std::string WriteComparePage() {
    std::vector<std::string> notes;
    const HistoryText history = ReadHistory(ReadIfThere(files_, csvPath_).bytes);
    const HistoryText pending = ReadRows(ReadIfThere(files_, pendingPath_).bytes);
    if (history.kind == HistoryKind::NotOurs || history.kind == HistoryKind::Damaged)
      notes.push_back(history.kind == HistoryKind::NotOurs
                          ? "results.csv is not a results history of this program. It is kept under a dated name, "
                            "and a new history started, at the next run that can rename it."
                          : "results.csv could not be read as a whole. It is kept under a dated name, and a new "
                            "history started, at the next run that can rename it.");
    SetAsideNotes(files_, folder_, notes);
    const int incomplete = history.incompleteRows + pending.incompleteRows;
    if (incomplete > 0)
      notes.push_back(std::to_string(incomplete) + (incomplete == 1 ? " row was" : " rows were") +
                      " left out: a write of the history was interrupted (the program ended or the computer "
                      "stopped) and did not finish " + (incomplete == 1 ? "it." : "them."));
    std::vector<HistoryRow> rows = history.rows;
    const std::vector<HistoryRow> waiting = NotYetIn(rows, pending.rows);
    if (!waiting.empty())
      notes.push_back(std::to_string(waiting.size()) + (waiting.size() == 1 ? " row is" : " rows are") +
                      " shown from results.pending.csv: results.csv could not be written, and they will be added "
                      "to it at the next run that can.");
    rows.insert(rows.end(), waiting.begin(), waiting.end());

    const std::string path = HistoryPath(folder_, kCompareFile);
    return files_.WriteAll(path, ComparePage(rows, notes)) ? "" : kCompareNotWritten + path;
  }

 private:
  platform::FileSystem& files_;
  std::string folder_;
  platform::LocalTime now_;
  std::string csvPath_, pendingPath_;
};

}  // namespace

std::string HistoryPath(const std::string& resultsFolder, const std::string& name) {
  return resultsFolder.empty() ? name : text::WithTrailingBackslash(resultsFolder) + name;
}

std::string RecordRun(platform::FileSystem& files, const std::string& resultsFolder, const std::string& reportPath,
                      const RunFacts& facts, const platform::LocalTime& now) {
  std::vector<std::string> problems;
  auto note = [&problems](const std::string& problem) {
    if (!problem.empty()) problems.push_back(problem);
  };
  try {
    const std::string jsonPath = RunJsonPath(reportPath);
    if (!files.WriteAll(jsonPath, RunJson(facts))) note(kRunJsonNotWritten + jsonPath);
    Recorder recorder(files, resultsFolder, now);
    note(recorder.AppendRows(HistoryRows(facts)));
    note(recorder.WriteComparePage());
  } catch (const std::exception& e) {
    // The report is saved and the run must still end soundly; the reason is told.
    note(kHistoryFailed + std::string(e.what()));
  }
  std::string message;
  for (const auto& problem : problems) message += (message.empty() ? "" : "\r\n\r\n") + problem;
  return message;
}

}  // namespace bench::history
