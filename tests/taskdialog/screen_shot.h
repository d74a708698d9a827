#pragma once
// What a window shows on the screen, read back pixel by pixel, and the
// parts of a colour value.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "ui/graphics.h"

inline int R(TColor C) {
  return int(C & 0xFF);
}
inline int G(TColor C) {
  return int((C >> 8) & 0xFF);
}
inline int B(TColor C) {
  return int((C >> 16) & 0xFF);
}

// A bitmap's pixels, top row first.
inline std::vector<TColor> BitmapPixels(HBITMAP ABitmap, int AWidth, int AHeight) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = AWidth;
  bi.bmiHeader.biHeight = -AHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> raw(size_t(AWidth * AHeight));
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, ABitmap, 0, UINT(AHeight), raw.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  std::vector<TColor> pixels;
  pixels.reserve(raw.size());
  for (uint32_t v : raw) // 0x00RRGGBB
    pixels.push_back(RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)));
  return pixels;
}

// A window's client area as the screen shows it.
class TShot {
public:
  explicit TShot(HWND AWnd) {
    UpdateWindow(AWnd);
    RECT rc;
    GetClientRect(AWnd, &rc);
    FWidth = rc.right;
    FHeight = rc.bottom;
    HDC dc = GetDC(AWnd);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, FWidth, FHeight);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, FWidth, FHeight, dc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(AWnd, dc);
    FPixels = BitmapPixels(bitmap, FWidth, FHeight);
    DeleteObject(bitmap);
  }
  TColor At(int X, int Y) const { return FPixels.at(size_t(Y * FWidth + X)); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The smallest rectangle around the pixels of a kind inside a region
  // (empty when there are none).
  template <class P> TRect Box(P AKind, const TRect &ARegion) const {
    TRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = ARegion.top; y < ARegion.bottom; ++y)
      for (int x = ARegion.left; x < ARegion.right; ++x)
        if (AKind(At(x, y))) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.left == INT_MAX ? TRect() : box;
  }
  template <class P> int Count(P AKind, const TRect &ARegion) const {
    int n = 0;
    for (int y = ARegion.top; y < ARegion.bottom; ++y)
      for (int x = ARegion.left; x < ARegion.right; ++x)
        n += AKind(At(x, y)) ? 1 : 0;
    return n;
  }

private:
  int FWidth = 0, FHeight = 0;
  std::vector<TColor> FPixels;
};

