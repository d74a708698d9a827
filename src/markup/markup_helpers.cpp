#include "markup/markup_helpers.h"
#include "base/strings.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
int HexDigit(wchar_t C) {
  if (C >= L'0' && C <= L'9') return C - L'0';
  if (C >= L'A' && C <= L'F') return C - L'A' + 10;
  if (C >= L'a' && C <= L'f') return C - L'a' + 10;
  return -1;
}
} // namespace

const TMarkupEntity MarkupEntities[9] = {
    {L"&amp;", L"&&"},       {L"&quot;", L"\""},      {L"&sect;", L"\u00A7"},
    {L"&permil;", L"\u2030"}, {L"&reg;", L"\u00AE"},  {L"&copy;", L"\u00A9"},
    {L"&para;", L"\u00B6"},  {L"&trade;", L"\u2122"}, {L"&euro;", L"\u20AC"},
};

int PosText(const std::wstring &ASought, const std::wstring &AText) {
  if (ASought.empty()) return 0;
  size_t at = UpperCase(AText).find(UpperCase(ASought));
  return at == std::wstring::npos ? 0 : int(at) + 1;
}

bool ReplaceFirstText(const std::wstring &AOld, const std::wstring &ANew, std::wstring &AText) {
  int at = PosText(AOld, AText);
  if (at == 0) return false;
  AText.replace(size_t(at - 1), AOld.size(), ANew);
  return true;
}

int StrToIntLoose(const std::wstring &AText) {
  size_t i = 0, n = AText.size();
  while (i < n && AText[i] == L' ') ++i;
  bool negative = false;
  if (i < n && (AText[i] == L'+' || AText[i] == L'-')) negative = AText[i++] == L'-';
  int base = 10;
  if (i < n && (AText[i] == L'$' || AText[i] == L'x' || AText[i] == L'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && AText[i] == L'0' && (AText[i + 1] == L'x' || AText[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  // Counted past the 32-bit range only far enough to know it was passed.
  const int64_t limit = int64_t(INT_MAX) + 1;
  int64_t value = 0;
  for (; i < n; ++i) {
    int digit = HexDigit(AText[i]);
    if (digit < 0 || digit >= base) break;
    value = std::min(value * base + digit, limit);
  }
  if (negative) value = -value;
  return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

std::wstring StripHashTag(const std::wstring &AText) {
  size_t at = AText.find(L"<#");
  if (at == std::wstring::npos) return AText;
  std::wstring rest = AText.substr(at + 1);
  size_t close = rest.find(L'>');
  if (close != std::wstring::npos) rest.erase(close, 1);
  return AText.substr(0, at) + rest;
}

std::wstring LineBreaksToTags(const std::wstring &AText) {
  std::wstring result;
  result.reserve(AText.size());
  for (wchar_t c : AText) {
    if (c == L'\r')
      result += L"<BR>";
    else if (c != L'\n')
      result += c;
  }
  return result;
}

UINT ReadingOrderFlags(UINT AFlags, int AReadingOrder) {
  if (!GetSystemMetrics(SM_MIDEASTENABLED)) return AFlags;
  if (AReadingOrder == 1) {
    if (AFlags & DT_RIGHT)
      AFlags &= ~UINT(DT_RIGHT);
    else if (!(AFlags & DT_CENTER))
      AFlags |= DT_RIGHT;
  }
  if (AReadingOrder != 0) AFlags |= DT_RTLREADING;
  return AFlags;
}
