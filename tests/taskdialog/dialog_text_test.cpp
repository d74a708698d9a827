// Dialog texts with the backslash-n line marker: finding the marker,
// splitting into lines and measuring them as the command link draws them;
// the dialog's fixed uses of the markup engine.
#include <doctest.h>

#include <vector>

#include "taskdialog/dialog_text.h"
#include "ui/bitmap.h"
#include "ui/handles.h"

namespace {
std::vector<std::wstring> Split(const std::wstring &AText) {
  TStringList lines;
  SplitLines(AText, &lines);
  return {lines.begin(), lines.end()};
}
using TLines = std::vector<std::wstring>;

// The platform's text extent, asked directly with a font of its own.
SIZE Extent(TCanvas &ACanvas, const TFont &AFont, const std::wstring &AText) {
  TSelectedObject font(ACanvas.Handle(), AFont.Handle());
  SIZE size{0, 0};
  GetTextExtentPoint32W(ACanvas.Handle(), AText.c_str(), int(AText.size()), &size);
  return size;
}

// A white canvas of 200 x 120 in the font the dialog hands its canvas over in.
struct TWhiteCanvas {
  TBitmap Target{200, 120};
  TWhiteCanvas() {
    TCanvas &c = Target.Canvas();
    c.SetBrushColor(clWhite);
    c.FillRect(TRect(0, 0, 200, 120));
    c.Font().SetName(L"Tahoma");
    c.Font().SetHeight(-11);
    c.SetBrushStyle(bsClear);
  }
  bool SamePixels(TWhiteCanvas &AOther) {
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 200; ++x)
        if (GetPixel(Target.Canvas().Handle(), x, y) !=
            GetPixel(AOther.Target.Canvas().Handle(), x, y))
          return false;
    return true;
  }
};
} // namespace

TEST_CASE("TrimSpaces takes spaces only") {
  CHECK(TrimSpaces(L"   a b   ") == L"a b");
  CHECK(TrimSpaces(L"\t a \t") == L"\t a \t");
  CHECK(TrimSpaces(L"      ") == L"");
  CHECK(TrimSpaces(L"") == L"");
}

TEST_CASE("HasLineMarker: a backslash-n marks a line unless it follows a colon") {
  CHECK(HasLineMarker(L"Erste Zeile\\nzweite Zeile"));
  CHECK(!HasLineMarker(L"Datei C:\\neu.txt fehlt"));
  // The first marker decides: after a colon, later ones do not count.
  CHECK(!HasLineMarker(L"C:\\neu\\nzweite"));
  CHECK(HasLineMarker(L"erste\\nC:\\neu"));
  CHECK(!HasLineMarker(L"ein\nechter Zeilenvorschub"));
  CHECK(!HasLineMarker(L"Pfad\\datei"));
  CHECK(!HasLineMarker(L""));
  // A text that opens with the marker has an empty first line.
  CHECK(HasLineMarker(L"\\nnur eine Notiz"));
}

TEST_CASE("SplitLines cuts at markers, else at carriage returns, and trims spaces") {
  CHECK(Split(L"  Speichern \\n  Die Datei wird überschrieben.  ") ==
        TLines{L"Speichern", L"Die Datei wird überschrieben."});
  CHECK(Split(L"eins\r\nzwei") == TLines{L"eins", L"zwei"});
  // A lone carriage return swallows the character after it.
  CHECK(Split(L"eins\rzwei") == TLines{L"eins", L"wei"});
  CHECK(Split(L"eins\r") == TLines{L"eins"});
  // Empty lines stay, a trailing marker adds none.
  CHECK(Split(L"a\\n\\nb\\n") == TLines{L"a", L"", L"b"});
  CHECK(Split(L"\\nNotiz") == TLines{L"", L"Notiz"});
  // Without marker or carriage return the text stays whole, spaces and all.
  CHECK(Split(L"  C:\\neu  ") == TLines{L"  C:\\neu  "});
  CHECK(Split(L"").empty());
  SplitLines(L"a\\nb", nullptr);
}

TEST_CASE("SplitLines on long texts of many lines") {
  std::wstring text;
  for (int i = 0; i < 2000; ++i) text += L"Zeile \\n";
  CHECK(Split(text).size() == 2000);
  CHECK(Split(text).back() == L"Zeile");
}

TEST_CASE("MeasureLines measures every line as the platform measures it") {
  TBitmap target(10, 10);
  TCanvas &canvas = target.Canvas();
  TFont heading, note;
  heading.SetName(L"Tahoma");
  heading.SetHeight(-16);
  heading.SetStyle(fsBold);
  note.SetName(L"Tahoma");
  note.SetHeight(-11);
  canvas.Font().SetName(L"Symbol");
  const UINT flags = DT_NOPREFIX;

  SIZE h1 = Extent(canvas, heading, L"Jetzt speichern");
  SIZE n1 = Extent(canvas, note, L"Die Änderungen gehen sonst verloren und das ist lang");
  SIZE n2 = Extent(canvas, note, L"kurz");
  REQUIRE(h1.cx > 0);
  REQUIRE(n1.cx > h1.cx);

  const std::wstring text =
      L"Jetzt speichern\\nDie Änderungen gehen sonst verloren und das ist lang\\n\\nkurz";
  SIZE link = MeasureLines(&canvas, text, heading, note, flags, true);
  CHECK(link.cx == n1.cx + 8);
  CHECK(link.cy == h1.cy + 10 + n1.cy + 2 + n2.cy + 2);
  SIZE plain = MeasureLines(&canvas, text, heading, note, flags, false);
  CHECK(plain.cx == n1.cx);
  CHECK(plain.cy == h1.cy + n1.cy + n2.cy);

  // An empty first line adds nothing; the notes still count.
  SIZE noHeading = MeasureLines(&canvas, L"\\nkurz", heading, note, flags, true);
  CHECK(noHeading.cx == n2.cx + 8);
  CHECK(noHeading.cy == n2.cy + 2);

  // One line: measured whole in the first font, without the link's room.
  SIZE single = MeasureLines(&canvas, L"Jetzt speichern", heading, note, flags, true);
  CHECK(single.cx == h1.cx);
  CHECK(single.cy == h1.cy);

  // Carriage returns split too.
  SIZE cr = MeasureLines(&canvas, L"Jetzt speichern\r\nkurz", heading, note, flags, false);
  CHECK(cr.cy == h1.cy + n2.cy);

  // The canvas keeps its font.
  CHECK(canvas.Font().Name() == L"Symbol");
  CHECK(canvas.Font().Height() == -11);

  // The options reach the platform: with prefix processing "&&" is one "&".
  SIZE prefixed = MeasureLines(&canvas, L"A&&B", heading, note, 0, false);
  SIZE literal = MeasureLines(&canvas, L"A&&B", heading, note, DT_NOPREFIX, false);
  CHECK(prefixed.cx == Extent(canvas, heading, L"A&B").cx);
  CHECK(literal.cx == Extent(canvas, heading, L"A&&B").cx);

  SIZE none = MeasureLines(nullptr, text, heading, note, flags, true);
  CHECK(none.cx == 0);
  CHECK(none.cy == 0);
}

TEST_CASE("the dialog's markup shows no pictures, system icons included, in any use") {
  const std::wstring icons =
      L"<BODY BGTOPLEFT=\"SSYS:0\">x<IMG src=\"LSYS:\\\\nohost\\teil\\a.txt\">";
  for (TMarkupUse use : {muPaint, muHitTest, muLayout, muMeasure}) {
    CAPTURE(int(use));
    TWhiteCanvas with, without;
    TMarkupResult a, b;
    DrawMarkup(DialogMarkupArgs(with.Target.Canvas(), icons, TRect(0, 0, 200, 120), use, 3, 3), a);
    DrawMarkup(DialogMarkupArgs(without.Target.Canvas(), L"x", TRect(0, 0, 200, 120), use, 3, 3),
               b);
    CHECK(a.LaidOutWidth > 0);
    CHECK(a.LaidOutWidth == b.LaidOutWidth);
    CHECK(a.LaidOutHeight == b.LaidOutHeight);
    CHECK(with.SamePixels(without));
  }
}
