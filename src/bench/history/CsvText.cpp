#include "bench/history/CsvText.h"

namespace bench::history {

std::string CsvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string record;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) record += ',';
    record += CsvField(fields[i]);
  }
  record += "\r\n";
  return record;
}

CsvText ParseCsv(const std::string& text) {
  CsvText out;
  std::vector<std::string> record;
  std::string field;
  bool inQuotes = false;
  bool afterQuote = false;  // a quoted field has closed; only "," or a line break may follow
  bool started = false;     // the current record has at least one character
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (inQuotes) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < n && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        inQuotes = false;
        afterQuote = true;
      }
      continue;
    }
    if (c == ',') {
      record.push_back(std::move(field));
      field.clear();
      afterQuote = false;
      started = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      record.push_back(std::move(field));
      field.clear();
      out.records.push_back(std::move(record));
      record.clear();
      afterQuote = false;
      started = false;
    } else if (afterQuote) {
      out.malformed = true;
      return out;
    } else if (c == '"' && field.empty()) {
      inQuotes = true;
      started = true;
    } else {
      field += c;
      started = true;
    }
  }
  if (started) {
    record.push_back(std::move(field));
    out.hasTail = true;
    out.tail = std::move(record);
    out.tailInQuotes = inQuotes;
  }
  return out;
}

}  // namespace bench::history
