// The picture control in a real window, with the program's stored logo.
#include <doctest.h>

#include "gdiplus/gp_image.h"
#include "image_test_support.h"
#include "test_support.h"
#include "ui/forms.h"
#include "ui/image_control.h"

using imgtest::Channel;

TEST_CASE("a picture control sizes itself to its stored picture and paints it") {
  imgtest::StartImageModules();
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetColor(RGBColor(0, 200, 0));
  form->SetClientSize(200, 120);
  auto *image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(10, 12, 20, 20);
  image->SetAutoSize(true);
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
  test::Pump(100);

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
