// The command link and expand button in real windows: what it draws, read
// back from the screen, and how it answers the real mouse and keyboard.
#include <doctest.h>

#include <cstdlib>
#include <vector>

#include "screen_shot.h"
#include "taskdialog/dialog_text.h"
#include "taskdialog/task_dialog_button.h"
#include "test_support.h"
#include "ui/stdctrls.h"

namespace {
constexpr TColor kHeadingInk = RGBColor(0, 83, 196);
constexpr TColor kNoteInk = RGBColor(0, 140, 0);
constexpr TColor kHot = RGBColor(108, 225, 255);
constexpr TColor kDown = RGBColor(230, 110, 0);
constexpr TColor kMagenta = RGBColor(255, 0, 255);

// Text pixels, also where the edges of letters are smoothed into the white.
bool BlueInk(TColor C) {
  return B(C) - R(C) > 60 && B(C) - G(C) > 30;
}
bool GreenInk(TColor C) {
  return G(C) - R(C) > 50 && G(C) - B(C) > 50;
}
bool GreyInk(TColor C) {
  return std::abs(R(C) - G(C)) < 8 && std::abs(G(C) - B(C)) < 8 && R(C) < 235;
}

// The pixels of a bitmap resource of this program.
struct TResourcePixels {
  int Width = 0, Height = 0;
  std::vector<TColor> Pixels;
  explicit TResourcePixels(const wchar_t *AName) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), AName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    REQUIRE(bitmap);
    BITMAP bm{};
    GetObjectW(bitmap, sizeof(bm), &bm);
    Width = bm.bmWidth;
    Height = bm.bmHeight;
    Pixels = BitmapPixels(bitmap, Width, Height);
    DeleteObject(bitmap);
  }
  TColor At(int X, int Y) const { return Pixels.at(size_t(Y * Width + X)); }
};

// Pixels where the shot differs from the picture drawn at (X, Y) with its
// magenta left out over the background colour.
int PictureMismatches(const TShot &AShot, const wchar_t *AName, int X, int Y, TColor ABack) {
  TResourcePixels picture(AName);
  int wrong = 0;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      TColor want = picture.At(x, y) == kMagenta ? ABack : picture.At(x, y);
      if (AShot.At(X + x, Y + y) != want) ++wrong;
    }
  return wrong;
}

void LoadPicture(TBitmap &ABitmap, const wchar_t *AName) {
  ABitmap.LoadFromResourceName(GetModuleHandleW(nullptr), AName);
  ABitmap.SetTransparentColor(kMagenta);
}

// Border colour along the middle of all four edges, or clNone when the
// edges differ.
TColor EdgeColor(const TShot &AShot) {
  int w = AShot.Width(), h = AShot.Height();
  TColor top = AShot.At(w / 2, 0);
  if (AShot.At(w / 2, h - 1) != top || AShot.At(0, h / 2) != top || AShot.At(w - 1, h / 2) != top)
    return clNone;
  return top;
}

TFont HeadingFont() {
  TFont font;
  font.SetSize(11);
  font.SetStyle(fsBold);
  font.SetColor(kHeadingInk);
  return font;
}

// A white form with one command link set up as the emulated dialog does,
// but with a note colour of its own, to tell the lines apart.
struct TLinkForm {
  TForm *Form;
  TTaskDialogButton *Link;
  int Clicks = 0;
  explicit TLinkForm(const std::wstring &ACaption, int AWidth = 260, int AHeight = 60) {
    Form = TForm::Create<TForm>(nullptr);
    Form->SetColor(clWhite);
    Form->SetBorderStyle(bsDialog);
    Form->SetBounds(120, 90, 100, 100);
    Form->SetClientSize(AWidth + 40, AHeight + 60);
    Link = NewControl<TTaskDialogButton>(Form, Form, L"Button0", 10, 10, AWidth, AHeight);
    Link->SetCaption(ACaption);
    TFont note = Link->Font();
    note.SetColor(kNoteInk);
    Link->Font() = note;
    Link->SetHeadingFont(HeadingFont());
    Link->SetModalResult(100);
    Link->SetBorderColorHot(kHot);
    Link->SetBorderColorDown(kDown);
    LoadPicture(Link->Picture(), L"TD_ARW");
    LoadPicture(Link->PictureHot(), L"TD_ARWHOT");
    LoadPicture(Link->PictureDown(), L"TD_ARWDOWN");
    LoadPicture(Link->PictureDisabled(), L"TD_ARWDIS");
    Link->OnClick = [this](TComponent *) { ++Clicks; };
  }
  ~TLinkForm() { delete Form; }
  HWND Wnd() { return Link->Handle(); }
  void Show() {
    Form->Show();
    test::PumpUntil([this] { return GetForegroundWindow() == Form->Handle(); });
    test::PumpIdle();
  }
  // The mouse somewhere on the form but away from the link.
  void MouseAway() { test::MouseTo(Form->Handle(), Link->Width() + 25, Link->Height() + 40); }
  void MouseOnLink() { test::MouseTo(Wnd(), Link->Width() / 2, Link->Height() / 2); }
};

// Where the caption's text goes: right of the picture at x = 4.
TRect TextRegion(const TShot &AShot) {
  return TRect(16 + 4 + 3, 1, AShot.Width() - 1, AShot.Height() - 1);
}

} // namespace

TEST_CASE("a caption with a line marker draws the heading and a note line below it") {
  TLinkForm f(L"Speichern\\nDie Datei wird überschrieben.");
  f.Show();
  f.MouseAway();
  TShot shot(f.Wnd());

  // Where the lines belong: centred as a block by their measured height.
  TMemoryCanvas measure;
  TFont heading = HeadingFont();
  SIZE block = MeasureLines(&measure, f.Link->Caption(), heading, f.Link->Font(), 0, true);
  int top = (shot.Height() - int(block.cy)) / 2 + 2;
  measure.Font() = heading;
  int headingStep = measure.TextHeight(L"gh") + 4;
  measure.Font() = f.Link->Font();
  int noteHeight = measure.TextHeight(L"gh");

  TRect headingInk = shot.Box(BlueInk, TextRegion(shot));
  TRect noteInk = shot.Box(GreenInk, TextRegion(shot));
  REQUIRE(headingInk.Width() > 0);
  REQUIRE(noteInk.Width() > 0);
  CHECK(headingInk.top >= top);
  CHECK(headingInk.bottom <= top + headingStep - 4);
  CHECK(noteInk.top >= top + headingStep);
  CHECK(noteInk.bottom <= top + headingStep + noteHeight);
  // Both lines start at the text's left edge, right of the picture.
  CHECK(headingInk.left >= 23);
  CHECK(headingInk.left <= 25);
  CHECK(noteInk.left >= 23);
  CHECK(noteInk.left <= 25);
  // The bold heading line is drawn in the heading font: taller ink than
  // the note's, which is in the control's own font.
  CHECK(headingInk.Height() > noteInk.Height());

  // The arrow at x = 4, vertically centred, its magenta showing the form.
  CHECK(PictureMismatches(shot, L"TD_ARW", 4, (shot.Height() - 16) / 2, clWhite) == 0);
  // No border while neither hot, pressed nor focused.
  CHECK(EdgeColor(shot) == clWhite);
}

TEST_CASE("captions of one line are one heading line, centred; carriage returns split too") {
  SUBCASE("no marker") {
    TLinkForm f(L"Speichern");
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    TRect ink = shot.Box(BlueInk, TextRegion(shot));
    REQUIRE(ink.Height() > 0);
    CHECK(shot.Count(GreenInk, TextRegion(shot)) == 0);
    // The letters sit on the middle: "Speichern" reaches from cap height
    // down to the descender, centred within a pixel or two of the cell.
    int middle = (ink.top + ink.bottom) / 2;
    CHECK(std::abs(middle - shot.Height() / 2) <= 3);
  }
  SUBCASE("a drive path is no marker") {
    TLinkForm f(L"Öffnen C:\\neu");
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    CHECK(shot.Count(BlueInk, TextRegion(shot)) > 0);
    CHECK(shot.Count(GreenInk, TextRegion(shot)) == 0);
  }
  SUBCASE("carriage return and line feed") {
    TLinkForm f(L"Speichern\r\nDie Datei wird überschrieben.");
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    TRect heading = shot.Box(BlueInk, TextRegion(shot));
    TRect note = shot.Box(GreenInk, TextRegion(shot));
    REQUIRE(note.Height() > 0);
    CHECK(note.top > heading.bottom);
  }
  SUBCASE("an empty first line leaves only the notes") {
    TLinkForm f(L"\\nNur eine Notiz");
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    CHECK(shot.Count(BlueInk, TextRegion(shot)) == 0);
    CHECK(shot.Count(GreenInk, TextRegion(shot)) > 0);
  }
}

TEST_CASE("without a caption the picture is centred, and without a picture the text moves left") {
  SUBCASE("the expand button: 19 x 19 with its background colour") {
    TLinkForm f(L"", 19, 19);
    f.Link->SetBackColor(RGBColor(240, 240, 240));
    LoadPicture(f.Link->Picture(), L"TD_COLP");
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    CHECK(PictureMismatches(shot, L"TD_COLP", 0, 0, RGBColor(240, 240, 240)) == 0);
  }
  SUBCASE("a wider button") {
    TLinkForm f(L"", 41, 27);
    LoadPicture(f.Link->Picture(), L"TD_EXP");
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    CHECK(PictureMismatches(shot, L"TD_EXP", (41 - 19) / 2, (27 - 19) / 2, clWhite) == 0);
  }
  SUBCASE("no picture at all") {
    TLinkForm f(L"Speichern");
    f.Link->SetPicture(nullptr);
    CHECK(f.Link->Picture().Empty());
    f.Show();
    f.MouseAway();
    TShot shot(f.Wnd());
    TRect ink = shot.Box(BlueInk, TRect(0, 1, shot.Width() - 1, shot.Height() - 1));
    CHECK(ink.left >= 2);
    CHECK(ink.left <= 4);
  }
}

TEST_CASE("the mouse makes the link hot and pressed; its pictures and borders follow") {
  TLinkForm f(L"Speichern\\nDie Datei wird überschrieben.");
  int enters = 0, leaves = 0;
  f.Link->OnMouseEnter = [&](TComponent *) { ++enters; };
  f.Link->OnMouseLeave = [&](TComponent *) { ++leaves; };
  f.Show();
  f.MouseAway();
  int pictureTop = (f.Link->Height() - 16) / 2;

  f.MouseOnLink();
  CHECK(f.Link->MouseInControl());
  CHECK(enters == 1);
  {
    TShot shot(f.Wnd());
    CHECK(EdgeColor(shot) == kHot);
    CHECK(PictureMismatches(shot, L"TD_ARWHOT", 4, pictureTop, clWhite) == 0);
  }

  test::MouseButton(true);
  CHECK(f.Link->MouseIsDown());
  {
    TShot shot(f.Wnd());
    CHECK(EdgeColor(shot) == kDown);
    CHECK(PictureMismatches(shot, L"TD_ARWDOWN", 4, pictureTop, clWhite) == 0);
  }
  test::MouseButton(false);
  CHECK(f.Clicks == 1);
  CHECK(f.Form->ModalResult() == 100);
  CHECK_FALSE(f.Link->MouseIsDown());
  CHECK(EdgeColor(TShot(f.Wnd())) == kHot);

  f.MouseAway();
  CHECK_FALSE(f.Link->MouseInControl());
  CHECK(leaves == 1);
  TShot shot(f.Wnd());
  CHECK(EdgeColor(shot) == clWhite);
  CHECK(PictureMismatches(shot, L"TD_ARW", 4, pictureTop, clWhite) == 0);
}

TEST_CASE("pressing on the link and releasing outside clears the pressed look without a click") {
  TLinkForm f(L"Speichern");
  f.Show();
  f.MouseAway();
  f.MouseOnLink();
  test::MouseButton(true);
  REQUIRE(f.Link->MouseIsDown());
  // Dragged off while held: still pressed until the button comes up, and
  // moves outside that still reach the link do not make it hot again.
  f.MouseAway();
  test::MouseTo(f.Form->Handle(), f.Link->Width() + 30, 5);
  CHECK(f.Link->MouseIsDown());
  // Wine posts the mouse-leave notice late, after the move that caused it.
  CHECK(test::PumpUntil([&] { return !f.Link->MouseInControl(); }));
  CHECK(EdgeColor(TShot(f.Wnd())) == kDown);
  test::MouseButton(false);
  test::PumpUntil([&] { return EdgeColor(TShot(f.Wnd())) == clWhite; });
  CHECK(f.Clicks == 0);
  CHECK(f.Form->ModalResult() == 0);
  CHECK_FALSE(f.Link->MouseIsDown());
  CHECK_FALSE(f.Link->MouseInControl());
  TShot shot(f.Wnd());
  CHECK(EdgeColor(shot) == clWhite);
  CHECK(PictureMismatches(shot, L"TD_ARW", 4, (shot.Height() - 16) / 2, clWhite) == 0);
}

TEST_CASE("a double click is one click and one double click") {
  TLinkForm f(L"Speichern");
  int doubles = 0;
  f.Link->OnDblClick = [&](TComponent *) { ++doubles; };
  f.Show();
  f.MouseOnLink();
  INPUT in[4]{};
  for (INPUT &i : in)
    i.type = INPUT_MOUSE;
  in[0].mi.dwFlags = in[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = in[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(4, in, sizeof(INPUT));
  test::PumpUntil([&] { return doubles == 1 && !f.Link->MouseIsDown(); });
  test::PumpIdle();
  CHECK(f.Clicks == 1);
  CHECK(doubles == 1);
  CHECK_FALSE(f.Link->MouseIsDown());
}

TEST_CASE("a disabled link shows its disabled picture, grey text and no border under the mouse") {
  TLinkForm f(L"Speichern\\nDie Datei wird überschrieben.");
  f.Show();
  f.MouseAway();
  f.MouseOnLink();
  REQUIRE(EdgeColor(TShot(f.Wnd())) == kHot);

  f.Link->SetEnabled(false);
  f.MouseOnLink();
  TShot shot(f.Wnd());
  CHECK(EdgeColor(shot) == clWhite);
  CHECK(PictureMismatches(shot, L"TD_ARWDIS", 4, (shot.Height() - 16) / 2, clWhite) == 0);
  CHECK(shot.Count(BlueInk, TextRegion(shot)) == 0);
  CHECK(shot.Count(GreenInk, TextRegion(shot)) == 0);
  // Both lines are there, in the grey.
  TRect grey = shot.Box(GreyInk, TextRegion(shot));
  CHECK(grey.Height() > 15);
  bool exact = false;
  for (int y = grey.top; y < grey.bottom; ++y)
    for (int x = grey.left; x < grey.right; ++x)
      exact = exact || shot.At(x, y) == TaskDialogButtonDisabledText;
  CHECK(exact);

  // Clicks do not reach it.
  test::MouseButton(true);
  test::MouseButton(false);
  CHECK(f.Clicks == 0);

  SUBCASE("without a disabled picture the normal one stays") {
    f.Link->SetPictureDisabled(nullptr);
    f.MouseAway();
    TShot again(f.Wnd());
    CHECK(PictureMismatches(again, L"TD_ARW", 4, (again.Height() - 16) / 2, clWhite) == 0);
  }
}

TEST_CASE("Picture and PictureDisabled repaint when their bitmap changes") {
  TLinkForm f(L"", 19, 19);
  LoadPicture(f.Link->Picture(), L"TD_COLP");
  f.Show();
  f.MouseAway();
  REQUIRE(PictureMismatches(TShot(f.Wnd()), L"TD_COLP", 0, 0, clWhite) == 0);
  // Changed through the bitmap itself, as the dialog does on collapsing.
  LoadPicture(f.Link->Picture(), L"TD_EXP");
  CHECK(test::PumpUntil([&] { return PictureMismatches(TShot(f.Wnd()), L"TD_EXP", 0, 0, clWhite) == 0; }));

  TBitmap shield;
  LoadPicture(shield, L"TD_COLPDOWN");
  f.Link->SetEnabled(false);
  f.Link->SetPictureDisabled(&shield);
  CHECK(test::PumpUntil(
      [&] { return PictureMismatches(TShot(f.Wnd()), L"TD_COLPDOWN", 0, 0, clWhite) == 0; }));
  // The button keeps its own copy.
  shield.SetHandle(nullptr);
  CHECK_FALSE(f.Link->PictureDisabled().Empty());
}

TEST_CASE("a picture is drawn without its transparent colour, also as a copy") {
  // Magenta around, but a red bottom-left pixel: only the colour set counts.
  TBitmap source(4, 4, pf32bit);
  source.Canvas().SetBrushColor(kMagenta);
  source.Canvas().FillRect(TRect(0, 0, 4, 4));
  SetPixel(source.Canvas().Handle(), 0, 3, RGB(255, 0, 0));
  SetPixel(source.Canvas().Handle(), 2, 1, RGB(0, 0, 255));
  source.SetTransparentColor(kMagenta);
  TLinkForm f(L"", 20, 20);
  f.Link->SetPicture(&source);
  source.SetTransparentColor(clDefault);
  CHECK(f.Link->Picture().TransparentColor() == kMagenta);
  f.Show();
  f.MouseAway();
  TShot shot(f.Wnd());
  CHECK(shot.At(8, 8) == clWhite);
  CHECK(shot.At(8, 11) == RGBColor(255, 0, 0));
  CHECK(shot.At(10, 9) == RGBColor(0, 0, 255));
  CHECK(shot.At(11, 11) == clWhite);
}

TEST_CASE("the keyboard focus draws the pressed border; AutoFocus takes it on entry") {
  TLinkForm f(L"Speichern");
  auto *other = NewControl<TTaskDialogButton>(f.Form, f.Form, L"Button1", 10, 80, 100, 30);
  other->SetTabStop(true);
  f.Link->SetTabStop(true);
  f.Show();
  f.MouseAway();
  f.Link->SetFocus();
  CHECK(test::PumpUntil([&] { return EdgeColor(TShot(f.Wnd())) == kDown; }));
  other->SetFocus();
  CHECK(test::PumpUntil([&] { return EdgeColor(TShot(f.Wnd())) == clWhite; }));

  f.Link->SetAutoFocus(true);
  f.MouseOnLink();
  CHECK(f.Link->Focused());
  f.MouseAway();
  // Focus stays when the mouse goes, and so does the border.
  CHECK(f.Link->Focused());
  CHECK(EdgeColor(TShot(f.Wnd())) == kDown);
}

TEST_CASE("space and Enter click the focused link and end the modal form with its result") {
  TLinkForm f(L"Speichern\\nDie Datei wird überschrieben.");
  f.Link->SetTabStop(true);
  f.Link->SetModalResult(101);
  // A default button, which Enter would press if the link let it.
  auto *ok = NewControl<TButton>(f.Form, f.Form, L"OK", 10, 80, 75, 23);
  ok->SetCaption(L"OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetTabStop(true);
  f.Form->SetActiveControl(f.Link);

  SUBCASE("space") {
    test::WhenActive(f.Form, [] { test::SendKey(VK_SPACE); });
    CHECK(f.Form->ShowModal() == 101);
  }
  SUBCASE("Enter") {
    test::WhenActive(f.Form, [] { test::SendKey(VK_RETURN); });
    CHECK(f.Form->ShowModal() == 101);
  }
  SUBCASE("a mouse click") {
    test::WhenActive(f.Form, [&] {
      f.MouseOnLink();
      test::MouseButton(true);
      test::MouseButton(false);
    });
    CHECK(f.Form->ShowModal() == 101);
  }
  CHECK(f.Clicks == 1);
}
