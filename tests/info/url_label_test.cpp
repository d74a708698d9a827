// The hyperlink label's colours follow the real mouse.
#include <doctest.h>

#include "info/url_label.h"
#include "test_support.h"
#include "ui/application.h"

namespace {
constexpr TColor kBlue = RGBColor(0, 0, 255), kRed = RGBColor(255, 0, 0),
                 kWhite = RGBColor(255, 255, 255), kPurple = RGBColor(128, 0, 128);

struct TLabelWindow {
  TForm *Form;
  TUrlLbl *Label;
  std::vector<TColor> ColourAtClick;
  TLabelWindow() {
    Form = TForm::Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 300, 120);
    Label = new TUrlLbl(Form);
    Label->SetBounds(20, 20, 150, 16);
    Label->SetCaption(L"http://www.kalverin.de");
    Label->SetParent(Form);
    Label->OnClick = [this](TComponent *) { ColourAtClick.push_back(Label->Font().Color()); };
    Form->Show();
    test::MouseTo(Form->Handle(), 250, 80); // away from the label
  }
  ~TLabelWindow() { delete Form; }
  TColor Colour() const { return Label->Font().Color(); }
  void Enter() { test::MouseTo(Label->Handle(), 10, 8); }
  void Leave() { test::MouseTo(Form->Handle(), 250, 80); }
};
} // namespace

TEST_CASE("the hyperlink label's construction defaults") {
  TUrlLbl label(nullptr);
  CHECK(label.Font().Name() == L"MS Sans Serif");
  CHECK(label.Font().Color() == kBlue);
  CHECK(label.Font().Style() == fsUnderline);
  CHECK(label.Font().Size() == 8);
  CHECK(label.Cursor() == crHandPoint);
  CHECK_FALSE(label.ActiveLbl());
  CHECK(label.FontColorActiveLbl() == kPurple);
  CHECK(label.FontColorMouseDown() == kWhite);
  CHECK(label.FontColorMouseMove() == kRed);
}

TEST_CASE("enter, press, release and leave change the colour; the click sees the pressed one") {
  TLabelWindow w;
  CHECK(w.Colour() == kBlue);
  w.Enter();
  CHECK(w.Colour() == kRed);
  test::MouseButton(true);
  CHECK(w.Colour() == kWhite);
  test::MouseButton(false);
  REQUIRE(w.ColourAtClick.size() == 1);
  CHECK(w.ColourAtClick[0] == kWhite);
  CHECK(w.Colour() == kRed);
  w.Leave();
  CHECK(w.Colour() == kBlue);

  SUBCASE("releasing outside the label fires no click") {
    w.Enter();
    test::MouseButton(true);
    w.Leave();
    test::MouseButton(false);
    CHECK(w.ColourAtClick.size() == 1);
    CHECK(w.Colour() == kBlue);
  }
}

TEST_CASE("an active label stays purple except while pressed") {
  TLabelWindow w;
  w.Label->SetActiveLbl(true);
  CHECK(w.Colour() == kPurple);
  w.Enter();
  CHECK(w.Colour() == kPurple);
  test::MouseButton(true);
  CHECK(w.Colour() == kWhite);
  test::MouseButton(false);
  CHECK(w.Colour() == kPurple);
  w.Leave();
  CHECK(w.Colour() == kPurple);
  w.Label->SetActiveLbl(false);
  CHECK(w.Colour() == kBlue);
}

TEST_CASE("the normal colour is the one of construction, and colour setters wait") {
  TLabelWindow w;
  // A description that sets another colour: the label still returns to blue.
  w.Label->Font().SetColor(RGBColor(0, 128, 0));
  w.Enter();
  CHECK(w.Colour() == kRed);
  // A new hover colour does not change the current one.
  w.Label->SetFontColorMouseMove(RGBColor(255, 128, 0));
  CHECK(w.Colour() == kRed);
  w.Leave();
  CHECK(w.Colour() == kBlue);
  w.Enter();
  CHECK(w.Colour() == RGBColor(255, 128, 0));
  w.Leave();
}

namespace {
// The longest run of ink in one row of a window, as its first and last
// column: the underline of a one-line caption.
std::pair<int, int> Underline(HWND AWnd) {
  RECT rc;
  GetClientRect(AWnd, &rc);
  HDC dc = GetDC(AWnd);
  COLORREF background = GetPixel(dc, rc.right - 1, 0);
  std::pair<int, int> best{-1, -2};
  for (int y = 0; y < rc.bottom; ++y) {
    int start = -1;
    for (int x = 0; x <= rc.right; ++x) {
      bool ink = x < rc.right && GetPixel(dc, x, y) != background;
      if (ink && start < 0) start = x;
      if (!ink && start >= 0) {
        if (x - 1 - start > best.second - best.first) best = {start, x - 1};
        start = -1;
      }
    }
  }
  ReleaseDC(AWnd, dc);
  return best;
}
} // namespace

// Under Wine the underline of these labels runs a few pixels past the last
// letter: Wine draws fonts-wine's Tahoma at 11 pixels narrower than the
// widths it reports and underlines the reported width, in its own static
// control as well. Windows draws the letters at the reported widths.
TEST_CASE("the underline spans the caption's width, as under the platform's own static control") {
  TLabelWindow w;
  w.Label->Font().SetName(L"Tahoma");
  w.Label->Font().SetHeight(-11);
  HWND plain = CreateWindowExW(0, L"STATIC", w.Label->Caption().c_str(), WS_CHILD | WS_VISIBLE,
                               20, 60, 150, 16, w.Form->Handle(), nullptr, nullptr, nullptr);
  REQUIRE(plain);
  SendMessageW(plain, WM_SETFONT, WPARAM(w.Label->Font().Handle()), FALSE);
  RedrawWindow(w.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpUntil([&] { return Underline(w.Label->Handle()).second >= 0 && Underline(plain).second >= 0; });

  TMemoryCanvas canvas;
  canvas.Font() = w.Label->Font();
  int width = canvas.TextExtent(w.Label->Caption()).cx;
  std::pair<int, int> label = Underline(w.Label->Handle());
  CHECK(label.first == 0);
  CHECK(label.second + 1 == width);
  CHECK(Underline(plain) == label);
  DestroyWindow(plain);
}
