#include "base/convert.h"

#include <cstdint>

std::optional<int> TryStrToInt(const std::wstring &AText) {
  size_t i = 0;
  while (i < AText.size() && AText[i] == L' ')
    ++i;
  bool negative = false;
  if (i < AText.size() && (AText[i] == L'+' || AText[i] == L'-')) negative = AText[i++] == L'-';
  int base = 10;
  if (i < AText.size() && AText[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < AText.size() && AText[i] == L'0' &&
             (AText[i + 1] == L'x' || AText[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i == AText.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < AText.size(); ++i) {
    wchar_t c = AText[i];
    int digit;
    if (c >= L'0' && c <= L'9')
      digit = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f')
      digit = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F')
      digit = c - L'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > std::int64_t(INT32_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return int(value);
}

int StrToIntDef(const std::wstring &AText, int ADefault) {
  return TryStrToInt(AText).value_or(ADefault);
}
