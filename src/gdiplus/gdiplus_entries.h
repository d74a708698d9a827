#pragma once
// The entry points of "gdiplus.dll" the program binds, in binding order.
// Each line is a used entry with its signature (GDIP_USED) or one that is
// bound only because GDI+ must offer it to count as available (GDIP_BOUND).
#include "gdiplus/gdiplus_types.h"

#define GDIPLUS_ENTRIES(GDIP_USED, GDIP_BOUND)                                                    \
  GDIP_USED(void *, GdipAlloc, (size_t ASize))                                                  \
  GDIP_USED(void, GdipFree, (void *APtr))                                                       \
  GDIP_USED(Status, GdiplusStartup,                                                             \
            (ULONG_PTR * AToken, const GdiplusStartupInput *AInput,                             \
             GdiplusStartupOutput *AOutput))                                                    \
  GDIP_USED(void, GdiplusShutdown, (ULONG_PTR AToken))                                          \
  GDIP_BOUND(GdipCloneBrush)                                                                    \
  GDIP_USED(Status, GdipDeleteBrush, (GpBrush * ABrush))                                        \
  GDIP_BOUND(GdipGetBrushType)                                                                  \
  GDIP_USED(Status, GdipCreateSolidFill, (ARGB AColor, GpSolidFill * *ABrush))                  \
  GDIP_BOUND(GdipSetSolidFillColor)                                                             \
  GDIP_BOUND(GdipGetSolidFillColor)                                                             \
  GDIP_BOUND(GdipCreateLineBrushFromRectI)                                                      \
  GDIP_BOUND(GdipGetLineRectI)                                                                  \
  GDIP_BOUND(GdipSetLineColors)                                                                 \
  GDIP_BOUND(GdipGetLineColors)                                                                 \
  GDIP_BOUND(GdipSetLineWrapMode)                                                               \
  GDIP_BOUND(GdipGetLineWrapMode)                                                               \
  GDIP_BOUND(GdipCreateHatchBrush)                                                              \
  GDIP_BOUND(GdipGetHatchStyle)                                                                 \
  GDIP_BOUND(GdipGetHatchForegroundColor)                                                       \
  GDIP_BOUND(GdipGetHatchBackgroundColor)                                                       \
  GDIP_USED(Status, GdipCreatePen1, (ARGB AColor, REAL AWidth, int AUnit, GpPen **APen))        \
  GDIP_BOUND(GdipCreatePen2)                                                                    \
  GDIP_BOUND(GdipClonePen)                                                                      \
  GDIP_USED(Status, GdipDeletePen, (GpPen * APen))                                              \
  GDIP_BOUND(GdipGetPenFillType)                                                                \
  GDIP_BOUND(GdipSetPenBrushFill)                                                               \
  GDIP_BOUND(GdipGetPenBrushFill)                                                               \
  GDIP_BOUND(GdipSetPenColor)                                                                   \
  GDIP_BOUND(GdipGetPenColor)                                                                   \
  GDIP_BOUND(GdipSetPenMode)                                                                    \
  GDIP_BOUND(GdipGetPenMode)                                                                    \
  GDIP_BOUND(GdipSetPenWidth)                                                                   \
  GDIP_BOUND(GdipGetPenWidth)                                                                   \
  GDIP_BOUND(GdipGetPenDashStyle)                                                               \
  GDIP_USED(Status, GdipSetPenDashStyle, (GpPen * APen, int ADashStyle))                        \
  GDIP_USED(Status, GdipCreateFromHDC, (HDC ADC, GpGraphics * *AGraphics))                      \
  GDIP_USED(Status, GdipDeleteGraphics, (GpGraphics * AGraphics))                               \
  GDIP_USED(Status, GdipGetDC, (GpGraphics * AGraphics, HDC * ADC))                             \
  GDIP_USED(Status, GdipReleaseDC, (GpGraphics * AGraphics, HDC ADC))                           \
  GDIP_USED(Status, GdipGraphicsClear, (GpGraphics * AGraphics, ARGB AColor))                   \
  GDIP_USED(Status, GdipDrawLineI,                                                              \
            (GpGraphics * AGraphics, GpPen * APen, INT X1, INT Y1, INT X2, INT Y2))             \
  GDIP_USED(Status, GdipDrawLinesI,                                                             \
            (GpGraphics * AGraphics, GpPen * APen, const GpPoint *APoints, INT ACount))         \
  GDIP_USED(Status, GdipFillRectangleI,                                                         \
            (GpGraphics * AGraphics, GpBrush * ABrush, INT X, INT Y, INT W, INT H))             \
  GDIP_BOUND(GdipDrawArcI)                                                                      \
  GDIP_BOUND(GdipDrawBezierI)                                                                   \
  GDIP_USED(Status, GdipDrawRectangleI,                                                         \
            (GpGraphics * AGraphics, GpPen * APen, INT X, INT Y, INT W, INT H))                 \
  GDIP_USED(Status, GdipDrawEllipseI,                                                           \
            (GpGraphics * AGraphics, GpPen * APen, INT X, INT Y, INT W, INT H))                 \
  GDIP_USED(Status, GdipDrawPieI,                                                               \
            (GpGraphics * AGraphics, GpPen * APen, INT X, INT Y, INT W, INT H, REAL AStart,     \
             REAL ASweep))                                                                      \
  GDIP_USED(Status, GdipDrawPolygonI,                                                           \
            (GpGraphics * AGraphics, GpPen * APen, const GpPoint *APoints, INT ACount))         \
  GDIP_BOUND(GdipDrawCurve2I)                                                                   \
  GDIP_BOUND(GdipDrawClosedCurve2I)                                                             \
  GDIP_USED(Status, GdipFillPolygonI,                                                           \
            (GpGraphics * AGraphics, GpBrush * ABrush, const GpPoint *APoints, INT ACount,      \
             int AFillMode))                                                                    \
  GDIP_USED(Status, GdipFillEllipseI,                                                           \
            (GpGraphics * AGraphics, GpBrush * ABrush, INT X, INT Y, INT W, INT H))             \
  GDIP_USED(Status, GdipFillPieI,                                                               \
            (GpGraphics * AGraphics, GpBrush * ABrush, INT X, INT Y, INT W, INT H,              \
             REAL AStart, REAL ASweep))                                                         \
  GDIP_BOUND(GdipFillClosedCurveI)                                                              \
  GDIP_USED(Status, GdipLoadImageFromStream, (IStream * AStream, GpImage * *AImage))            \
  GDIP_BOUND(GdipCreateBitmapFromFile)                                                          \
  GDIP_BOUND(GdipCreateBitmapFromStream)                                                        \
  GDIP_BOUND(GdipCreateBitmapFromStreamICM)                                                     \
  GDIP_USED(Status, GdipCreateHBITMAPFromBitmap,                                                \
            (GpBitmap * ABitmap, HBITMAP * AResult, ARGB ABackground))                          \
  GDIP_BOUND(GdipLoadImageFromFile)                                                             \
  GDIP_USED(Status, GdipGetImageDimension, (GpImage * AImage, REAL * AWidth, REAL * AHeight))   \
  GDIP_BOUND(GdipDrawImageRectI)                                                                \
  GDIP_USED(Status, GdipDisposeImage, (GpImage * AImage))                                       \
  GDIP_USED(Status, GdipGetImageEncodersSize, (UINT * ACount, UINT * ASize))                    \
  GDIP_USED(Status, GdipGetImageEncoders, (UINT ACount, UINT ASize, ImageCodecInfo * AEncoders)) \
  GDIP_USED(Status, GdipSaveImageToStream,                                                      \
            (GpImage * AImage, IStream * AStream, const CLSID *AEncoder,                        \
             const EncoderParameters *AParams))                                                 \
  GDIP_BOUND(GdipCreateBitmapFromHBITMAP)                                                       \
  GDIP_BOUND(GdipIsVisibleRect)                                                                 \
  GDIP_USED(Status, GdipIsVisibleRectI,                                                         \
            (GpGraphics * AGraphics, INT X, INT Y, INT W, INT H, BOOL * AResult))               \
  GDIP_BOUND(GdipGetEncoderParameterListSize)                                                   \
  GDIP_BOUND(GdipGetEncoderParameterList)                                                       \
  GDIP_BOUND(GdipCreateBitmapFromGdiDib)                                                        \
  GDIP_USED(Status, GdipCreateBitmapFromScan0,                                                  \
            (INT AWidth, INT AHeight, INT AStride, INT AFormat, BYTE * AScan0,                  \
             GpBitmap * *ABitmap))                                                              \
  GDIP_BOUND(GdipBitmapLockBits)                                                                \
  GDIP_BOUND(GdipBitmapUnlockBits)                                                              \
  GDIP_USED(Status, GdipDrawImageRectRectI,                                                     \
            (GpGraphics * AGraphics, GpImage * AImage, INT DX, INT DY, INT DW, INT DH, INT SX,  \
             INT SY, INT SW, INT SH, int AUnit, const GpImageAttributes *AAttributes,           \
             DrawImageAbort AAbort, void *AAbortData))                                          \
  GDIP_BOUND(GdipDrawImageRectRect)                                                             \
  GDIP_BOUND(GdipDrawImagePointRect)                                                            \
  GDIP_BOUND(GdipCloneImage)                                                                    \
  GDIP_BOUND(GdipCreateTexture2I)                                                               \
  GDIP_USED(Status, GdipCreateImageAttributes, (GpImageAttributes * *AAttributes))              \
  GDIP_USED(Status, GdipDisposeImageAttributes, (GpImageAttributes * AAttributes))              \
  GDIP_USED(Status, GdipSetImageAttributesColorMatrix,                                          \
            (GpImageAttributes * AAttributes, int AType, BOOL AEnable,                          \
             const ColorMatrix *AMatrix, const ColorMatrix *AGrayMatrix, int AFlags))           \
  GDIP_USED(Status, GdipAddPathArc,                                                             \
            (GpPath * APath, REAL X, REAL Y, REAL W, REAL H, REAL AStart, REAL ASweep))         \
  GDIP_USED(Status, GdipAddPathLine, (GpPath * APath, REAL X1, REAL Y1, REAL X2, REAL Y2))      \
  GDIP_USED(Status, GdipClosePathFigure, (GpPath * APath))                                      \
  GDIP_USED(Status, GdipCreatePath, (int AFillMode, GpPath **APath))                            \
  GDIP_USED(Status, GdipDeletePath, (GpPath * APath))                                           \
  GDIP_USED(Status, GdipDrawPath, (GpGraphics * AGraphics, GpPen * APen, GpPath * APath))       \
  GDIP_USED(Status, GdipFillPath, (GpGraphics * AGraphics, GpBrush * ABrush, GpPath * APath))   \
  GDIP_USED(Status, GdipStartPathFigure, (GpPath * APath))                                      \
  GDIP_USED(Status, GdipSetInterpolationMode, (GpGraphics * AGraphics, int AMode))              \
  GDIP_USED(Status, GdipGetInterpolationMode, (GpGraphics * AGraphics, int *AMode))             \
  GDIP_BOUND(GdipCreateCachedBitmap)                                                            \
  GDIP_BOUND(GdipDeleteCachedBitmap)                                                            \
  GDIP_BOUND(GdipDrawCachedBitmap)                                                              \
  GDIP_BOUND(GdipCreateBitmapFromGraphics)                                                      \
  GDIP_USED(Status, GdipGetImageGraphicsContext, (GpImage * AImage, GpGraphics * *AGraphics))   \
  GDIP_BOUND(GdipGetImageWidth)                                                                 \
  GDIP_BOUND(GdipGetImageHeight)                                                                \
  GDIP_BOUND(GdipSetCompositingMode)                                                            \
  GDIP_BOUND(GdipGetCompositingMode)                                                            \
  GDIP_BOUND(GdipSetCompositingQuality)                                                         \
  GDIP_BOUND(GdipGetCompositingQuality)                                                         \
  GDIP_USED(Status, GdipSetSmoothingMode, (GpGraphics * AGraphics, int AMode))                  \
  GDIP_USED(Status, GdipGetSmoothingMode, (GpGraphics * AGraphics, int *AMode))                 \
  GDIP_BOUND(GdipCloneBitmapAreaI)                                                              \
  GDIP_USED(Status, GdipGetImageRawFormat, (GpImage * AImage, GUID * AFormat))

// Each used entry is a typed pointer of that name; null while unbound.
#define GDIP_DECLARE_USED(R, N, P) extern R(WINAPI *N) P;
#define GDIP_DECLARE_BOUND(N) extern void *N;
GDIPLUS_ENTRIES(GDIP_DECLARE_USED, GDIP_DECLARE_BOUND)
#undef GDIP_DECLARE_USED
#undef GDIP_DECLARE_BOUND

// The bound names in binding order.
extern const char *const GdiPlusEntryNames[];
extern const int GdiPlusEntryCount;
