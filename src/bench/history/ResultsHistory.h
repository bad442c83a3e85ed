#pragma once
// The results history beside the reports, brought up to date after a run that saved its
// report: the run's JSON file, its rows appended to results.csv, and compare.htm rebuilt.
// Nothing is lost when results.csv cannot be written: the rows wait in
// results.pending.csv and go in at the next run that can write. A results.csv that is not
// ours, or is damaged, is kept under a dated name and a new one is started.
#include <string>

#include "bench/history/RunFacts.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace bench::history {

inline constexpr char kHistoryFile[] = "results.csv";
inline constexpr char kPendingFile[] = "results.pending.csv";
inline constexpr char kCompareFile[] = "compare.htm";
// A set-aside history is named "results.<reason>.<date>.csv".
inline constexpr char kNotOursReason[] = "not-ours";
inline constexpr char kDamagedReason[] = "damaged";

// What the user is told when the history could not be brought up to date (ANSI texts).
inline constexpr char kHistoryLocked[] =
    "The results history (results.csv) could not be updated because another program has it open. "
    "The report was saved; this run's results will be added to the history next time.";
inline constexpr char kHistoryNotWritten[] =
    "The results history (results.csv) could not be updated because the file cannot be written. "
    "The report was saved; this run's results will be added to the history next time.";
inline constexpr char kHistoryNotKept[] =
    "The results history (results.csv) could not be updated, and this run's results could not be kept "
    "for later in results.pending.csv either. They are in the report only.";
// These three are followed by the file's path, or by the reason.
inline constexpr char kRunJsonNotWritten[] = "The run's data file could not be written:\r\n";
inline constexpr char kCompareNotWritten[] = "The comparison page could not be written:\r\n";
inline constexpr char kHistoryFailed[] = "The results history could not be updated: ";

// `name` in the results folder (a "\" between them unless the folder ends in one).
std::string HistoryPath(const std::string& resultsFolder, const std::string& name);

// Brings the history in `resultsFolder` up to date with the run whose report was saved at
// `reportPath`. `now` dates a set-aside file. Returns the message for the user, empty when
// everything was written.
std::string RecordRun(platform::FileSystem& files, const std::string& resultsFolder, const std::string& reportPath,
                      const RunFacts& facts, const platform::LocalTime& now);

}  // namespace bench::history
