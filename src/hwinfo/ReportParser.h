#pragma once
// Picks the six hardware lines out of the DirectX diagnostic tool's text report.
//
// Each label is looked for, without regard to case and anywhere in a line, from the line
// where the previous label was found; so the labels must stand in the report in table
// order. A label that is not there leaves its field empty and the next search starts
// where the last one succeeded. Wine's own tool, for one, writes no display section.
#include <string>
#include <vector>

#include "hwinfo/HardwareInfo.h"

namespace hwinfo {

// The report file's bytes as lines of ANSI text. The tool writes ANSI text; a report that
// starts with a UTF-16 or UTF-8 byte-order mark is brought to ANSI first (characters the
// conversion cannot carry become "?").
std::vector<std::string> ReportLines(const std::string& bytes);

// What a report line says: the text after its first "=" when it holds one, otherwise the
// whole line; leading spaces (not tabs) removed.
std::string LineValue(const std::string& line);

HardwareInfo ParseReport(const std::vector<std::string>& lines);

}  // namespace hwinfo
