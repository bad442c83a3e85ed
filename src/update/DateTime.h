#pragma once
// Date-times of the update component: days since 30 December 1899, the fraction of a day
// being the time of day. 0 stands for "no date" (an absent header, for example).
#include <string>

namespace update {

using TDateTime = double;

// False when the parts do not form a real date (month 13, 30 February, year 0 ...).
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, TDateTime& out);

struct DateTimeParts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// Splits a date-time into its parts, rounded to the nearest second.
DateTimeParts DecodeDateTime(TDateTime value);

// MM/DD/YYYY with "/" whatever the system's separator is: the form the component
// writes its own release dates in.
std::string FormatVersionDate(int year, int month, int day);

}  // namespace update
