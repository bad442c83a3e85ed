#include "platform/win32/Win32DateTimeText.h"

#include <windows.h>

namespace platform {

std::string Win32DateTimeText::ShortDateLongTime(const LocalTime& time) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(time.year);
  st.wMonth = static_cast<WORD>(time.month);
  st.wDay = static_cast<WORD>(time.day);
  st.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
  st.wHour = static_cast<WORD>(time.hour);
  st.wMinute = static_cast<WORD>(time.minute);
  st.wSecond = static_cast<WORD>(time.second);
  st.wMilliseconds = static_cast<WORD>(time.millisecond);

  char date[128] = {};
  char clock[128] = {};
  if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date)) date[0] = '\0';
  // No flags and no picture: the user's long time format.
  if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, clock, sizeof clock)) clock[0] = '\0';
  return std::string(date) + " " + clock;
}

}  // namespace platform
