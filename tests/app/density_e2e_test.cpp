// At another screen density the window's font follows the density, and
// positions and sizes follow the font's new text height; its pictures are
// drawn at the density's size.
#include <doctest.h>

#include "app/main_form.h"
#include "density_support.h"
#include "main_window_fixture.h"
#include "test_support.h"
#include "ui/screen.h"

namespace {
// The text height of Tahoma at AHeight pixels, as the platform measures it.
int TextHeight(int AHeight) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(-AHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, L"0", 1, &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size.cy;
}
} // namespace

TEST_CASE("at 144 DPI the main window grows with its font") {
  test::TProgramCopy copy;
  REQUIRE(FileExists(copy.Exe()));
  REQUIRE(TextHeight(11) == 13); // the designed text height at 96 DPI
  test::TDensity density(144);
  test::TProcess program(copy.Exe());
  HWND main = program.MainWindow();
  REQUIRE(main);
  RECT client;
  GetClientRect(main, &client);
  // 8 points at 144 DPI are 17 pixels; the ratio is the new text height to 13.
  int m = TextHeight(17);
  CAPTURE(m);
  if (client.right == 328) {
    MESSAGE("this Wine did not apply the density to the new process; skipped");
  } else {
    CHECK(client.right == MulDiv(328, m, 13));
    CHECK(client.bottom == MulDiv(147, m, 13));
  }
  CHECK(program.Close() == 0);
}

namespace {
// At each density every control lies inside the window, and the pictures
// report the size they are drawn at.
void CheckMainWindowAtDensity(int APixelsPerInch) {
  REQUIRE(Screen->PixelsPerInch() == APixelsPerInch);
  TMainWindow w;
  CHECK(test::ControlsOutside(*w.Form) == "");
  for (TControl *picture : std::initializer_list<TControl *>{
           w.Form->Image2, w.Form->SpeedButton1, w.Form->SpeedButton2, w.Form->SpeedButton3})
    test::ReportSize(picture->Name(), test::DrawnExtent(*picture));
}
} // namespace

TEST_CASE("the main window at each density: inside the window, pictures at the density's size") {
  if (int dpi = test::DensityRun()) return CheckMainWindowAtDensity(dpi);
  // The icon and the three buttons, measured from their pixels.
  CHECK(test::CheckAtEachDensity() == 4);
}
