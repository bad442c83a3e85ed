#include "update/DateTime.h"

#include <cmath>
#include <cstdio>

namespace update {
namespace {

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Days from 0001-01-01 to the given date (proleptic Gregorian calendar).
long long DaysFromCivilStart(int y, int m, int d) {
  long long yy = y - 1;
  long long days = yy * 365 + yy / 4 - yy / 100 + yy / 400;
  for (int k = 1; k < m; ++k) days += DaysInMonth(y, k);
  return days + d - 1;
}

const long long kDaysTo1899_12_30 = 693593;  // DaysFromCivilStart(1899, 12, 30)

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  out = static_cast<TDateTime>(DaysFromCivilStart(year, month, day) - kDaysTo1899_12_30);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, TDateTime& out) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
  out = (hour * 3600 + minute * 60 + second) / 86400.0;
  return true;
}

DateTimeParts DecodeDateTime(TDateTime value) {
  DateTimeParts p;
  long long totalSeconds = std::llround(value * 86400.0);
  long long days = totalSeconds / 86400;
  long long secs = totalSeconds % 86400;
  if (secs < 0) {
    secs += 86400;
    --days;
  }
  long long civil = days + kDaysTo1899_12_30;  // days since 0001-01-01
  int y = static_cast<int>(civil / 366) + 1;   // never past the real year
  while (DaysFromCivilStart(y + 1, 1, 1) <= civil) ++y;
  long long left = civil - DaysFromCivilStart(y, 1, 1);
  int m = 1;
  while (left >= DaysInMonth(y, m)) left -= DaysInMonth(y, m++);
  p.year = y;
  p.month = m;
  p.day = static_cast<int>(left) + 1;
  p.hour = static_cast<int>(secs / 3600);
  p.minute = static_cast<int>(secs / 60 % 60);
  p.second = static_cast<int>(secs % 60);
  return p;
}

std::string FormatVersionDate(int year, int month, int day) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", month, day, year);
  return buf;
}

}  // namespace update
