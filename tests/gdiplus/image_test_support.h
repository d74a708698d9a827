#pragma once
// What the image tests share: GDI+ started as the program starts it, PNG
// files made on the spot, and pixels read back from 32-bit bitmaps.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/streams.h"
#include "gdiplus/gp_image.h"

namespace imgtest {

// Runs the image modules' start steps once for the whole test program.
void StartImageModules();

// A PNG file of 8-bit RGBA pixels (0xAARRGGBB, top row first).
std::string MakePng(int AWidth, int AHeight, const std::vector<uint32_t> &APixels);
// A PNG of one colour.
std::string MakeSolidPng(int AWidth, int AHeight, uint32_t AArgb);

// Loads encoded bytes into a new image of the class.
template <class T = TdxGPImage> std::unique_ptr<T> Load(const std::string &ABytes) {
  TMemoryStream stream(ABytes);
  auto image = std::make_unique<T>();
  image->LoadFromStream(stream);
  return image;
}

// A 32-bit top-down bitmap filled with one colour (0x00RRGGBB).
struct TPixelTarget {
  TPixelTarget(int AWidth, int AHeight, uint32_t AFill);
  ~TPixelTarget();
  uint32_t Pixel(int X, int Y) const { return Bits[size_t(Y) * size_t(Width) + size_t(X)]; }
  // Count of pixels that differ from the fill.
  int Changed() const;
  int Width, Height;
  uint32_t Fill;
  uint32_t *Bits = nullptr;
  HBITMAP Bitmap = nullptr;
  HDC DC = nullptr;
  HGDIOBJ Old = nullptr;
};

inline int Channel(uint32_t AColor, int AShift) {
  return int((AColor >> AShift) & 0xFF);
}

} // namespace imgtest
