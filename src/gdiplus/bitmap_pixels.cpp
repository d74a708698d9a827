#include "gdiplus/bitmap_pixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gdiplus/gp_image.h"
#include "ui/bitmap.h"
#include "ui/handles.h"

bool ReadBitmapPixels(HBITMAP ABitmap, TRGBColors &APixels, bool ATopDownOrder) {
  BITMAP bm{};
  if (!ABitmap || !GetObjectW(ABitmap, sizeof(bm), &bm)) {
    APixels.SetLength(0);
    return false;
  }
  int w = bm.bmWidth, h = bm.bmHeight;
  APixels.SetLength(size_t(w) * size_t(h));
  if (w == 0 || h == 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = ATopDownOrder ? -h : h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  TMemoryDC memory;
  const HDC dc = memory.Get();
  bool ok = GetDIBits(dc, ABitmap, 0, UINT(h), APixels.data(), &info, DIB_RGB_COLORS) == h;
  if (!ok) {
    // Row by row, each failed row once more through a clean buffer.
    ok = true;
    std::vector<RGBQUAD> row(static_cast<size_t>(w));
    for (int i = 0; i < h; ++i) {
      // Scan lines count from the bottom whatever the order asked for.
      UINT line = UINT(ATopDownOrder ? h - 1 - i : i);
      RGBQUAD *target = APixels.data() + size_t(w) * size_t(i);
      BITMAPINFO one = info;
      one.bmiHeader.biHeight = h;
      if (GetDIBits(dc, ABitmap, line, 1, target, &one, DIB_RGB_COLORS) == 1) continue;
      std::fill(row.begin(), row.end(), RGBQUAD{0, 0, 0, 0});
      if (GetDIBits(dc, ABitmap, line, 1, row.data(), &one, DIB_RGB_COLORS) == 1)
        std::memcpy(target, row.data(), row.size() * sizeof(RGBQUAD));
      else
        ok = false;
    }
  }
  return ok;
}

int BitmapBitsPerPixel(TBitmap &ABitmap) {
  if (int bits = PixelFormatBits(ABitmap.PixelFormat())) return bits;
  // Device-dependent or custom: the depth of the bitmap's drawing surface.
  HDC dc = ABitmap.Canvas().Handle();
  return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}
