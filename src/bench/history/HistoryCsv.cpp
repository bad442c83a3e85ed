#include "bench/history/HistoryCsv.h"

#include "bench/history/CsvText.h"
#include "platform/Text.h"

namespace bench::history {
namespace {

bool IsUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t more = 0;
    if (c < 0x80) more = 0;
    else if (c >= 0xC2 && c <= 0xDF) more = 1;
    else if (c >= 0xE0 && c <= 0xEF) more = 2;
    else if (c >= 0xF0 && c <= 0xF4) more = 3;
    else return false;
    if (s.size() - i <= more) return false;
    for (size_t k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += more + 1;
  }
  return true;
}

std::string FormatVersionText() { return std::to_string(kFormatVersion); }

// What a record is, read as a row of ours.
enum class RecordKind { Row, Blank, Fragment, Foreign };

RecordKind Classify(const std::vector<std::string>& fields) {
  if (fields.size() == 1 && fields[0].empty()) return RecordKind::Blank;
  if (fields[0] != FormatVersionText()) return RecordKind::Foreign;
  // A row of ours with a field count of its own is what an interrupted write left (its
  // terminator always adds fields, see tailTerminator).
  if (fields.size() != kColumnCount) return RecordKind::Fragment;
  int width = 0, height = 0;
  if (!text::TryParseInt(fields[ColWidth], width) || !text::TryParseInt(fields[ColHeight], height) || width <= 0 ||
      height <= 0)
    return RecordKind::Foreign;
  return RecordKind::Row;
}

HistoryRow ToRow(const std::vector<std::string>& fields) {
  HistoryRow row;
  for (size_t i = 0; i < kColumnCount; ++i) row[i] = fields[i];
  return row;
}

// Reads the records after the header (or all of them, for the pending file).
void ReadRecords(const CsvText& csv, size_t first, HistoryText& out) {
  for (size_t i = first; i < csv.records.size(); ++i) {
    switch (Classify(csv.records[i])) {
      case RecordKind::Row: out.rows.push_back(ToRow(csv.records[i])); break;
      case RecordKind::Blank: break;
      case RecordKind::Fragment: ++out.incompleteRows; break;
      case RecordKind::Foreign: out.kind = HistoryKind::Damaged; return;
    }
  }
  if (csv.malformed) {
    out.kind = HistoryKind::Damaged;
    return;
  }
  if (csv.hasTail) {
    // Whatever the last record holds, it never got its line break: the write stopped.
    ++out.incompleteRows;
    out.partialTail = true;
    out.tailTerminator = (csv.tailInQuotes ? "\"" : "") + std::string(kColumnCount, ',') + "\r\n";
  }
}

}  // namespace

const std::array<const char*, kColumnCount>& HistoryColumns() {
  static const std::array<const char*, kColumnCount> names{
      "format_version", "started",         "report_file",       "width",  "height",      "frame_rate",
      "score",          "demo_file",       "map",               "shader_model", "parallax_mapping",
      "hq_soft_shadows", "hdr",            "tone_mapping",      "hw_shadow_mapping", "os", "cpu",
      "memory",         "vga",             "vga_memory",        "vga_driver", "note",
  };
  return names;
}

std::string HistoryHeader() {
  const auto& names = HistoryColumns();
  return kUtf8Bom + CsvRecord(std::vector<std::string>(names.begin(), names.end()));
}

std::vector<HistoryRow> HistoryRows(const RunFacts& f) {
  std::vector<HistoryRow> rows;
  for (const auto& r : f.Resolutions) {
    HistoryRow row;
    row[ColFormatVersion] = FormatVersionText();
    row[ColStarted] = f.Started;
    row[ColReportFile] = f.ReportFile;
    row[ColWidth] = std::to_string(r.Width);
    row[ColHeight] = std::to_string(r.Height);
    row[ColFrameRate] = r.FrameRate;
    row[ColScore] = r.Score;
    row[ColDemoFile] = f.DemoFile;
    row[ColMap] = f.Map;
    row[ColShaderModel] = f.ShaderModel;
    row[ColParallaxMapping] = SwitchLabel(f.ParallaxMapping);
    row[ColHQSoftShadows] = SwitchLabel(f.HQSoftShadows);
    row[ColHDR] = SwitchLabel(f.HDR);
    row[ColToneMapping] = SwitchLabel(f.ToneMapping);
    row[ColHWShadowMapping] = SwitchLabel(f.HWShadowMapping);
    row[ColOS] = f.OS;
    row[ColCPU] = f.CPU;
    row[ColMemory] = f.Memory;
    row[ColVGA] = f.VGA;
    row[ColVGAMemory] = f.VGAMemory;
    row[ColVGADriver] = f.VGADriver;
    row[ColNote] = f.Note;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string HistoryRowsText(const std::vector<HistoryRow>& rows) {
  std::string text;
  for (const auto& row : rows) text += CsvRecord(std::vector<std::string>(row.begin(), row.end()));
  return text;
}

HistoryText ReadHistory(const std::string& bytes) {
  HistoryText out;
  if (bytes.empty()) return out;
  out.kind = HistoryKind::Ours;
  std::string body = bytes.compare(0, 3, kUtf8Bom) == 0 ? bytes.substr(3) : bytes;
  const CsvText csv = ParseCsv(body);
  const auto& names = HistoryColumns();
  const std::vector<std::string> header(names.begin(), names.end());
  if (csv.records.empty() || csv.records[0] != header) {
    // A header of ours that the first write did not finish is our own debris, not
    // another program's file.
    const std::string ours = HistoryHeader();
    const bool cutHeader = csv.records.empty() && bytes.size() < ours.size() && ours.compare(0, bytes.size(), bytes) == 0;
    out.kind = cutHeader ? HistoryKind::Damaged : HistoryKind::NotOurs;
    return out;
  }
  if (!IsUtf8(body)) {
    out.kind = HistoryKind::Damaged;
    return out;
  }
  ReadRecords(csv, 1, out);
  if (out.kind == HistoryKind::Damaged) out.rows.clear();
  return out;
}

HistoryText ReadRows(const std::string& bytes) {
  HistoryText out;
  out.kind = HistoryKind::Ours;
  if (!IsUtf8(bytes)) {
    out.kind = HistoryKind::Damaged;
    return out;
  }
  ReadRecords(ParseCsv(bytes), 0, out);
  return out;
}

bool SameMeasurement(const HistoryRow& a, const HistoryRow& b) {
  return a[ColStarted] == b[ColStarted] && a[ColReportFile] == b[ColReportFile] && a[ColWidth] == b[ColWidth] &&
         a[ColHeight] == b[ColHeight];
}

}  // namespace bench::history
