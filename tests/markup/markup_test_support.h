#pragma once
// What the markup tests share: a canvas over a 32-bit memory bitmap whose
// pixels can be read back, and the test data files.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/exception.h"
#include "markup/draw_markup.h"
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

// A file of the test data; a missing one fails the running test.
std::string DataBytes(const std::wstring &ARelative);

} // namespace mtest

namespace mtest {

// A GIF89a of one-pixel frames, each with a control block directly before
// its image: frame i lies at (Left, Top) in colour Color (0 black, 1 red,
// 2 lime, 3 blue) and waits Delay hundredths of a second.
struct TTinyFrame {
  uint16_t Left = 0, Top = 0;
  int Color = 1;
  uint16_t Delay = 0;
};
std::string TinyGif(uint16_t AScreenWidth, uint16_t AScreenHeight,
                    const std::vector<TTinyFrame> &AFrames);

} // namespace mtest

namespace mtest {

// Tahoma 11 px in black over a transparent brush, as a control hands its
// canvas over.
void PrepareCanvas(TCanvas &ACanvas);

// A call on the canvas with the engine's defaults otherwise.
TMarkupArgs MarkupArgs(TCanvas &ACanvas, const std::wstring &AText, const TRect &ABounds);

// A call in one of the engine's uses, its defaults otherwise.
TMarkupArgs UseArgs(TCanvas &ACanvas, const std::wstring &AText, const TRect &ABounds,
                    TMarkupUse AUse, int X = 0, int Y = 0);

// Width of a text in the canvas's font as the engine measures a chunk.
int ChunkWidth(TCanvas &ACanvas, const std::wstring &AText, UINT AFlags = 0);

// The same pixels in both.
bool SamePixels(const TPixelCanvas &A, const TPixelCanvas &B);

// Pixels of exactly this colour within a rectangle.
int CountColor(const TPixelCanvas &ACanvas, TColor AColor, const TRect &AArea);

} // namespace mtest
