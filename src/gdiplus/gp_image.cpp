#include "gdiplus/gp_image.h"

#include <cstring>

#include "base/streams.h"
#include "gdiplus/bitmap_pixels.h"
#include "gdiplus/gp_canvas.h"

namespace {
// GDI+'s InterpolationModeHighQualityBicubic.
constexpr int kHighQualityBicubic = 7;

// Releases a COM object at the end of a scope.
template <class T> struct TComRelease {
  T *Object = nullptr;
  ~TComRelease() {
    if (Object) Object->Release();
  }
};

// The published GDI+ format GUIDs differ only in their first byte:
// {B96B3Cxx-0728-11D3-9D7B-0000F81EF32E}.
bool IsGdiPlusFormat(const GUID &AGuid, BYTE &AKey) {
  static const GUID base = {
      0xB96B3C00, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  if ((AGuid.Data1 & 0xFFFFFF00u) != base.Data1 || AGuid.Data2 != base.Data2 ||
      AGuid.Data3 != base.Data3 || std::memcmp(AGuid.Data4, base.Data4, 8) != 0)
    return false;
  AKey = BYTE(AGuid.Data1 & 0xFF);
  return true;
}
} // namespace

TdxImageDataFormat ImageFormatFromRawFormat(const GUID &ARawFormat) {
  BYTE key = 0;
  if (!IsGdiPlusFormat(ARawFormat, key)) return dxImageUnknown;
  switch (key) {
  case 0xAA: // memory bitmap
  case 0xAB: // BMP
  case 0xAC: // EMF
  case 0xAD: // WMF
  case 0xB5: // icon
    return dxImageBitmap;
  case 0xAE:
    return dxImageJpeg;
  case 0xAF:
    return dxImagePng;
  case 0xB1:
    return dxImageTiff;
  case 0xB0:
    return dxImageGif;
  default:
    return dxImageUnknown;
  }
}

const CLSID &dxGetImageEncoder(TdxImageDataFormat AImageFormat) {
  switch (AImageFormat) {
  case dxImageBitmap:
    return dxEncoders.Bmp;
  case dxImageJpeg:
    return dxEncoders.Jpeg;
  case dxImagePng:
    return dxEncoders.Png;
  case dxImageTiff:
    return dxEncoders.Tiff;
  case dxImageGif:
    return dxEncoders.Gif;
  default:
    throw EdxException(L"dxGetImageEncoder fails");
  }
}

// ---- TdxGPImageData

void TdxGPImageData::FreeImageData() {
  FBits = TRGBColors();
  FData.Reset();
}

void TdxGPImageData::LoadFromStream(TStream &AStream) {
  FreeImageData();
  int64_t count = AStream.Size() - AStream.Position();
  if (count <= 0) return;
  FData.Reset(GlobalAlloc(GMEM_MOVEABLE, SIZE_T(count)));
  if (!FData) throw EdxGdipException(OutOfMemory);
  TGlobalLock lock(FData.Get());
  AStream.ReadBuffer(lock.Memory(), size_t(count));
}

// ---- TdxGPImage

TdxGPImage::TdxGPImage() : FImageData(std::make_unique<TdxGPImageData>()) {}

TdxGPImage::~TdxGPImage() {
  FreeImageHandle();
}

const TGraphicClass &TdxGPImage::GraphicClass() {
  static const TGraphicClass cls{L"TdxGPImage", &CreateGraphicOf<TdxGPImage>};
  return cls;
}

const TGraphicClass &TdxPNGImage::GraphicClass() {
  static const TGraphicClass cls{L"TdxPNGImage", &CreateGraphicOf<TdxPNGImage>};
  return cls;
}

const TGraphicClass &TdxSmartImage::GraphicClass() {
  static const TGraphicClass cls{L"TdxSmartImage", &CreateGraphicOf<TdxSmartImage>};
  return cls;
}

std::unique_ptr<TdxGPImage> TdxGPImage::NewInstance() const {
  return std::make_unique<TdxGPImage>();
}
std::unique_ptr<TdxGPImage> TdxPNGImage::NewInstance() const {
  return std::make_unique<TdxPNGImage>();
}
std::unique_ptr<TdxGPImage> TdxSmartImage::NewInstance() const {
  return std::make_unique<TdxSmartImage>();
}

void TdxGPImage::FreeImageHandle() {
  FHandle.Reset();
  FImageDataFormat = dxImageUnknown;
}

void TdxGPImage::Changed() {
  FIsAlphaUsedAssigned = false;
  TGraphic::Changed();
}

namespace {
TdxImageDataFormat RawFormatOf(GpImage *AImage) {
  GUID format{};
  CheckGpStatus(GdipGetImageRawFormat(AImage, &format));
  return ImageFormatFromRawFormat(format);
}
} // namespace

void TdxGPImage::DoLoadFromStream(TStream &AStream) {
  FreeImageHandle();
  FIsAlphaUsedAssigned = false;
  FImageData->LoadFromStream(AStream);
  if (FImageData->Empty()) return;
  TComRelease<IStream> stream;
  // The stream must not free the block: the image reads from it later.
  CheckGpCondition(CreateStreamOnHGlobal(FImageData->FData.Get(), FALSE, &stream.Object) == S_OK);
  // Without GDI+ nothing decodes; the bytes are kept all the same.
  CheckGpCondition(GdipLoadImageFromStream != nullptr);
  TGpImageHandle image;
  CheckGpStatus(GdipLoadImageFromStream(stream.Object, image.Out()));
  FImageDataFormat = RawFormatOf(image.Get());
  FHandle = std::move(image);
}

void TdxGPImage::DoLoadFromBits(int AWidth, int AHeight, const TRGBColors &ABits,
                                bool AHasAlphaChannel) {
  // GDI+ reads width x height pixels from the array: a shorter one is a
  // caller's error, not something to read beyond.
  CheckGpCondition(AWidth >= 0 && AHeight >= 0);
  CheckGpCondition(AWidth == 0 || AHeight == 0 || ABits.empty() ||
                   ABits.size() >= size_t(AWidth) * size_t(AHeight));
  FreeImageHandle();
  FIsAlphaUsedAssigned = false;
  FImageData->FreeImageData();
  FImageData->FBits = ABits;
  if (!AHasAlphaChannel)
    for (size_t i = 0; i < ABits.size(); ++i)
      ABits[i].rgbReserved = 255;
  if (AWidth == 0 || AHeight == 0) return;
  CheckGpCondition(GdipCreateBitmapFromScan0 != nullptr);
  GpBitmap *bitmap = nullptr;
  CheckGpStatus(GdipCreateBitmapFromScan0(AWidth, AHeight, AWidth * 4, PixelFormat32bppPARGB,
                                          reinterpret_cast<BYTE *>(ABits.data()), &bitmap));
  TGpImageHandle image;
  image.Reset(bitmap);
  FImageDataFormat = RawFormatOf(image.Get());
  FHandle = std::move(image);
}

void TdxGPImage::DoLoadFromBitmap(TBitmap &ABitmap) {
  TRGBColors pixels;
  if (!ReadBitmapPixels(ABitmap.Handle(), pixels, true)) return;
  DoLoadFromBits(ABitmap.Width(), ABitmap.Height(), pixels, BitmapBitsPerPixel(ABitmap) >= 32);
}

void TdxGPImage::LoadFromStream(TStream &AStream) {
  DoLoadFromStream(AStream);
  Changed();
}

void TdxGPImage::LoadFromResource(HINSTANCE AInstance, const std::wstring &AResName,
                                  const wchar_t *AResType) {
  TResourceStream stream(AInstance, AResName, AResType);
  LoadFromStream(stream);
}

void TdxGPImage::LoadFromBits(int AWidth, int AHeight, const TRGBColors &ABits,
                              bool AHasAlphaChannel) {
  DoLoadFromBits(AWidth, AHeight, ABits, AHasAlphaChannel);
  Changed();
}

void TdxGPImage::SetBitmap(TBitmap &ABitmap) {
  DoLoadFromBitmap(ABitmap);
}

void TdxGPImage::LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) {
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(AFormat, AData, APalette);
  bitmap.SetPixelFormat(pf32bit);
  SetBitmap(bitmap);
}

void TdxGPImage::Assign(TGraphic *ASource) {
  if (auto *bitmap = dynamic_cast<TBitmap *>(ASource))
    SetBitmap(*bitmap);
  else if (auto *image = dynamic_cast<TdxGPImage *>(ASource))
    AssignFromImage(image);
  else
    TGraphic::Assign(ASource);
}

void TdxGPImage::AssignTo(TGraphic *ADest) {
  if (auto *image = dynamic_cast<TdxGPImage *>(ADest)) {
    image->AssignFromImage(this);
  } else if (auto *bitmap = dynamic_cast<TBitmap *>(ADest)) {
    std::unique_ptr<TBitmap> copy = GetAsBitmap();
    bitmap->Assign(copy.get());
  } else {
    TGraphic::AssignTo(ADest);
  }
}

void TdxGPImage::AssignFromImage(TdxGPImage *AImage) {
  if (!AImage || AImage == this) return;
  if (AImage->GetEmpty()) {
    Clear();
  } else if (!AImage->FImageData->FBits.empty()) {
    LoadFromBits(AImage->GetWidth(), AImage->GetHeight(), AImage->FImageData->FBits, true);
  } else {
    TMemoryStream stream;
    AImage->SaveToStream(stream);
    stream.SetPosition(0);
    LoadFromStream(stream);
  }
}

void TdxGPImage::Clear() {
  if (GetEmpty()) return;
  FreeImageHandle();
  Changed();
}

void TdxGPImage::SaveToStream(TStream &AStream) {
  SaveToStreamByCodec(AStream, FImageDataFormat);
}

void TdxPNGImage::SaveToStream(TStream &AStream) {
  SaveToStreamByCodec(AStream, dxImagePng);
}

void TdxGPImage::SaveToStreamByCodec(TStream &AStream, TdxImageDataFormat AImageFormat) {
  if (!FHandle.Get()) return;
  const CLSID &encoder = dxGetImageEncoder(AImageFormat);
  TComRelease<IStream> stream;
  CheckGpCondition(CreateStreamOnHGlobal(nullptr, TRUE, &stream.Object) == S_OK);
  CheckGpStatus(GdipSaveImageToStream(FHandle.Get(), stream.Object, &encoder, nullptr));
  HGLOBAL block = nullptr;
  CheckGpCondition(GetHGlobalFromStream(stream.Object, &block) == S_OK);
  STATSTG stat{};
  CheckGpCondition(stream.Object->Stat(&stat, STATFLAG_NONAME) == S_OK);
  TGlobalLock lock(block);
  AStream.WriteBuffer(lock.Memory(), size_t(stat.cbSize.QuadPart));
}

void TdxGPImage::SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette) {
  TBitmap bitmap(GetWidth(), GetHeight(), pf32bit);
  TCanvas &canvas = bitmap.Canvas();
  canvas.SetBrushColor(clWhite);
  canvas.FillRect(TRect(0, 0, GetWidth(), GetHeight()));
  Draw(canvas, TRect(0, 0, GetWidth(), GetHeight()));
  bitmap.SaveToClipboardFormat(AFormat, AData, APalette);
}

std::unique_ptr<TBitmap> TdxGPImage::GetAsBitmap() const {
  CheckGpCondition(GdipCreateHBITMAPFromBitmap != nullptr);
  HBITMAP handle = nullptr;
  CheckGpStatus(GdipCreateHBITMAPFromBitmap(FHandle.Get(), &handle, 0));
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetHandle(handle);
  bitmap->SetPixelFormat(pf32bit);
  return bitmap;
}

TRGBColors TdxGPImage::GetBitmapBits() const {
  std::unique_ptr<TBitmap> bitmap = GetAsBitmap();
  TRGBColors bits;
  ReadBitmapPixels(bitmap->Handle(), bits, true);
  return bits;
}

std::unique_ptr<TdxGPImage> TdxGPImage::Clone() const {
  std::unique_ptr<TdxGPImage> clone = NewInstance();
  clone->AssignFromImage(const_cast<TdxGPImage *>(this));
  return clone;
}

bool TdxGPImage::Compare(TdxGPImage *AImage) const {
  if (!AImage) return false;
  if (GetWidth() != AImage->GetWidth() || GetHeight() != AImage->GetHeight()) return false;
  if (GetEmpty() || AImage->GetEmpty()) return true;
  TRGBColors mine = GetBitmapBits(), theirs = AImage->GetBitmapBits();
  size_t count = size_t(GetWidth()) * size_t(GetHeight());
  return mine.size() >= count && theirs.size() >= count &&
         std::memcmp(mine.data(), theirs.data(), count * sizeof(RGBQUAD)) == 0;
}

std::unique_ptr<TdxGPImage> TdxGPImage::MakeComposition(TdxGPImage *AOverlay, BYTE AAlpha) const {
  std::unique_ptr<TdxGPImage> result = CreateFromBits(GetWidth(), GetHeight(), TRGBColors(), true);
  if (result->GetEmpty()) return result;
  TGpGraphicsHandle graphics;
  CheckGpStatus(GdipGetImageGraphicsContext(result->Handle(), graphics.Out()));
  TdxGPPaintCanvas *canvas = SharedPaintCanvas();
  canvas->BeginPaint(graphics.Get());
  try {
    TRect all = result->ClientRect();
    canvas->Draw(const_cast<TdxGPImage *>(this), all, 255);
    if (AOverlay) canvas->Draw(AOverlay, all, AAlpha);
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
  CheckGpStatus(GdipDeleteGraphics(graphics.Release()));
  return result;
}

void TdxGPImage::Draw(TCanvas &ACanvas, const TRect &R) {
  StretchDraw(ACanvas.Handle(), R, 255);
}

void TdxGPImage::StretchDraw(HDC DC, const TRect &ADest, BYTE AAlpha) {
  StretchDraw(DC, ADest, ClientRect(), AAlpha);
}

void TdxGPImage::StretchDraw(HDC DC, const TRect &ADest, const TRect &ASource, BYTE AAlpha) {
  if (!FHandle.Get()) return;
  TdxGPPaintCanvas *canvas = SharedPaintCanvas();
  canvas->BeginPaint(DC, ADest);
  // A failed draw closes its paint too, so the shared canvas stays usable.
  try {
    // Pictures drawn for another density are scaled: smoothly, not by
    // GDI+'s default of plain bilinear sampling.
    if (ADest.Width() != ASource.Width() || ADest.Height() != ASource.Height())
      canvas->SetInterpolationMode(kHighQualityBicubic);
    canvas->Draw(this, ADest, ASource, AAlpha);
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void TdxGPImage::GetImageSize(int &AWidth, int &AHeight) const {
  AWidth = AHeight = 0;
  if (!FHandle.Get()) return;
  REAL w = 0, h = 0;
  CheckGpStatus(GdipGetImageDimension(FHandle.Get(), &w, &h));
  AWidth = int(w);
  AHeight = int(h);
}

int TdxGPImage::GetWidth() const {
  int w, h;
  GetImageSize(w, h);
  return w;
}

int TdxGPImage::GetHeight() const {
  int w, h;
  GetImageSize(w, h);
  return h;
}

bool TdxGPImage::GetEmpty() const {
  int w, h;
  GetImageSize(w, h);
  return w < 1 || h < 1;
}

TRect TdxGPImage::ClientRect() const {
  int w, h;
  GetImageSize(w, h);
  return TRect(0, 0, w, h);
}

bool TdxGPImage::CheckAlphaUsed() const {
  if (GetEmpty()) return false;
  TRGBColors bits = GetBitmapBits();
  for (size_t i = 0; i < bits.size(); ++i)
    if (bits[i].rgbReserved != 255) return true;
  return false;
}

bool TdxGPImage::IsAlphaUsed() const {
  if (!FIsAlphaUsedAssigned) {
    FIsAlphaUsed = CheckAlphaUsed();
    FIsAlphaUsedAssigned = true;
  }
  return FIsAlphaUsed;
}

// ---- module start and end

void GdiPlusClassesInitialize() {
  if (!IsGdiPlusAvailable(false)) return;
  InitEncoders();
  RegisterGraphicClass(TdxPNGImage::GraphicClass());
  RegisterGraphicClass(TdxSmartImage::GraphicClass());
  TPicture::RegisterFileFormat(L"PNG", L"PNG graphics", TdxPNGImage::GraphicClass());
  TPicture::RegisterFileFormat(L"TIF;*.GIF;*.PNG", L"All graphics", TdxSmartImage::GraphicClass());
}

void GdiPlusClassesFinalize() {
  FreeSharedPaintCanvas();
  TPicture::UnregisterGraphicClass(TdxSmartImage::GraphicClass());
  TPicture::UnregisterGraphicClass(TdxPNGImage::GraphicClass());
  UnRegisterGraphicClass(TdxPNGImage::GraphicClass());
  UnRegisterGraphicClass(TdxSmartImage::GraphicClass());
}
