// The markup's drawing helpers on real memory bitmaps: gradient bands to the
// pixel, rotated fonts, scaled bitmaps, system icons.
#include <doctest.h>

#include <vector>

#include "markup/markup_drawing.h"
#include "markup_test_support.h"
#include "test_support.h"

using mtest::TPixelCanvas;

namespace {
// Pixels of a row (or column) as colour values.
std::vector<TColor> Row(const TPixelCanvas &ATarget, int Y, int AFrom, int ATo) {
  std::vector<TColor> row;
  for (int x = AFrom; x < ATo; ++x) row.push_back(ATarget.Pixel(x, Y));
  return row;
}

std::vector<TColor> Pixels(const TPixelCanvas &ATarget) {
  std::vector<TColor> all;
  for (int y = 0; y < ATarget.Height(); ++y)
    for (int x = 0; x < ATarget.Width(); ++x) all.push_back(ATarget.Pixel(x, y));
  return all;
}

LOGFONTW Described(const TFont &AFont) {
  LOGFONTW lf{};
  GetObjectW(AFont.Handle(), sizeof(lf), &lf);
  return lf;
}
} // namespace

TEST_CASE("FillGradient: band colours round to nearest, ties to even") {
  TPixelCanvas target(64, 4);
  FillGradient(target.Canvas(), RGBColor(255, 0, 0), RGBColor(0, 0, 255), true,
               TRect(0, 0, 64, 4), 4, clNone);
  // Steps of 63.75: the third band's 127.5 rounds to 128, its red to 127.
  CHECK(target.Pixel(0, 0) == RGBColor(255, 0, 0));
  CHECK(target.Pixel(16, 1) == RGBColor(191, 0, 64));
  CHECK(target.Pixel(32, 2) == RGBColor(127, 0, 128));
  CHECK(target.Pixel(63, 3) == RGBColor(64, 0, 191));
  // The canvas keeps the last band's colour.
  CHECK(target.Canvas().PenColor() == RGBColor(64, 0, 191));
  CHECK(target.Canvas().BrushColor() == RGBColor(64, 0, 191));
}

TEST_CASE("FillGradient: band edges by pixel, horizontal and vertical") {
  {
    // Band size 10/3: bands start at 0, 3 and 7 (3.33 and 6.67 rounded) and
    // each reaches a pixel further, into the next band's start.
    const TColor w = RGBColor(255, 255, 255), a = RGBColor(0, 0, 0), b = RGBColor(0, 85, 0),
                 c = RGBColor(0, 170, 0);
    TPixelCanvas target(12, 3, 0xFFFFFF);
    FillGradient(target.Canvas(), a, RGBColor(0, 255, 0), true, TRect(1, 0, 11, 3), 3, clNone);
    CHECK(Row(target, 1, 0, 12) == std::vector<TColor>{w, a, a, a, b, b, b, b, c, c, c, w});
  }
  {
    // Band size 2.5: starts 0, 2 (2.5 to even), 5, 8 (7.5 to even).
    TPixelCanvas target(3, 10);
    FillGradient(target.Canvas(), RGBColor(0, 0, 0), RGBColor(200, 200, 200), false,
                 TRect(0, 0, 3, 10), 4, clNone);
    std::vector<int> red;
    for (int y = 0; y < 10; ++y) red.push_back(int(target.Pixel(1, y) & 0xFF));
    CHECK(red == std::vector<int>{0, 0, 50, 50, 50, 100, 100, 100, 150, 150});
  }
}

TEST_CASE("FillGradient: no bands is one band, a frame outlines the whole") {
  TPixelCanvas target(20, 10);
  FillGradient(target.Canvas(), RGBColor(10, 20, 30), RGBColor(250, 250, 250), true,
               TRect(2, 2, 18, 8), 0, clNone);
  CHECK(target.Changed() == 16 * 6);
  CHECK(target.Pixel(2, 2) == RGBColor(10, 20, 30));
  CHECK(target.Pixel(17, 7) == RGBColor(10, 20, 30));

  TPixelCanvas framed(20, 10);
  FillGradient(framed.Canvas(), RGBColor(0, 0, 0), RGBColor(0, 0, 0), true, TRect(0, 0, 20, 10),
               64, RGBColor(255, 0, 0));
  CHECK(framed.Pixel(0, 0) == RGBColor(255, 0, 0));
  CHECK(framed.Pixel(19, 9) == RGBColor(255, 0, 0));
  CHECK(framed.Pixel(10, 0) == RGBColor(255, 0, 0));
  CHECK(framed.Pixel(10, 5) == RGBColor(0, 0, 0));
  CHECK(framed.Canvas().BrushStyle() == bsClear);
}

TEST_CASE("FillGradient: system colours count by their value; more bands than pixels") {
  TPixelCanvas target(8, 8);
  FillGradient(target.Canvas(), clHighlight, clHighlight, false, TRect(0, 0, 8, 8), 64, clNone);
  CHECK(target.Pixel(4, 4) == (ColorToRGB(clHighlight) & 0xFFFFFF));
  FillGradient(target.Canvas(), RGBColor(0, 0, 0), RGBColor(255, 255, 255), true,
               TRect(0, 0, 8, 8), 64, clNone);
  CHECK((target.Pixel(0, 0) & 0xFF) < (target.Pixel(7, 0) & 0xFF));
  CHECK(target.Pixel(7, 0) != RGBColor(255, 255, 255)); // the last band is one step short
}

TEST_CASE("rotated fonts: escapement and orientation in tenths of a degree, restored after") {
  TPixelCanvas target(120, 120);
  TCanvas &canvas = target.Canvas();
  canvas.Font().SetName(L"Tahoma");
  canvas.Font().SetHeight(-16);
  canvas.Font().SetStyle(fsBold);
  TMarkupState state;

  RestoreRotatedFont(canvas, state); // nothing remembered: nothing happens
  CHECK(Described(canvas.Font()).lfEscapement == 0);

  SelectRotatedFont(canvas, 90, state);
  LOGFONTW lf = Described(canvas.Font());
  CHECK(lf.lfEscapement == 900);
  CHECK(lf.lfOrientation == 900);
  CHECK(lf.lfWeight == FW_BOLD);
  CHECK(std::wstring(lf.lfFaceName) == L"Tahoma");

  // Drawn turned a quarter: the text stands taller than wide.
  canvas.SetBrushStyle(bsClear);
  canvas.Font().SetColor(clBlack);
  canvas.TextOut(50, 110, L"WWWWWW");
  TRect drawn = target.ChangedBounds();
  CHECK(drawn.Height() > 2 * drawn.Width());

  RestoreRotatedFont(canvas, state);
  CHECK(Described(canvas.Font()).lfEscapement == 0);
  CHECK(canvas.Font().Height() == -16);
  CHECK(!state.FontBeforeRotation);

  // Whole turns are dropped; the direction stays.
  SelectRotatedFont(canvas, 405, state);
  CHECK(Described(canvas.Font()).lfEscapement == 450);
  SelectRotatedFont(canvas, -2147483647 - 1, state); // -5965232 turns and -128 degrees
  CHECK(Described(canvas.Font()).lfEscapement == -1280);
  RestoreRotatedFont(canvas, state);
  // The second rotation remembered the first rotated font.
  CHECK(Described(canvas.Font()).lfEscapement == 450);
}

TEST_CASE("StretchBitmap scales the bitmap's pixels over what is there") {
  TBitmap bitmap(2, 2, pf32bit);
  TCanvas &source = bitmap.Canvas();
  source.SetBrushStyle(bsSolid);
  const TColor colors[4] = {RGBColor(255, 0, 0), RGBColor(0, 255, 0), RGBColor(0, 0, 255),
                            RGBColor(255, 255, 0)};
  for (int i = 0; i < 4; ++i) {
    source.SetBrushColor(colors[i]);
    source.FillRect(TRect(i % 2, i / 2, i % 2 + 1, i / 2 + 1));
  }
  TPixelCanvas target(40, 40, 0x808080);
  StretchBitmap(target.Canvas(), TRect(10, 10, 30, 30), bitmap);
  CHECK(target.Pixel(12, 12) == colors[0]);
  CHECK(target.Pixel(27, 12) == colors[1]);
  CHECK(target.Pixel(12, 27) == colors[2]);
  CHECK(target.Pixel(27, 27) == colors[3]);
  CHECK(target.Changed() == 400);

  TBitmap empty;
  StretchBitmap(target.Canvas(), TRect(0, 0, 40, 40), empty);
  CHECK(target.Changed() == 400);
}

TEST_CASE("system icons: by index, file, folder or extension; small, large, stretched") {
  const SIZE small{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  const SIZE large{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};

  TPixelCanvas sizeOnly(80, 80);
  SIZE s = DrawSystemIcon(sizeOnly.Canvas(), 0, 0, L"0", false, false, false, 1.0);
  CHECK(s.cx == small.cx);
  CHECK(s.cy == small.cy);
  CHECK(sizeOnly.Changed() == 0);
  s = DrawSystemIcon(sizeOnly.Canvas(), 0, 0, L"", true, false, false, 1.0);
  CHECK(s.cx == large.cx);

  TPixelCanvas plain(80, 80);
  DrawSystemIcon(plain.Canvas(), 10, 20, L".txt", false, true, false, 1.0);
  TRect drawn = plain.ChangedBounds();
  CHECK(plain.Changed() > 0);
  CHECK(drawn.left >= 10);
  CHECK(drawn.top >= 20);
  CHECK(drawn.right <= 10 + small.cx);
  CHECK(drawn.bottom <= 20 + small.cy);

  // A file that does not exist is known by its extension.
  TPixelCanvas missing(80, 80);
  DrawSystemIcon(missing.Canvas(), 10, 20, L"Z:\\gibt\\es\\nicht\\brief.txt", false, true, false,
                 1.0);
  CHECK(Pixels(missing) == Pixels(plain));

  // An existing folder shows the folder icon, not a document's.
  test::TTempDir folder;
  CHECK(FolderExists(folder.Path()));
  TPixelCanvas folderIcon(80, 80);
  DrawSystemIcon(folderIcon.Canvas(), 10, 20, folder.Path(), false, true, false, 1.0);
  CHECK(folderIcon.Changed() > 0);
  CHECK(Pixels(folderIcon) != Pixels(plain));

  // Stretched to twice the size on an opaque background; the size reported
  // stays the icon's own.
  TPixelCanvas stretched(80, 80);
  stretched.Canvas().SetBrushStyle(bsSolid);
  stretched.Canvas().SetBrushColor(RGBColor(255, 255, 255));
  s = DrawSystemIcon(stretched.Canvas(), 4, 6, L".txt", false, true, true, 2.0);
  CHECK(s.cx == small.cx);
  TRect big = stretched.ChangedBounds();
  CHECK(big.left >= 4);
  CHECK(big.top >= 6);
  CHECK(big.right <= 4 + 2 * small.cx);
  CHECK(big.bottom <= 6 + 2 * small.cy);
  CHECK(big.Width() > drawn.Width());

  // Indexes outside the list and names the shell cannot look up draw
  // nothing, not even a stretched background, and do not fail.
  TPixelCanvas odd(80, 80, 0x808080);
  DrawSystemIcon(odd.Canvas(), 0, 0, L"99999", false, true, false, 1.0);
  DrawSystemIcon(odd.Canvas(), 0, 0, L"-5", true, true, true, 3.0);
  CHECK(odd.Changed() == 0);
  // A name of 100,000 characters without extension: at most a plain
  // document's icon, in its box.
  s = DrawSystemIcon(odd.Canvas(), 0, 0, std::wstring(100000, L'x'), false, true, false, 1.0);
  CHECK(s.cx == small.cx);
  CHECK(odd.ChangedBounds().right <= small.cx);
  CHECK(odd.ChangedBounds().bottom <= small.cy);
}

TEST_CASE("FolderExists: folders only") {
  test::TTempDir folder;
  std::wstring file = folder.File(L"datei.txt");
  test::WriteFileBytes(file, "x");
  CHECK(FolderExists(folder.Path()));
  CHECK(!FolderExists(file));
  CHECK(!FolderExists(folder.File(L"fehlt")));
  CHECK(!FolderExists(L""));
}
