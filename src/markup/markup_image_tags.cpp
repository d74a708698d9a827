// Images in the text and the body's background: where pictures come from,
// the room they take on a line, how they are drawn and hit.
#include <algorithm>
#include <cmath>

#include "base/strings.h"
#include "markup/markup_drawing.h"
#include "markup/markup_helpers.h"
#include "markup/markup_renderer.h"
#include "ui/bitmap.h"
#include "ui/handles.h"

namespace {
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

// ---- images

int TMarkupRenderer::ScaleX(long long APixels) const {
  return MulDiv(ClampPixels(APixels), GetDeviceCaps(FCanvas.Handle(), LOGPIXELSX), 96);
}

int TMarkupRenderer::ScaleY(long long APixels) const {
  return MulDiv(ClampPixels(APixels), GetDeviceCaps(FCanvas.Handle(), LOGPIXELSY), 96);
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
  const int width = ClampPixels(StrToIntLoose(ATag.UpperValue(L"WIDTH")));
  const int height = ClampPixels(StrToIntLoose(ATag.UpperValue(L"HEIGHT")));
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
