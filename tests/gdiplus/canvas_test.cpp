// Drawing through the GDI+ canvas, checked on the pixels of the target.
#include <doctest.h>

#include <algorithm>

#include "gdiplus/gp_canvas.h"
#include "gdiplus/gp_image.h"
#include "image_test_support.h"

using imgtest::Channel;
using imgtest::TPixelTarget;

namespace {
// A picture whose last column and row are red, the rest blue.
std::unique_ptr<TdxPNGImage> EdgedImage(int W, int H) {
  std::vector<uint32_t> pixels(size_t(W) * size_t(H), 0xFF0000FF);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (x == W - 1 || y == H - 1) pixels[size_t(y) * size_t(W) + size_t(x)] = 0xFFFF0000;
  return imgtest::Load<TdxPNGImage>(imgtest::MakePng(W, H, pixels));
}

bool IsRedish(uint32_t P) {
  return Channel(P, 16) > 128 && Channel(P, 0) < 128;
}
bool IsBlueish(uint32_t P) {
  return Channel(P, 0) > 128 && Channel(P, 16) < 128;
}
} // namespace

TEST_CASE("an image drawn at its own size lands one to one") {
  imgtest::StartImageModules();
  auto image = EdgedImage(188, 80);
  TPixelTarget target(200, 100, 0xFFFFFF);
  image->StretchDraw(target.DC, TRect(5, 7, 193, 87), 255);
  CHECK(target.Changed() == 188 * 80);
  CHECK(IsBlueish(target.Pixel(5, 7)));
  CHECK(IsBlueish(target.Pixel(191, 85)));
  // The red edge is the last column and row, not cut away.
  CHECK(IsRedish(target.Pixel(192, 50)));
  CHECK(IsRedish(target.Pixel(100, 86)));
  CHECK(target.Pixel(193, 50) == 0xFFFFFF);
  CHECK(target.Pixel(4, 7) == 0xFFFFFF);
}

TEST_CASE("enlarging leaves out the last source pixel, shrinking keeps the whole source") {
  imgtest::StartImageModules();
  // Nearest-neighbour sampling shows which source pixels were used.
  auto redColumns = [](const TPixelTarget &ATarget, int ARow) {
    int n = 0;
    for (int x = 0; x < ATarget.Width; ++x)
      n += IsRedish(ATarget.Pixel(x, ARow));
    return n;
  };
  auto image = EdgedImage(10, 10);
  TPixelTarget reduced(20, 20, 0xFFFFFF), full(20, 20, 0xFFFFFF);
  {
    TdxGPCanvas canvas(reduced.DC);
    canvas.SetInterpolationMode(5);
    canvas.Draw(image.get(), TRect(0, 0, 20, 20), 255);
  }
  {
    // The same scaling from the whole 10 x 10, for comparison.
    TdxGPCanvas canvas(full.DC);
    canvas.SetInterpolationMode(5);
    CHECK(GdipDrawImageRectRectI(canvas.Handle(), image->Handle(), 0, 0, 20, 20, 0, 0, 10, 10,
                                 UnitPixel, nullptr, nullptr, nullptr) == Ok);
  }
  GdiFlush();
  // GDI+ samples at whole coordinates, so even a 9 x 9 source touches the
  // red edge in the very last destination column; the whole source shows
  // it in three.
  CHECK(redColumns(reduced, 5) <= 1);
  CHECK(redColumns(full, 5) >= 2);

  // 10 x 10 into 5 x 5 samples every second column of the whole source:
  // 0, 2, 4, 6, 8. A source cut to 9 columns would reach column 7.
  std::vector<uint32_t> pixels(100, 0xFF0000FF);
  for (int y = 0; y < 10; ++y)
    pixels[size_t(y) * 10 + 7] = 0xFF00FF00;
  auto striped = imgtest::Load<TdxPNGImage>(imgtest::MakePng(10, 10, pixels));
  TPixelTarget small(5, 5, 0xFFFFFF);
  {
    TdxGPCanvas canvas(small.DC);
    canvas.SetInterpolationMode(5);
    canvas.Draw(striped.get(), TRect(0, 0, 5, 5), 255);
  }
  GdiFlush();
  CHECK(small.Changed() == 25);
  for (int x = 0; x < 5; ++x)
    CHECK(Channel(small.Pixel(x, 2), 8) < 128);
}

TEST_CASE("empty and invisible destinations draw nothing and raise nothing") {
  imgtest::StartImageModules();
  auto image = EdgedImage(10, 10);
  TdxPNGImage empty;
  TPixelTarget target(30, 30, 0xFFFFFF);
  TdxGPPaintCanvas *canvas = SharedPaintCanvas();
  canvas->BeginPaint(target.DC, TRect(0, 0, 30, 30));
  CHECK_NOTHROW(canvas->Draw(image.get(), TRect(5, 5, 5, 25), 255));    // width 0
  CHECK_NOTHROW(canvas->Draw(image.get(), TRect(5, 5, 25, 4), 255));    // negative height
  CHECK_NOTHROW(canvas->Draw(&empty, TRect(0, 0, 30, 30), 255));        // empty source
  CHECK_NOTHROW(canvas->Draw(image.get(), TRect(40, 40, 60, 60), 255)); // outside the bitmap
  canvas->EndPaint();
  CHECK(target.Changed() == 0);

  // Wholly outside the clip.
  HRGN clip = CreateRectRgn(0, 0, 10, 10);
  SelectClipRgn(target.DC, clip);
  DeleteObject(clip);
  image->StretchDraw(target.DC, TRect(15, 15, 25, 25), 255);
  CHECK(target.Changed() == 0);
  image->StretchDraw(target.DC, TRect(5, 5, 15, 15), 255); // partly inside
  CHECK(target.Changed() == 25);
  SelectClipRgn(target.DC, nullptr);
}

TEST_CASE("the global alpha: 0 shows nothing, 128 blends half") {
  imgtest::StartImageModules();
  auto image = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(8, 8, 0xFF0000FF));
  TPixelTarget target(8, 8, 0xFFFFFF);
  image->StretchDraw(target.DC, TRect(0, 0, 8, 8), 0);
  CHECK(target.Changed() == 0);
  image->StretchDraw(target.DC, TRect(0, 0, 8, 8), 128);
  uint32_t p = target.Pixel(3, 3);
  // Blue over white at half: red and green near 127, blue full.
  CHECK(Channel(p, 0) >= 250);
  CHECK(Channel(p, 16) >= 117);
  CHECK(Channel(p, 16) <= 137);
  CHECK(Channel(p, 8) == Channel(p, 16));
}

TEST_CASE("nested paint brackets give the outer paint back; the canvas is idle after") {
  imgtest::StartImageModules();
  auto image = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(4, 4, 0xFFFF0000));
  TPixelTarget outer(10, 10, 0xFFFFFF), inner(10, 10, 0xFFFFFF);
  TdxGPPaintCanvas *canvas = SharedPaintCanvas();
  REQUIRE(canvas->Handle() == nullptr);
  REQUIRE(canvas->Counter() == 0);

  canvas->BeginPaint(outer.DC, TRect(0, 0, 10, 10));
  GpGraphics *outerGraphics = canvas->Handle();
  REQUIRE(outerGraphics != nullptr);
  CHECK(canvas->DrawDC() == outer.DC);
  // An image draw on another device context inside the outer paint.
  image->StretchDraw(inner.DC, TRect(0, 0, 4, 4), 255);
  CHECK(canvas->Handle() == outerGraphics);
  CHECK(canvas->DrawDC() == outer.DC);
  CHECK(canvas->Counter() == 1);
  canvas->Draw(image.get(), TRect(6, 6, 10, 10), 255);
  canvas->EndPaint();

  CHECK(canvas->Handle() == nullptr);
  CHECK(canvas->DrawDC() == nullptr);
  CHECK(!canvas->HasBuffer());
  CHECK(canvas->Counter() == 0);
  CHECK(inner.Changed() == 16);
  CHECK(outer.Changed() == 16);
  CHECK(IsRedish(outer.Pixel(7, 7)));
  CHECK(outer.Pixel(2, 2) == 0xFFFFFF);
  // Room for states grows four at a time.
  CHECK(canvas->StateCapacity() >= 4);
}

TEST_CASE("shapes: fills and outlines with alpha, none for clNone, pies counter-clockwise") {
  imgtest::StartImageModules();
  TPixelTarget target(40, 40, 0xFFFFFF);
  {
    TdxGPCanvas canvas(target.DC);
    canvas.Rectangle(TRect(0, 0, 40, 40), clNone, clNone);
    GdiFlush();
    CHECK(target.Changed() == 0);
    canvas.Rectangle(TRect(2, 2, 12, 12), clNone, clRed);
    canvas.Pie(TRect(20, 0, 40, 20), 0, 90, clNone, clBlue);
    canvas.RoundRect(TRect(0, 20, 30, 32), clBlack, clNone, 20, 20);
  }
  CHECK(IsRedish(target.Pixel(6, 6)));
  CHECK(target.Pixel(13, 6) == 0xFFFFFF);
  // Start 0, sweep 90: the upper right quarter of the pie's box.
  CHECK(IsBlueish(target.Pixel(34, 5)));
  CHECK(target.Pixel(25, 5) == 0xFFFFFF);
  CHECK(target.Pixel(34, 15) == 0xFFFFFF);
  // Radii capped at a third: rx 10, ry 4, so the top edge is straight from 10 to 20.
  CHECK(target.Pixel(15, 20) != 0xFFFFFF);
  CHECK(target.Pixel(1, 20) == 0xFFFFFF);
}

TEST_CASE("pen styles draw solid, dashed and dotted lines") {
  imgtest::StartImageModules();
  // The lengths of the drawn runs along a horizontal line of 100 pixels.
  auto runs = [](TPenStyle AStyle) {
    TPixelTarget target(110, 10, 0xFFFFFF);
    {
      TdxGPCanvas canvas(target.DC);
      canvas.Line(0, 5, 100, 5, clBlack, 1, AStyle);
    }
    GdiFlush();
    std::vector<int> lengths;
    int run = 0;
    for (int x = 0; x <= 105; ++x) {
      if (target.Pixel(x, 5) != 0xFFFFFF) {
        ++run;
      } else if (run) {
        lengths.push_back(run);
        run = 0;
      }
    }
    return lengths;
  };
  auto longest = [](const std::vector<int> &ARuns) {
    return ARuns.empty() ? 0 : *std::max_element(ARuns.begin(), ARuns.end());
  };
  auto shortest = [](const std::vector<int> &ARuns) {
    return ARuns.empty() ? 0 : *std::min_element(ARuns.begin(), ARuns.end());
  };
  std::vector<int> solid = runs(psSolid), dash = runs(psDash), dot = runs(psDot),
                   dashDot = runs(psDashDot), user = runs(psUserStyle), alternate = runs(psAlternate);
  REQUIRE(solid.size() == 1);
  CHECK(solid[0] >= 99);
  CHECK(dash.size() > 5);
  CHECK(dot.size() > dash.size());
  CHECK(longest(dash) > longest(dot));
  // Dashes and dots alternate.
  CHECK(longest(dashDot) == longest(dash));
  CHECK(shortest(dashDot) == longest(dot));
  // Without a pattern of its own a user style draws solid; alternate dots.
  CHECK(user == solid);
  CHECK(alternate == dot);
}
