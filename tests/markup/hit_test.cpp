// Finding the anchor under a point, its rectangle and number, and the
// focus rectangle of an anchor.
#include <doctest.h>

#include "markup/draw_markup.h"
#include "markup_test_support.h"

using mtest::ChunkWidth;
using mtest::MarkupArgs;
using mtest::TPixelCanvas;
using mtest::UseArgs;

namespace {
struct THitTest {
  TPixelCanvas Target{300, 200};
  int Gh;
  THitTest() {
    mtest::PrepareCanvas(Target.Canvas());
    Gh = Target.Canvas().TextHeight(L"gh");
  }
  int W(const std::wstring &AText) { return ChunkWidth(Target.Canvas(), AText); }
  // A hit test at a point.
  bool At(const std::wstring &AText, int X, int Y, TMarkupResult &AResult,
          TRect ABounds = TRect(0, 0, 300, 200)) {
    AResult = TMarkupResult();
    AResult.HitAddress = L"(unchanged)";
    return DrawMarkup(UseArgs(Target.Canvas(), AText, ABounds, muHitTest, X, Y), AResult);
  }
};
} // namespace

TEST_CASE("hit test: the address, number and rectangle of the link under the point") {
  THitTest t;
  const std::wstring text = L"Siehe <A href=\"http://a\">erste</A> und <A href=\"http://b\">zweite</A>.";
  const int left = t.W(L"Siehe ") + t.W(L"erste") + t.W(L" ") + t.W(L"und ");
  TMarkupResult r;
  CHECK(t.At(text, left + 3, t.Gh / 2, r));
  CHECK(r.HitAddress == L"http://b");
  CHECK(r.HitNumber == 2);
  CHECK(r.HitRect == TRect(left, 0, left + t.W(L"zweite"), t.Gh));
  CHECK(r.AnchorCount == 2);

  // Between the links, above and below the line: nothing.
  CHECK_FALSE(t.At(text, 2, t.Gh / 2, r));
  CHECK(r.HitNumber == -1);
  CHECK_FALSE(t.At(text, left + 3, t.Gh + 3, r));
  CHECK_FALSE(t.At(text, left + 3, -2, r));

  // Painting only ever reports images under the point.
  r = TMarkupResult();
  CHECK_FALSE(DrawMarkup(UseArgs(t.Target.Canvas(), text, TRect(0, 0, 300, 200), muPaint), r));
  // Measuring never reports a hit.
  TMarkupArgs measure =
      UseArgs(t.Target.Canvas(), text, TRect(0, 0, 300, 200), muMeasure, left + 3, t.Gh / 2);
  CHECK_FALSE(DrawMarkup(measure, r));
}

TEST_CASE("hit test: a link wrapped over two lines reports its part on the last line") {
  THitTest t;
  const std::wstring text = L"Bitte <A href=\"http://x\">lesen Sie die Hinweise</A> hier.";
  const int width = t.W(L"Bitte lesen Sie die ") + 2;
  const TRect box(10, 20, 10 + width, 200);
  // On the first line, on "lesen".
  TMarkupResult r;
  CHECK(t.At(text, 10 + t.W(L"Bitte ") + 2, 20 + t.Gh / 2, r, box));
  CHECK(r.HitAddress == L"http://x");
  CHECK(r.HitNumber == 1);
  CHECK(r.HitRect == TRect(10, 20 + t.Gh, 10 + t.W(L"Hinweise"), 20 + 2 * t.Gh));
  // On the second line, on "Hinweise".
  CHECK(t.At(text, 12, 20 + t.Gh + t.Gh / 2, r, box));
  CHECK(r.HitAddress == L"http://x");
  CHECK(r.HitRect == TRect(10, 20 + t.Gh, 10 + t.W(L"Hinweise"), 20 + 2 * t.Gh));
  // On "hier." after it: no link.
  CHECK_FALSE(t.At(text, 10 + t.W(L"Hinweise ") + 3, 20 + t.Gh + t.Gh / 2, r, box));
}

TEST_CASE("hit test: centred lines are tested where they are drawn") {
  THitTest t;
  const std::wstring text = L"<P align=\"center\"><A href=\"mitte\">Mitte</A>";
  const int left = (300 - t.W(L"Mitte")) / 2;
  TMarkupResult r;
  CHECK(t.At(text, left + 2, t.Gh / 2, r));
  CHECK(r.HitAddress == L"mitte");
  CHECK(r.HitRect.left == left);
  CHECK_FALSE(t.At(text, left - 3, t.Gh / 2, r));
}

TEST_CASE("an anchor without quotes has an empty address and is still hit") {
  THitTest t;
  TMarkupResult r;
  CHECK(t.At(L"<A href=ohne>Verweis</A>", 3, t.Gh / 2, r));
  CHECK(r.HitAddress.empty());
  CHECK(r.HitNumber == 1);
}

TEST_CASE("focus: the focused anchor's address and its dotted frame, also across lines") {
  THitTest t;
  const std::wstring text = L"<A href=\"a\">eins</A> <A href=\"b\">zwei drei</A>";
  TMarkupArgs args = MarkupArgs(t.Target.Canvas(), text, TRect(0, 0, 300, 200));
  args.FocusIndex = 1;
  TMarkupResult r;
  DrawMarkup(args, r);
  CHECK(r.FocusAddress == L"b");
  // The frame surrounds the second anchor and not the first.
  const int left = t.W(L"eins") + t.W(L" ");
  const TRect frame = t.Target.ChangedBounds();
  CHECK(frame.right >= left + t.W(L"zwei drei"));

  TPixelCanvas without(300, 200);
  mtest::PrepareCanvas(without.Canvas());
  args.Canvas = &without.Canvas();
  args.FocusIndex = -1;
  DrawMarkup(args, r);
  CHECK(r.FocusAddress.empty());
  CHECK_FALSE(mtest::SamePixels(t.Target, without));
  int differing = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < left - 1; ++x) differing += t.Target.Pixel(x, y) != without.Pixel(x, y);
  CHECK(differing == 0);

  // Across a line break the frame is drawn on both lines.
  TPixelCanvas wrapped(300, 200);
  mtest::PrepareCanvas(wrapped.Canvas());
  TMarkupArgs across = MarkupArgs(wrapped.Canvas(), L"<A href=\"c\">erste zwei</A>",
                                  TRect(0, 0, t.W(L"erste ") + 2, 200));
  across.FocusIndex = 0;
  DrawMarkup(across, r);
  CHECK(r.FocusAddress == L"c");
  TPixelCanvas plainWrapped(300, 200);
  mtest::PrepareCanvas(plainWrapped.Canvas());
  across.Canvas = &plainWrapped.Canvas();
  across.FocusIndex = -1;
  DrawMarkup(across, r);
  int firstLine = 0, secondLine = 0;
  for (int x = 0; x < 300; ++x) {
    for (int y = 0; y < t.Gh + 1; ++y) firstLine += wrapped.Pixel(x, y) != plainWrapped.Pixel(x, y);
    for (int y = t.Gh + 1; y < 2 * t.Gh + 2; ++y)
      secondLine += wrapped.Pixel(x, y) != plainWrapped.Pixel(x, y);
  }
  CHECK(firstLine > 0);
  CHECK(secondLine > 0);
}

TEST_CASE("a closing anchor tag without an open anchor draws no focus frame") {
  // Painting with FocusIndex -1 (no focus), which a stray "</A>" (number
  // 0) would otherwise match.
  THitTest stray, plain;
  TMarkupResult r;
  DrawMarkup(UseArgs(stray.Target.Canvas(), L"Text</A> mehr", TRect(0, 0, 300, 200), muPaint), r);
  DrawMarkup(UseArgs(plain.Target.Canvas(), L"Text mehr", TRect(0, 0, 300, 200), muPaint), r);
  CHECK(mtest::SamePixels(stray.Target, plain.Target));
}

TEST_CASE("the canvas's font and background are those of entry on return") {
  THitTest t;
  TCanvas &c = t.Target.Canvas();
  c.SetBrushStyle(bsSolid);
  c.SetBrushColor(RGBColor(1, 2, 3));
  c.Font().SetColor(RGBColor(4, 5, 6));
  const TFont before = c.Font();
  for (TMarkupUse use : {muPaint, muHitTest, muLayout, muMeasure}) {
    TMarkupResult r;
    DrawMarkup(UseArgs(c,
                       L"<B><I><U><S><FONT face=\"Courier\" size=\"5\" color=\"clred\" "
                       L"bgcolor=\"clyellow\"><HI><A href=\"x\"><R a=\"45\"><P "
                       L"bgcolor=\"clred\">offen <BODY bgcolor=\"clblue\"><LI type=\"square\">",
                       TRect(0, 0, 300, 200), use),
               r);
    CHECK(c.Font().Name() == before.Name());
    CHECK(c.Font().Height() == before.Height());
    CHECK(c.Font().Style() == before.Style());
    CHECK(c.Font().Color() == before.Color());
    CHECK(c.Font().Orientation() == 0);
    CHECK(c.BrushStyle() == bsSolid);
    CHECK(c.BrushColor() == RGBColor(1, 2, 3));
  }
}

TEST_CASE("anchor regions listed once answer every point as a hit test there does") {
  THitTest t;
  const std::wstring texts[] = {
      L"Bitte <A href=\"http://x\">lesen Sie die Hinweise</A> hier, <A href=\"b\">oder</A> "
      L"<A href=\"c\">dort</A>.<BR><P align=\"center\"><A href=\"d\">mitte</A></P>",
      L"<FONT size=\"5\">Groß <A href=\"g\">und</A></FONT> klein <A href=\"k\">link</A>"
      L"<BR><SUP><A href=\"s\">hoch</A></SUP><SUB>tief</SUB><A href=\"\">leer</A>",
  };
  for (const std::wstring &text : texts) {
    std::vector<TMarkupRegion> regions;
    TMarkupArgs args = UseArgs(t.Target.Canvas(), text, TRect(0, 0, 120, 200), muHitTest);
    args.Regions = &regions;
    TMarkupResult listed;
    DrawMarkup(args, listed);
    REQUIRE(!regions.empty());
    int hits = 0;
    for (int y = -2; y < 90; ++y)
      for (int x = -2; x < 130; x += 1) {
        TMarkupResult r;
        const bool hit = t.At(text, x, y, r, TRect(0, 0, 120, 200));
        std::wstring address;
        CAPTURE(x);
        CAPTURE(y);
        REQUIRE(MarkupRegionAt(regions, x, y, address) == hit);
        if (hit) {
          ++hits;
          REQUIRE(address == r.HitAddress);
        }
      }
    CHECK(hits > 100);
  }
}
