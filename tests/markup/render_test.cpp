// Drawing markup into memory bitmaps and reading the pixels back, against
// what the platform's own text drawing puts there.
#include <doctest.h>

#include <initializer_list>

#include "markup/draw_markup.h"
#include "markup_test_support.h"

using mtest::ChunkWidth;
using mtest::CountColor;
using mtest::MarkupArgs;
using mtest::SamePixels;
using mtest::TPixelCanvas;

namespace {
constexpr UINT kBottomLine = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS;

struct TDrawn {
  TPixelCanvas Target;
  TMarkupResult Result;
  bool Hit = false;
  explicit TDrawn(int AWidth = 300, int AHeight = 120) : Target(AWidth, AHeight) {
    mtest::PrepareCanvas(Target.Canvas());
  }
  TCanvas &Canvas() { return Target.Canvas(); }
  int Gh() { return Canvas().TextHeight(L"gh"); }
  TDrawn &Draw(TMarkupArgs AArgs) {
    AArgs.Canvas = &Canvas();
    Hit = DrawMarkup(AArgs, Result);
    return *this;
  }
  TDrawn &Draw(const std::wstring &AText, TRect ABounds = TRect(0, 0, 300, 120)) {
    return Draw(MarkupArgs(Canvas(), AText, ABounds));
  }
};

// The expected picture: texts drawn by the platform, each bottom-aligned
// in its rectangle.
struct TExpected {
  TPixelCanvas Target;
  explicit TExpected(int AWidth = 300, int AHeight = 120) : Target(AWidth, AHeight) {
    mtest::PrepareCanvas(Target.Canvas());
  }
  TExpected &Text(const std::wstring &AText, TRect ARect, TColor AColor = clBlack,
                  UINT AFlags = kBottomLine) {
    Target.Canvas().Font().SetColor(AColor);
    Target.Canvas().TextRect(ARect, AText, AFlags);
    return *this;
  }
  // Pieces of one line, each where the platform measures the text before
  // it to end. (Wine draws a whole line a little narrower than it measures
  // it, so a line drawn in one piece would not match; on Windows both
  // agree.)
  TExpected &Pieces(std::initializer_list<const wchar_t *> APieces, TRect ARect,
                    UINT AFlags = kBottomLine) {
    std::wstring before;
    for (const wchar_t *piece : APieces) {
      TRect r = ARect;
      r.left += ChunkWidth(Target.Canvas(), before, AFlags);
      Text(piece, r, clBlack, AFlags);
      before += piece;
    }
    return *this;
  }
};
} // namespace

TEST_CASE("a plain line is drawn as the platform draws it, chunk by chunk") {
  TDrawn drawn;
  drawn.Draw(L"Der Bieter hat zwei Auktionen gewonnen.", TRect(5, 3, 300, 120));
  TExpected expected;
  expected.Pieces({L"Der ", L"Bieter ", L"hat ", L"zwei ", L"Auktionen ", L"gewonnen."},
                  TRect(5, 3, 300, 3 + drawn.Gh()));
  CHECK(SamePixels(drawn.Target, expected.Target));
}

TEST_CASE("alignment: right and centre leave the trailing space out; too wide starts left") {
  for (const wchar_t *align : {L"right", L"center"}) {
    TDrawn drawn;
    drawn.Draw(std::wstring(L"<P align=\"") + align + L"\">Preis </P>", TRect(10, 0, 200, 120));
    TExpected expected;
    expected.Text(L"Preis", TRect(10, 0, 200, drawn.Gh()),
                  clBlack, kBottomLine | (align[0] == L'r' ? DT_RIGHT : DT_CENTER));
    CHECK(SamePixels(drawn.Target, expected.Target));
  }
  TDrawn wide;
  wide.Draw(L"<P align=\"right\">Donaudampfschifffahrt", TRect(10, 0, 40, 120));
  CHECK(wide.Target.ChangedBounds().left < 12);
  // Alignment and indent stay for following lines; </P> does not reset them.
  TDrawn kept;
  kept.Draw(L"<P align=\"right\" indent=\"0\">a</P>b", TRect(0, 0, 200, 120));
  TRect second = kept.Target.ChangedBounds();
  CHECK(second.left > 150);
}

TEST_CASE("reading order: right to left only where the system supports it") {
  TDrawn leftToRight;
  leftToRight.Draw(L"Preis", TRect(10, 0, 200, 120));
  for (int order : {1, 2}) {
    CAPTURE(order);
    TDrawn drawn;
    TMarkupArgs args = MarkupArgs(drawn.Canvas(), L"Preis", TRect(10, 0, 200, 120));
    args.ReadingOrder = order;
    drawn.Draw(args);
    if (GetSystemMetrics(SM_MIDEASTENABLED)) {
      // Order 1 mirrors the alignment: the word ends at the right edge.
      if (order == 1) CHECK(drawn.Target.ChangedBounds().right > 190);
    } else {
      CHECK(SamePixels(drawn.Target, leftToRight.Target));
    }
  }
}

TEST_CASE("hidden text up to an unclosed tag: only the text before it is drawn") {
  TDrawn drawn;
  drawn.Draw(L"sichtbar <Z>versteckt und mehr");
  TExpected expected;
  expected.Text(L"sichtbar ", TRect(0, 0, 300, drawn.Gh()));
  CHECK(SamePixels(drawn.Target, expected.Target));
}

TEST_CASE("without word wrap a long run ends in an ellipsis; none starts in the last 'w'") {
  TDrawn drawn;
  TMarkupArgs args = MarkupArgs(drawn.Canvas(), L"ein sehr langer Text ohne Umbruch darin",
                                TRect(0, 0, 90, 120));
  args.WordWrap = false;
  drawn.Draw(args);
  TExpected expected;
  expected.Text(L"ein sehr langer Text ohne Umbruch darin", TRect(0, 0, 90, drawn.Gh()), clBlack,
                kBottomLine | DT_END_ELLIPSIS);
  CHECK(SamePixels(drawn.Target, expected.Target));

  const int w = drawn.Canvas().TextWidth(L"w");
  TDrawn late, early;
  args.Text = L"<IND x=\"" + std::to_wstring(90 - w) + L"\">abc";
  late.Draw(args);
  CHECK(late.Target.Changed() == 0);
  args.Text = L"<IND x=\"" + std::to_wstring(90 - w - 1) + L"\">abc";
  early.Draw(args);
  CHECK(early.Target.Changed() > 0);
}

TEST_CASE("&amp; draws one ampersand; with \" & \" in the text it draws two") {
  TDrawn one;
  one.Draw(L"A&amp;B");
  TExpected a;
  a.Text(L"A&B", TRect(0, 0, 300, one.Gh()), clBlack, kBottomLine | DT_NOPREFIX);
  CHECK(SamePixels(one.Target, a.Target));

  TDrawn two;
  two.Draw(L"A&amp;B & C");
  TExpected b;
  b.Pieces({L"A&&B ", L"& ", L"C"}, TRect(0, 0, 300, two.Gh()), kBottomLine | DT_NOPREFIX);
  CHECK(SamePixels(two.Target, b.Target));
}

TEST_CASE("styles and colours: bold, font colour and background, and back to the base") {
  TDrawn drawn;
  drawn.Draw(L"<B>fett</B> <FONT color=\"clred\" bgcolor=\"#00FF00\">rot</FONT> normal");
  const int gh = drawn.Gh();
  TExpected expected;
  TCanvas &e = expected.Target.Canvas();
  e.Font().SetStyle(fsBold);
  int x = ChunkWidth(e, L"fett");
  expected.Text(L"fett", TRect(0, 0, 300, gh));
  e.Font().SetStyle(0);
  expected.Text(L" ", TRect(x, 0, 300, gh));
  x += ChunkWidth(e, L" ");
  const int red = ChunkWidth(e, L"rot");
  e.SetBrushStyle(bsSolid);
  e.SetBrushColor(RGBColor(0, 255, 0));
  e.FillRect(TRect(x, 0, x + red, gh));
  e.SetBrushStyle(bsClear);
  expected.Text(L"rot", TRect(x, 0, 300, gh), RGBColor(255, 0, 0));
  x += red;
  expected.Text(L" normal", TRect(x, 0, 300, gh));
  CHECK(SamePixels(drawn.Target, expected.Target));
  // Colours stay out when asked to.
  TDrawn kept;
  TMarkupArgs args = MarkupArgs(kept.Canvas(), L"<FONT color=\"clred\">rot</FONT>",
                                TRect(0, 0, 300, 120));
  args.KeepColors = true;
  kept.Draw(args);
  CHECK(CountColor(kept.Target, RGBColor(255, 0, 0), TRect(0, 0, 300, 120)) == 0);
  CHECK(kept.Target.Changed() > 0);
}

TEST_CASE("anchors: AnchorColor, underline when drawing, emphasis for the hovered one") {
  TDrawn drawn;
  TMarkupArgs args = MarkupArgs(drawn.Canvas(),
                                L"<A href=\"eins\">eins</A> <A href=\"zwei\">zwei</A>",
                                TRect(0, 0, 300, 120));
  args.AnchorColor = RGBColor(0, 0, 255);
  args.HoverOnly = true;
  args.HoverNumber = 2;
  args.HoverBackColor = RGBColor(255, 255, 0);
  args.HoverTextColor = RGBColor(255, 0, 0);
  drawn.Draw(args);
  const int gh = drawn.Gh();
  const int first = ChunkWidth(drawn.Canvas(), L"eins");
  const int space = ChunkWidth(drawn.Canvas(), L" ");
  const TRect one(0, 0, first, gh), two(first + space, 0, 300, gh);
  CHECK(CountColor(drawn.Target, RGBColor(0, 0, 255), one) > 0);
  CHECK(CountColor(drawn.Target, RGBColor(255, 0, 0), one) == 0);
  CHECK(CountColor(drawn.Target, RGBColor(255, 255, 0), one) == 0);
  // The hovered anchor: its own colours and a background, underlined.
  CHECK(CountColor(drawn.Target, RGBColor(255, 255, 0), two) > 0);
  CHECK(CountColor(drawn.Target, RGBColor(255, 0, 0), two) > 0);
  CHECK(drawn.Result.AnchorCount == 2);

  // With HoverOnly off every anchor is underlined: a full row of blue.
  TDrawn all;
  all.Draw(L"<A href=\"x\">Verweis</A>");
  const int width = ChunkWidth(all.Canvas(), L"Verweis");
  bool underlined = false;
  for (int y = 0; y < gh + 2; ++y)
    underlined |= CountColor(all.Target, RGBColor(0, 0, 255), TRect(0, y, width, y + 1)) == width;
  CHECK(underlined);
}

TEST_CASE("highlight draws in the system highlight colours") {
  TDrawn drawn;
  drawn.Draw(L"vor <HI>markiert</HI> nach");
  const TColor back = ColorToRGB(clHighlight) & 0xFFFFFF, text = ColorToRGB(clHighlightText) & 0xFFFFFF;
  const int left = ChunkWidth(drawn.Canvas(), L"vor ");
  const TRect area(left, 0, left + ChunkWidth(drawn.Canvas(), L"markiert"), drawn.Gh());
  CHECK(CountColor(drawn.Target, back, area) > area.Width() * area.Height() / 2);
  CHECK(CountColor(drawn.Target, text, area) > 0);
  CHECK(CountColor(drawn.Target, back, TRect(0, 0, left, 120)) == 0);
}

TEST_CASE("error marks: a red zigzag two pixels high under the chunk") {
  TDrawn drawn;
  drawn.Draw(L"gut <E>Fehlr</E> gut", TRect(0, 10, 300, 120));
  const int gh = drawn.Gh();
  const int left = ChunkWidth(drawn.Canvas(), L"gut ");
  const int right = left + ChunkWidth(drawn.Canvas(), L"Fehlr");
  const TColor red = RGBColor(255, 0, 0);
  const int bottom = 10 + gh;
  CHECK(CountColor(drawn.Target, red, TRect(left, bottom - 1, right, bottom + 2)) >= right - left - 2);
  // Nowhere else: not under the good words, not above the text bottom.
  CHECK(CountColor(drawn.Target, red, TRect(0, 0, left - 1, 120)) == 0);
  CHECK(CountColor(drawn.Target, red, TRect(right + 2, 0, 300, 120)) == 0);
  CHECK(CountColor(drawn.Target, red, TRect(0, 0, 300, bottom - 1)) == 0);
  // Both rows of the zigzag are used.
  CHECK(CountColor(drawn.Target, red, TRect(left, bottom - 1, right, bottom)) > 0);
  CHECK(CountColor(drawn.Target, red, TRect(left, bottom + 1, right, bottom + 2)) > 0);
}

TEST_CASE("paragraph backgrounds: a band across the box and a gradient") {
  TDrawn band(200, 60);
  band.Draw(L"<P bgcolor=\"clyellow\">gelb</P>", TRect(10, 5, 190, 60));
  const int gh = band.Gh();
  const TColor yellow = RGBColor(255, 255, 0);
  CHECK(band.Target.Pixel(10, 5) == yellow);
  CHECK(band.Target.Pixel(189, 5 + gh - 1) == yellow);
  CHECK(band.Target.Pixel(9, 5) != yellow);
  CHECK(band.Target.Pixel(100, 5 + gh) != yellow);

  TDrawn gradient(200, 60);
  gradient.Draw(L"<P bgcolor=\"#FF0000\" bgcolorto=\"#0000FF\"></P>", TRect(0, 0, 192, 60));
  CHECK(gradient.Target.Pixel(0, 2) == RGBColor(255, 0, 0));
  CHECK((gradient.Target.Pixel(191, 2) & 0xFF) < 10);
  CHECK((gradient.Target.Pixel(191, 2) >> 16) > 240);
  // It reaches two pixels below the text.
  CHECK(gradient.Target.Pixel(0, gh + 1) == RGBColor(255, 0, 0));
  CHECK(gradient.Target.Pixel(0, gh + 2) == RGBColor(255, 255, 255));
}

TEST_CASE("superscript is raised and subscript dropped by a quarter of the height") {
  TDrawn sup;
  sup.Draw(L"x<SUP>2</SUP>");
  const int gh = sup.Gh(), q = gh / 4;
  const int x = ChunkWidth(sup.Canvas(), L"x");
  TExpected up;
  up.Text(L"x", TRect(0, 0, 300, gh + q)).Text(L"2", TRect(x, 0, 300, gh));
  CHECK(SamePixels(sup.Target, up.Target));

  TDrawn sub;
  sub.Draw(L"H<SUB>2</SUB>O");
  const int h = ChunkWidth(sub.Canvas(), L"H"), two = ChunkWidth(sub.Canvas(), L"2");
  TExpected down;
  down.Text(L"H", TRect(0, 0, 300, gh))
      .Text(L"2", TRect(h, 0, 300, gh + q))
      .Text(L"O", TRect(h + two, 0, 300, gh));
  CHECK(SamePixels(sub.Target, down.Target));
}

TEST_CASE("shadow: the text once more in the shadow colour, moved by the offset") {
  TDrawn drawn;
  TMarkupArgs args = MarkupArgs(drawn.Canvas(), L"<SHAD>Schatten</SHAD>", TRect(0, 0, 300, 120));
  args.ShadowColor = RGBColor(0, 200, 0);
  args.ShadowOffset = 2;
  drawn.Draw(args);
  const int gh = drawn.Gh();
  TExpected expected;
  expected.Text(L"Schatten", TRect(2, 2, 302, gh + 2), RGBColor(0, 200, 0))
      .Text(L"Schatten", TRect(0, 0, 300, gh));
  CHECK(SamePixels(drawn.Target, expected.Target));
}

TEST_CASE("blink: in its off phase the text takes the entry background") {
  TDrawn off;
  off.Canvas().SetBrushStyle(bsSolid);
  off.Canvas().SetBrushColor(clWhite);
  TMarkupArgs args = MarkupArgs(off.Canvas(), L"<BLINK>blinkt</BLINK> fest", TRect(0, 0, 300, 120));
  args.BlinkVisible = false;
  off.Draw(args);
  const int left = ChunkWidth(off.Canvas(), L"blinkt ");
  CHECK(off.Target.ChangedBounds().left >= left);
  // Over a transparent background it is not drawn at all.
  TDrawn clear;
  args.Canvas = &clear.Canvas();
  clear.Draw(args);
  CHECK(clear.Target.ChangedBounds().left >= left);
  TDrawn on;
  args.Canvas = &on.Canvas();
  args.BlinkVisible = true;
  on.Draw(args);
  CHECK(on.Target.ChangedBounds().left < 3);
}

TEST_CASE("a rule lies one pixel below the text, from the line's left to the box's right") {
  TDrawn drawn;
  drawn.Draw(L"<P indent=\"10\">Text<HR color=\"#ff0000\">", TRect(5, 0, 200, 120));
  const int y = drawn.Gh() + 1;
  const TColor red = RGBColor(255, 0, 0);
  CHECK(CountColor(drawn.Target, red, TRect(0, y, 300, y + 1)) == 200 - 15);
  CHECK(drawn.Target.Pixel(15, y) == red);
  CHECK(drawn.Target.Pixel(14, y) != red);
  CHECK(CountColor(drawn.Target, red, TRect(0, 0, 300, y)) == 0);
  // Black unless a colour is given.
  TDrawn plain;
  plain.Draw(L"Text<HR>", TRect(0, 0, 100, 120));
  CHECK(CountColor(plain.Target, RGBColor(0, 0, 0), TRect(0, plain.Gh() + 1, 300, plain.Gh() + 2)) ==
        100);
}

TEST_CASE("list bullets: by level in the Symbol font, squares and circles in their colour") {
  auto bullet = [](TExpected &AExpected, wchar_t AChar, int X, int Y) {
    TCanvas &c = AExpected.Target.Canvas();
    c.Font().SetName(L"Symbol");
    TRect r(X, Y, X + 1000, Y + 1000);
    c.TextRect(r, std::wstring(1, AChar), DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  };
  TDrawn one;
  one.Draw(L"<UL><LI></UL>");
  const int gh = one.Gh();
  // The bullet of level 1 is the Symbol font's 0xB7 (Wine's stand-in
  // Symbol font has another glyph there: the comparison is with what the
  // platform draws for it), on the line after the one <UL> ended.
  TExpected first;
  bullet(first, L'\u00B7', 0, gh);
  CHECK(SamePixels(one.Target, first.Target));

  TDrawn two;
  two.Draw(L"<UL><UL><LI></UL></UL>");
  TExpected second;
  bullet(second, L'o', 12, 2 * gh);
  CHECK(SamePixels(two.Target, second.Target));

  TDrawn square;
  square.Draw(L"<UL><LI type=\"square\" color=\"clred\">x");
  const TColor red = RGBColor(255, 0, 0);
  CHECK(CountColor(square.Target, red, TRect(0, gh + 2, 8, gh + 10)) == 64);
  CHECK(CountColor(square.Target, red, TRect(0, 0, 300, 120)) == 64);
  TDrawn circle;
  circle.Draw(L"<UL><LI type=\"circle\" color=\"clblue\">x");
  const int blue = CountColor(circle.Target, RGBColor(0, 0, 255), TRect(0, gh + 2, 8, gh + 10));
  CHECK(blue > 30);
  CHECK(blue < 64);
}
