// What each tag does once its letters have been recognised.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/convert.h"
#include "base/strings.h"
#include "markup/markup_drawing.h"
#include "markup/markup_helpers.h"
#include "markup/markup_renderer.h"
#include "ui/bitmap.h"
#include "ui/handles.h"

namespace {
// The tag is exactly this (letters in any case) and closed by ">".
bool Is(const TMarkupTag &ATag, const wchar_t *AName) {
  const size_t n = std::wcslen(AName);
  if (!ATag.Closed() || ATag.Size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (ATag.Letter(i) != AName[i]) return false;
  return true;
}

int Clamped(long long AValue) { return ClampPixels(AValue); }

// Font sizes beyond this take the platform seconds per line to render.
constexpr int kMaxPoints = 400;

// Selects the platform's clip to a rectangle for one scope.
class TClipTo {
public:
  TClipTo(HDC ADC, const TRect &ARect) : FDC(ADC), FSaved(SaveDC(ADC)) {
    IntersectClipRect(ADC, ARect.left, ARect.top, ARect.right, ARect.bottom);
  }
  ~TClipTo() { RestoreDC(FDC, FSaved); }
  TClipTo(const TClipTo &) = delete;
  TClipTo &operator=(const TClipTo &) = delete;

private:
  HDC FDC;
  int FSaved;
};

} // namespace

void TMarkupRenderer::OpeningTag(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  switch (ATag.Letter(1)) {
  case L'A':
    AnchorStart(ATag);
    break;
  case L'B':
    if (Is(ATag, L"<B"))
      SetStyle(fsBold, true);
    else if (ATag.Letter(2) == L'L') {
      if (!A.BlinkVisible) SetTextColor(S.EntryBack);
    } else if (ATag.Letter(2) == L'O')
      Body(ATag);
    else if (ATag.Letter(2) == L'R')
      LineBreak();
    break;
  case L'E':
    if (Drawing()) S.ErrorMark = true;
    break;
  case L'F':
    FontStart(ATag);
    break;
  case L'H':
    if (ATag.Letter(2) == L'I')
      Highlight();
    else if (ATag.Letter(2) == L'R')
      Rule(ATag);
    break;
  case L'I':
    if (Is(ATag, L"<I"))
      SetStyle(fsItalic, true);
    else if (ATag.Letter(2) == L'N')
      IndentTo(ATag);
    else if (ATag.Letter(2) == L'M')
      Image(ATag);
    break;
  case L'L':
    ListItem(ATag);
    break;
  case L'O':
    if (ATag.Letter(2) == L'F') OffsetStart(ATag);
    break;
  case L'P':
    Paragraph(ATag);
    break;
  case L'R':
    Rotation(ATag);
    break;
  case L'S':
    if (Is(ATag, L"<S"))
      SetStyle(fsStrikeOut, true);
    else if (ATag.Letter(2) == L'H')
      S.Shadow = true;
    else if (Is(ATag, L"<SUB"))
      S.Subscript = true;
    else if (Is(ATag, L"<SUP"))
      S.Superscript = true;
    break;
  case L'U':
    if (Is(ATag, L"<U")) {
      SetStyle(fsUnderline, true);
    } else {
      ++S.ListLevel;
      m.LineEnd = true;
    }
    break;
  case L'Z':
    S.Hidden = true;
    break;
  default:
    break; // other letters vanish without effect
  }
}

void TMarkupRenderer::ClosingTag(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  switch (ATag.Letter(2)) {
  case L'A':
    AnchorEnd();
    break;
  case L'B':
    if (Is(ATag, L"</B"))
      SetStyle(fsBold, false);
    else
      SetTextColor(S.BaseFont.Color()); // the end of a blink
    break;
  case L'E':
    if (Drawing()) S.ErrorMark = false;
    break;
  case L'F':
    FontEnd();
    break;
  case L'H':
    HighlightEnd();
    break;
  case L'I':
    SetStyle(fsItalic, false);
    break;
  case L'L':
    m.LineEnd = true;
    break;
  case L'O':
    S.Offset = 0;
    break;
  case L'P':
    ParagraphEnd();
    break;
  case L'R':
    RestoreRotatedFont(FCanvas, S);
    break;
  case L'S':
    if (ATag.Letter(3) == L'U')
      S.Superscript = S.Subscript = false;
    else if (ATag.Letter(3) == L'H')
      S.Shadow = false;
    else
      SetStyle(fsStrikeOut, false);
    break;
  case L'U':
    if (Is(ATag, L"</U"))
      SetStyle(fsUnderline, false);
    else if (S.ListLevel > 0)
      --S.ListLevel;
    else
      SetStyle(fsUnderline, false);
    break;
  case L'Z':
    S.Hidden = false;
    break;
  default:
    break;
  }
}

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

// ---- lines and paragraphs

void TMarkupRenderer::LineBreak() {
  FMetrics->LineEnd = true;
  if (FFirstPass) R.PlainText += L'\r';
}

void TMarkupRenderer::Paragraph(const TMarkupTag &ATag) {
  if (!ATag.Closed()) return;
  if (ATag.Has(L"ALIGN")) {
    const std::wstring align = ATag.UpperValue(L"ALIGN");
    if (align.find(L"RIGHT") != std::wstring::npos) S.Align = maRight;
    if (align.find(L"LEFT") != std::wstring::npos) S.Align = maLeft;
    if (align.find(L"CENTER") != std::wstring::npos) S.Align = maCenter;
  }
  if (ATag.Has(L"INDENT")) S.Indent = Clamped(StrToIntLoose(ATag.UpperValue(L"INDENT")));
  if (!Drawing() || !ATag.Has(L"BGCOLOR")) return;
  const TColor color = MarkupColor(ATag.UpperValue(L"BGCOLOR"));
  if (color == clNone) return;
  S.ParagraphBand = true;
  if (!ATag.Has(L"BGCOLORTO")) {
    S.ParagraphSavedBack = Back();
    SetBack(color);
    FCanvas.SetPenColor(color);
    FCanvas.Rectangle(TRect(A.Bounds.left, FLine.top, A.Bounds.right, Coordinate(TextBottom())));
    return;
  }
  FCanvas.SetPenColor(color);
  FillGradient(FCanvas, color, MarkupColor(ATag.UpperValue(L"BGCOLORTO")), true,
               TRect(A.Bounds.left, FLine.top, A.Bounds.right, Coordinate(TextBottom() + 2)), 64,
               clNone);
  SetBack(clNone);
}

void TMarkupRenderer::ParagraphEnd() {
  FMetrics->LineEnd = true;
  if (!Drawing()) return;
  SetBack(S.ParagraphSavedBack);
  S.ParagraphBand = false;
}

void TMarkupRenderer::IndentTo(const TMarkupTag &ATag) {
  const std::optional<int> value = TryStrToInt(ATag.LetterValue(L'X'));
  if (!value) return;
  const int v = Clamped(*value);
  if (FMetrics->WidthSoFar < v) {
    FMetrics->WidthSoFar = v;
    FDrawPos = (long long)A.Bounds.left + v;
  }
}

void TMarkupRenderer::OffsetStart(const TMarkupTag &ATag) {
  const int v = Clamped(StrToIntLoose(ATag.LetterValue(L'X')));
  S.Offset = v;
  FMetrics->WidthSoFar = v;
  FDrawPos = (long long)FLine.left + v;
}

// ---- lists

void TMarkupRenderer::ListItem(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  if (FFirstPass && m.ListItemSeen) {
    m.LineFull = true; // this item begins the next line
    return;
  }
  m.ListItemSeen = true;
  std::wstring type;
  TColor color = clNone;
  if (ATag.Closed()) {
    type = ATag.UpperValue(L"TYPE");
    color = MarkupColor(ATag.UpperValue(L"COLOR"));
  }
  const long long level = S.ListLevel;
  m.WidthSoFar += 12 * level;
  FDrawPos += 12 * (level - 1);
  if (Drawing() && !S.Hidden) {
    const int x = Coordinate(FDrawPos), y = FLine.top;
    if (!ATag.Has(L"TYPE")) {
      TFont &f = FCanvas.Font();
      const TColor savedColor = f.Color();
      const std::wstring savedFace = f.Name();
      if (color != clNone) f.SetColor(color);
      f.SetName(L"Symbol");
      // The Symbol font's bullet, and a small circle for every other level.
      DrawTextIn(level % 2 ? L"\u00B7" : L"o", TRect(x, y, x + 1000, y + 1000),
                 DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP, f.Color());
      f.SetName(savedFace);
      f.SetColor(savedColor);
    } else {
      // Shapes without a colour of their own take the text's.
      const TColor shape = color != clNone ? color : TextColor();
      const TColor savedBack = Back();
      const bool square = type == L"SQUARE", circle = type == L"CIRCLE";
      if (square || circle) {
        FCanvas.SetPenColor(shape);
        SetBack(shape);
        const TRect box(x, y + 2, x + 8, y + 10);
        if (square)
          FCanvas.Rectangle(box);
        else
          EllipseIn(box);
        SetBack(savedBack);
      }
      SetBack(clNone);
    }
  }
  FDrawPos += 12;
}

void TMarkupRenderer::EllipseIn(const TRect &ABox) {
  TGdiObject pen(CreatePen(PS_SOLID, FCanvas.PenWidth(), ColorToRGB(FCanvas.PenColor())));
  TGdiObject brush(Back() == clNone ? nullptr : CreateSolidBrush(ColorToRGB(Back())));
  HDC dc = FCanvas.Handle();
  TSelectedObject selectedPen(dc, pen.Get());
  TSelectedObject selectedBrush(dc, brush.Get() ? brush.Get() : GetStockObject(NULL_BRUSH));
  Ellipse(dc, ABox.left, ABox.top, ABox.right, ABox.bottom);
}

// ---- rules, highlight, rotation

void TMarkupRenderer::Rule(const TMarkupTag &ATag) {
  FMetrics->LineEnd = true;
  if (!Drawing()) return;
  TColor color = clBlack;
  if (ATag.Has(L"COLOR")) {
    // Read as written; hexadecimal digits count in either case.
    const TColor given = MarkupColor(ATag.Value(L"COLOR"));
    if (given != clNone) color = given;
  }
  const TColor saved = FCanvas.PenColor();
  FCanvas.SetPenColor(color);
  const int y = Coordinate(TextBottom() + 1);
  FCanvas.MoveTo(FLine.left, y);
  FCanvas.LineTo(FLine.right, y);
  FCanvas.SetPenColor(saved);
}

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

// ---- images

int TMarkupRenderer::ScaleX(long long APixels) const {
  return MulDiv(Clamped(APixels), GetDeviceCaps(FCanvas.Handle(), LOGPIXELSX), 96);
}

int TMarkupRenderer::ScaleY(long long APixels) const {
  return MulDiv(Clamped(APixels), GetDeviceCaps(FCanvas.Handle(), LOGPIXELSY), 96);
}

THTMLPicture *TMarkupRenderer::CachedPicture(const std::wstring &AAddress) {
  TPictureCache &cache = *A.PictureCache;
  if (THTMLPicture *picture = PictureCacheFind(cache, AAddress)) return picture;
  THTMLPicture *picture = PictureCacheAdd(cache);
  picture->SetAsynch(false);
  try {
    picture->LoadFromURL(AAddress);
  } catch (const std::exception &) {
    // Undecodable data: the picture stays without an image, and the
    // address is not tried again with this cache.
  }
  return PictureCacheFind(cache, AAddress);
}

TMarkupRenderer::TImageSource TMarkupRenderer::ResolveImage(const std::wstring &AValue) {
  TImageSource source;
  if (!A.Pictures) return source;
  const std::wstring upper = UpperCase(AValue);
  if (upper.find(L"IDX:") != std::wstring::npos) {
    const int n = StrToIntLoose(AValue.size() > 4 ? AValue.substr(4) : std::wstring());
    if (A.Images && n >= 0 && n < A.Images->Count()) {
      source.Kind = TImageSource::isList;
      source.Index = n;
      source.Size = {A.Images->Width(), A.Images->Height()};
    }
  }
  const bool small = upper.find(L"SSYS:") != std::wstring::npos;
  if (small || upper.find(L"LSYS:") != std::wstring::npos) {
    source.Kind = TImageSource::isIcon;
    source.IconName = AValue.size() > 5 ? AValue.substr(5) : std::wstring();
    source.Large = !small;
    source.Size = DrawSystemIcon(FCanvas, 0, 0, source.IconName, source.Large, false, false, 1.0);
  }
  if (upper.find(L':') == std::wstring::npos && A.PictureSource) {
    if (THTMLPicture *picture = A.PictureSource->PictureByName(AValue)) {
      source.Kind = TImageSource::isPicture;
      source.Picture = picture;
    }
  }
  if (upper.find(L"://") != std::wstring::npos && A.PictureCache) {
    if (THTMLPicture *picture = CachedPicture(AValue)) {
      source.Kind = TImageSource::isPicture;
      source.Picture = picture;
    }
  }
  return source;
}

void TMarkupRenderer::DrawListImage(int AIndex, int X, int Y) {
  if (!A.StretchImages) {
    A.Images->Draw(FCanvas, X, Y, AIndex);
    return;
  }
  TBitmap bitmap;
  const TColor back = Back() != clNone ? Back() : clWindow;
  if (!A.Images->GetBitmap(AIndex, bitmap, back)) return;
  const double scale = std::clamp(A.ImageScale, 0.0, 1000.0);
  StretchBitmap(FCanvas,
                TRect(X, Y, X + int(std::lround(A.Images->Width() * scale)),
                      Y + int(std::lround(A.Images->Height() * scale))),
                bitmap);
}

void TMarkupRenderer::Image(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  const int number = ++S.ImageCounter;
  std::wstring src = ATag.Value(L"SRC");
  // An anchor's image may show another one while the point is over it.
  if (ATag.Has(L"ALT") && number == S.HitImage) src = ATag.UpperValue(L"ALT");
  const int width = Clamped(StrToIntLoose(ATag.UpperValue(L"WIDTH")));
  const int height = Clamped(StrToIntLoose(ATag.UpperValue(L"HEIGHT")));
  const TImageSource source = ResolveImage(src);
  const SIZE size = width > 0 && height > 0 ? SIZE{width, height} : SIZE{0, 0};
  const SIZE room = ImageRoom(source, size);
  const long long w = room.cx, h = room.cy;
  if (FFirstPass && MoveImageToNextLine(w)) return;
  if (Drawing()) DrawImage(source, size);
  HitTestImage(number, w, h);
  m.WidthSoFar += w;
  FDrawPos += w;
  if (FFirstPass) FitLineToImage(ATag, h); // the first pass measures the line
}

// The image's room on the line: its own size or the given one (0 x 0:
// none given), scaled to the canvas's resolution.
SIZE TMarkupRenderer::ImageRoom(const TImageSource &ASource, SIZE AGiven) const {
  const bool sized = AGiven.cx > 0;
  switch (ASource.Kind) {
  case TImageSource::isList:
  case TImageSource::isIcon:
    return {ScaleX(ASource.Size.cx), ScaleY(ASource.Size.cy)};
  case TImageSource::isPicture:
    if (ASource.Picture->Empty()) break;
    return {ScaleX(sized ? AGiven.cx : ASource.Picture->MaxWidth()),
            ScaleY(sized ? AGiven.cy : ASource.Picture->MaxHeight())};
  case TImageSource::isNone:
    break;
  }
  return {0, 0};
}

// An image that does not fit begins the next line instead, under the same
// number; one wider than the whole line stays.
bool TMarkupRenderer::MoveImageToNextLine(long long AWidth) {
  const long long lineWidth = (long long)FLine.right - FLine.left;
  if (FMetrics->WidthSoFar + AWidth <= lineWidth || lineWidth <= AWidth) return false;
  --S.ImageCounter;
  FMetrics->LineFull = true;
  return true;
}

void TMarkupRenderer::DrawImage(const TImageSource &ASource, SIZE AGiven) {
  const int x = Coordinate(FDrawPos), y = FLine.top;
  switch (ASource.Kind) {
  case TImageSource::isList:
    DrawListImage(ASource.Index, x, y);
    break;
  case TImageSource::isIcon:
    DrawSystemIcon(FCanvas, x, y, ASource.IconName, ASource.Large, true, A.StretchImages,
                   std::clamp(A.ImageScale, 0.0, 1000.0));
    break;
  case TImageSource::isPicture:
    if (ASource.Picture->Empty()) break;
    if (AGiven.cx > 0) {
      ASource.Picture->SetStretch(true);
      ASource.Picture->Draw(FCanvas, TRect(x, y, x + AGiven.cx, y + AGiven.cy));
    } else {
      ASource.Picture->SetStretch(false);
      FCanvas.Draw(x + ASource.Picture->FrameXPos(), y + ASource.Picture->FrameYPos(),
                   ASource.Picture);
    }
    break;
  case TImageSource::isNone:
    break;
  }
}

// An image inside an anchor is a region of it, and hit when the point
// lies within.
void TMarkupRenderer::HitTestImage(int ANumber, long long AWidth, long long AHeight) {
  if (!S.InAnchor) return;
  const long long at = FMetrics->WidthSoFar;
  if (A.Regions && FMode == rmHitTest)
    FLineRegions.push_back(
        {TRect(Coordinate(FOrigin + at), FLine.top, Coordinate(FOrigin + at + AWidth),
               Coordinate((long long)FLine.top + AHeight)),
         true, S.AnchorAddress});
  const long long px = (long long)A.PointX - FOrigin;
  if (at < px && px < at + AWidth && FLine.top < A.PointY && A.PointY < FLine.top + AHeight) {
    FMetrics->ImageHit = true;
    SetHitAddress();
    S.HitImage = ANumber;
  }
}

void TMarkupRenderer::FitLineToImage(const TMarkupTag &ATag, long long AHeight) {
  TLineMetrics &m = *FMetrics;
  m.LineHeight = int(std::max<long long>(m.LineHeight, AHeight));
  if (ATag.Has(L"ALIGN")) {
    const int gh = Facts().Height;
    if (ATag.Has(L"\"TOP"))
      m.ImageOffset = m.LineHeight - gh;
    else if (ATag.Has(L"\"MIDDLE"))
      m.ImageOffset = (m.LineHeight - gh) / 2;
  }
  if (ATag.Has(L"WRAP")) {
    // The image reaches into the following lines.
    m.LineHeight = Facts().Height;
    m.ImageOffset = 0;
  }
}

// ---- body

void TMarkupRenderer::DrawBodyImage(const TImageSource &ASource, int X, int Y) {
  if (ASource.Kind == TImageSource::isList)
    DrawListImage(ASource.Index, X, Y);
  else if (ASource.Kind == TImageSource::isIcon)
    DrawSystemIcon(FCanvas, X, Y, ASource.IconName, ASource.Large, true, A.StretchImages,
                   std::clamp(A.ImageScale, 0.0, 1000.0));
}

void TMarkupRenderer::DrawPictureClipped(THTMLPicture &APicture, int X, int Y) {
  TClipTo clip(FCanvas.Handle(), A.Bounds);
  FCanvas.Draw(X, Y, &APicture);
}

// One copy of the picture becomes a brush pattern that fills the whole
// area at once: the cost does not grow with the number of copies, which
// for a tiny picture over a large area would be thousands of drawings.
void TMarkupRenderer::TilePicture(THTMLPicture &APicture) {
  const int w = APicture.Width(), h = APicture.Height();
  if (w <= 0 || h <= 0 || A.Bounds.Width() <= 0 || A.Bounds.Height() <= 0) return;
  TBitmap tile(w, h, pf32bit);
  TCanvas &canvas = tile.Canvas();
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(FCanvas.BrushColor());
  canvas.FillRect(TRect(0, 0, w, h));
  canvas.Draw(0, 0, &APicture);
  TGdiObject brush(CreatePatternBrush(tile.Handle()));
  if (!brush.Get()) return;
  HDC dc = FCanvas.Handle();
  POINT oldOrigin;
  SetBrushOrgEx(dc, A.Bounds.left, A.Bounds.top, &oldOrigin);
  FillRect(dc, &A.Bounds, static_cast<HBRUSH>(brush.Get()));
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void TMarkupRenderer::Body(const TMarkupTag &ATag) {
  if (!Drawing() || A.KeepColors) return;
  const size_t from = 5; // after "<BODY"
  const int x = Coordinate(FDrawPos), y = FLine.top;
  if (ATag.Has(L"BACKGROUND", from)) {
    const TImageSource source = ResolveImage(ATag.UpperValue(L"BACKGROUND", from));
    if (source.Kind == TImageSource::isPicture)
      TilePicture(*source.Picture);
    else
      DrawBodyImage(source, x, y);
  }
  if (ATag.Has(L"BGTOPLEFT", from)) {
    const TImageSource source = ResolveImage(ATag.UpperValue(L"BGTOPLEFT", from));
    if (source.Kind == TImageSource::isPicture)
      DrawPictureClipped(*source.Picture, A.Bounds.left, A.Bounds.top);
    else
      DrawBodyImage(source, x, y);
  }
  if (ATag.Has(L"BGTOPRIGHT", from)) {
    const TImageSource source = ResolveImage(ATag.UpperValue(L"BGTOPRIGHT", from));
    if (source.Kind == TImageSource::isPicture) {
      DrawPictureClipped(*source.Picture, A.Bounds.right - source.Picture->Width(),
                         A.Bounds.top);
    } else if (source.Kind == TImageSource::isList) {
      DrawBodyImage(source, A.StretchImages ? x : FLine.right - A.Images->Width(), y);
    } else if (source.Kind == TImageSource::isIcon) {
      // Placed by the image list's width; without a list by the icon's own.
      const int width = A.Images ? A.Images->Width() : int(source.Size.cx);
      DrawBodyImage(source, FLine.right - width, y);
    }
  }
  if (ATag.Has(L"BGCOLOR", from)) {
    const TColor color = MarkupColor(ATag.UpperValue(L"BGCOLOR", from));
    if (!ATag.Has(L"BGCOLORTO", from)) {
      S.FontSavedBack = Back();
      SetBack(color);
      if (color != clNone) {
        const TColor saved = FCanvas.PenColor();
        FCanvas.SetPenColor(color);
        FCanvas.Rectangle(
            TRect(A.Bounds.left - 2, A.Bounds.top, A.Bounds.right, A.Bounds.bottom));
        FCanvas.SetPenColor(saved);
      }
    } else {
      const std::wstring dir = ATag.UpperValue(L"DIR", from);
      FillGradient(FCanvas, color, MarkupColor(ATag.UpperValue(L"BGCOLORTO", from)),
                   dir.empty() || dir == L"H", A.Bounds, 64, clNone);
      SetBack(clNone);
    }
  }
}
