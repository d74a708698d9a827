// The tags that change how text looks: fonts and styles, links, highlight
// and rotation.
#include <algorithm>

#include "markup/markup_drawing.h"
#include "markup/markup_helpers.h"
#include "markup/markup_renderer.h"

namespace {
// Font sizes beyond this take the platform seconds per line to render.
constexpr int kMaxPoints = 400;
} // namespace

// ---- fonts

// A font made anew from its description has no escapement: changing the
// font ends a rotation.
void TMarkupRenderer::FontChanged() { FCanvas.Font().SetOrientation(0); }

void TMarkupRenderer::SetStyle(TFontStyles AStyle, bool AOn) {
  TFont &f = FCanvas.Font();
  const TFontStyles style = AOn ? (f.Style() | AStyle) : (f.Style() & ~AStyle);
  if (style == f.Style()) return;
  f.SetStyle(style);
  FontChanged();
}

void TMarkupRenderer::SetFace(const std::wstring &AName) {
  if (AName == FCanvas.Font().Name()) return;
  FCanvas.Font().SetName(AName);
  FontChanged();
}

void TMarkupRenderer::SetPoints(int APoints) {
  TFont &f = FCanvas.Font();
  const int height = f.Height();
  f.SetSize(std::clamp(APoints, -kMaxPoints, kMaxPoints));
  if (f.Height() != height) FontChanged();
}

void TMarkupRenderer::FontStart(const TMarkupTag &ATag) {
  if (!ATag.Closed()) return;
  const size_t from = 5; // after "<FONT"
  if (ATag.Has(L"FACE", from)) SetFace(ATag.UpperValue(L"FACE", from));
  if (!A.KeepColors) {
    TColor color = MarkupColor(ATag.UpperValue(L" COLOR", from));
    if (color != clNone) SetTextColor(color);
  }
  if (Drawing() && !A.KeepColors && ATag.Has(L"BGCOLOR", from)) {
    S.FontSavedBack = Back();
    TColor back = MarkupColor(ATag.UpperValue(L"BGCOLOR", from));
    if (back != clNone) SetBack(back);
  }
  if (ATag.Has(L"SIZE", from)) {
    static const int kSizes[] = {8, 10, 12, 14, 16};
    const int value = ATag.SizeNumber(L"SIZE", from);
    SetPoints(value >= 1 && value <= 5 ? kSizes[value - 1] : value);
  }
}

void TMarkupRenderer::FontEnd() {
  SetFace(S.BaseFont.Name());
  if (FCanvas.Font().Height() != S.BaseFont.Height()) {
    FCanvas.Font().SetHeight(S.BaseFont.Height());
    FontChanged();
  }
  if (Drawing() && !A.KeepColors) {
    SetTextColor(S.BaseFont.Color());
    SetBack(S.FontSavedBack);
  }
}

// ---- anchors

void TMarkupRenderer::AnchorStart(const TMarkupTag &ATag) {
  if (Drawing() && A.FocusIndex == S.AnchorCounter) {
    S.FocusRect.left = Coordinate(FDrawPos);
    S.FocusRect.top = FLine.top;
  }
  const int number = ++S.AnchorCounter;
  const bool emphasis = !A.HoverOnly || A.HoverNumber == number;
  if (Drawing() && emphasis) {
    SetStyle(fsUnderline, true);
    if (A.HoverBackColor != clNone) {
      S.AnchorSavedBack = Back();
      SetBack(A.HoverBackColor);
    }
    if (A.HoverTextColor != clNone) {
      S.AnchorSavedText = TextColor();
      SetTextColor(A.HoverTextColor);
    }
  }
  if (!A.KeepColors &&
      !(A.HoverOnly && A.HoverTextColor != clNone && A.HoverNumber == number))
    SetTextColor(A.AnchorColor);
  S.AnchorAddress = std::make_shared<const std::wstring>(ATag.Quoted(0));
  S.InAnchor = true;
  S.HoverRect.left = Coordinate(FOrigin + FMetrics->WidthSoFar);
  S.HoverRect.top = FLine.top;
}

void TMarkupRenderer::AnchorEnd() {
  const int number = S.AnchorCounter;
  const bool wasOpen = S.InAnchor;
  const bool emphasis = !A.HoverOnly || A.HoverNumber == number;
  if (Drawing() && emphasis) {
    SetStyle(fsUnderline, false);
    if (A.HoverBackColor != clNone) SetBack(S.AnchorSavedBack);
    if (A.HoverTextColor != clNone)
      SetTextColor(S.AnchorSavedText != clNone ? S.AnchorSavedText : S.BaseFont.Color());
  }
  if (!A.KeepColors) SetTextColor(S.BaseFont.Color());
  S.InAnchor = false;
  // A closing tag without an open anchor has no rectangles to finish.
  if (!wasOpen) return;
  if (S.HoverPending) {
    TRect r = S.HoverRect;
    r.right = Coordinate(FOrigin + FMetrics->WidthSoFar);
    r.bottom = Coordinate(TextBottom());
    if (r.top != FLine.top) {
      // Begun on an earlier line: the part on this line.
      r.left = Coordinate(FOrigin);
      r.top = FLine.top;
    }
    R.HitRect = r;
    R.HitNumber = number;
    S.HoverPending = false;
  }
  if (A.FocusIndex == number - 1) {
    S.FocusRect.right = Coordinate(FDrawPos);
    S.FocusRect.bottom = Coordinate(TextBottom() - FMetrics->ImageOffset);
    S.FocusRect.top = S.FocusRect.bottom - Facts().Height;
    DrawFocus();
  }
}

// ---- highlight and rotation

void TMarkupRenderer::Highlight() {
  if (!Drawing()) return;
  S.HighlightSavedText = TextColor();
  S.HighlightSavedBack = Back();
  SetBack(clHighlight);
  SetTextColor(clHighlightText);
}

void TMarkupRenderer::HighlightEnd() {
  if (!Drawing()) return;
  SetTextColor(S.HighlightSavedText != clNone ? S.HighlightSavedText : S.BaseFont.Color());
  SetBack(S.HighlightSavedBack);
}

void TMarkupRenderer::Rotation(const TMarkupTag &ATag) {
  SelectRotatedFont(FCanvas, StrToIntLoose(ATag.LetterValue(L'A')), S);
}
