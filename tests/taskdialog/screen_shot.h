#pragma once
// What a window shows on the screen, read back pixel by pixel.
#include <windows.h>

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

// A window's client area as the screen shows it.
class TShot {
public:
  explicit TShot(HWND AWnd) {
    UpdateWindow(AWnd);
    RECT rc;
    GetClientRect(AWnd, &rc);
    FWidth = rc.right;
    FHeight = rc.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = FWidth;
    bi.bmiHeader.biHeight = -FHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = GetDC(AWnd);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, FWidth, FHeight, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto *p = static_cast<const uint32_t *>(bits);
    for (int i = 0; i < FWidth * FHeight; ++i) {
      uint32_t v = p[i]; // 0x00RRGGBB
      FPixels.push_back(RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)));
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(AWnd, dc);
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

