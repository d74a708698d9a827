// Images in markup: image lists, system icons, named pictures and the
// picture cache; their room on the line, alignment, hits and backgrounds.
#include <doctest.h>

#include <vector>

#include "base/streams.h"
#include "markup/draw_markup.h"
#include "markup_test_support.h"
#include "ui/bitmap.h"

using mtest::ChunkWidth;
using mtest::CountColor;
using mtest::MarkupArgs;
using mtest::SamePixels;
using mtest::TPixelCanvas;

namespace {
const TColor kGreen = RGBColor(0, 255, 0), kYellow = RGBColor(255, 255, 0),
             kNavy = RGBColor(0, 0, 128);

// One image of 20 x 20 in solid green.
struct TGreenList {
  TCustomImageList List{20, 20};
  TGreenList() {
    TBitmap bitmap(20, 20);
    bitmap.Canvas().SetBrushColor(kGreen);
    bitmap.Canvas().FillRect(TRect(0, 0, 20, 20));
    List.Add(bitmap);
  }
};

// A picture of AWidth x AHeight in one colour, as BMP data.
void LoadSolid(THTMLPicture &APicture, int AWidth, int AHeight, TColor AColor) {
  TBitmap bitmap(AWidth, AHeight, pf24bit);
  bitmap.Canvas().SetBrushColor(AColor);
  bitmap.Canvas().FillRect(TRect(0, 0, AWidth, AHeight));
  TMemoryStream data;
  bitmap.SaveToStream(data);
  data.SetPosition(0);
  APicture.LoadFromStream(data);
}

class TNames : public TPictureSource {
public:
  std::vector<std::wstring> Asked;
  THTMLPicture One, Two;
  TNames() {
    LoadSolid(One, 10, 6, kYellow);
    LoadSolid(Two, 10, 6, kNavy);
  }
  THTMLPicture *PictureByName(const std::wstring &AName) override {
    Asked.push_back(AName);
    if (AName == L"eins") return &One;
    if (AName == L"ZWEI") return &Two;
    return nullptr;
  }
};

struct TImages {
  TPixelCanvas Target{200, 120};
  TGreenList Green;
  int Gh;
  TImages() {
    mtest::PrepareCanvas(Target.Canvas());
    Gh = Target.Canvas().TextHeight(L"gh");
  }
  TMarkupArgs Args(const std::wstring &AText, TRect ABounds = TRect(0, 0, 200, 120)) {
    TMarkupArgs args = MarkupArgs(Target.Canvas(), AText, ABounds);
    args.Images = &Green.List;
    return args;
  }
  TMarkupResult Measure(const std::wstring &AText, TRect ABounds = TRect(0, 0, 200, 120)) {
    TMarkupArgs args = Args(AText, ABounds);
    args.MeasureOnly = true;
    TMarkupResult r;
    DrawMarkup(args, r);
    return r;
  }
};
} // namespace

TEST_CASE("image-list images take their room and are drawn; unknown indexes take none") {
  TImages t;
  TMarkupResult r = t.Measure(L"<IMG src=\"IDX:0\">");
  CHECK(r.LaidOutWidth == 20 + 2);
  CHECK(r.LaidOutHeight == 20);
  // Any letter case; nothing after the prefix reads as 0.
  CHECK(t.Measure(L"<IMG src=\"idx:\">").LaidOutHeight == 20);
  for (const wchar_t *text : {L"<IMG src=\"IDX:1\">", L"<IMG src=\"IDX:-1\">", L"<IMG>",
                              L"<IMG src=\"gibtsnicht\">"}) {
    CAPTURE(WideToUtf8(text));
    TMarkupResult none = t.Measure(text);
    CHECK(none.LaidOutWidth == 0);
    CHECK(none.LaidOutHeight == t.Gh);
  }
  TMarkupArgs args = t.Args(L"a<IMG src=\"IDX:0\">b");
  TMarkupResult drawn;
  DrawMarkup(args, drawn);
  const int a = ChunkWidth(t.Target.Canvas(), L"a");
  CHECK(CountColor(t.Target, kGreen, TRect(a, 0, a + 20, 20)) == 400);
  CHECK(CountColor(t.Target, kGreen, TRect(0, 0, 200, 120)) == 400);
  // Without a list the same markup takes no room.
  args.Images = nullptr;
  args.MeasureOnly = true;
  DrawMarkup(args, drawn);
  CHECK(drawn.LaidOutHeight == t.Gh);
}

TEST_CASE("an image that does not fit moves to the next line unless wider than the line") {
  TImages t;
  CHECK(t.Measure(L"<IND x=\"90\"><IMG src=\"IDX:0\">", TRect(0, 0, 100, 120)).LaidOutHeight ==
        t.Gh + 20);
  CHECK(t.Measure(L"<IND x=\"70\"><IMG src=\"IDX:0\">", TRect(0, 0, 100, 120)).LaidOutHeight == 20);
  CHECK(t.Measure(L"a<IMG src=\"IDX:0\">", TRect(0, 0, 10, 120)).LaidOutHeight == 20);
}

TEST_CASE("image alignment: top and middle lift the line's text, wrap keeps the line low") {
  for (int align = 0; align < 3; ++align) {
    TImages t;
    const wchar_t *attribute[] = {L"", L" align=\"top\"", L" align=\"middle\""};
    TMarkupResult r;
    DrawMarkup(t.Args(std::wstring(L"ab<IMG src=\"IDX:0\"") + attribute[align] + L">"), r);
    const int lift[] = {0, 20 - t.Gh, (20 - t.Gh) / 2};
    TPixelCanvas expected(200, 120);
    mtest::PrepareCanvas(expected.Canvas());
    TRect text(0, 0, 200, 20 - lift[align]);
    expected.Canvas().TextRect(text, L"ab", DT_BOTTOM | DT_SINGLELINE);
    const int ab = ChunkWidth(t.Target.Canvas(), L"ab");
    expected.Canvas().SetBrushStyle(bsSolid);
    expected.Canvas().SetBrushColor(kGreen);
    expected.Canvas().FillRect(TRect(ab, 0, ab + 20, 20));
    CAPTURE(align);
    CHECK(SamePixels(t.Target, expected));
  }
  TImages t;
  CHECK(t.Measure(L"<IMG src=\"IDX:0\" wrap>a<br>b").LaidOutHeight == 2 * t.Gh);
}

TEST_CASE("an image inside an anchor is hit in every mode, and shows its ALT while hit") {
  TImages t;
  TMarkupArgs args = t.Args(L"<A href=\"bild\"><IMG src=\"IDX:0\"></A>");
  args.PointX = 5;
  args.PointY = 5;
  args.HitTestOnly = true;
  TMarkupResult r;
  CHECK(DrawMarkup(args, r));
  CHECK(r.HitAddress == L"bild");
  args.HitTestOnly = false; // painting reports image hits too
  CHECK(DrawMarkup(args, r));
  args.PointX = 25;
  r.HitAddress.clear();
  CHECK_FALSE(DrawMarkup(args, r));
  CHECK(r.HitAddress.empty());

  TNames names;
  TMarkupArgs alt = t.Args(L"<A href=\"x\"><IMG src=\"eins\" alt=\"zwei\"></A>");
  alt.PictureSource = &names;
  alt.PointX = 3;
  alt.PointY = 3;
  DrawMarkup(alt, r);
  // The measuring pass found the point on image 1; the drawing pass shows
  // the other picture.
  CHECK(names.Asked == std::vector<std::wstring>{L"eins", L"ZWEI"});
  CHECK(CountColor(t.Target, kNavy, TRect(0, 0, 10, 6)) == 60);
}

TEST_CASE("named pictures: natural size, or stretched to a given width and height") {
  TImages t;
  TNames names;
  TMarkupArgs args = t.Args(L"<IMG src=\"eins\">x");
  args.PictureSource = &names;
  TMarkupResult r;
  DrawMarkup(args, r);
  CHECK(CountColor(t.Target, kYellow, TRect(0, 0, 200, 120)) == 60);
  CHECK(t.Target.Pixel(9, 5) == kYellow);
  // Names with a colon are no names: no picture source is asked.
  names.Asked.clear();
  args.Text = L"<IMG src=\"a:b\">";
  DrawMarkup(args, r);
  CHECK(names.Asked.empty());

  TImages s;
  TMarkupArgs stretched = s.Args(L"<IMG src=\"eins\" width=\"30\" height=\"18\">");
  stretched.PictureSource = &names;
  DrawMarkup(stretched, r);
  CHECK(CountColor(s.Target, kYellow, TRect(0, 0, 200, 120)) == 30 * 18);
  stretched.MeasureOnly = true;
  DrawMarkup(stretched, r);
  CHECK(r.LaidOutWidth == 30 + 2);
  CHECK(r.LaidOutHeight == 18);
}

TEST_CASE("addressed pictures load once into the caller's cache; failures take no room") {
  TImages t;
  TPictureCache cache;
  TMarkupArgs args = t.Args(L"<IMG src=\"RES://TESTBMP\"><IMG src=\"RES://BROKEN\">"
                            L"<IMG src=\"FILE://Z:\\gibt\\es\\nicht.bmp\"><IMG src=\"http://x/y.gif\">");
  args.PictureCache = &cache;
  TMarkupResult r;
  DrawMarkup(args, r);
  REQUIRE(cache.size() == 4);
  CHECK(cache[0]->ID() == L"RES://TESTBMP");
  CHECK(cache[1]->ID() == L"RES://BROKEN");
  CHECK(CountColor(t.Target, kYellow, TRect(0, 0, 5, 6)) == 30);
  CHECK(CountColor(t.Target, kNavy, TRect(5, 0, 10, 6)) == 30);
  args.MeasureOnly = true;
  DrawMarkup(args, r);
  CHECK(cache.size() == 4);
  CHECK(r.LaidOutWidth == 10 + 2);
  CHECK(r.LaidOutHeight == t.Gh);
}

TEST_CASE("body: colour over the box, gradients, tiled and corner pictures") {
  const TRect box(20, 10, 180, 110);
  {
    TImages t;
    TMarkupResult r;
    DrawMarkup(t.Args(L"<BODY bgcolor=\"clyellow\">", box), r);
    CHECK(CountColor(t.Target, kYellow, TRect(0, 0, 200, 120)) == 162 * 100);
    CHECK(t.Target.Pixel(18, 10) == kYellow);
  }
  {
    TImages t;
    TMarkupResult r;
    DrawMarkup(t.Args(L"<BODY bgcolor=\"#000000\" bgcolorto=\"#FF0000\" dir=\"V\">", box), r);
    CHECK(t.Target.Pixel(100, 10) == RGBColor(0, 0, 0));
    CHECK((t.Target.Pixel(100, 109) & 0xFF) > 240);
    CHECK(t.Target.Pixel(20, 60) == t.Target.Pixel(179, 60));
  }
  {
    // Tiled from the box's corner, clipped to it.
    TImages t;
    TPictureCache cache;
    TMarkupArgs args = t.Args(L"<BODY background=\"res://testbmp\">", box);
    args.PictureCache = &cache;
    TMarkupResult r;
    DrawMarkup(args, r);
    bool tiled = true;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x)
        tiled &= t.Target.Pixel(x, y) == ((x - box.left) % 10 < 5 ? kYellow : kNavy);
    CHECK(tiled);
    CHECK(t.Target.Pixel(box.left - 1, box.top) == RGBColor(255, 255, 255));
    CHECK(t.Target.Pixel(box.left, box.bottom) == RGBColor(255, 255, 255));
  }
  {
    TImages t;
    TPictureCache cache;
    TMarkupArgs args = t.Args(L"<BODY bgtopleft=\"RES://TESTBMP\" bgtopright=\"RES://TESTBMP\">", box);
    args.PictureCache = &cache;
    TMarkupResult r;
    DrawMarkup(args, r);
    CHECK(CountColor(t.Target, kYellow, TRect(0, 0, 200, 120)) == 60);
    CHECK(t.Target.Pixel(box.left, box.top) == kYellow);
    CHECK(t.Target.Pixel(box.right - 10, box.top) == kYellow);
    CHECK(t.Target.Pixel(box.right - 1, box.top) == kNavy);
    // Colours kept: the body draws nothing.
    TImages k;
    TMarkupArgs kept = k.Args(L"<BODY bgcolor=\"clyellow\">", box);
    kept.KeepColors = true;
    DrawMarkup(kept, r);
    CHECK(k.Target.Changed() == 0);
  }
}

TEST_CASE("system icons and stretched list images") {
  TImages t;
  const SIZE small{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  TMarkupResult r = t.Measure(L"<IMG src=\"SSYS:.txt\">");
  CHECK(r.LaidOutWidth == small.cx + 2);
  TMarkupArgs args = t.Args(L"<IMG src=\"SSYS:.txt\">");
  DrawMarkup(args, r);
  TRect drawn = t.Target.ChangedBounds();
  CHECK(t.Target.Changed() > 0);
  CHECK(drawn.right <= small.cx);
  CHECK(drawn.bottom <= small.cy);

  TImages s;
  TMarkupArgs stretched = s.Args(L"<IMG src=\"IDX:0\">");
  stretched.StretchImages = true;
  stretched.ImageScale = 1.5;
  DrawMarkup(stretched, r);
  CHECK(CountColor(s.Target, kGreen, TRect(0, 0, 200, 120)) == 30 * 30);
}
