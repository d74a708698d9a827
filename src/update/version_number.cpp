#include "update/version_number.h"

#include <cmath>

namespace {
bool IsDigit(wchar_t C) {
  return C >= L'0' && C <= L'9';
}
} // namespace

std::optional<double> VersionNumber(const std::wstring &AText) {
  const size_t n = AText.size();
  size_t i = 0;
  while (i < n && AText[i] == L' ')
    ++i;
  bool negative = false;
  if (i < n && (AText[i] == L'+' || AText[i] == L'-')) negative = AText[i++] == L'-';
  if (i == n) return std::nullopt; // empty, blanks only, or a sign alone

  // Digit by digit in extended precision; the scale is applied once at the end.
  long double value = 0;
  long exponent = 0;
  while (i < n && IsDigit(AText[i]))
    value = value * 10 + (AText[i++] - L'0');
  if (i < n && AText[i] == L'.') {
    ++i;
    while (i < n && IsDigit(AText[i])) {
      value = value * 10 + (AText[i++] - L'0');
      --exponent;
    }
  }
  if (i < n && (AText[i] == L'E' || AText[i] == L'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (AText[i] == L'+' || AText[i] == L'-')) negativeExponent = AText[i++] == L'-';
    if (i == n || !IsDigit(AText[i])) return std::nullopt;
    long written = 0;
    while (i < n && IsDigit(AText[i])) {
      // Far beyond any representable value; keeps the sum from overflowing.
      if (written < 100000) written = written * 10 + (AText[i] - L'0');
      ++i;
    }
    exponent += negativeExponent ? -written : written;
  }
  if (i != n) return std::nullopt;

  if (value != 0 && exponent != 0) {
    long double scale = std::pow(10.0L, static_cast<long double>(std::labs(exponent)));
    value = exponent < 0 ? value / scale : value * scale;
  }
  double result = static_cast<double>(negative ? -value : value);
  if (!std::isfinite(result)) return std::nullopt;
  return result;
}
