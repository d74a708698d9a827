// The emulated dialog at each screen density: the gallery's samples keep
// every control inside the window, and its pictures are drawn at the
// density's size.
#include <windows.h>

#include <doctest.h>

#include "density_support.h"
#include "emulated_probe.h"
#include "gallery_form.h"
#include "test_support.h"
#include "ui/screen.h"

namespace {
// The samples that close with Enter (the progress sample closes itself).
const wchar_t *const kSamples[] = {L"Links", L"Befehlslinks", L"Details", L"Langer Text"};

void CheckSample(TGalleryForm &AGallery, const std::wstring &ACaption) {
  CAPTURE(std::string(ACaption.begin(), ACaption.end()));
  TButton *button = nullptr;
  for (TButton *b : AGallery.SampleButtons)
    if (b->Caption() == ACaption) button = b;
  REQUIRE(button);
  emtest::TStepWatcher watcher({[&](TAdvMessageForm &f) {
    CHECK(test::ControlsOutside(f) == "");
    for (const wchar_t *name : {L"Image", L"ExpandButton"})
      if (TControl *picture = emtest::Child(f, name))
        test::ReportSize(ACaption + L"." + name, test::DrawnExtent(*picture));
    test::SendKey(VK_RETURN);
  }});
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
}

void CheckGalleryAtDensity(int APixelsPerInch) {
  REQUIRE(Screen->PixelsPerInch() == APixelsPerInch);
  TGalleryForm *gallery = TForm::Create<TGalleryForm>(nullptr);
  gallery->Show();
  test::PumpUntil([gallery] { return GetForegroundWindow() == gallery->Handle(); });
  test::PumpIdle();
  CHECK(test::ControlsOutside(*gallery) == "");
  for (const wchar_t *sample : kSamples) CheckSample(*gallery, sample);
  delete gallery;
}
} // namespace

TEST_CASE("the gallery's samples at each density: inside the window, pictures at the density's "
          "size") {
  if (int dpi = test::DensityRun()) return CheckGalleryAtDensity(dpi);
  // The main icons of the samples that have one and the expand button.
  CHECK(test::CheckAtEachDensity() >= 2);
}
