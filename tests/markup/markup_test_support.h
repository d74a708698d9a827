#pragma once
// What the markup tests share: a canvas over a 32-bit memory bitmap whose
// pixels can be read back, and the shared test files.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/graphics.h"

namespace mtest {

// A top-down 32-bit bitmap selected into a memory canvas, filled with one
// colour (0x00RRGGBB as the bitmap stores it).
class TPixelCanvas {
public:
  TPixelCanvas(int AWidth, int AHeight, uint32_t AFill = 0xFFFFFF);
  ~TPixelCanvas();
  TPixelCanvas(const TPixelCanvas &) = delete;
  TPixelCanvas &operator=(const TPixelCanvas &) = delete;

  TCanvas &Canvas() { return FCanvas; }
  // The pixel as a colour value (0x00BBGGRR), after GDI has finished.
  TColor Pixel(int X, int Y) const;
  // Pixels that differ from the fill.
  int Changed() const;
  // Smallest rectangle holding every changed pixel (empty when none).
  TRect ChangedBounds() const;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

private:
  int FWidth, FHeight;
  uint32_t FFill;
  uint32_t *FBits = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  TCanvas FCanvas;
};

// A file of the shared test data, or empty (with a message) when absent.
std::wstring Data(const std::wstring &ARelative);
std::string DataBytes(const std::wstring &ARelative);

} // namespace mtest
