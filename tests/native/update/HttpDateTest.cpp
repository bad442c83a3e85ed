#include <gtest/gtest.h>

#include <cmath>

#include "update/HttpDate.h"

using namespace update;

namespace {

TDateTime At(int y, int mo, int d, int h, int mi, int s) {
  TDateTime date = 0, time = 0;
  EXPECT_TRUE(TryEncodeDate(y, mo, d, date));
  EXPECT_TRUE(TryEncodeTime(h, mi, s, time));
  return date + time;
}

const TimeZoneBias kUtc{};

void ExpectSameInstant(TDateTime actual, TDateTime expected, const std::string& text) {
  EXPECT_NEAR(actual, expected, 0.5 / 86400) << text;
}

}  // namespace

TEST(ParseHTTPDate, TheThreeFormsOfOneInstantAgree) {
  TDateTime expected = At(1994, 11, 6, 8, 49, 37);
  for (const char* text : {"Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT",
                           "Sun Nov  6 08:49:37 1994", "  sun, 06 NOV 1994 08:49:37 gmt  "})
    ExpectSameInstant(ParseHTTPDate(text, kUtc), expected, text);
}

TEST(ParseHTTPDate, TwoDigitYearsAndFourDigitYears) {
  ExpectSameInstant(ParseHTTPDate("Sunday, 06-Nov-94 08:49:37 GMT", kUtc), At(1994, 11, 6, 8, 49, 37), "94");
  ExpectSameInstant(ParseHTTPDate("Tuesday, 01-Nov-05 10:00:00 GMT", kUtc), At(2005, 11, 1, 10, 0, 0), "05");
  ExpectSameInstant(ParseHTTPDate("Mon, 01 Jan 79 00:00:00 GMT", kUtc), At(2079, 1, 1, 0, 0, 0), "79");
  ExpectSameInstant(ParseHTTPDate("Tue, 01 Jan 80 00:00:00 GMT", kUtc), At(1980, 1, 1, 0, 0, 0), "80");
  ExpectSameInstant(ParseHTTPDate("Thu, 10 Dec 2026 05:00:00 GMT", kUtc), At(2026, 12, 10, 5, 0, 0), "2026");
}

TEST(ParseHTTPDate, NumericZonesAreTakenBackToUtc) {
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 09:49:37 +0100", kUtc), At(1994, 11, 6, 8, 49, 37), "+0100");
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 03:19:37 -0530", kUtc), At(1994, 11, 6, 8, 49, 37), "-0530");
  // Across midnight and with a short zone name, which means UTC.
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 00:30:00 +0100", kUtc), At(1994, 11, 5, 23, 30, 0), "midnight");
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 08:49:37 EST", kUtc), At(1994, 11, 6, 8, 49, 37), "EST");
}

TEST(ParseHTTPDate, UtcBecomesLocalTimeWithTheSystemBias) {
  // Central Europe: UTC = local - 60 minutes, one more hour in summer.
  TimeZoneBias winter{-60, 0, -60, false};
  TimeZoneBias summer{-60, 0, -60, true};
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 08:49:37 GMT", winter), At(1994, 11, 6, 9, 49, 37), "winter");
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 08:49:37 GMT", summer), At(1994, 11, 6, 10, 49, 37), "summer");
  TimeZoneBias newYork{300, 0, -60, false};
  ExpectSameInstant(ParseHTTPDate("Sun, 06 Nov 1994 08:49:37 GMT", newYork), At(1994, 11, 6, 3, 49, 37), "EST");
}

TEST(ParseHTTPDate, UnreadableTextsGiveZero) {
  for (const char* text : {"", "   ", "Sunday", "Sun, 06 Foo 1994 08:49:37 GMT", "Sun, 06 Nov abcd 08:49:37 GMT",
                           "Sun, 31 Feb 1994 08:49:37 GMT", "Sun, 06 Nov 1994 25:00:00 GMT", "garbage",
                           "Sun Nov  6 08:49:37"})
    EXPECT_EQ(ParseHTTPDate(text, kUtc), 0) << text;
  // An unreadable day counts as the first of the month.
  ExpectSameInstant(ParseHTTPDate("Sun, xx Nov 1994 08:49:37 GMT", kUtc), At(1994, 11, 1, 8, 49, 37), "day");
  // A date without a time is midnight.
  ExpectSameInstant(ParseHTTPDate("06 Nov 1994", kUtc), At(1994, 11, 6, 0, 0, 0), "no time");
}

TEST(DateTimes, EncodeAndDecodeRoundTrip) {
  TDateTime t = At(2005, 11, 30, 23, 59, 58);
  DateTimeParts p = DecodeDateTime(t);
  EXPECT_EQ(p.year, 2005);
  EXPECT_EQ(p.month, 11);
  EXPECT_EQ(p.day, 30);
  EXPECT_EQ(p.hour, 23);
  EXPECT_EQ(p.minute, 59);
  EXPECT_EQ(p.second, 58);
  EXPECT_EQ(At(1899, 12, 30, 0, 0, 0), 0);
  EXPECT_EQ(At(2000, 3, 1, 0, 0, 0) - At(2000, 2, 28, 0, 0, 0), 2);  // leap day
}
