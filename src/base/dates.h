#pragma once
// Calendar dates: the proleptic Gregorian calendar, years 1 to 9999.
#include <string>

struct TDate {
  int Year = 1;
  int Month = 1;
  int Day = 1;
};

bool IsLeapYear(int AYear);
int DaysInMonth(int AYear, int AMonth);
// Raises EConvertError "Ungültiges Argument zum Codieren des Datums" for a
// day that does not exist.
TDate EncodeDate(int AYear, int AMonth, int ADay);
// The date in the user's short date format of the regional settings.
std::wstring FormatShortDate(const TDate &ADate);
