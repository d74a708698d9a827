#include "gdiplus/gp_canvas.h"

#include <algorithm>
#include <memory>

#include "gdiplus/gp_image.h"
#include "ui/bitmap.h"

// ---- module routines

int GpDashStyleOf(TPenStyle APenStyle) {
  switch (APenStyle) {
  case psSolid:
    return DashStyleSolid;
  case psDash:
    return DashStyleDash;
  case psDot:
    return DashStyleDot;
  case psDashDot:
    return DashStyleDashDot;
  case psDashDotDot:
    return DashStyleDashDotDot;
  case psClear:
  case psInsideFrame:
    return DashStyleCustom;
  // No user pattern is ever handed over, so a user style draws solid; the
  // every-other-pixel style is closest to dots.
  case psUserStyle:
    return DashStyleSolid;
  case psAlternate:
    return DashStyleDot;
  }
  return DashStyleSolid;
}

GpPen *GpCreatePen(TColor AColor, TPenStyle APenStyle, BYTE AAlpha, REAL AWidth) {
  TGpPenHandle pen;
  CheckGpStatus(GdipCreatePen1(ColorToGpColor(AColor, AAlpha), AWidth, UnitPixel, pen.Out()));
  CheckGpStatus(GdipSetPenDashStyle(pen.Get(), GpDashStyleOf(APenStyle)));
  return pen.Release();
}

bool GpIsVisibleRect(GpGraphics *AGraphics, const TRect &R) {
  BOOL visible = FALSE;
  CheckGpStatus(GdipIsVisibleRectI(AGraphics, R.left, R.top, R.Width(), R.Height(), &visible));
  return visible != FALSE;
}

void GpDrawImage(GpGraphics *AGraphics, const TRect &ADest, const TRect &ASource, BYTE AAlpha,
                 GpImage *AImage) {
  int sw = ASource.Width(), sh = ASource.Height();
  int dw = ADest.Width(), dh = ADest.Height();
  if (sw < 1 || sh < 1 || dw < 1 || dh < 1 || !AImage) return;
  // Enlarging samples one pixel beyond the source's edge; leave it out so
  // the border does not fade.
  if (dw > sw && sw > 1) --sw;
  if (dh > sh && sh > 1) --sh;
  if (!GpIsVisibleRect(AGraphics, ADest)) return;
  if (AAlpha == 255) {
    CheckGpStatus(GdipDrawImageRectRectI(AGraphics, AImage, ADest.left, ADest.top, dw, dh,
                                         ASource.left, ASource.top, sw, sh, UnitPixel, nullptr,
                                         nullptr, nullptr));
    return;
  }
  ColorMatrix matrix{};
  for (int i = 0; i < 5; ++i)
    matrix.m[i][i] = 1;
  matrix.m[3][3] = REAL(AAlpha) / 255;
  TGpAttributesHandle attributes;
  CheckGpStatus(GdipCreateImageAttributes(attributes.Out()));
  CheckGpStatus(GdipSetImageAttributesColorMatrix(attributes.Get(), ColorAdjustTypeBitmap, TRUE,
                                                  &matrix, nullptr, ColorMatrixFlagsDefault));
  CheckGpStatus(GdipDrawImageRectRectI(AGraphics, AImage, ADest.left, ADest.top, dw, dh,
                                       ASource.left, ASource.top, sw, sh, UnitPixel,
                                       attributes.Get(), nullptr, nullptr));
}

TGpPathHandle CreateRoundRectPath(const TRect &R, int ARadiusX, int ARadiusY) {
  int rx = std::min(int(R.Width()) / 3, ARadiusX);
  int ry = std::min(int(R.Height()) / 3, ARadiusY);
  REAL l = REAL(R.left), t = REAL(R.top), r = REAL(R.right), b = REAL(R.bottom);
  REAL w = REAL(2 * rx), h = REAL(2 * ry);
  TGpPathHandle path;
  CheckGpStatus(GdipCreatePath(FillModeAlternate, path.Out()));
  // The pieces of a figure join by themselves; their statuses add nothing.
  GpPath *p = path.Get();
  GdipStartPathFigure(p);
  GdipAddPathLine(p, l + REAL(rx), t, r - REAL(rx), t);
  GdipAddPathArc(p, r - w, t, w, h, 270, 90);
  GdipAddPathLine(p, r, t + REAL(ry), r, b - REAL(ry));
  GdipAddPathArc(p, r - w, b - h, w, h, 0, 90);
  GdipAddPathLine(p, r - REAL(rx), b, l + REAL(rx), b);
  GdipAddPathArc(p, l, b - h, w, h, 90, 90);
  GdipAddPathLine(p, l, b - REAL(ry), l, t + REAL(ry));
  GdipAddPathArc(p, l, t, w, h, 180, 90);
  GdipClosePathFigure(p);
  return path;
}

bool NeedsDoubleBuffer(HDC DC) {
  int depth = GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES);
  return depth <= 16 || GetDeviceCaps(DC, TECHNOLOGY) == DT_RASPRINTER ||
         GetDeviceCaps(DC, NUMCOLORS) > 1;
}

namespace {
TdxGPPaintCanvas *FSharedPaintCanvas = nullptr;
}

TdxGPPaintCanvas *SharedPaintCanvas() {
  if (!FSharedPaintCanvas)
    FSharedPaintCanvas = new TdxGPPaintCanvas(static_cast<GpGraphics *>(nullptr));
  return FSharedPaintCanvas;
}

void FreeSharedPaintCanvas() {
  delete FSharedPaintCanvas;
  FSharedPaintCanvas = nullptr;
}

// ---- TdxGPCanvas

TdxGPCanvas::TdxGPCanvas(GpGraphics *AHandle) : FHandle(AHandle) {}

TdxGPCanvas::TdxGPCanvas(HDC DC) {
  CreateGraphics(DC);
}

TdxGPCanvas::~TdxGPCanvas() {
  try {
    FreeGraphics();
  } catch (...) {
    // A destructor reports nothing; the object is gone either way.
  }
}

void TdxGPCanvas::CreateGraphics(HDC DC) {
  CheckGpStatus(GdipCreateFromHDC(DC, &FHandle));
}

void TdxGPCanvas::FreeGraphics() {
  if (!FHandle) return;
  GpGraphics *handle = FHandle;
  FHandle = nullptr;
  CheckGpStatus(GdipDeleteGraphics(handle));
}

HDC TdxGPCanvas::GetHDC() {
  HDC dc = nullptr;
  CheckGpStatus(GdipGetDC(FHandle, &dc));
  return dc;
}

void TdxGPCanvas::ReleaseHDC(HDC DC) {
  CheckGpStatus(GdipReleaseDC(FHandle, DC));
}

void TdxGPCanvas::Clear(TColor AColor) {
  CheckGpStatus(GdipGraphicsClear(FHandle, ColorToGpColor(AColor, 255)));
}

void TdxGPCanvas::Draw(TdxGPImage *AGraphic, const TRect &R, BYTE AAlpha) {
  Draw(AGraphic, R, AGraphic->ClientRect(), AAlpha);
}

void TdxGPCanvas::Draw(TdxGPImage *AGraphic, const TRect &ADestRect, const TRect &ASourceRect,
                       BYTE AAlpha) {
  GpDrawImage(FHandle, ADestRect, ASourceRect, AAlpha, AGraphic->Handle());
}

void TdxGPCanvas::DrawBitmap(TBitmap *ABitmap, const TRect &R, BYTE AAlpha) {
  if (!ABitmap || ABitmap->Empty()) return;
  std::unique_ptr<TdxGPImage> image = TdxGPImage::CreateFromBitmap(*ABitmap);
  Draw(image.get(), R, AAlpha);
}

template <class TFill, class TOutline>
void TdxGPCanvas::FillAndOutline(TColor APenColor, TColor ABrushColor, REAL APenWidth,
                                 TPenStyle APenStyle, BYTE APenColorAlpha, BYTE ABrushColorAlpha,
                                 TFill AFill, TOutline AOutline) {
  if (ABrushColor != clNone) {
    TGpBrushHandle brush;
    CheckGpStatus(GdipCreateSolidFill(ColorToGpColor(ABrushColor, ABrushColorAlpha), brush.Out()));
    CheckGpStatus(AFill(brush.Get()));
  }
  if (APenColor != clNone) {
    TGpPenHandle pen;
    *pen.Out() = GpCreatePen(APenColor, APenStyle, APenColorAlpha, APenWidth);
    CheckGpStatus(AOutline(pen.Get()));
  }
}

void TdxGPCanvas::Line(int X1, int Y1, int X2, int Y2, TColor APenColor, REAL APenWidth,
                       TPenStyle APenStyle, BYTE APenColorAlpha) {
  FillAndOutline(
      APenColor, clNone, APenWidth, APenStyle, APenColorAlpha, 0, [](GpBrush *) { return Ok; },
      [&](GpPen *p) { return GdipDrawLineI(FHandle, p, X1, Y1, X2, Y2); });
}

void TdxGPCanvas::Rectangle(const TRect &R, TColor APenColor, TColor ABrushColor, REAL APenWidth,
                            TPenStyle APenStyle, BYTE APenColorAlpha, BYTE ABrushColorAlpha) {
  FillAndOutline(
      APenColor, ABrushColor, APenWidth, APenStyle, APenColorAlpha, ABrushColorAlpha,
      [&](GpBrush *b) {
        return GdipFillRectangleI(FHandle, b, R.left, R.top, R.Width(), R.Height());
      },
      [&](GpPen *p) {
        return GdipDrawRectangleI(FHandle, p, R.left, R.top, R.Width(), R.Height());
      });
}

void TdxGPCanvas::Ellipse(const TRect &R, TColor APenColor, TColor ABrushColor, REAL APenWidth,
                          TPenStyle APenStyle, BYTE APenColorAlpha, BYTE ABrushColorAlpha) {
  FillAndOutline(
      APenColor, ABrushColor, APenWidth, APenStyle, APenColorAlpha, ABrushColorAlpha,
      [&](GpBrush *b) {
        return GdipFillEllipseI(FHandle, b, R.left, R.top, R.Width(), R.Height());
      },
      [&](GpPen *p) { return GdipDrawEllipseI(FHandle, p, R.left, R.top, R.Width(), R.Height()); });
}

void TdxGPCanvas::Pie(const TRect &R, int AStartAngle, int ASweepAngle, TColor APenColor,
                      TColor ABrushColor, REAL APenWidth, TPenStyle APenStyle, BYTE APenColorAlpha,
                      BYTE ABrushColorAlpha) {
  // GDI+ turns clockwise; the caller's angles turn the other way.
  REAL start = -REAL(AStartAngle), sweep = -REAL(ASweepAngle);
  FillAndOutline(
      APenColor, ABrushColor, APenWidth, APenStyle, APenColorAlpha, ABrushColorAlpha,
      [&](GpBrush *b) {
        return GdipFillPieI(FHandle, b, R.left, R.top, R.Width(), R.Height(), start, sweep);
      },
      [&](GpPen *p) {
        return GdipDrawPieI(FHandle, p, R.left, R.top, R.Width(), R.Height(), start, sweep);
      });
}

namespace {
std::vector<GpPoint> GpPointsOf(const std::vector<POINT> &APoints) {
  std::vector<GpPoint> points;
  points.reserve(APoints.size());
  for (const POINT &p : APoints)
    points.push_back({p.x, p.y});
  return points;
}
} // namespace

void TdxGPCanvas::Polygon(const std::vector<POINT> &APoints, TColor APenColor, TColor ABrushColor,
                          REAL APenWidth, TPenStyle APenStyle, BYTE APenColorAlpha,
                          BYTE ABrushColorAlpha) {
  std::vector<GpPoint> points = GpPointsOf(APoints);
  INT count = INT(points.size());
  FillAndOutline(
      APenColor, ABrushColor, APenWidth, APenStyle, APenColorAlpha, ABrushColorAlpha,
      [&](GpBrush *b) {
        return GdipFillPolygonI(FHandle, b, points.data(), count, FillModeWinding);
      },
      [&](GpPen *p) { return GdipDrawPolygonI(FHandle, p, points.data(), count); });
}

void TdxGPCanvas::Polyline(const std::vector<POINT> &APoints, TColor APenColor, REAL APenWidth,
                           TPenStyle APenStyle, BYTE APenColorAlpha) {
  std::vector<GpPoint> points = GpPointsOf(APoints);
  FillAndOutline(
      APenColor, clNone, APenWidth, APenStyle, APenColorAlpha, 0, [](GpBrush *) { return Ok; },
      [&](GpPen *p) { return GdipDrawLinesI(FHandle, p, points.data(), INT(points.size())); });
}

void TdxGPCanvas::RoundRect(const TRect &R, TColor APenColor, TColor ABrushColor, int ARadiusX,
                            int ARadiusY, int APenWidth, BYTE APenColorAlpha,
                            BYTE ABrushColorAlpha) {
  TGpPathHandle path = CreateRoundRectPath(R, ARadiusX, ARadiusY);
  if (ABrushColor != clNone) {
    TGpBrushHandle brush;
    CheckGpStatus(GdipCreateSolidFill(ColorToGpColor(ABrushColor, ABrushColorAlpha), brush.Out()));
    CheckGpStatus(GdipFillPath(FHandle, brush.Get(), path.Get()));
  }
  if (APenColor != clNone) {
    TGpPenHandle pen;
    CheckGpStatus(GdipCreatePen1(ColorToGpColor(APenColor, APenColorAlpha), REAL(APenWidth),
                                 UnitPixel, pen.Out()));
    CheckGpStatus(GdipDrawPath(FHandle, pen.Get(), path.Get()));
  }
}

int TdxGPCanvas::SmoothingMode() {
  int mode = 0;
  CheckGpStatus(GdipGetSmoothingMode(FHandle, &mode));
  return mode;
}

void TdxGPCanvas::SetSmoothingMode(int AValue) {
  CheckGpStatus(GdipSetSmoothingMode(FHandle, AValue));
}

int TdxGPCanvas::InterpolationMode() {
  int mode = 0;
  CheckGpStatus(GdipGetInterpolationMode(FHandle, &mode));
  return mode;
}

void TdxGPCanvas::SetInterpolationMode(int AValue) {
  CheckGpStatus(GdipSetInterpolationMode(FHandle, AValue));
}

// ---- TdxGPCustomPaintCanvas

// The buffer of a paint that a failure left open goes with the canvas.
TdxGPCustomPaintCanvas::~TdxGPCustomPaintCanvas() = default;

void TdxGPCustomPaintCanvas::BeginPaint(HDC DC, const TRect &R) {
  SaveState();
  FDrawRect = R;
  FDrawDC = DC;
  FHandle = nullptr;
  HDC target = DC;
  FBuffer.reset();
  if (NeedsDoubleBuffer(DC)) {
    CreateBuffer(DC, R);
    target = FBuffer->Canvas().Handle();
  }
  CreateGraphics(target);
}

void TdxGPCustomPaintCanvas::BeginPaint(GpGraphics *AHandle) {
  SaveState();
  FDrawRect = TRect();
  FDrawDC = nullptr;
  FHandle = AHandle;
  FBuffer.reset();
}

void TdxGPCustomPaintCanvas::EndPaint() {
  try {
    if (FDrawDC) FreeGraphics();
    if (FBuffer) FreeBuffer();
  } catch (...) {
    RestoreState();
    throw;
  }
  RestoreState();
}

void TdxGPCustomPaintCanvas::CreateBuffer(HDC DC, const TRect &R) {
  int w = R.Width() + 1, h = R.Height() + 1;
  FBuffer = std::make_unique<TBitmap>(w, h, pf32bit);
  HDC buffer = FBuffer->Canvas().Handle();
  // What is already there stays where nothing is drawn.
  BitBlt(buffer, 0, 0, w, h, DC, R.left, R.top, SRCCOPY);
  SetWindowOrgEx(buffer, R.left, R.top, nullptr);
}

void TdxGPCustomPaintCanvas::OutputBuffer(TBitmap &ABuffer) {
  HDC buffer = ABuffer.Canvas().Handle();
  int saved = SaveDC(FDrawDC);
  SetWindowOrgEx(buffer, 0, 0, nullptr);
  BitBlt(FDrawDC, FDrawRect.left, FDrawRect.top, ABuffer.Width(), ABuffer.Height(), buffer, 0, 0,
         SRCCOPY);
  RestoreDC(FDrawDC, saved);
}

void TdxGPCustomPaintCanvas::FreeBuffer() {
  // Freed and forgotten even when the output fails.
  std::unique_ptr<TBitmap> buffer = std::move(FBuffer);
  OutputBuffer(*buffer);
}

// ---- TdxGPPaintCanvas

TdxGPPaintCanvas::~TdxGPPaintCanvas() {
  // Paints left open by a failure: their device graphics and buffers are
  // ours, graphics objects lent by a caller are not.
  if (FCounter > 0 && !FDrawDC) FHandle = nullptr;
  for (int i = FCounter - 1; i >= 0; --i) {
    TdxGPPaintCanvasState &state = FSavedStates[size_t(i)];
    if (state.DC && state.Handle && GdipDeleteGraphics) GdipDeleteGraphics(state.Handle);
  }
}

void TdxGPPaintCanvas::EnsureStateCapacity(int ACount) {
  if (FSavedStates.size() < size_t(ACount))
    FSavedStates.resize(std::max(FSavedStates.size() + 4, size_t(ACount)));
}

void TdxGPPaintCanvas::SaveState() {
  EnsureStateCapacity(FCounter + 1);
  FSavedStates[size_t(FCounter)] = {FHandle, std::move(FBuffer), FDrawRect, FDrawDC};
  ++FCounter;
}

void TdxGPPaintCanvas::RestoreState() {
  --FCounter;
  TdxGPPaintCanvasState &state = FSavedStates[size_t(FCounter)];
  FHandle = state.Handle;
  FBuffer = std::move(state.Buffer);
  FDrawRect = state.DrawRect;
  FDrawDC = state.DC;
}
