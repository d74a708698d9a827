#include "markup_test_support.h"

#include <doctest.h>

#include "base/exception.h"
#include "test_support.h"
#include "ui/bitmap.h"

#include <algorithm>

namespace mtest {

TPixelCanvas::TPixelCanvas(int AWidth, int AHeight, uint32_t AFill)
    : FWidth(AWidth), FHeight(AHeight), FFill(AFill) {
  void *bits = nullptr;
  FBitmap = CreateDIBSectionOf(AWidth, AHeight, 32, &bits);
  FBits = static_cast<uint32_t *>(bits);
  for (int i = 0; i < AWidth * AHeight; ++i) FBits[i] = AFill;
  FCanvas.SetHandle(CreateCompatibleDC(nullptr));
  FOld = SelectObject(FCanvas.Handle(), FBitmap);
}

TPixelCanvas::~TPixelCanvas() {
  SelectObject(FCanvas.Handle(), FOld);
  DeleteDC(FCanvas.Handle());
  DeleteObject(FBitmap);
}

TColor TPixelCanvas::Pixel(int X, int Y) const {
  GdiFlush();
  uint32_t v = FBits[size_t(Y) * size_t(FWidth) + size_t(X)] & 0xFFFFFF;
  return RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
}

int TPixelCanvas::Changed() const {
  GdiFlush();
  int n = 0;
  for (int i = 0; i < FWidth * FHeight; ++i)
    if ((FBits[i] & 0xFFFFFF) != FFill) ++n;
  return n;
}

TRect TPixelCanvas::ChangedBounds() const {
  GdiFlush();
  TRect r(FWidth, FHeight, 0, 0);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x)
      if ((FBits[size_t(y) * size_t(FWidth) + size_t(x)] & 0xFFFFFF) != FFill) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r.right > r.left ? r : TRect();
}

std::string DataBytes(const std::wstring &ARelative) {
  return test::ReadFileBytes(test::TestDataPath(ARelative));
}

} // namespace mtest

namespace mtest {

std::string TinyGif(uint16_t AScreenWidth, uint16_t AScreenHeight,
                    const std::vector<TTinyFrame> &AFrames) {
  auto word = [](uint16_t V) { return std::string{char(V & 0xFF), char(V >> 8)}; };
  std::string gif = "GIF89a" + word(AScreenWidth) + word(AScreenHeight);
  gif += std::string("\x81\x00\x00", 3);
  gif += std::string("\x00\x00\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF", 12);
  for (const TTinyFrame &f : AFrames) {
    gif.append("\x21\xF9\x04\x00", 4).append(word(f.Delay)).append("\x00\x00", 2);
    gif.append(1, '\x2C').append(word(f.Left)).append(word(f.Top));
    gif.append(word(1)).append(word(1)).append(1, '\0');
    // Codes of three bits: clear (4), the pixel, end (5).
    unsigned codes = 4u | (unsigned(f.Color) << 3) | (5u << 6);
    gif += std::string{'\x02', '\x02', char(codes & 0xFF), char(codes >> 8), '\x00'};
  }
  return gif + "\x3B";
}

} // namespace mtest

namespace mtest {

void PrepareCanvas(TCanvas &ACanvas) {
  ACanvas.Font().SetName(L"Tahoma");
  ACanvas.Font().SetHeight(-11);
  ACanvas.Font().SetColor(clBlack);
  ACanvas.SetBrushStyle(bsClear);
}

TMarkupArgs MarkupArgs(TCanvas &ACanvas, const std::wstring &AText, const TRect &ABounds) {
  TMarkupArgs args;
  args.Canvas = &ACanvas;
  args.Text = AText;
  args.Bounds = ABounds;
  return args;
}

TMarkupArgs UseArgs(TCanvas &ACanvas, const std::wstring &AText, const TRect &ABounds,
                    TMarkupUse AUse, int X, int Y) {
  TMarkupArgs args = MarkupArgs(ACanvas, AText, ABounds);
  SetMarkupUse(args, AUse, X, Y);
  return args;
}

int ChunkWidth(TCanvas &ACanvas, const std::wstring &AText, UINT AFlags) {
  TRect r(0, 0, 10000, 100);
  ACanvas.TextRect(r, AText, AFlags | DT_SINGLELINE | DT_CALCRECT);
  return r.Width();
}

bool SamePixels(const TPixelCanvas &A, const TPixelCanvas &B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
  return true;
}

int CountColor(const TPixelCanvas &ACanvas, TColor AColor, const TRect &AArea) {
  int n = 0;
  for (int y = std::max<LONG>(AArea.top, 0); y < std::min<LONG>(AArea.bottom, ACanvas.Height()); ++y)
    for (int x = std::max<LONG>(AArea.left, 0); x < std::min<LONG>(AArea.right, ACanvas.Width());
         ++x)
      if (ACanvas.Pixel(x, y) == AColor) ++n;
  return n;
}

} // namespace mtest
