// Markup pictures: real files decoded by the platform's picture loader,
// frames of animations, the animation clock, loading by address and from
// resources, the picture cache, and bad input of every kind.
#include <doctest.h>

#include "markup/picture_container.h"
#include "markup_test_support.h"
#include "test_support.h"
#include "ui/bitmap.h"

using mtest::TPixelCanvas;

namespace {
const TColor kRed = RGBColor(255, 0, 0), kLime = RGBColor(0, 255, 0), kBlue = RGBColor(0, 0, 255);

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

// Loads bytes; the decoding error's text, or empty when it decoded.
std::wstring LoadBytes(THTMLPicture &APicture, const std::string &ABytes) {
  TMemoryStream stream(ABytes);
  try {
    APicture.LoadFromStream(stream);
  } catch (const EHTMLPictureError &e) {
    return e.Message();
  }
  return {};
}

std::string Saved(THTMLPicture &APicture) {
  TMemoryStream out;
  APicture.SaveToStream(out);
  return out.Bytes();
}

bool IsDecodingMessage(const std::wstring &AText) {
  return AText == L"Could not allocate memory for image" ||
         AText == L"Could not create image stream" || AText == L"Empty image stream created" ||
         AText == L"Could not load image. Invalid format" || AText == L"Could not load image";
}

// Draws the picture at natural size at (X, Y) on a fresh white canvas.
void DrawAt(THTMLPicture &APicture, TPixelCanvas &ATarget, int X, int Y) {
  ATarget.Canvas().Draw(X, Y, &APicture);
}
} // namespace

TEST_CASE("real pictures decode with their sizes; only GIFs have frames") {
  struct TCase {
    const wchar_t *File;
    int Width, Height, Frames;
  };
  const TCase cases[] = {
      {L"misc\\bmp\\g\\rgb24.bmp", 127, 64, -1}, {L"misc\\bmp\\g\\pal8rle.bmp", 127, 64, -1},
      {L"misc\\jpeg\\hopper.jpg", 128, 128, -1}, {L"misc\\ico\\python.ico", 32, 32, -1},
      {L"gif\\moon_impact.gif", 116, 100, 14},   {L"gif\\interlaced.gif", 540, 330, 0},
  };
  for (const TCase &c : cases) {
    std::wstring path = test::TestDataPath(c.File);
    CAPTURE(WideToUtf8(c.File));
    THTMLPicture picture;
    CHECK(picture.Empty());
    picture.LoadFromFile(path);
    REQUIRE(!picture.Empty());
    CHECK(picture.Width() == c.Width);
    CHECK(picture.Height() == c.Height);
    CHECK(picture.MaxWidth() == c.Width);
    CHECK(picture.MaxHeight() == c.Height);
    CHECK(picture.FrameCount() == c.Frames);
    CHECK(picture.IsGIF() == (c.Frames >= 0));
    // Drawn at natural size: something lands inside that box and nothing
    // outside it.
    TPixelCanvas target(c.Width + 20, c.Height + 20, 0x123456);
    DrawAt(picture, target, 10, 10);
    TRect drawn = target.ChangedBounds();
    CHECK(target.Changed() > 0);
    CHECK(drawn.left >= 10);
    CHECK(drawn.top >= 10);
    CHECK(drawn.right <= 10 + c.Width);
    CHECK(drawn.bottom <= 10 + c.Height);
    // What was loaded is what is saved.
    CHECK(Saved(picture) == test::ReadFileBytes(path));
  }
}

TEST_CASE("pictures draw at natural size or stretched into the rectangle") {
  THTMLPicture picture;
  picture.LoadFromResourceID(Self(), 501); // 10 x 6, yellow left, navy right
  REQUIRE(picture.Width() == 10);
  REQUIRE(picture.Height() == 6);
  TPixelCanvas natural(40, 40);
  picture.Draw(natural.Canvas(), TRect(5, 5, 35, 35));
  CHECK(natural.ChangedBounds() == TRect(5, 5, 15, 11));
  CHECK(natural.Pixel(5, 5) == RGBColor(255, 255, 0));
  CHECK(natural.Pixel(14, 10) == RGBColor(0, 0, 128));

  picture.SetStretch(true);
  TPixelCanvas stretched(40, 40);
  picture.Draw(stretched.Canvas(), TRect(5, 5, 35, 35));
  CHECK(stretched.ChangedBounds() == TRect(5, 5, 35, 35));
  CHECK(stretched.Pixel(6, 34) == RGBColor(255, 255, 0));
  CHECK(stretched.Pixel(34, 6) == RGBColor(0, 0, 128));

  // Setting a size changes nothing.
  picture.SetWidth(99);
  picture.SetHeight(99);
  CHECK(picture.Width() == 10);
}

TEST_CASE("a chosen frame decodes to that frame, with its offset in the animation") {
  THTMLPicture picture;
  picture.LoadFromResourceName(Self(), L"TESTGIF");
  REQUIRE(!picture.Empty());
  CHECK(picture.FrameCount() == 3);
  CHECK(picture.MaxWidth() == 24);
  CHECK(picture.MaxHeight() == 12);
  int changes = 0;
  picture.OnFrameChange = [&](THTMLPicture *ASender) {
    CHECK(ASender == &picture);
    ++changes;
  };

  const struct {
    int Frame, X, Y;
    TColor Color;
  } frames[] = {{1, 0, 0, kRed}, {2, 4, 2, kLime}, {3, 10, 5, kBlue}, {1, 0, 0, kRed}};
  for (const auto &f : frames) {
    CAPTURE(f.Frame);
    picture.SetFrame(f.Frame);
    CHECK(picture.Frame() == f.Frame);
    CHECK(picture.FrameXPos() == f.X);
    CHECK(picture.FrameYPos() == f.Y);
    CHECK(picture.MaxWidth() == 24);
    // Placed as the markup places a frame: at its offset in the animation.
    TPixelCanvas target(30, 20);
    DrawAt(picture, target, picture.FrameXPos(), picture.FrameYPos());
    TRect drawn = target.ChangedBounds();
    CHECK(drawn.left == f.X);
    CHECK(drawn.top == f.Y);
    CHECK(target.Pixel(drawn.left, drawn.top) == f.Color);
    CHECK(target.Pixel(drawn.right - 1, drawn.bottom - 1) == f.Color);
  }
  CHECK(changes == 4);

  // A frame of a real animation, found by its control block.
  std::wstring path = test::TestDataPath(L"gif\\dispose_bgnd_transparency.gif");
  THTMLPicture real;
  real.LoadFromFile(path);
  real.SetFrame(2);
  CHECK(real.FrameXPos() == 22);
  CHECK(real.FrameYPos() == 15);
  CHECK(real.MaxWidth() == 38);
  CHECK(real.MaxHeight() == 32);
  real.SetFrame(4);
  CHECK(real.FrameXPos() == 16);
  CHECK(real.FrameYPos() == 6);
}

TEST_CASE("frames wrap round without decoding; a frame beyond the last fails to decode") {
  THTMLPicture picture;
  picture.LoadFromResourceName(Self(), L"TESTGIF");
  int changes = 0;
  picture.OnFrameChange = [&](THTMLPicture *) { ++changes; };
  picture.FramePrev();
  CHECK(picture.Frame() == 3);
  picture.FrameNext();
  CHECK(picture.Frame() == 1);
  picture.FrameNext();
  picture.FrameNext();
  CHECK(picture.Frame() == 3);
  CHECK(changes == 0);
  CHECK(picture.FrameXPos() == 0); // still frame 1's

  // Only the header is left for frame 4: the loader refuses it, and the
  // frame shown before stays.
  picture.SetFrame(3);
  const int width = picture.Width();
  CHECK(width > 0);
  CHECK_THROWS_WITH_AS(picture.SetFrame(4), "Could not load image. Invalid format",
                       EHTMLPictureError);
  CHECK(picture.Frame() == 3);
  CHECK(picture.Width() == width);
  picture.SetFrame(2);
  CHECK(picture.Width() > 0);

  // Non-GIF data has no frames to move between.
  THTMLPicture bitmap;
  bitmap.LoadFromResourceID(Self(), 501);
  bitmap.FrameNext();
  CHECK(bitmap.Frame() == 1);
  bitmap.FramePrev();
  CHECK(bitmap.Frame() == 1);
}

TEST_CASE("the animation clock: delays in hundredths, ten per step") {
  // Zero delays: the first step only starts the clock, every later one
  // moves on.
  THTMLPicture zero;
  CHECK(LoadBytes(zero, mtest::TinyGif(2, 2, {{0, 0, 1, 0}, {1, 1, 2, 0}})).empty());
  CHECK(!zero.Step());
  CHECK(zero.Frame() == 1);
  CHECK(zero.Step());
  CHECK(zero.Frame() == 2);
  CHECK(zero.FrameXPos() == 1);
  CHECK(zero.Step());
  CHECK(zero.Frame() == 1);
  CHECK(zero.FrameXPos() == 0);

  // Delays of 200 and 20: frame 2 is due after the step at 200, frame 3
  // twenty later.
  THTMLPicture real;
  real.LoadFromFile(test::TestDataPath(L"gif\\dispose_bgnd_transparency.gif"));
  int steps = 0;
  while (!real.Step() && steps < 1000) ++steps;
  CHECK(steps == 21);
  CHECK(real.Frame() == 2);
  CHECK(!real.Step());
  CHECK(real.Step());
  CHECK(real.Frame() == 3);

  // One frame, or no GIF at all: the clock never moves.
  THTMLPicture single;
  CHECK(LoadBytes(single, mtest::TinyGif(2, 2, {{0, 0, 1, 0}})).empty());
  THTMLPicture bitmap;
  bitmap.LoadFromResourceID(Self(), 501);
  THTMLPicture empty;
  for (int i = 0; i < 50; ++i) {
    CHECK(!single.Step());
    CHECK(!bitmap.Step());
    CHECK(!empty.Step());
  }
  CHECK(bitmap.FrameCount() == -1);
  CHECK(bitmap.MaxWidth() == bitmap.Width());
}

TEST_CASE("loading by address: resources and files in any letter case, nothing else fetched") {
  THTMLPicture byName;
  byName.LoadFromURL(L"res://testgif");
  CHECK(byName.ID() == L"res://testgif");
  CHECK(!byName.Empty());
  CHECK(byName.FrameCount() == 3);

  THTMLPicture byNumber;
  byNumber.LoadFromURL(L"RES://#501");
  CHECK(byNumber.Width() == 10);

  THTMLPicture missing;
  missing.LoadFromURL(L"Res://GIBTESNICHT");
  CHECK(missing.ID() == L"Res://GIBTESNICHT");
  CHECK(missing.Empty());
  THTMLPicture bare;
  bare.LoadFromURL(L"RES://");
  CHECK(bare.ID() == L"RES://");
  CHECK(bare.Empty());

  // Resource data that is no picture: the decoding error reaches the caller.
  THTMLPicture broken;
  CHECK_THROWS_WITH_AS(broken.LoadFromURL(L"RES://BROKEN"), "Could not load image. Invalid format",
                       EHTMLPictureError);

  std::wstring path = test::TestDataPath(L"misc\\jpeg\\hopper.jpg");
  THTMLPicture file;
  file.LoadFromURL(L"File://" + path);
  CHECK(file.ID() == L"File://" + path);
  CHECK(file.Width() == 128);
  THTMLPicture noFile;
  noFile.LoadFromURL(L"FILE://Z:\\gibt\\es\\nicht.gif");
  CHECK(noFile.Empty());
  CHECK(noFile.ID() == L"FILE://Z:\\gibt\\es\\nicht.gif");

  // Network addresses, at once or in the background: nothing is fetched,
  // the picture stays empty and is never left busy.
  for (bool asynch : {false, true}) {
    THTMLPicture web;
    web.SetAsynch(asynch);
    bool raised = false;
    web.OnDownLoadComplete = [&](THTMLPicture *) { raised = true; };
    web.OnDownLoadError = [&](THTMLPicture *, const std::wstring &) { raised = true; };
    web.LoadFromURL(L"http://127.0.0.1:9/bild.gif");
    web.LoadFromURL(L"https://example.com/anderes.gif");
    CHECK(web.ID() == L"https://example.com/anderes.gif");
    CHECK(web.Empty());
    CHECK(!web.Busy());
    CHECK(!raised);
  }
}

TEST_CASE("resources by number and by name that do not exist") {
  THTMLPicture picture;
  CHECK_THROWS_AS(picture.LoadFromResourceID(Self(), 777), EResNotFound);
  CHECK(picture.Empty());
  picture.LoadFromResourceName(Self(), L"GIBTESNICHT");
  picture.LoadFromResourceName(Self(), L"");
  CHECK(picture.Empty());
}

TEST_CASE("addresses of 100,000 characters load nothing and fail nothing") {
  const std::wstring tail(100000, L'a');
  for (const std::wstring prefix : {L"RES://", L"FILE://", L"file://C:\\", L"http://"}) {
    THTMLPicture picture;
    picture.SetAsynch(false);
    CHECK_NOTHROW(picture.LoadFromURL(prefix + tail));
    CHECK(picture.Empty());
    CHECK(picture.ID() == prefix + tail);
  }
}

TEST_CASE("the picture cache finds addresses exactly as written") {
  TPictureCache cache;
  CHECK(PictureCacheFind(cache, L"RES://TESTGIF") == nullptr);
  CHECK(PictureCacheItem(cache, 0) == nullptr);

  // As the markup uses it: look up, else add, load at once, keep it even
  // when it stays empty.
  auto lookUp = [&](const std::wstring &AAddress) {
    THTMLPicture *picture = PictureCacheFind(cache, AAddress);
    if (!picture) {
      THTMLPicture *added = PictureCacheAdd(cache);
      added->SetAsynch(false);
      added->LoadFromURL(AAddress);
      picture = PictureCacheFind(cache, AAddress);
    }
    return picture;
  };
  THTMLPicture *gif = lookUp(L"res://TESTGIF");
  REQUIRE(gif);
  CHECK(!gif->Empty());
  CHECK(lookUp(L"res://TESTGIF") == gif);
  CHECK(cache.size() == 1);
  // Another spelling is another address, though it names the same resource.
  THTMLPicture *other = lookUp(L"RES://TESTGIF");
  CHECK(other != gif);
  CHECK(!other->Empty());
  THTMLPicture *web = lookUp(L"http://example.com/x.png");
  REQUIRE(web);
  CHECK(web->Empty());
  CHECK(lookUp(L"http://example.com/x.png") == web);
  CHECK(cache.size() == 3);

  CHECK(PictureCacheItem(cache, 0) == gif);
  CHECK(PictureCacheItem(cache, 2) == web);
  CHECK(PictureCacheItem(cache, 3) == nullptr);
  CHECK(PictureCacheItem(cache, -1) == nullptr);
}

TEST_CASE("Assign copies data, frame, stretch and address; anything else empties") {
  THTMLPicture source;
  source.LoadFromURL(L"RES://TESTGIF");
  source.SetFrame(3);
  source.SetStretch(true);

  THTMLPicture copy;
  int changes = 0;
  copy.OnChange = [&](TGraphic *) { ++changes; };
  copy.Assign(&source);
  CHECK(!copy.Empty());
  CHECK(copy.Frame() == 3);
  CHECK(copy.FrameXPos() == 10);
  CHECK(copy.Stretch());
  CHECK(copy.ID() == L"RES://TESTGIF");
  CHECK(Saved(copy) == Saved(source));
  CHECK(changes == 1);

  copy.Assign(nullptr);
  CHECK(copy.Empty());
  CHECK(copy.Width() == 0);
  CHECK(copy.Frame() == 1);
  CHECK(Saved(copy).empty());

  copy.Assign(&source);
  TBitmap bitmap(4, 4);
  copy.Assign(&bitmap);
  CHECK(copy.Empty());
  CHECK(copy.MaxWidth() == 0);
  TPixelCanvas target(30, 30);
  copy.Draw(target.Canvas(), TRect(0, 0, 30, 30));
  CHECK(target.Changed() == 0);

  // Assigning a picture to itself keeps it.
  source.Assign(&source);
  CHECK(!source.Empty());
  CHECK(source.FrameCount() == 3);
}

TEST_CASE("new data forgets what was counted in the old") {
  THTMLPicture picture;
  picture.LoadFromURL(L"RES://TESTGIF");
  picture.SetFrame(3);
  CHECK(picture.FrameCount() == 3);
  CHECK(LoadBytes(picture, mtest::TinyGif(9, 9, {{1, 1, 1, 0}, {2, 2, 2, 0}})).empty());
  CHECK(picture.FrameCount() == 2);
  CHECK(picture.Frame() == 1);
  CHECK(picture.MaxWidth() == 9);
  picture.LoadFromResourceID(Self(), 501);
  CHECK(picture.FrameCount() == -1);
  CHECK(picture.MaxWidth() == 10);
}

TEST_CASE("stored in window descriptions: the raw bytes, read back without notice") {
  THTMLPicture source;
  source.LoadFromResourceName(Self(), L"TESTGIF");
  TMemoryStream stored;
  source.WriteData(stored);
  stored.SetPosition(0);
  THTMLPicture read;
  int changes = 0;
  read.OnChange = [&](TGraphic *) { ++changes; };
  read.ReadData(stored);
  CHECK(changes == 0);
  CHECK(!read.Empty());
  CHECK(read.FrameCount() == 3);
  CHECK(Saved(read) == Saved(source));

  // The clipboard is not served.
  UINT format = 1;
  HANDLE data = reinterpret_cast<HANDLE>(1);
  HPALETTE palette = reinterpret_cast<HPALETTE>(1);
  read.SaveToClipboardFormat(format, data, palette);
  CHECK(format == 0);
  CHECK(data == nullptr);
  read.LoadFromClipboardFormat(CF_BITMAP, nullptr, nullptr);
  CHECK(read.FrameCount() == 3);
}

TEST_CASE("broken and odd files: a clear error or an empty picture, never a crash") {
  const wchar_t *files[] = {
      L"gif\\interlaced-truncated-5000.gif", L"gif\\moon_impact-truncated-5000.gif",
      L"gif\\issue-117-out-of-range.gif",    L"gif\\issue-101-infinite-empty-loop.gif",
      L"gif\\zero_width.gif",                L"misc\\jpeg\\truncated_jpeg.jpg",
      L"misc\\bmp\\b\\shortfile.bmp",        L"misc\\tiff\\hopper.tif",
      L"misc\\ico\\hopper.ico",              L"misc\\jpeg\\pil_sample_cmyk.jpg",
  };
  for (const wchar_t *file : files) {
    std::wstring path = test::TestDataPath(file);
    CAPTURE(WideToUtf8(file));
    THTMLPicture fromFile;
    CHECK_NOTHROW(fromFile.LoadFromFile(path));
    THTMLPicture fromStream;
    std::wstring error = LoadBytes(fromStream, test::ReadFileBytes(path));
    if (!error.empty()) {
      CHECK(IsDecodingMessage(error));
      CHECK(fromFile.Empty());
      CHECK(fromStream.Width() == 0);
    } else {
      CHECK(!fromFile.Empty());
    }
    TPixelCanvas target(64, 64);
    CHECK_NOTHROW(fromFile.Draw(target.Canvas(), TRect(0, 0, 64, 64)));
    CHECK_NOTHROW(fromStream.Draw(target.Canvas(), TRect(0, 0, 64, 64)));
    for (int i = 0; i < 5; ++i) CHECK_NOTHROW(fromFile.Step());
  }

  // Too short to be anything; "GIF8" without a fifth byte is no GIF.
  for (const std::string &bytes : {std::string(), std::string("G"), std::string("GIF8"),
                                   std::string("GIF89"), std::string(1000, '\0')}) {
    CAPTURE(bytes.size());
    THTMLPicture picture;
    CHECK(IsDecodingMessage(LoadBytes(picture, bytes)));
    CHECK(picture.FrameCount() == (bytes.size() == 5 ? 0 : -1));
    CHECK(picture.Width() == 0);
    CHECK(picture.MaxWidth() == 0);
    CHECK(!picture.Step());
  }
  test::TTempDir dir;
  for (const std::string &bytes : {std::string(), std::string("x")}) {
    test::WriteFileBytes(dir.File(L"kurz.gif"), bytes);
    THTMLPicture picture;
    picture.LoadFromFile(dir.File(L"kurz.gif"));
    CHECK(picture.Empty());
  }
  THTMLPicture folder;
  folder.LoadFromFile(dir.Path());
  CHECK(folder.Empty());
}

TEST_CASE("GIFs cut inside a frame's image descriptor, and huge screens") {
  std::string gif = mtest::TinyGif(16, 16, {{1, 2, 1, 0}, {5, 6, 2, 0}, {9, 10, 3, 0}});
  auto frames = FindGifFrames(gif);
  REQUIRE(frames.size() == 3);
  // Cut two bytes into the third frame's descriptor: two frames remain, and
  // the scan never reads the missing bytes.
  std::string cut = gif.substr(0, frames[2].Offset + 11);
  THTMLPicture picture;
  const std::wstring cutError = LoadBytes(picture, cut);
  CHECK(picture.FrameCount() == 2);
  // Wine's GIF decoder reads the whole file and refuses a cut one: the
  // picture is then empty and choosing a frame decodes nothing.
  if (cutError.empty()) {
    picture.SetFrame(2);
    CHECK(picture.FrameXPos() == 5);
    CHECK(picture.FrameYPos() == 6);
  } else {
    CHECK(picture.Empty());
    CHECK_NOTHROW(picture.SetFrame(2));
  }

  // A screen of 65535 x 65535 is what the header says; the frames are tiny.
  // Wine decodes the first frame alone; a decoder that paints the whole
  // screen may refuse it, with a clear error.
  std::string huge = mtest::TinyGif(65535, 65535, {{0, 0, 1, 0}, {60000, 60000, 2, 0}});
  THTMLPicture big;
  std::wstring error = LoadBytes(big, huge);
  CHECK(big.FrameCount() == 2);
  if (error.empty()) {
    CHECK(big.MaxWidth() == 65535);
    CHECK(big.MaxHeight() == 65535);
    big.SetFrame(2);
    CHECK(big.FrameXPos() == 60000);
  } else {
    CHECK(IsDecodingMessage(error));
  }

  // Thousands of frames: any one of them is chosen and shown.
  std::vector<mtest::TTinyFrame> many;
  for (int i = 0; i < 3000; ++i) many.push_back({uint16_t(i % 50), uint16_t(i / 50), 1 + i % 3, 0});
  THTMLPicture animation;
  CHECK(LoadBytes(animation, mtest::TinyGif(50, 60, many)).empty());
  CHECK(animation.FrameCount() == 3000);
  animation.SetFrame(2999);
  CHECK(animation.FrameXPos() == 2998 % 50);
  CHECK(animation.FrameYPos() == 2998 / 50);
  TPixelCanvas target(60, 70);
  DrawAt(animation, target, animation.FrameXPos(), animation.FrameYPos());
  CHECK(target.Pixel(2998 % 50, 2998 / 50) == (2998 % 3 == 0 ? kRed : 2998 % 3 == 1 ? kLime : kBlue));
}

TEST_CASE("data that does not decode leaves the picture empty, whichever way it came in") {
  std::string garbage = mtest::TinyGif(4, 4, {{0, 0, 1, 1}, {1, 1, 2, 1}});
  THTMLPicture picture;
  REQUIRE(LoadBytes(picture, garbage).empty());
  // A picture that held one, a stored description, an Assign.
  const size_t second = FindGifFrames(garbage).at(1).Offset;
  garbage.replace(13, second - 13, second - 13, '\xEE');
  THTMLPicture stored, assigned;
  TMemoryStream description(garbage);
  CHECK_THROWS_AS(stored.ReadData(description), EHTMLPictureError);
  THTMLPicture source;
  LoadBytes(source, garbage);
  CHECK_THROWS_AS(assigned.Assign(&source), EHTMLPictureError);
  CHECK(IsDecodingMessage(LoadBytes(picture, garbage)));
  for (THTMLPicture *p : {&picture, &stored, &assigned, &source}) {
    CHECK(p->Empty());
    CHECK(p->Width() == 0);
    CHECK_NOTHROW(p->SetFrame(2));
    for (int i = 0; i < 30; ++i)
      CHECK(!p->Step());
  }
  CHECK(Saved(picture) == garbage);
}
