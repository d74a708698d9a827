#include "ui/bitmap.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "base/exception.h"
#include "base/streams.h"

int PixelFormatBits(TPixelFormat AFormat) {
  switch (AFormat) {
  case pf1bit:
    return 1;
  case pf4bit:
    return 4;
  case pf8bit:
    return 8;
  case pf15bit:
  case pf16bit:
    return 16;
  case pf24bit:
    return 24;
  case pf32bit:
    return 32;
  default:
    return 0;
  }
}

namespace {
// Formats without a fixed depth are made as 32 bits per pixel.
int BitCountOf(TPixelFormat AFormat) {
  int bits = PixelFormatBits(AFormat);
  return bits ? bits : 32;
}
} // namespace

HBITMAP CreateDIBSectionOf(int AWidth, int AHeight, int ABitCount, void **ABits) {
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
  } info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = AWidth;
  info.Header.biHeight = -AHeight;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = WORD(ABitCount);
  info.Header.biCompression = BI_RGB;
  if (ABitCount <= 8) {
    // A grey ramp, so that low depths still show something sensible.
    int n = 1 << ABitCount;
    info.Header.biClrUsed = DWORD(n);
    for (int i = 0; i < n; ++i) {
      BYTE v = BYTE(i * 255 / (n - 1));
      info.Colors[i] = {v, v, v, 0};
    }
  }
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  if (ABits) *ABits = bits;
  return bitmap;
}

// The bitmap stays selected between drawing calls; it is taken out before
// the handle is given away or replaced, and before the context goes.
struct TBitmap::TBitmapCanvas : TCanvas {
  TMemoryDC DC;
  std::optional<TSelectedObject> Selection;
  TBitmapCanvas() { SetHandle(DC.Get()); }
};

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat) {
  Replace(CreateDIBSectionOf(std::max(AWidth, 1), std::max(AHeight, 1), BitCountOf(AFormat)));
  FWidth = AWidth;
  FHeight = AHeight;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
}

void TBitmap::Deselect() const {
  if (FCanvas) FCanvas->Selection.reset();
}

HBITMAP TBitmap::Handle() const {
  Deselect();
  return static_cast<HBITMAP>(FHandle.Get());
}

void TBitmap::Replace(HBITMAP ABitmap) {
  Deselect();
  FHandle.Reset(ABitmap);
  FWidth = FHeight = 0;
  BITMAP bm{};
  if (ABitmap && GetObjectW(ABitmap, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
  }
}

void TBitmap::SetHandle(HBITMAP ABitmap) {
  if (ABitmap == FHandle.Get()) return;
  Replace(ABitmap);
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  Deselect();
  FWidth = FHeight = 0;
  return static_cast<HBITMAP>(FHandle.Release());
}

TCanvas &TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>();
  if (!FCanvas->Selection && FHandle.Get())
    FCanvas->Selection.emplace(FCanvas->Handle(), FHandle.Get());
  return *FCanvas;
}

TPixelFormat TBitmap::PixelFormat() const {
  if (!FHandle.Get()) return pfDevice;
  DIBSECTION ds{};
  if (GetObjectW(FHandle.Get(), sizeof(ds), &ds) != sizeof(ds)) return pfDevice;
  switch (ds.dsBmih.biBitCount) {
  case 1:
    return pf1bit;
  case 4:
    return pf4bit;
  case 8:
    return pf8bit;
  case 16:
    // Bit fields with a six-bit green mask are 5-6-5.
    return ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x7E0 ? pf16bit
                                                                                 : pf15bit;
  case 24:
    return pf24bit;
  case 32:
    return pf32bit;
  default:
    return pfCustom;
  }
}

TBitmapHandleType TBitmap::HandleType() const {
  DIBSECTION ds{};
  if (FHandle.Get() && GetObjectW(FHandle.Get(), sizeof(ds), &ds) == sizeof(ds)) return bmDIB;
  return bmDDB;
}

namespace {
// A copy of ASource at the given depth (0: device-dependent).
HBITMAP CopyAt(HBITMAP ASource, int AWidth, int AHeight, int ABitCount) {
  HBITMAP copy;
  if (ABitCount) {
    copy = CreateDIBSectionOf(std::max(AWidth, 1), std::max(AHeight, 1), ABitCount);
  } else {
    TScreenDC screen;
    copy = CreateCompatibleBitmap(screen.DC(), std::max(AWidth, 1), std::max(AHeight, 1));
  }
  if (!copy) RaiseLastOSError();
  if (ASource) {
    TMemoryDC src, dst;
    TSelectedObject selectedSrc(src.Get(), ASource), selectedDst(dst.Get(), copy);
    BitBlt(dst.Get(), 0, 0, AWidth, AHeight, src.Get(), 0, 0, SRCCOPY);
  }
  return copy;
}
} // namespace

void TBitmap::SetPixelFormat(TPixelFormat AFormat) {
  if (FHandle.Get() && AFormat == PixelFormat() && HandleType() == bmDIB) return;
  int w = FWidth, h = FHeight;
  Replace(CopyAt(Handle(), w, h, AFormat == pfDevice ? 0 : BitCountOf(AFormat)));
  FWidth = w;
  FHeight = h;
  Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType AType) {
  if (AType == HandleType() && FHandle.Get()) return;
  int w = FWidth, h = FHeight;
  Replace(CopyAt(Handle(), w, h, AType == bmDIB ? BitCountOf(PixelFormat()) : 0));
  FWidth = w;
  FHeight = h;
  Changed();
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth == FWidth && AHeight == FHeight && FHandle.Get()) return;
  int bits = FHandle.Get() ? (HandleType() == bmDIB ? BitCountOf(PixelFormat()) : 0) : 32;
  HBITMAP copy = CopyAt(Handle(), std::max(AWidth, 1), std::max(AHeight, 1), bits);
  Replace(copy);
  FWidth = std::max(AWidth, 0);
  FHeight = std::max(AHeight, 0);
  Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AName) {
  auto bitmap = static_cast<HBITMAP>(
      LoadImageW(AInstance, AName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw EResNotFound(L"Ressource " + AName + L" wurde nicht gefunden");
  SetHandle(bitmap);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor != clDefault || GetEmpty()) return FTransparentColor;
  // The bottom-left pixel names the colour that lets the background through.
  TMemoryDC src;
  TSelectedObject selected(src.Get(), Handle());
  return GetPixel(src.Get(), 0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor AValue) {
  if (AValue == FTransparentColor) return;
  FTransparentColor = AValue;
  Changed();
}

void TBitmap::DrawTransparent(TCanvas &ACanvas, const TRect &R) {
  if (GetEmpty()) return;
  COLORREF key = ColorToRGB(TransparentColor());
  TMemoryDC src;
  TSelectedObject selected(src.Get(), Handle());
  SetStretchBltMode(ACanvas.Handle(), COLORONCOLOR);
  // The platform's graphics library's own: the image library of the same
  // routine is no known library and would be found beside the program.
  GdiTransparentBlt(ACanvas.Handle(), R.left, R.top, R.Width(), R.Height(), src.Get(), 0, 0, FWidth,
                    FHeight, key);
}

void TBitmap::Draw(TCanvas &ACanvas, const TRect &R) {
  if (GetEmpty()) return;
  if (Transparent()) {
    DrawTransparent(ACanvas, R);
    return;
  }
  TMemoryDC src;
  TSelectedObject selected(src.Get(), Handle());
  SetStretchBltMode(ACanvas.Handle(), COLORONCOLOR);
  StretchBlt(ACanvas.Handle(), R.left, R.top, R.Width(), R.Height(), src.Get(), 0, 0, FWidth,
             FHeight, SRCCOPY);
}

namespace {
// Checks a BMP file against its own length before the platform reads it:
// header, colour masks, palette and rows must all lie inside the data. All
// sizes are counted in 64 bits, so that no header can wrap them round on a
// 32-bit system.
const BITMAPINFOHEADER &CheckedBitmapHeader(const std::string &AData) {
  const uint64_t size = AData.size();
  const uint64_t headerAt = sizeof(BITMAPFILEHEADER);
  BITMAPFILEHEADER file{};
  if (size < headerAt + sizeof(BITMAPINFOHEADER)) throw EInvalidGraphic(L"Ungültiges Bitmap");
  std::memcpy(&file, AData.data(), sizeof(file));
  const auto &header = *reinterpret_cast<const BITMAPINFOHEADER *>(AData.data() + headerAt);
  const LONG w = header.biWidth, h = header.biHeight;
  const WORD bits = header.biBitCount;
  const DWORD compression = header.biCompression;
  const bool known = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (file.bfType != 0x4D42 || header.biSize < sizeof(BITMAPINFOHEADER) ||
      headerAt + header.biSize > size || file.bfOffBits >= size || header.biPlanes != 1 || w <= 0 ||
      h == 0 || h == LONG(0x80000000) || !known)
    throw EInvalidGraphic(L"Ungültiges Bitmap");
  const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  if (!(compression == BI_RGB || (compression == BI_BITFIELDS && (bits == 16 || bits == 32)) ||
        (compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4)) ||
      (rle && h < 0))
    throw EInvalidGraphic(L"Ungültiges Bitmap");
  // The masks follow a plain header; the palette follows header and masks.
  uint64_t tables = headerAt + header.biSize;
  if (compression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER)) tables += 12;
  if (bits <= 8) {
    const uint64_t most = uint64_t(1) << bits;
    if (header.biClrUsed > most) throw EInvalidGraphic(L"Ungültiges Bitmap");
    tables += 4 * (header.biClrUsed ? header.biClrUsed : most);
  }
  if (tables > size) throw EInvalidGraphic(L"Ungültiges Bitmap");
  const uint64_t height = h < 0 ? -int64_t(h) : int64_t(h);
  const uint64_t available = size - file.bfOffBits;
  const uint64_t stride = (uint64_t(w) * bits + 31) / 32 * 4;
  // The copy is made at 24 or 32 bits; a picture of more than 256 MB there
  // is no picture this program shows.
  if (uint64_t(w) * height > (uint64_t(64) << 20)) throw EInvalidGraphic(L"Ungültiges Bitmap");
  if (rle ? header.biSizeImage == 0 || header.biSizeImage > available : stride * height > available)
    throw EInvalidGraphic(L"Unvollständiges Bitmap");
  return header;
}
} // namespace

void TBitmap::LoadFromStream(TStream &AStream) {
  int64_t count = AStream.Size() - AStream.Position();
  std::string data(size_t(std::max<int64_t>(count, 0)), '\0');
  AStream.ReadBuffer(data.data(), data.size());
  const BITMAPINFOHEADER &header = CheckedBitmapHeader(data);
  const auto *file = reinterpret_cast<const BITMAPFILEHEADER *>(data.data());
  const void *bits = data.data() + file->bfOffBits;
  LONG w = header.biWidth, h = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  TGdiObject ddb(CreateDIBitmap(TScreenDC().DC(), &header, CBM_INIT, bits,
                                reinterpret_cast<const BITMAPINFO *>(&header), DIB_RGB_COLORS));
  if (!ddb) throw EInvalidGraphic(L"Ungültiges Bitmap");
  int depth = header.biBitCount >= 24 ? header.biBitCount : 24;
  SetHandle(CopyAt(static_cast<HBITMAP>(ddb.Get()), w, h, depth == 32 ? 32 : 24));
}

void TBitmap::SaveToStream(TStream &AStream) {
  if (GetEmpty()) return;
  int depth = PixelFormat() == pf32bit ? 32 : 24;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = FWidth;
  header.biHeight = FHeight; // bottom row first, as BMP files are read everywhere
  header.biPlanes = 1;
  header.biBitCount = WORD(depth);
  header.biCompression = BI_RGB;
  size_t stride = ((size_t(FWidth) * size_t(depth) + 31) / 32) * 4;
  std::string bits(stride * size_t(FHeight), '\0');
  GetDIBits(TScreenDC().DC(), Handle(), 0, UINT(FHeight), bits.data(),
            reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS);
  header.biSizeImage = DWORD(bits.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = DWORD(file.bfOffBits + bits.size());
  AStream.WriteBuffer(&file, sizeof(file));
  AStream.WriteBuffer(&header, sizeof(header));
  AStream.WriteBuffer(bits.data(), bits.size());
}

void TBitmap::Assign(TGraphic *ASource) {
  if (auto *source = dynamic_cast<TBitmap *>(ASource)) {
    if (source == this) return;
    HBITMAP h = source->Handle();
    // A copy draws as its source does.
    FTransparentColor = source->FTransparentColor;
    SetTransparent(source->Transparent());
    SetHandle(h ? static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                : nullptr);
    return;
  }
  TGraphic::Assign(ASource);
}

void TBitmap::LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE) {
  if (AFormat != CF_BITMAP || !AData)
    throw EInvalidGraphic(L"Nicht unterstütztes Zwischenablageformat");
  SetHandle(static_cast<HBITMAP>(CopyImage(AData, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void TBitmap::SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette) {
  AFormat = CF_BITMAP;
  AData = GetEmpty() ? nullptr : CopyImage(Handle(), IMAGE_BITMAP, 0, 0, 0);
  APalette = nullptr;
}
