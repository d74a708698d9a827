#include "taskdialog/dialog_text.h"

#include <algorithm>

namespace {
const std::wstring kMarker = L"\\n";
const std::wstring kColonMarker = L":\\n";

// Puts the canvas's font back as it was, attributes and all. Not a device
// context selection: the canvas owns its font object and selects it itself,
// so the font object is what must come back.
class TKeptCanvasFont {
public:
  explicit TKeptCanvasFont(TCanvas &ACanvas) : FCanvas(ACanvas), FSaved(ACanvas.Font()) {}
  ~TKeptCanvasFont() { FCanvas.Font().Assign(FSaved); }
  TKeptCanvasFont(const TKeptCanvasFont &) = delete;
  TKeptCanvasFont &operator=(const TKeptCanvasFont &) = delete;

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
  TKeptCanvasFont keep(*ACanvas);
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

TMarkupArgs DialogMarkupArgs(TCanvas &ACanvas, const std::wstring &AText, const TRect &ABounds,
                             TMarkupUse AUse, int APointX, int APointY) {
  TMarkupArgs args;
  args.Canvas = &ACanvas;
  args.Text = AText;
  args.Bounds = ABounds;
  args.Images = nullptr;
  args.FocusIndex = -1;
  args.HoverNumber = -1;
  args.ShadowOffset = 1;
  args.StretchImages = false;
  args.HoverOnly = false;
  args.WordWrap = true;
  args.ImageScale = 1.0;
  args.AnchorColor = RGBColor(0, 0, 255);
  args.HoverBackColor = clNone;
  args.HoverTextColor = clNone;
  args.ShadowColor = RGBColor(128, 128, 128);
  args.PictureCache = nullptr;
  args.PictureSource = nullptr;
  args.Pictures = false;
  args.LineSpacing = 0;
  args.ReadingOrder = 0;
  SetMarkupUse(args, AUse, APointX, APointY);
  return args;
}
