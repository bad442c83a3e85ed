#pragma once
// results.csv: one row per measured resolution of every run, UTF-8 with a byte-order mark,
// CR LF, under a header row of fixed column names. A row is written in one piece; what an
// interrupted write left behind is recognised and left out when the file is read.
#include <array>
#include <string>
#include <vector>

#include "bench/history/RunFacts.h"

namespace bench::history {

enum Column : size_t {
  ColFormatVersion,
  ColStarted,
  ColReportFile,
  ColWidth,
  ColHeight,
  ColFrameRate,
  ColScore,
  ColDemoFile,
  ColMap,
  ColShaderModel,
  ColParallaxMapping,
  ColHQSoftShadows,
  ColHDR,
  ColToneMapping,
  ColHWShadowMapping,
  ColOS,
  ColCPU,
  ColMemory,
  ColVGA,
  ColVGAMemory,
  ColVGADriver,
  ColNote,
  kColumnCount
};

// The header's names, by Column. Stable: tools read the file by them.
const std::array<const char*, kColumnCount>& HistoryColumns();

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// A row of the history, its fields by Column.
using HistoryRow = std::array<std::string, kColumnCount>;

// The byte-order mark and the header record.
std::string HistoryHeader();
// One row per resolution of the run, in its order.
std::vector<HistoryRow> HistoryRows(const RunFacts& facts);
// Those rows as CSV records.
std::string HistoryRowsText(const std::vector<HistoryRow>& rows);

enum class HistoryKind {
  Empty,    // no bytes yet: the header comes first
  Ours,     // our header
  NotOurs,  // another header, or none
  Damaged,  // our header, but rows that no run of ours wrote, or text that is not UTF-8
};

struct HistoryText {
  HistoryKind kind = HistoryKind::Empty;
  std::vector<HistoryRow> rows;  // complete rows, in file order
  // Rows cut short by an interrupted write (a crash or a kill), left out.
  int incompleteRows = 0;
  // The text ends inside such a row: an append must first write `tailTerminator`, which
  // closes it so that it can never pass for a complete row.
  bool partialTail = false;
  std::string tailTerminator;
};

// results.csv as it is on disk.
HistoryText ReadHistory(const std::string& bytes);
// Rows without a header (the pending file): kind is Ours, or Damaged.
HistoryText ReadRows(const std::string& bytes);

// The same run and resolution (start, report and size agree).
bool SameMeasurement(const HistoryRow& a, const HistoryRow& b);

}  // namespace bench::history
