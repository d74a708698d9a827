// The emulated dialog's bitmaps as the built program carries them: size,
// depth, transparent colour, and that each shows what it stands for.
#include <doctest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "screen_shot.h"
#include "test_support.h"
#include "ui/colors.h"

namespace {
constexpr TColor kMagenta = RGBColor(255, 0, 255);

int Luma(TColor C) {
  return (R(C) * 30 + G(C) * 59 + B(C) * 11) / 100;
}

// A bitmap resource read as stored, without the platform's loader.
struct TStoredBitmap {
  int Width = 0, Height = 0, BitCount = 0;
  std::vector<TColor> Palette;
  std::vector<TColor> Pixels; // top row first

  TColor At(int X, int Y) const { return Pixels.at(size_t(Y * Width + X)); }
  bool Opaque(int X, int Y) const { return At(X, Y) != kMagenta; }
  int OpaqueInColumn(int X) const {
    int n = 0;
    for (int y = 0; y < Height; ++y)
      n += Opaque(X, y) ? 1 : 0;
    return n;
  }
  // Mean colour of the opaque pixels.
  TColor Mean() const {
    long r = 0, g = 0, b = 0, n = 0;
    for (TColor c : Pixels)
      if (c != kMagenta) {
        r += R(c), g += G(c), b += B(c), ++n;
      }
    return n ? RGBColor(uint8_t(r / n), uint8_t(g / n), uint8_t(b / n)) : kMagenta;
  }
  // Mean row of the dark pixels (the chevron) in one column, inside the
  // rim; -1 for none.
  double DarkRow(int X) const {
    double sum = 0;
    int n = 0;
    for (int y = 4; y < Height - 4; ++y)
      if (Opaque(X, y) && Luma(At(X, y)) < 140) sum += y, ++n;
    return n ? sum / n : -1;
  }
};

class TProgramResources {
public:
  TProgramResources() {
    FModule = LoadLibraryExW(test::ProgramPath().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  ~TProgramResources() {
    if (FModule) FreeLibrary(FModule);
  }
  bool Loaded() const { return FModule != nullptr; }

  TStoredBitmap Bitmap(const wchar_t *AName) const {
    TStoredBitmap bmp;
    HRSRC info = FindResourceW(FModule, AName, MAKEINTRESOURCEW(2)); // RT_BITMAP
    REQUIRE_MESSAGE(info, "no bitmap resource");
    DWORD size = SizeofResource(FModule, info);
    const auto *data = static_cast<const BYTE *>(LockResource(LoadResource(FModule, info)));
    REQUIRE(data);
    REQUIRE(size >= sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof(h));
    bmp.Width = h.biWidth;
    bmp.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    bmp.BitCount = h.biBitCount;
    if (h.biBitCount != 8 || h.biCompression != BI_RGB) return bmp;
    int colours = h.biClrUsed ? int(h.biClrUsed) : 256;
    const BYTE *pal = data + h.biSize;
    for (int i = 0; i < colours; ++i)
      bmp.Palette.push_back(RGBColor(pal[i * 4 + 2], pal[i * 4 + 1], pal[i * 4]));
    const BYTE *bits = pal + colours * 4;
    size_t stride = (size_t(bmp.Width) + 3) / 4 * 4;
    REQUIRE(size >= size_t(bits - data) + stride * size_t(bmp.Height));
    bmp.Pixels.resize(size_t(bmp.Width * bmp.Height));
    for (int y = 0; y < bmp.Height; ++y) {
      int stored = h.biHeight > 0 ? bmp.Height - 1 - y : y;
      for (int x = 0; x < bmp.Width; ++x) {
        BYTE index = bits[size_t(stored) * stride + size_t(x)];
        REQUIRE(index < colours);
        bmp.Pixels[size_t(y * bmp.Width + x)] = bmp.Palette[index];
      }
    }
    return bmp;
  }

private:
  HMODULE FModule = nullptr;
};

// 8 bits per pixel, the size asked for, magenta in every corner, and
// something drawn.
void CheckForm(const TStoredBitmap &ABitmap, int ASize) {
  CHECK(ABitmap.Width == ASize);
  CHECK(ABitmap.Height == ASize);
  REQUIRE(ABitmap.BitCount == 8);
  REQUIRE(ABitmap.Pixels.size() == size_t(ASize * ASize));
  CHECK(ABitmap.At(0, 0) == kMagenta);
  CHECK(ABitmap.At(ASize - 1, 0) == kMagenta);
  CHECK(ABitmap.At(0, ASize - 1) == kMagenta);
  CHECK(ABitmap.At(ASize - 1, ASize - 1) == kMagenta);
  int opaque = 0;
  for (TColor c : ABitmap.Pixels)
    opaque += c != kMagenta ? 1 : 0;
  CHECK(opaque > ASize * ASize / 4);
}
} // namespace

TEST_CASE("the program carries the dialog's bitmaps: 8 bits, magenta transparent") {
  TProgramResources program;
  REQUIRE_MESSAGE(program.Loaded(), "the built program is needed");

  SUBCASE("command-link arrows point right, green, brighter hot, darker pressed, grey disabled") {
    TStoredBitmap normal = program.Bitmap(L"TD_ARW"), hot = program.Bitmap(L"TD_ARWHOT"),
                  down = program.Bitmap(L"TD_ARWDOWN"), disabled = program.Bitmap(L"TD_ARWDIS");
    for (const TStoredBitmap *arrow : {&normal, &hot, &down, &disabled}) {
      CheckForm(*arrow, 16);
      // A shaft on the left, the broad head in the middle, a tip on the right.
      CHECK(arrow->OpaqueInColumn(3) < arrow->OpaqueInColumn(9));
      CHECK(arrow->OpaqueInColumn(13) < arrow->OpaqueInColumn(9));
      CHECK(arrow->OpaqueInColumn(3) > 2);
      CHECK(arrow->OpaqueInColumn(13) > 0);
    }
    TColor green = normal.Mean();
    CHECK(G(green) > R(green) + 40);
    CHECK(G(green) > B(green) + 40);
    CHECK(G(hot.Mean()) > R(hot.Mean()) + 40);
    CHECK(Luma(hot.Mean()) > Luma(green) + 10);
    CHECK(Luma(down.Mean()) < Luma(green) - 10);
    for (TColor c : disabled.Pixels)
      if (c != kMagenta) {
        CHECK(std::abs(R(c) - G(c)) < 8);
        CHECK(std::abs(G(c) - B(c)) < 8);
      }
  }

  SUBCASE("expand buttons are round with a chevron down while collapsed, up while expanded") {
    const wchar_t *collapsed[] = {L"TD_EXP", L"TD_EXPHOT", L"TD_EXPDOWN"};
    const wchar_t *expanded[] = {L"TD_COLP", L"TD_COLPHOT", L"TD_COLPDOWN"};
    int luma[2][3];
    for (int look = 0; look < 3; ++look)
      for (int state = 0; state < 2; ++state) {
        TStoredBitmap button = program.Bitmap(state ? expanded[look] : collapsed[look]);
        CAPTURE(look);
        CAPTURE(state);
        CheckForm(button, 19);
        // Round: the middles of the edges are drawn, the corners are not.
        CHECK(button.Opaque(9, 1));
        CHECK(button.Opaque(1, 9));
        CHECK(button.Opaque(17, 9));
        CHECK(button.Opaque(9, 17));
        CHECK_FALSE(button.Opaque(1, 1));
        CHECK_FALSE(button.Opaque(17, 17));
        // The chevron's point lies below its arms pointing down, above
        // them pointing up.
        double point = button.DarkRow(9), arm = button.DarkRow(6);
        REQUIRE(point >= 0);
        REQUIRE(arm >= 0);
        if (state)
          CHECK(point < arm - 1.5);
        else
          CHECK(point > arm + 1.5);
        luma[state][look] = Luma(button.Mean());
        TColor mean = button.Mean();
        if (look == 0)
          CHECK(std::abs(B(mean) - R(mean)) < 25); // a neutral grey-white
        else
          CHECK(B(mean) > R(mean) + 25); // hot and pressed looks are blue
      }
    // Pressed is darker than hot.
    CHECK(luma[0][2] < luma[0][1]);
    CHECK(luma[1][2] < luma[1][1]);
  }

  SUBCASE("the shield is quartered blue and yellow and ends in a point") {
    TStoredBitmap shield = program.Bitmap(L"TD_SHIELD");
    CheckForm(shield, 32);
    auto blue = [](TColor c) { return B(c) > R(c) + 60 && B(c) > G(c) + 20; };
    auto yellow = [](TColor c) { return R(c) > 200 && G(c) > 150 && B(c) < 130; };
    CHECK(blue(shield.At(10, 9)));
    CHECK(yellow(shield.At(22, 9)));
    CHECK(yellow(shield.At(10, 21)));
    CHECK(blue(shield.At(22, 21)));
    CHECK(shield.Opaque(16, 28));
    CHECK_FALSE(shield.Opaque(5, 28));
    CHECK_FALSE(shield.Opaque(27, 28));
  }
}
