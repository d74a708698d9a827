// Laying markup out: lines, chunks, widths and heights as the engine
// measures them, compared with the platform's own text measuring.
#include <doctest.h>

#include "base/exception.h"
#include "markup/draw_markup.h"
#include "markup_test_support.h"

using mtest::ChunkWidth;
using mtest::MarkupArgs;
using mtest::TPixelCanvas;
using mtest::UseArgs;

namespace {
struct TLayout {
  TPixelCanvas Target{400, 300};
  int Gh;
  TLayout() {
    mtest::PrepareCanvas(Target.Canvas());
    Gh = Target.Canvas().TextHeight(L"gh");
  }
  TCanvas &Canvas() { return Target.Canvas(); }
  TMarkupResult Measure(const std::wstring &AText, const TRect &ABounds = TRect(0, 0, 400, 300),
                        bool AWordWrap = true) {
    TMarkupArgs args = MarkupArgs(Canvas(), AText, ABounds);
    args.MeasureOnly = true;
    args.WordWrap = AWordWrap;
    TMarkupResult result;
    CHECK_FALSE(DrawMarkup(args, result));
    return result;
  }
  int W(const std::wstring &AText) { return ChunkWidth(Canvas(), AText); }
};
} // namespace

TEST_CASE("an empty text lays out one text height and nothing else") {
  TLayout t;
  for (const wchar_t *text : {L"", L"   \t ", L"<B></B>"}) {
    TMarkupResult r = t.Measure(text);
    CHECK(r.LaidOutHeight == t.Gh);
    CHECK(r.LaidOutWidth == 0);
    CHECK(r.PlainText.empty());
    CHECK(r.AnchorCount == 0);
    CHECK(r.HitNumber == -1);
  }
}

TEST_CASE("line breaks: CR LF starts a line, a lone LF joins the words") {
  TLayout t;
  TMarkupResult two = t.Measure(L"eins\r\nzweite");
  CHECK(two.LaidOutHeight == 2 * t.Gh);
  CHECK(two.PlainText == L"eins\rzweite");
  CHECK(two.LaidOutWidth == t.W(L"zweite") + 2);

  TMarkupResult one = t.Measure(L"eins\nzweite");
  CHECK(one.LaidOutHeight == t.Gh);
  CHECK(one.PlainText == L"einszweite");

  // <BR> does the same, and leading blanks of a line are dropped.
  TMarkupResult tag = t.Measure(L"eins<br>   zweite");
  CHECK(tag.LaidOutHeight == 2 * t.Gh);
  CHECK(tag.PlainText == L"eins\rzweite");
}

TEST_CASE("a < starts a tag up to the next >; &lt; and &gt; show instead") {
  TLayout t;
  CHECK(t.Measure(L"a <gibt es nicht> b").PlainText == L"a  b");
  CHECK(t.Measure(L"a <b").PlainText == L"a ");     // no ">": the rest is gone
  CHECK(t.Measure(L"a <").PlainText == L"a ");      // a trailing "<" is dropped
  TMarkupResult shown = t.Measure(L"&lt;b&gt;fett&lt;/b&gt;");
  CHECK(shown.PlainText == L"<b>fett</b>");
  CHECK(shown.LaidOutWidth == t.W(L"<b>fett</b>") + 2);
  // "<#...>" shows its content.
  CHECK(t.Measure(L"Nr. <#42> ist da").PlainText == L"Nr. #42 ist da");
}

TEST_CASE("&amp; is one ampersand, and two in a text that holds \" & \"") {
  TLayout t;
  TMarkupResult prefixed = t.Measure(L"x&amp;y");
  CHECK(prefixed.PlainText == L"x&&y");
  CHECK(prefixed.LaidOutWidth == t.W(L"x&&y") + 2);

  TMarkupResult plain = t.Measure(L"x&amp;y & z");
  CHECK(plain.PlainText == L"x&&y & z");
  CHECK(plain.LaidOutWidth == ChunkWidth(t.Canvas(), L"x&&y & z", DT_NOPREFIX) + 2);
  CHECK(plain.LaidOutWidth > prefixed.LaidOutWidth + t.W(L"& z"));
}

TEST_CASE("word wrap: lines fill up to the width; a chunk wider than the line stays put") {
  TLayout t;
  const std::wstring text = L"Wort Wort Wort Wort Wort";
  const int word = t.W(L"Wort ");
  TMarkupResult r = t.Measure(text, TRect(10, 0, 10 + 2 * word + 1, 300));
  // "Wort Wort " | "Wort Wort " | "Wort"
  CHECK(r.LaidOutHeight == 3 * t.Gh);
  CHECK(r.LaidOutWidth == 2 * word - t.W(L" ") + 2);
  CHECK(r.PlainText == text);
  // One pixel less and two words fit only where the second has no space.
  CHECK(t.Measure(text, TRect(10, 0, 10 + 2 * word, 300)).LaidOutHeight == 4 * t.Gh);

  // A word wider than the box begins a line alone, or stays where it
  // stands after others, and overflows.
  const int longWord = t.W(L"Donaudampfschifffahrtsgesellschaft");
  TMarkupResult alone = t.Measure(L"Donaudampfschifffahrtsgesellschaft cd", TRect(0, 0, 40, 300));
  CHECK(alone.LaidOutHeight == 2 * t.Gh);
  CHECK(alone.LaidOutWidth == longWord + 2);
  TMarkupResult after = t.Measure(L"ab Donaudampfschifffahrtsgesellschaft cd", TRect(0, 0, 40, 300));
  CHECK(after.LaidOutHeight == 2 * t.Gh);
  CHECK(after.LaidOutWidth == t.W(L"ab ") + longWord + 2);

  // In a box of no width every chunk is wider than the line.
  CHECK(t.Measure(L"a b c", TRect(50, 0, 50, 300)).LaidOutHeight == t.Gh);
  CHECK(t.Measure(L"a b c", TRect(50, 0, 20, 300)).LaidOutHeight == t.Gh);
}

TEST_CASE("LaidOutWidth is 2 more than the widest line") {
  TLayout t;
  TMarkupResult r = t.Measure(L"kurz<br>etwas laengere Zeile<br>mittel lang");
  CHECK(r.LaidOutWidth == t.W(L"etwas laengere Zeile") + 2);
}

TEST_CASE("lines below the rectangle count only when measuring") {
  TLayout t;
  const std::wstring five = L"1<br>2<br>3<br>4<br>5";
  const TRect box(0, 10, 200, 10 + 2 * t.Gh + 4);
  CHECK(t.Measure(five, box).LaidOutHeight == 5 * t.Gh);
  // Drawing and hit-testing stop once a line would start without room.
  for (bool hitTest : {false, true}) {
    TMarkupArgs args = MarkupArgs(t.Canvas(), five, box);
    args.HitTestOnly = hitTest;
    TMarkupResult r;
    DrawMarkup(args, r);
    CHECK(r.LaidOutHeight == 2 * t.Gh);
  }
  CHECK(t.Target.ChangedBounds().bottom <= 10 + 2 * t.Gh);
  // The first line is laid out even in a box too small for it.
  TMarkupArgs tiny = MarkupArgs(t.Canvas(), five, TRect(0, 0, 200, 2));
  TMarkupResult r;
  DrawMarkup(tiny, r);
  CHECK(r.LaidOutHeight == t.Gh);
}

TEST_CASE("hidden text counts for height and plain text only") {
  TLayout t;
  TMarkupResult r = t.Measure(L"vorne <Z>hinten und mehr");
  CHECK(r.PlainText == L"vorne hinten und mehr");
  CHECK(r.LaidOutWidth == t.W(L"vorne ") - t.W(L" ") + 2);
  TMarkupResult closed = t.Measure(L"a<Z>versteckt</Z>c");
  CHECK(closed.LaidOutWidth == t.W(L"a") + t.W(L"c") + 2);
}

TEST_CASE("measuring agrees with laying out for drawing when state spans lines") {
  TLayout t;
  for (const wchar_t *text : {L"<Z>versteckt<br>auch versteckt</Z>sichtbar",
                              L"<Z>x<br>y<br>z", L"<A href=\"a\">eins<br>zwei</A> drei"}) {
    CAPTURE(WideToUtf8(text));
    TMarkupResult measured = t.Measure(text);
    TMarkupResult laidOut;
    DrawMarkup(UseArgs(t.Canvas(), text, TRect(0, 0, 400, 300), muLayout), laidOut);
    CHECK(measured.LaidOutWidth == laidOut.LaidOutWidth);
    CHECK(measured.LaidOutHeight == laidOut.LaidOutHeight);
  }
  CHECK(t.Measure(L"<Z>versteckt<br>auch versteckt</Z>da").LaidOutWidth == t.W(L"da") + 2);
}

TEST_CASE("without word wrap a text run is one chunk and the line keeps to the box") {
  TLayout t;
  const std::wstring text = L"ein sehr langer Text ohne jeden Umbruch darin";
  TMarkupResult wrapped = t.Measure(text, TRect(0, 0, 80, 300), true);
  CHECK(wrapped.LaidOutHeight > t.Gh);
  TMarkupResult cut = t.Measure(text, TRect(0, 0, 80, 300), false);
  CHECK(cut.LaidOutHeight == t.Gh);
  CHECK(cut.LaidOutWidth <= 80 + 2);
  // A tag ends the run.
  CHECK(t.Measure(L"eins zwei<br>drei vier", TRect(0, 0, 400, 300), false).LaidOutHeight ==
        2 * t.Gh);
}

TEST_CASE("font sizes: 1 to 5 from the table, other numbers as points, quotes decide") {
  TPixelCanvas target(300, 100);
  TCanvas &canvas = target.Canvas();
  mtest::PrepareCanvas(canvas);
  // A base font so small that every line is as high as its sized text.
  canvas.Font().SetHeight(-2);
  auto heightOf = [&](int APoints) {
    TFont font;
    font.SetName(L"Tahoma");
    font.SetSize(APoints);
    TPixelCanvas probe(10, 10);
    probe.Canvas().Font().Assign(font);
    return probe.Canvas().TextHeight(L"gh");
  };
  auto measured = [&](const std::wstring &ATag) {
    TMarkupArgs args = MarkupArgs(canvas, ATag + L"Xg", TRect(0, 0, 300, 100));
    args.MeasureOnly = true;
    TMarkupResult r;
    DrawMarkup(args, r);
    return r.LaidOutHeight;
  };
  CHECK(measured(L"<FONT size=\"3\">") == heightOf(12));
  CHECK(measured(L"<FONT size=\"1\">") == heightOf(8));
  CHECK(measured(L"<FONT size=\"5\">") == heightOf(16));
  CHECK(measured(L"<FONT size=\"7\">") == heightOf(7));
  CHECK(measured(L"<FONT size=\"24\">") == heightOf(24));
  CHECK(measured(L"<FONT size=\"abc\">") == heightOf(0));
  // Sizes beyond 400 points would take the platform seconds to draw.
  CHECK(measured(L"<FONT size=\"99999\">") == heightOf(400));
  // Unquoted: read after "=" while no quote follows in the tag ...
  CHECK(measured(L"<FONT size=3>") == heightOf(12));
  // ... else after that quote: a colour name is no number.
  CHECK(measured(L"<FONT size=3 color=\"clred\">") == heightOf(0));
  CHECK(measured(L"<FONT color=\"clred\" size=\"4\">") == heightOf(14));
  // Only a closed tag acts.
  CHECK(measured(L"<FONT size=\"5\"") == canvas.TextHeight(L"gh"));
}

TEST_CASE("fonts do not nest: a closing font tag returns to the base font") {
  TLayout t;
  TMarkupResult r = t.Measure(L"<FONT size=\"5\"><FONT size=\"1\">a</FONT>b<br>c");
  // "b" and "c" are in the base font: both lines are one text high.
  CHECK(r.LaidOutHeight == 2 * t.Gh);
}

TEST_CASE("lists: levels indent by 12, each item is a line, <UL> ends one and </UL> not") {
  TLayout t;
  TMarkupResult one = t.Measure(L"<UL><LI>eins");
  CHECK(one.LaidOutHeight == 2 * t.Gh); // the line <UL> ended, then the item
  CHECK(one.LaidOutWidth == 12 + t.W(L"eins") + 2);

  TMarkupResult two = t.Measure(L"<UL><UL><LI>x");
  CHECK(two.LaidOutHeight == 3 * t.Gh);
  CHECK(two.LaidOutWidth == 24 + t.W(L"x") + 2);

  CHECK(t.Measure(L"<UL><LI>a<LI>b<LI>c").LaidOutHeight == 4 * t.Gh);
  TMarkupResult after = t.Measure(L"<UL><LI>a</UL>b");
  CHECK(after.LaidOutHeight == 2 * t.Gh);
  CHECK(after.PlainText == L"ab");
  // A list item outside a list takes no room.
  CHECK(t.Measure(L"<LI>frei").LaidOutWidth == t.W(L"frei") + 2);
}

TEST_CASE("indent to a position and offsets move the width so far") {
  TLayout t;
  CHECK(t.Measure(L"<IND x=\"50\">a").LaidOutWidth == 50 + t.W(L"a") + 2);
  // Not a whole number: no effect; a position already passed: no effect.
  CHECK(t.Measure(L"<IND x=\"50px\">a").LaidOutWidth == t.W(L"a") + 2);
  CHECK(t.Measure(L"abc<IND x=\"1\">").LaidOutWidth == t.W(L"abc") + 2);
  // An offset narrows following lines: "a b" no longer fits on one.
  const int box = 40 + t.W(L"a b") - 2;
  CHECK(t.Measure(L"a b", TRect(0, 0, box, 300)).LaidOutHeight == t.Gh);
  CHECK(t.Measure(L"<OFS x=\"40\"><br>a b", TRect(0, 0, box, 300)).LaidOutHeight == 3 * t.Gh);
  CHECK(t.Measure(L"<OFS x=\"40\"></OFS><br>a b", TRect(0, 0, box, 300)).LaidOutHeight ==
        2 * t.Gh);
}

TEST_CASE("superscript and subscript make room of a quarter of the text height") {
  TLayout t;
  CHECK(t.Measure(L"x<SUP>2</SUP>").LaidOutHeight == t.Gh + t.Gh / 4);
  CHECK(t.Measure(L"H<SUB>2</SUB>O").LaidOutHeight == t.Gh + t.Gh / 4);
  CHECK(t.Measure(L"a<SUP>b<SUB>c").LaidOutHeight == t.Gh + 2 * (t.Gh / 4));
  // They end with the line.
  CHECK(t.Measure(L"x<SUP>2<br>y").LaidOutHeight == 2 * t.Gh + t.Gh / 4);
  // Only the exact tags count.
  CHECK(t.Measure(L"x<SUPER>2").LaidOutHeight == t.Gh);
}

TEST_CASE("LineSpacing adds to every line") {
  TLayout t;
  TMarkupArgs args = MarkupArgs(t.Canvas(), L"a<br>b<br>c", TRect(0, 0, 400, 300));
  args.MeasureOnly = true;
  args.LineSpacing = 5;
  TMarkupResult r;
  DrawMarkup(args, r);
  CHECK(r.LaidOutHeight == 3 * (t.Gh + 5));
}
