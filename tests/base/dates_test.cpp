#include <doctest.h>

#include "base/convert.h"
#include "base/dates.h"
#include "base/exception.h"

TEST_CASE("whole numbers: decimal and hexadecimal, with blanks and sign") {
  struct TCase {
    const wchar_t *Text;
    int Value;
  } cases[] = {{L"12", 12},
               {L"  12", 12},
               {L"-7", -7},
               {L"+7", 7},
               {L"$1F", 31},
               {L"0x1f", 31},
               {L"0X10", 16},
               {L"-$10", -16},
               {L"007", 7},
               {L"2147483647", 2147483647},
               {L"-2147483648", -2147483647 - 1}};
  for (const TCase &c : cases) {
    CAPTURE(WideToUtf8(c.Text));
    CHECK(TryStrToInt(c.Text) == c.Value);
  }
  for (const wchar_t *text : {L"", L" ", L"-", L"$", L"0x", L"12 ", L"1.0", L"1e3", L"x12", L"1 2",
                              L"2147483648", L"$100000000", L"zwölf"})
    CHECK_FALSE(TryStrToInt(text).has_value());
  CHECK(StrToIntDef(L"Mai", 1) == 1);
}

TEST_CASE("dates of the proleptic calendar, years 1 to 9999") {
  CHECK_NOTHROW(EncodeDate(1, 1, 1));
  CHECK_NOTHROW(EncodeDate(9999, 12, 31));
  CHECK_NOTHROW(EncodeDate(2000, 2, 29));
  CHECK_NOTHROW(EncodeDate(1600, 2, 29));
  struct TDay {
    int Y, M, D;
  } bad[] = {{1900, 2, 29}, {2010, 4, 31}, {2010, 13, 1}, {0, 1, 1},
             {10000, 1, 1}, {2010, 1, 0},  {2010, 1, 32}, {2010, -1, 1}};
  for (const TDay &b : bad) {
    CAPTURE(b.Y);
    CAPTURE(b.M);
    CAPTURE(b.D);
    try {
      EncodeDate(b.Y, b.M, b.D);
      FAIL("no error");
    } catch (const EConvertError &e) {
      CHECK(e.Message() == L"Ungültiges Argument zum Codieren des Datums");
    }
  }
}

TEST_CASE("dates in the user's short date format, also before 1601") {
  // The test prefix has German regional settings: dd.MM.yyyy.
  CHECK(FormatShortDate({2010, 12, 24}) == L"24.12.2010");
  CHECK(FormatShortDate({2023, 4, 8}) == L"08.04.2023");
  CHECK(FormatShortDate({987, 3, 7}) == L"07.03.0987");
  CHECK(FormatShortDate({1, 1, 1}) == L"01.01.0001");
}
