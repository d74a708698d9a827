#pragma once
// Pictures held as GDI+ images: decoded from any format GDI+ reads, built
// from 32-bit pixels or platform bitmaps, saved by codec, drawn through
// the shared paint canvas with scaling and a global alpha.
#include <memory>
#include <vector>

#include "base/handles.h"
#include "gdiplus/gdiplus_api.h"
#include "gdiplus/gp_handles.h"
#include "ui/bitmap.h"
#include "ui/graphic.h"
#include "ui/picture.h"

enum TdxImageDataFormat : uint8_t {
  dxImageUnknown = 0,
  dxImageBitmap = 1,
  dxImageJpeg = 2,
  dxImagePng = 3,
  dxImageTiff = 4,
  dxImageGif = 5
};

// 32-bit pixels (blue, green, red, alpha), top row first. Copies share the
// same pixels, as the image that is built from them does.
class TRGBColors {
public:
  TRGBColors() = default;
  explicit TRGBColors(size_t ACount)
      : FPixels(std::make_shared<std::vector<RGBQUAD>>(ACount, RGBQUAD{0, 0, 0, 0})) {}
  size_t size() const { return FPixels ? FPixels->size() : 0; }
  bool empty() const { return size() == 0; }
  RGBQUAD *data() const { return FPixels ? FPixels->data() : nullptr; }
  RGBQUAD &operator[](size_t AIndex) const { return (*FPixels)[AIndex]; }
  // A fresh array of ACount zeroed pixels; other copies keep the old one.
  void SetLength(size_t ACount) { *this = TRGBColors(ACount); }
  bool SharesWith(const TRGBColors &AOther) const { return FPixels && FPixels == AOther.FPixels; }

private:
  std::shared_ptr<std::vector<RGBQUAD>> FPixels;
};

// What an image was made from; GDI+ reads from it for the image's life.
class TdxGPImageData {
public:
  TdxGPImageData() = default;
  ~TdxGPImageData() { FreeImageData(); }
  TdxGPImageData(const TdxGPImageData &) = delete;
  TdxGPImageData &operator=(const TdxGPImageData &) = delete;

  void FreeImageData();
  bool Empty() const { return !FData && FBits.empty(); }
  // Reads the stream's remaining bytes into a new memory block.
  void LoadFromStream(TStream &AStream);

  TRGBColors FBits;
  TGlobalMemory FData;
};

class TdxGPImage : public TGraphic {
public:
  TdxGPImage();
  ~TdxGPImage() override;

  std::wstring ClassName() const override { return L"TdxGPImage"; }

  template <class T = TdxGPImage> static std::unique_ptr<T> CreateFromBitmap(TBitmap &ABitmap) {
    auto image = std::make_unique<T>();
    image->DoLoadFromBitmap(ABitmap);
    return image;
  }
  template <class T = TdxGPImage>
  static std::unique_ptr<T> CreateFromBits(int AWidth, int AHeight, const TRGBColors &ABits,
                                           bool AHasAlphaChannel) {
    auto image = std::make_unique<T>();
    image->DoLoadFromBits(AWidth, AHeight, ABits, AHasAlphaChannel);
    return image;
  }
  template <class T = TdxGPImage> static std::unique_ptr<T> CreateFromStream(TStream &AStream) {
    auto image = std::make_unique<T>();
    image->DoLoadFromStream(AStream);
    return image;
  }

  // Loading; each but SetBitmap and the clipboard reports a change.
  void LoadFromStream(TStream &AStream) override;
  void LoadFromResource(HINSTANCE AInstance, const std::wstring &AResName, const wchar_t *AResType);
  void LoadFromBits(int AWidth, int AHeight, const TRGBColors &ABits, bool AHasAlphaChannel);
  void SetBitmap(TBitmap &ABitmap);
  void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) override;
  void Assign(TGraphic *ASource) override;
  void AssignTo(TGraphic *ADest) override;
  virtual void AssignFromImage(TdxGPImage *AImage);
  virtual void Clear();

  // Saving and reading out.
  void SaveToStream(TStream &AStream) override;
  void SaveToStreamByCodec(TStream &AStream, TdxImageDataFormat AImageFormat);
  void SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette) override;
  virtual std::unique_ptr<TBitmap> GetAsBitmap() const;
  TRGBColors GetBitmapBits() const;
  virtual std::unique_ptr<TdxGPImage> Clone() const;
  virtual bool Compare(TdxGPImage *AImage) const;
  // This image with AOverlay scaled over it at AAlpha, on transparency.
  std::unique_ptr<TdxGPImage> MakeComposition(TdxGPImage *AOverlay, BYTE AAlpha) const;

  // Drawing.
  void Draw(TCanvas &ACanvas, const TRect &R) override;
  void StretchDraw(HDC DC, const TRect &ADest, BYTE AAlpha = 255);
  void StretchDraw(HDC DC, const TRect &ADest, const TRect &ASource, BYTE AAlpha = 255);

  // Size and state; each asks GDI+ anew.
  int GetWidth() const override;
  int GetHeight() const override;
  bool GetEmpty() const override;
  bool GetTransparent() const override { return IsAlphaUsed(); }
  // Any pixel with alpha below 255; cached until the next change.
  bool IsAlphaUsed() const;
  TRect ClientRect() const;

  GpImage *Handle() const { return FHandle.Get(); }
  TdxImageDataFormat ImageDataFormat() const { return FImageDataFormat; }
  const TdxGPImageData &ImageData() const { return *FImageData; }

  static const TGraphicClass &GraphicClass();

protected:
  void Changed() override;
  virtual std::unique_ptr<TdxGPImage> NewInstance() const;
  void FreeImageHandle();
  void DoLoadFromStream(TStream &AStream);
  void DoLoadFromBits(int AWidth, int AHeight, const TRGBColors &ABits, bool AHasAlphaChannel);
  void DoLoadFromBitmap(TBitmap &ABitmap);

private:
  void GetImageSize(int &AWidth, int &AHeight) const;
  bool CheckAlphaUsed() const;

  TGpImageHandle FHandle;
  std::unique_ptr<TdxGPImageData> FImageData;
  TdxImageDataFormat FImageDataFormat = dxImageUnknown;
  mutable bool FIsAlphaUsed = false;
  mutable bool FIsAlphaUsedAssigned = false;
};

// A GDI+ image that always saves as PNG: the stored pictures' class.
class TdxPNGImage : public TdxGPImage {
public:
  std::wstring ClassName() const override { return L"TdxPNGImage"; }
  void SaveToStream(TStream &AStream) override;
  static const TGraphicClass &GraphicClass();

protected:
  std::unique_ptr<TdxGPImage> NewInstance() const override;
};

// A GDI+ image for "All graphics".
class TdxSmartImage : public TdxGPImage {
public:
  std::wstring ClassName() const override { return L"TdxSmartImage"; }
  static const TGraphicClass &GraphicClass();

protected:
  std::unique_ptr<TdxGPImage> NewInstance() const override;
};

TdxImageDataFormat ImageFormatFromRawFormat(const GUID &ARawFormat);
// The cached encoder of a format; EdxException for dxImageUnknown.
const CLSID &dxGetImageEncoder(TdxImageDataFormat AImageFormat);

// The classes module's start and end procedures for the units loader.
void GdiPlusClassesInitialize();
void GdiPlusClassesFinalize();
