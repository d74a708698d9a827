#include <doctest.h>

#include <cmath>

#include "base/exception.h"
#include "update/version_number.h"

TEST_CASE("version numbers: the forms that are numbers") {
  struct TCase {
    const wchar_t *Text;
    double Value;
  } cases[] = {
      {L"2.00", 2.0},      {L"2.01", 2.01}, {L"  2.1", 2.1}, {L"+2", 2},
      {L"-2.5", -2.5},     {L"2.", 2},      {L".5", 0.5},    {L".", 0},
      {L"+.", 0},          {L"1e3", 1000},  {L"1E+2", 100},  {L"25e-1", 2.5},
      {L"-1.5e-1", -0.15}, {L"007", 7},     {L"0.000", 0},   {L"1e-400", 0},
  };
  for (const TCase &c : cases) {
    CAPTURE(WideToUtf8(c.Text));
    std::optional<double> v = VersionNumber(c.Text);
    REQUIRE(v.has_value());
    CHECK(*v == doctest::Approx(c.Value).epsilon(1e-15));
  }
  // Digit by digit, then scaled once: as exact as the decimal text allows.
  CHECK(*VersionNumber(L"2.01") == 2.01);
  CHECK(*VersionNumber(L"0.1") == 0.1);
  CHECK(*VersionNumber(L"2.10") < *VersionNumber(L"2.9"));
}

TEST_CASE("version numbers: the forms that are not") {
  for (const wchar_t *text :
       {L"",    L" ",     L"   ",   L"+",    L"-",   L"1e",     L"1e+",    L"1.2.3",
        L"1,5", L"2.01 ", L"2 ",    L"\t2",  L"v2",  L"2a",     L"1e5000", L"--1",
        L"+-1", L"2.0.1", L"1e2.5", L"0x10", L"$10", L"\u00a02"}) {
    CAPTURE(WideToUtf8(text));
    CHECK_FALSE(VersionNumber(text).has_value());
  }
}
