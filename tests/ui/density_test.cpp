// Pictures and layout at the screen's density: which version of a picture
// is taken, where a picture drawn for another density goes, and children
// that would reach past their parent.
#include <windows.h>

#include <doctest.h>

#include "test_support.h"
#include "ui/bitmap.h"
#include "ui/density.h"
#include "ui/extctrls.h"
#include "ui/image_control.h"
#include "ui/stdctrls.h"

TEST_CASE("the version of a picture nearest the density, the larger of two as near") {
  // The program's button pictures come for 96, 120, 144 and 192 DPI.
  struct {
    int Dpi;
    const wchar_t *Name;
    int Density;
  } cases[] = {{72, L"BTN_INFO", 96},          {96, L"BTN_INFO", 96},
               {110, L"BTN_INFO_120", 120},    {120, L"BTN_INFO_120", 120},
               {132, L"BTN_INFO_144", 144},    {144, L"BTN_INFO_144", 144},
               {168, L"BTN_INFO_192", 192},    {192, L"BTN_INFO_192", 192},
               {288, L"BTN_INFO_192", 192}};
  HINSTANCE module = GetModuleHandleW(nullptr);
  for (const auto &c : cases) {
    CAPTURE(c.Dpi);
    TDensityVersion v = FindDensityVersion(module, L"BTN_INFO", RT_BITMAP, c.Dpi);
    CHECK(v.Name == c.Name);
    CHECK(v.PixelsPerInch == c.Density);
  }
  // A picture with one version only has it at every density.
  CHECK(FindDensityVersion(module, L"IMAGE1_PNG", RT_RCDATA, 144).Name == L"IMAGE1_PNG");
  CHECK(DensityScaled(32, 144) == 48);
  CHECK(DensityScaled(19, 120) == 24);
}

TEST_CASE("a picture drawn for another density is shown at the screen's size, about its place") {
  TForm *form = TForm::Create<TForm>(nullptr);
  form->SetClientSize(300, 200);
  const int screen = ScreenPixelsPerInch();
  auto picture = [](int AWidth, int AHeight) {
    return std::make_unique<TBitmap>(AWidth, AHeight);
  };
  // Drawn at twice the screen's density: half its pixels, same centre.
  auto *sized = NewControl<TImage>(form, form, L"Sized", 10, 20, 40, 20);
  sized->SetAutoSize(true);
  sized->SetPictureDensity(2 * screen);
  sized->Picture().SetGraphic(picture(40, 20));
  CHECK(sized->BoundsRect() == TRect(20, 25, 40, 35));
  CHECK(sized->PictureRect() == TRect(0, 0, 20, 10));
  // Without a density the picture's pixels are the screen's, at the corner.
  auto *plain = NewControl<TImage>(form, form, L"Plain", 10, 60, 10, 10);
  plain->SetAutoSize(true);
  plain->Picture().SetGraphic(picture(30, 16));
  CHECK(plain->BoundsRect() == TRect(10, 60, 40, 76));
  // Centred in a larger control, as the program icon is.
  auto *centred = NewControl<TImage>(form, form, L"Centred", 10, 100, 52, 52);
  centred->SetCenter(true);
  centred->Picture().SetGraphic(picture(48, 48));
  CHECK(centred->PictureRect() == TRect(2, 2, 50, 50));
  delete form;
}

TEST_CASE("children reaching past their parent are cut to it, or moved if sized by content") {
  TForm *form = TForm::Create<TForm>(nullptr);
  form->SetBorderStyle(bsDialog);
  form->SetClientSize(300, 150);
  auto *panel = NewControl<TPanel>(form, form, L"Panel", 0, 0, 200, 100);
  auto *bevel = NewControl<TBevel>(form, panel, L"Bevel", 3, 40, 271, 2);
  auto *label = NewControl<TLabel>(form, panel, L"Label", 150, 10, 20, 13);
  label->SetCaption(L"Ein Text, breiter als der Platz");
  auto *left = NewControl<TLabel>(form, panel, L"Left", -10, 60, 20, 13);
  left->SetCaption(L"Links");
  auto *inside = NewControl<TCheckBox>(form, panel, L"Inside", 3, 70, 150, 17);
  auto *tall = NewControl<TButton>(form, form, L"Tall", 220, 100, 75, 80);
  const int labelWidth = label->Width();
  REQUIRE(labelWidth > 50);
  form->HandleNeeded();
  CHECK(bevel->BoundsRect() == TRect(3, 40, 200, 42));
  // The label keeps its width and comes back inside.
  CHECK(label->Width() == labelWidth);
  CHECK(label->Left() + label->Width() == 200);
  CHECK(left->Left() == 0);
  CHECK(inside->BoundsRect() == TRect(3, 70, 153, 87));
  CHECK(tall->BoundsRect() == TRect(220, 100, 295, 150));
  delete form;
}
