#pragma once
// Comma-separated text as spreadsheet programs read and write it: fields separated by
// ",", records ended by CR LF, a field in double quotes when it holds a comma, a quote or
// a line break, a quote inside doubled.
#include <string>
#include <vector>

namespace bench::history {

// The field as it goes into a record: quoted only when it has to be.
std::string CsvField(const std::string& field);
// The fields joined by "," and ended by CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

struct CsvText {
  // Every record that ended in a line break, in file order.
  std::vector<std::vector<std::string>> records;
  // A last record that the text stops in the middle of (no line break after it).
  bool hasTail = false;
  std::vector<std::string> tail;
  bool tailInQuotes = false;  // the text stops inside a quoted field
  // Something no writer of this format produces: a character right after a closing quote
  // other than ",", or a line break. Reading stops there; `records` holds what came before.
  bool malformed = false;
};

// Reads records ended by CR LF, LF or CR (quoted line breaks stay in their field).
CsvText ParseCsv(const std::string& text);

}  // namespace bench::history
