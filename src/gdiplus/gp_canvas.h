#pragma once
// Drawing through a GDI+ graphics object: images with scaling and a global
// alpha, simple shapes, and paint brackets on device contexts or graphics
// objects that nest.
#include <memory>
#include <vector>

#include "gdiplus/gdiplus_api.h"
#include "gdiplus/gp_base.h"
#include "gdiplus/gp_handles.h"
#include "ui/graphics.h"

class TBitmap;
class TdxGPImage;

class TdxGPCanvas : public TdxGPBase {
public:
  // Takes over the graphics object (deleted with the canvas); may be null.
  explicit TdxGPCanvas(GpGraphics *AHandle);
  explicit TdxGPCanvas(HDC DC);
  ~TdxGPCanvas() override;

  void CreateGraphics(HDC DC);
  void FreeGraphics();
  // A device context of the graphics object, lent until ReleaseHDC.
  HDC GetHDC();
  void ReleaseHDC(HDC DC);

  void Clear(TColor AColor);
  // The image's whole area into R.
  void Draw(TdxGPImage *AGraphic, const TRect &R, BYTE AAlpha = 255);
  void Draw(TdxGPImage *AGraphic, const TRect &ADestRect, const TRect &ASourceRect,
            BYTE AAlpha = 255);
  void DrawBitmap(TBitmap *ABitmap, const TRect &R, BYTE AAlpha = 255);

  // Colours are platform colours; clNone leaves that part undrawn.
  void Line(int X1, int Y1, int X2, int Y2, TColor APenColor, REAL APenWidth = 1,
            TPenStyle APenStyle = psSolid, BYTE APenColorAlpha = 255);
  void Rectangle(const TRect &R, TColor APenColor, TColor ABrushColor, REAL APenWidth = 1,
                 TPenStyle APenStyle = psSolid, BYTE APenColorAlpha = 255,
                 BYTE ABrushColorAlpha = 255);
  void Ellipse(const TRect &R, TColor APenColor, TColor ABrushColor, REAL APenWidth = 1,
               TPenStyle APenStyle = psSolid, BYTE APenColorAlpha = 255,
               BYTE ABrushColorAlpha = 255);
  // Angles in degrees, counter-clockwise from the positive x axis.
  void Pie(const TRect &R, int AStartAngle, int ASweepAngle, TColor APenColor, TColor ABrushColor,
           REAL APenWidth = 1, TPenStyle APenStyle = psSolid, BYTE APenColorAlpha = 255,
           BYTE ABrushColorAlpha = 255);
  void Polygon(const std::vector<POINT> &APoints, TColor APenColor, TColor ABrushColor,
               REAL APenWidth = 1, TPenStyle APenStyle = psSolid, BYTE APenColorAlpha = 255,
               BYTE ABrushColorAlpha = 255);
  void Polyline(const std::vector<POINT> &APoints, TColor APenColor, REAL APenWidth = 1,
                TPenStyle APenStyle = psSolid, BYTE APenColorAlpha = 255);
  void RoundRect(const TRect &R, TColor APenColor, TColor ABrushColor, int ARadiusX, int ARadiusY,
                 int APenWidth = 1, BYTE APenColorAlpha = 255, BYTE ABrushColorAlpha = 255);

  GpGraphics *Handle() const { return FHandle; }
  // The published GDI+ mode numbers.
  int SmoothingMode();
  void SetSmoothingMode(int AValue);
  int InterpolationMode();
  void SetInterpolationMode(int AValue);

protected:
  GpGraphics *FHandle = nullptr;

private:
  // Fills with the brush colour, then outlines with the pen, each when set.
  template <class TFill, class TOutline>
  void FillAndOutline(TColor APenColor, TColor ABrushColor, REAL APenWidth, TPenStyle APenStyle,
                      BYTE APenColorAlpha, BYTE ABrushColorAlpha, TFill AFill, TOutline AOutline);
};

class TdxGPGraphics : public TdxGPCanvas {
public:
  using TdxGPCanvas::TdxGPCanvas;
};

class TdxGPCustomPaintCanvas : public TdxGPGraphics {
public:
  using TdxGPGraphics::TdxGPGraphics;
  ~TdxGPCustomPaintCanvas() override;

  // Attaches the canvas to R of the device context, through an off-screen
  // buffer where the device needs one; the paint shows after EndPaint.
  void BeginPaint(HDC DC, const TRect &R);
  // Borrows the graphics object (it is not deleted by the canvas).
  void BeginPaint(GpGraphics *AHandle);
  void EndPaint();

  // What is being painted on, for the curious.
  HDC DrawDC() const { return FDrawDC; }
  bool HasBuffer() const { return FBuffer != nullptr; }

protected:
  virtual void SaveState() {}
  virtual void RestoreState() {}
  void CreateBuffer(HDC DC, const TRect &R);
  void OutputBuffer(TBitmap &ABuffer);
  void FreeBuffer();

  std::unique_ptr<TBitmap> FBuffer;
  TRect FDrawRect;
  HDC FDrawDC = nullptr;
};

struct TdxGPPaintCanvasState {
  GpGraphics *Handle;
  std::unique_ptr<TBitmap> Buffer;
  TRect DrawRect;
  HDC DC;
};
using TdxGPPaintCanvasStates = std::vector<TdxGPPaintCanvasState>;

class TdxGPPaintCanvas : public TdxGPCustomPaintCanvas {
public:
  using TdxGPCustomPaintCanvas::TdxGPCustomPaintCanvas;
  ~TdxGPPaintCanvas() override;

  int Counter() const { return FCounter; }
  size_t StateCapacity() const { return FSavedStates.size(); }

protected:
  void SaveState() override;
  void RestoreState() override;

private:
  void EnsureStateCapacity(int ACount);
  int FCounter = 0;
  TdxGPPaintCanvasStates FSavedStates;
};

// The one paint canvas every image draw goes through; made on first use.
TdxGPPaintCanvas *SharedPaintCanvas();
void FreeSharedPaintCanvas();

// Draws ASource of the image into ADest with the alpha (255 opaque).
void GpDrawImage(GpGraphics *AGraphics, const TRect &ADest, const TRect &ASource, BYTE AAlpha,
                 GpImage *AImage);
// A pen of that colour, style, alpha and width in pixels; the caller owns it.
GpPen *GpCreatePen(TColor AColor, TPenStyle APenStyle, BYTE AAlpha, REAL AWidth);
// The GDI+ dash style of a platform pen style.
int GpDashStyleOf(TPenStyle APenStyle);
// False when the rectangle lies wholly outside the visible clip.
bool GpIsVisibleRect(GpGraphics *AGraphics, const TRect &R);
// A rounded rectangle; the radii are at most a third of the sides.
TGpPathHandle CreateRoundRectPath(const TRect &R, int ARadiusX, int ARadiusY);
// Low colour depths, colour tables and printers are drawn off-screen.
bool NeedsDoubleBuffer(HDC DC);
