#include "update/HttpDate.h"

#include "platform/Text.h"

namespace update {
namespace {

const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};
const char* const kDays[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

std::string TrimLeft(const std::string& s) {
  size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return s.substr(b);
}

// Takes the text up to `sep` (or all of it) and removes it with the separator.
std::string TakeField(std::string& s, char sep) {
  size_t at = s.find(sep);
  std::string field = s.substr(0, at);
  s = at == std::string::npos ? std::string() : TrimLeft(s.substr(at + 1));
  return field;
}

bool ReadNumber(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return text::TryParseInt(s, out);
}

int MonthOf(const std::string& field) {
  std::string f = text::ToLowerAscii(field.substr(0, 3));
  for (int i = 0; i < 12; ++i)
    if (f == kMonths[i]) return i + 1;
  return 0;
}

bool ReadTime(const std::string& field, TDateTime& out) {
  std::string s = field;
  int h = 0, m = 0, sec = 0;
  std::string hs = TakeField(s, ':'), ms = TakeField(s, ':');
  if (!ReadNumber(hs, h) || !ReadNumber(ms, m)) return false;
  if (!s.empty() && !ReadNumber(s, sec)) return false;
  return TryEncodeTime(h, m, sec, out);
}

}  // namespace

TDateTime ParseHTTPDate(const std::string& input, const TimeZoneBias& zone) {
  std::string s = text::Trim(input);
  if (s.empty()) return 0;

  std::string head = text::ToLowerAscii(s.substr(0, 3));
  for (const char* day : kDays) {
    if (head == day) {
      size_t blank = s.find(' ');
      s = blank == std::string::npos ? std::string() : TrimLeft(s.substr(blank));
      break;
    }
  }

  size_t dash = s.find('-'), blank = s.find(' ');
  char sep = (dash != std::string::npos && dash >= 1 && (blank == std::string::npos || dash < blank)) ? '-' : ' ';

  int day = 1, month = 0;
  std::string first = TakeField(s, sep);
  if ((month = MonthOf(first)) != 0) {
    if (!ReadNumber(TakeField(s, sep), day)) day = 1;
  } else {
    if (!ReadNumber(first, day)) day = 1;
    month = MonthOf(TakeField(s, sep));
    if (month == 0) return 0;
  }

  TDateTime time = 0;
  bool haveTime = false;
  int year = 0;
  std::string yearField = TakeField(s, ' ');
  if (!ReadNumber(yearField, year)) {
    // asctime: the time stands before the year
    if (!ReadTime(yearField, time)) return 0;
    haveTime = true;
    if (!ReadNumber(TakeField(s, ' '), year)) return 0;
  }
  if (year < 80) year += 2000;
  else if (year < 100) year += 1900;

  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) return 0;
  if (!haveTime && s.find(':') != std::string::npos) {
    if (!ReadTime(TakeField(s, ' '), time)) return 0;
  }
  result += time;

  std::string zoneText = text::Trim(s);
  if (zoneText.size() > 4 && (zoneText[0] == '+' || zoneText[0] == '-')) {
    int hh = 0, mm = 0;
    if (ReadNumber(zoneText.substr(1, 2), hh) && ReadNumber(zoneText.substr(3, 2), mm)) {
      double offset = (hh * 60 + mm) / 1440.0;
      result += zoneText[0] == '+' ? -offset : offset;
    }
  }

  int32_t bias = zone.Bias + (zone.Daylight ? zone.DaylightBias : zone.StandardBias);
  return result - bias / 1440.0;
}

}  // namespace update
