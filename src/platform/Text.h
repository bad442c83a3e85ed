#pragma once
// Small text helpers shared by the subsystems (ANSI code page texts).
#include <string>
#include <vector>

namespace text {

// "0".."9" only, with an optional leading sign; false for anything else (empty included).
bool TryParseInt(const std::string& s, int& out);
std::string Trim(const std::string& s);  // blanks and control characters at both ends
std::string ToLowerAscii(std::string s);
bool EqualsNoCase(const std::string& a, const std::string& b);
// Splits on CR LF, LF or CR; a final line break does not add an empty line.
std::vector<std::string> SplitLines(const std::string& s);
std::string JoinLines(const std::vector<std::string>& lines, const std::string& separator = "\r\n");
// A folder path with "\" at its end.
std::string WithTrailingBackslash(const std::string& folder);

}  // namespace text
