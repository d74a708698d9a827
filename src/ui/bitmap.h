#pragma once
// A bitmap as a graphic: owns its bitmap handle and, while drawn on, a
// memory device context with the bitmap selected.
#include <memory>

#include "ui/graphic.h"

enum TPixelFormat {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int AWidth, int AHeight, TPixelFormat AFormat = pf32bit);
  ~TBitmap() override;

  std::wstring ClassName() const override { return L"TBitmap"; }

  // The handle, with the bitmap taken out of the canvas's device context
  // (take the canvas again to draw after using the handle).
  HBITMAP Handle() const;
  // Takes ownership of ABitmap.
  void SetHandle(HBITMAP ABitmap);
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return FHandle.Get() != nullptr; }

  TPixelFormat PixelFormat() const;
  // A device-independent section of that depth; the content is kept.
  void SetPixelFormat(TPixelFormat AFormat);
  TBitmapHandleType HandleType() const;
  void SetHandleType(TBitmapHandleType AType);
  void SetSize(int AWidth, int AHeight);

  // Drawing into the bitmap.
  TCanvas &Canvas();

  void LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AName);

  void Draw(TCanvas &ACanvas, const TRect &R) override;
  // Draws with the transparent colour left out, whatever Transparent says.
  void DrawTransparent(TCanvas &ACanvas, const TRect &R);
  // The colour drawn transparent: a fixed one, or clDefault for that of
  // the bottom-left pixel (which TransparentColor then reports).
  TColor TransparentColor() const;
  void SetTransparentColor(TColor AValue);
  bool GetEmpty() const override { return FWidth < 1 || FHeight < 1; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  void SetWidth(int AValue) override { SetSize(AValue, FHeight); }
  void SetHeight(int AValue) override { SetSize(FWidth, AValue); }

  // BMP file data.
  void LoadFromStream(TStream &AStream) override;
  void SaveToStream(TStream &AStream) override;
  void Assign(TGraphic *ASource) override;
  void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) override;
  void SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette) override;

private:
  void Replace(HBITMAP ABitmap);
  void Deselect() const;
  TGdiObject FHandle;
  int FWidth = 0, FHeight = 0;
  TColor FTransparentColor = clDefault;
  struct TBitmapCanvas;
  mutable std::unique_ptr<TBitmapCanvas> FCanvas;
};

// A bitmap section of the given size and depth, top row first; the pixel
// memory is returned in ABits when asked for.
// Bits per pixel of a format; 0 for device-dependent and custom formats.
int PixelFormatBits(TPixelFormat AFormat);

HBITMAP CreateDIBSectionOf(int AWidth, int AHeight, int ABitCount, void **ABits = nullptr);
