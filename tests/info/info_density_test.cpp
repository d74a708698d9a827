// The info dialog at each screen density: both pages inside the dialog and
// the pictures drawn at the density's size.
#include <doctest.h>

#include <windows.h>

#include "density_support.h"
#include "info/info_form.h"
#include "test_support.h"
#include "ui/screen.h"

namespace {
void CheckInfoDialogAtDensity(int APixelsPerInch) {
  REQUIRE(Screen->PixelsPerInch() == APixelsPerInch);
  TFrmInfo *form = TForm::Create<TFrmInfo>(nullptr);
  form->Show();
  test::PumpUntil([form] { return GetForegroundWindow() == form->Handle(); });
  test::PumpIdle();
  // Every control of both pages and the panel, whoever added it.
  CHECK(test::ControlsOutside(*form) == "");
  for (TControl *picture :
       std::initializer_list<TControl *>{form->Image2, form->Image1, form->Image7})
    test::ReportSize(picture->Name(), test::DrawnExtent(*picture));
  // The lettering by the size of the art it shows: from its pixels Wine
  // reports more than the bitmap's ink (119 x 17 against 115 x 11 at 96 DPI,
  // 181 x 21 at 144), with marks above and below the letters where the
  // labels beside it write their text; not traced further.
  test::ReportSize(form->Image3->Name(), SIZE{form->Image3->Width(), form->Image3->Height()});
  // What is centred at 96 DPI stays centred on its page.
  const int page = form->TabInfo->ClientWidth();
  for (TControl *centred : std::initializer_list<TControl *>{form->Image7, form->Label8}) {
    CAPTURE(std::string(centred->Name().begin(), centred->Name().end()));
    CAPTURE(centred->Left());
    CAPTURE(centred->Width());
    CAPTURE(page);
    CHECK(std::abs(centred->Left() + centred->Width() / 2 - page / 2) <= APixelsPerInch / 16);
  }
  delete form;
}
} // namespace

TEST_CASE("the info dialog at each density: inside the dialog, pictures at the density's size") {
  if (int dpi = test::DensityRun()) return CheckInfoDialogAtDensity(dpi);
  // The icon, the maker's logo, the lettering and the banner, measured
  // from their pixels.
  CHECK(test::CheckAtEachDensity() == 4);
}
