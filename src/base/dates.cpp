#include "base/dates.h"

#include <windows.h>

#include "base/exception.h"

bool IsLeapYear(int AYear) {
  return (AYear % 4 == 0 && AYear % 100 != 0) || AYear % 400 == 0;
}

int DaysInMonth(int AYear, int AMonth) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return AMonth == 2 && IsLeapYear(AYear) ? 29 : days[AMonth - 1];
}

TDate EncodeDate(int AYear, int AMonth, int ADay) {
  if (AYear < 1 || AYear > 9999 || AMonth < 1 || AMonth > 12 || ADay < 1 ||
      ADay > DaysInMonth(AYear, AMonth))
    throw EConvertError(L"Ungültiges Argument zum Codieren des Datums");
  return {AYear, AMonth, ADay};
}

namespace {
// 0 = Monday.
int DayOfWeek(const TDate &ADate) {
  // Zeller's congruence on the proleptic calendar.
  int m = ADate.Month, y = ADate.Year;
  if (m < 3) {
    m += 12;
    --y;
  }
  int h = (ADate.Day + 13 * (m + 1) / 5 + y + y / 4 - y / 100 + y / 400) % 7; // 0 = Saturday
  return (h + 5) % 7;
}

std::wstring LocaleText(LCTYPE AType) {
  wchar_t buf[128];
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, AType, buf, 128);
  return n > 1 ? std::wstring(buf, size_t(n - 1)) : std::wstring();
}

std::wstring Padded(int AValue, size_t AWidth) {
  std::wstring text = std::to_wstring(AValue);
  if (text.size() < AWidth) text.insert(0, AWidth - text.size(), L'0');
  return text;
}
} // namespace

// Formatted here rather than by GetDateFormatW, which knows no year before 1601.
std::wstring FormatShortDate(const TDate &ADate) {
  std::wstring pattern = LocaleText(LOCALE_SSHORTDATE);
  if (pattern.empty()) pattern = L"dd.MM.yyyy";
  std::wstring result;
  for (size_t i = 0; i < pattern.size();) {
    wchar_t c = pattern[i];
    size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c)
      ++run;
    if (c == L'\'') {
      // Quoted text; two quotes stand for one.
      size_t j = i + 1;
      for (; j < pattern.size(); ++j) {
        if (pattern[j] != L'\'') {
          result += pattern[j];
        } else if (j + 1 < pattern.size() && pattern[j + 1] == L'\'') {
          result += L'\'';
          ++j;
        } else {
          break;
        }
      }
      i = j + 1;
      continue;
    }
    if (c == L'd') {
      if (run <= 2)
        result += Padded(ADate.Day, run);
      else
        result += LocaleText((run == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) +
                             LCTYPE(DayOfWeek(ADate)));
    } else if (c == L'M') {
      if (run <= 2)
        result += Padded(ADate.Month, run);
      else
        result += LocaleText((run == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) +
                             LCTYPE(ADate.Month - 1));
    } else if (c == L'y') {
      result += run <= 2 ? Padded(ADate.Year % 100, run) : Padded(ADate.Year, run == 3 ? 1 : run);
    } else if (c == L'g') {
      // The era is left out: every year here is of the current one.
    } else {
      result.append(run, c);
    }
    i += run;
  }
  return result;
}
