#include "markup/markup_helpers.h"
#include "base/strings.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
const std::wstring kMarker = L"\\n";
const std::wstring kColonMarker = L":\\n";

int HexDigit(wchar_t C) {
  if (C >= L'0' && C <= L'9') return C - L'0';
  if (C >= L'A' && C <= L'F') return C - L'A' + 10;
  if (C >= L'a' && C <= L'f') return C - L'a' + 10;
  return -1;
}

// Selects a font into the canvas for the scope and puts the old one back.
class TCanvasFont {
public:
  explicit TCanvasFont(TCanvas &ACanvas) : FCanvas(ACanvas), FSaved(ACanvas.Font()) {}
  ~TCanvasFont() { FCanvas.Font().Assign(FSaved); }
  TCanvasFont(const TCanvasFont &) = delete;
  TCanvasFont &operator=(const TCanvasFont &) = delete;

private:
  TCanvas &FCanvas;
  TFont FSaved;
};

SIZE LineExtent(TCanvas &ACanvas, const TFont &AFont, const std::wstring &ALine, UINT AFlags) {
  ACanvas.Font().Assign(AFont);
  TRect r(0, 0, 0, 0);
  ACanvas.TextRect(r, ALine, AFlags | DT_SINGLELINE | DT_CALCRECT);
  return {r.Width(), r.Height()};
}
} // namespace

const TMarkupEntity MarkupEntities[9] = {
    {L"&amp;", L"&&"},       {L"&quot;", L"\""},      {L"&sect;", L"\u00A7"},
    {L"&permil;", L"\u2030"}, {L"&reg;", L"\u00AE"},  {L"&copy;", L"\u00A9"},
    {L"&para;", L"\u00B6"},  {L"&trade;", L"\u2122"}, {L"&euro;", L"\u20AC"},
};

std::wstring TrimSpaces(const std::wstring &AText) {
  size_t first = AText.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  size_t last = AText.find_last_not_of(L' ');
  return AText.substr(first, last - first + 1);
}

bool HasLineMarker(const std::wstring &AText) {
  size_t marker = AText.find(kMarker);
  if (marker == std::wstring::npos) return false;
  // Only a marker right after a colon is a path; one at the very start of
  // the text marks an empty first line.
  size_t colon = AText.find(kColonMarker);
  return colon == std::wstring::npos || marker != colon + 1;
}

void SplitLines(const std::wstring &AText, TStringList *ALines) {
  if (!ALines || AText.empty()) return;
  if (!HasLineMarker(AText) && AText.find(L'\r') == std::wstring::npos) {
    ALines->Add(AText);
    return;
  }
  // Positions into the text, never copies of its rest; the next marker and
  // the next CR are searched for again only once the line passes them.
  size_t pos = 0, end = AText.size();
  while (end > pos && AText[end - 1] == L' ') --end;
  size_t marker = 0, cr = 0;
  bool markerKnown = false, crKnown = false;
  auto next = [&](size_t &AAt, bool &AKnown, auto APattern) {
    if (!AKnown || (AAt != std::wstring::npos && AAt < pos)) {
      AAt = AText.find(APattern, pos);
      AKnown = true;
    }
    return AAt < end ? AAt : std::wstring::npos;
  };
  for (;;) {
    while (pos < end && AText[pos] == L' ') ++pos;
    if (pos >= end) break;
    size_t stop = next(marker, markerKnown, kMarker);
    if (stop == std::wstring::npos) stop = next(cr, crKnown, L'\r');
    if (stop == std::wstring::npos) stop = end;
    // Both separators take two characters: the marker, or CR and its LF.
    size_t last = stop;
    while (last > pos && AText[last - 1] == L' ') --last;
    ALines->Add(AText.substr(pos, last - pos));
    pos = std::min(stop + 2, end);
  }
}

SIZE MeasureLines(TCanvas *ACanvas, const std::wstring &AText, const TFont &AFirstFont,
                  const TFont &AOtherFont, UINT AFlags, bool ALink) {
  SIZE size{0, 0};
  if (!ACanvas) return size;
  TCanvasFont keep(*ACanvas);
  if (!HasLineMarker(AText) && AText.find(L'\r') == std::wstring::npos)
    return LineExtent(*ACanvas, AFirstFont, AText, AFlags);
  TStringList lines;
  SplitLines(AText, &lines);
  for (int i = 0; i < lines.Count(); ++i) {
    std::wstring line = TrimSpaces(lines[i]);
    if (line.empty()) continue;
    if (i == 0) {
      size = LineExtent(*ACanvas, AFirstFont, line, AFlags);
      if (ALink) {
        size.cx += 8;
        size.cy += 10;
      }
      continue;
    }
    SIZE extent = LineExtent(*ACanvas, AOtherFont, line, AFlags);
    size.cx = std::max(size.cx, extent.cx + (ALink ? 8 : 0));
    size.cy += extent.cy + (ALink ? 2 : 0);
  }
  return size;
}

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
