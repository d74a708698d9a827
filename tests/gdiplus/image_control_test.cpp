// The picture control in a real window, with the program's stored logo.
#include <doctest.h>

#include "gdiplus/gp_image.h"
#include "image_test_support.h"
#include "test_support.h"
#include "ui/forms.h"
#include "ui/image_control.h"

using imgtest::Channel;

namespace {
// The stored pictures are drawn at twice their size at 96 DPI.
int StoredDensity() { return 2 * ScreenPixelsPerInch(); }
} // namespace

TEST_CASE("a picture control sizes itself to its stored picture and paints it") {
  imgtest::StartImageModules();
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetColor(RGBColor(0, 200, 0));
  form->SetClientSize(200, 120);
  auto *image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(10, 12, 60, 45);
  image->SetAutoSize(true);
  image->SetPictureDensity(StoredDensity());
  image->SetTransparent(true);
  image->SetCursor(crHandPoint);
  int clicks = 0;
  image->OnClick = [&](TComponent *) { ++clicks; };
  image->Picture().LoadFromStoredResource(L"IMAGE1_PNG");
  CHECK(image->Width() == 60);
  CHECK(image->Height() == 45);
  CHECK(image->Left() == 10);

  form->Show();
  HWND wnd = image->Handle();
  RECT rc;
  GetClientRect(wnd, &rc);
  CHECK(rc.right == 60);
  CHECK(rc.bottom == 45);
  UpdateWindow(wnd);
  // Painted once the badge's white letter shows.
  test::PumpUntil([&] {
    HDC dc = GetDC(wnd);
    COLORREF c = GetPixel(dc, 22, 10);
    ReleaseDC(wnd, dc);
    return GetRValue(c) > 230 && GetGValue(c) > 230;
  });

  imgtest::TPixelTarget shot(60, 45, 0);
  HDC dc = GetDC(wnd);
  BitBlt(shot.DC, 0, 0, 60, 45, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  // Transparent corner: the form's green shows through.
  uint32_t corner = shot.Pixel(0, 0);
  CHECK(Channel(corner, 8) == 200);
  CHECK(Channel(corner, 16) == 0);
  // The badge is blue, its letter white.
  uint32_t badge = shot.Pixel(13, 20);
  CHECK(Channel(badge, 0) > 120);
  CHECK(Channel(badge, 16) < 100);
  uint32_t letter = shot.Pixel(22, 10);
  CHECK(Channel(letter, 0) > 230);
  CHECK(Channel(letter, 8) > 230);

  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CHECK(clicks == 1);

  // Another picture: the control follows its size.
  image->Picture().LoadFromStoredResource(L"IMAGE7_PNG");
  CHECK(image->Width() == 188);
  CHECK(image->Height() == 80);
  delete form;
}

TEST_CASE("a picture that waits is read once, when its control's window is made") {
  imgtest::StartImageModules();
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetClientSize(300, 120);
  auto *image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(4, 6, 60, 45);
  image->SetAutoSize(true);
  image->SetPictureDensity(StoredDensity());
  int reads = 0;
  image->Picture().LoadWhenNeeded([&](TPicture &APicture) {
    ++reads;
    APicture.LoadFromStoredResource(L"IMAGE1_PNG");
  });
  image->SetTransparent(true);
  CHECK(reads == 0);
  CHECK(image->Width() == 60);

  RECT rc;
  GetClientRect(image->Handle(), &rc);
  CHECK(reads == 1);
  CHECK(rc.right == 60);
  CHECK(rc.bottom == 45);
  CHECK(image->Left() == 4);
  // Its shape is the picture's from the start: the logo's margin is not its.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  REQUIRE(GetWindowRgn(image->Handle(), region) != ERROR);
  CHECK(PtInRegion(region, 30, 22));
  CHECK_FALSE(PtInRegion(region, 58, 22));
  DeleteObject(region);
  form->Show();
  UpdateWindow(form->Handle());
  CHECK(reads == 1);

  // Setting a picture drops a loader that has not run yet.
  image->Picture().LoadWhenNeeded([&](TPicture &) { ++reads; });
  image->Picture().SetGraphic(nullptr);
  CHECK(image->Picture().Graphic() == nullptr);
  CHECK(reads == 1);
  delete form;
}

TEST_CASE("asking for a waiting picture reads it; scaling a control reads it first") {
  imgtest::StartImageModules();
  TPicture picture;
  picture.LoadFromStoredResourceWhenNeeded(L"IMAGE1_PNG");
  CHECK(picture.Pending());
  CHECK(picture.Width() == 120);
  CHECK_FALSE(picture.Pending());
  CHECK(picture.Height() == 90);

  // Scaled as if read at once: sized to the picture, then by 5/4.
  auto *form = TForm::Create<TForm>(nullptr);
  auto *image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(8, 8, 10, 10);
  image->SetAutoSize(true);
  image->Picture().LoadFromStoredResourceWhenNeeded(L"IMAGE1_PNG");
  image->ScaleBy(5, 4);
  CHECK(image->Left() == 10);
  CHECK(image->Width() == 150);
  CHECK(image->Height() == 113);
  delete form;
}

TEST_CASE("a waiting picture that cannot be read is reported once; its window is made") {
  imgtest::StartImageModules();
  test::TMessageBoxes boxes;
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetClientSize(200, 120);
  auto *image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(10, 10, 30, 30);
  image->SetAutoSize(true);
  int reads = 0;
  image->Picture().LoadWhenNeeded([&](TPicture &APicture) {
    ++reads;
    // A stored PNG picture whose data is no PNG.
    TMemoryStream stream(std::string("\x0bTdxPNGImage") + "no picture at all");
    APicture.ReadStoredValue(stream);
  });
  auto *after = new TImage(form);
  after->SetParent(form);
  after->SetBounds(50, 10, 10, 10);

  form->Show();
  UpdateWindow(form->Handle());
  test::PumpUntil([&] { return !boxes.Calls.empty(); });
  CHECK(reads == 1);
  REQUIRE(boxes.Calls.size() == 1);
  CHECK(boxes.Calls[0].Text.find(L"GDI+") != std::wstring::npos);
  CHECK(image->HandleAllocated());
  CHECK(after->HandleAllocated());
  CHECK(image->Picture().Graphic() == nullptr);
  RECT rc;
  GetClientRect(image->Handle(), &rc);
  CHECK(rc.right == 30);
  InvalidateRect(image->Handle(), nullptr, TRUE);
  UpdateWindow(image->Handle());
  CHECK(reads == 1);
  CHECK(boxes.Calls.size() == 1);
  delete form;
}
