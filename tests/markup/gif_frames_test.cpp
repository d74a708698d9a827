// GIF frames as the picture class finds them in real files: counts, offsets,
// delays, screen sizes; and data cut anywhere is never read past its end.
#include <doctest.h>

#include <vector>

#include "markup/gif_frames.h"
#include "markup_test_support.h"

namespace {
struct TExpected {
  const wchar_t *File;
  size_t Frames;
  uint16_t ScreenWidth, ScreenHeight;
};
} // namespace

TEST_CASE("frame starts of real GIF files") {
  // A frame counts when its control block stands directly before its image.
  // Animations whose first control block is followed by the loop extension
  // count one frame less than they hold (anim-gr, dispose_prev); files
  // without control blocks count none.
  const TExpected files[] = {
      {L"gif\\moon_impact.gif", 14, 116, 100},
      {L"gif\\dispose_bgnd_transparency.gif", 10, 38, 32},
      {L"gif\\iss634.gif", 42, 245, 245},
      {L"gif\\dispose_prev.gif", 4, 100, 100},
      {L"gif\\anim-gr.gif", 1, 100, 50},
      {L"gif\\interlaced.gif", 0, 540, 330},
      {L"gif\\test_extents.gif", 0, 100, 100},
      {L"gif\\zero_width.gif", 1, 0, 32},
      {L"gif\\issue-101-infinite-empty-loop.gif", 0, 6727, 65351},
      {L"gif\\moon_impact-truncated-5000.gif", 1, 116, 100},
  };
  for (const TExpected &e : files) {
    std::string bytes = mtest::DataBytes(e.File);
    CAPTURE(WideToUtf8(e.File));
    CHECK(IsGifData(bytes));
    CHECK(FindGifFrames(bytes).size() == e.Frames);
    CHECK(GifScreenWidth(bytes) == e.ScreenWidth);
    CHECK(GifScreenHeight(bytes) == e.ScreenHeight);
  }
}

TEST_CASE("frame offsets and delays as the files hold them") {
  struct TFrame {
    const wchar_t *File;
    size_t Count, Index;
    int Left, Top, Width, Height, Delay;
  } frames[] = {
      {L"gif\\dispose_bgnd_transparency.gif", 10, 0, 0, 0, 27, 32, 200},
      {L"gif\\dispose_bgnd_transparency.gif", 10, 1, 22, 15, 14, 17, 20},
      {L"gif\\dispose_bgnd_transparency.gif", 10, 3, 16, 6, 20, 26, 50},
      {L"gif\\dispose_prev.gif", 4, 0, 5, 10, 32, 32, 100},
      {L"gif\\dispose_prev.gif", 4, 3, 10, 55, 32, 32, 100},
      {L"gif\\anim-gr.gif", 1, 0, 0, 0, 100, 50, 10000},
      {L"gif\\zero_width.gif", 1, 0, 0, 65280, 0, 1321, 0},
  };
  for (const TFrame &e : frames) {
    CAPTURE(WideToUtf8(e.File));
    CAPTURE(e.Index);
    auto found = FindGifFrames(mtest::DataBytes(e.File));
    REQUIRE(found.size() == e.Count);
    const TGifFrameStart &f = found[e.Index];
    CHECK(std::vector<int>{f.Left, f.Top, f.Width, f.Height, f.Delay} ==
          std::vector<int>{e.Left, e.Top, e.Width, e.Height, e.Delay});
  }
}

TEST_CASE("a frame start whose image descriptor is cut off is no frame start") {
  std::string gif = mtest::TinyGif(4, 4, {{1, 2, 1, 0}, {3, 1, 2, 7}});
  auto whole = FindGifFrames(gif);
  REQUIRE(whole.size() == 2);
  const size_t second = whole[1].Offset;
  // Up to the last byte of the second descriptor: only then it counts.
  CHECK(FindGifFrames(gif.substr(0, second + 17)).size() == 2);
  CHECK(FindGifFrames(gif.substr(0, second + 16)).size() == 1);
  CHECK(FindGifFrames(gif.substr(0, second + 10)).size() == 1);
  CHECK(FindGifFrames(gif.substr(0, second + 9)).size() == 1);
  // Whatever the cut, every start found lies wholly inside the data.
  for (size_t n = 0; n <= gif.size(); ++n) {
    std::string cut = gif.substr(0, n);
    auto frames = FindGifFrames(cut);
    for (const TGifFrameStart &f : frames) CHECK(f.Offset + 17 <= n);
  }
}

TEST_CASE("what is no GIF has no frames") {
  CHECK(!IsGifData(""));
  CHECK(!IsGifData("G"));
  CHECK(!IsGifData("GIF8"));
  CHECK(IsGifData("GIF89"));
  CHECK(!IsGifData("GIF79a"));
  CHECK(FindGifFrames("GIF8").empty());
  CHECK(GifScreenWidth("GIF89a\x10") == 0);
  std::string bmp = mtest::DataBytes(L"misc\\bmp\\g\\rgb24.bmp");
  CHECK(!IsGifData(bmp));
  CHECK(FindGifFrames(bmp).empty());
  // A control block pattern inside other data does not make it a GIF.
  std::string fake = "BM" + mtest::TinyGif(2, 2, {{0, 0, 1, 0}}).substr(2);
  CHECK(FindGifFrames(fake).empty());
}

TEST_CASE("cutting a GIF down to one frame keeps the header and the frame onward") {
  std::string gif = mtest::TinyGif(4, 4, {{0, 0, 1, 0}, {1, 1, 2, 0}, {2, 2, 3, 0}});
  auto frames = FindGifFrames(gif);
  REQUIRE(frames.size() == 3);
  const std::string header = gif.substr(0, frames[0].Offset);
  CHECK(GifFromFrame(gif, frames, 1) == gif);
  CHECK(GifFromFrame(gif, frames, 0) == gif);
  CHECK(GifFromFrame(gif, frames, 2) == header + gif.substr(frames[1].Offset));
  CHECK(GifFromFrame(gif, frames, 3) == header + gif.substr(frames[2].Offset));
  CHECK(GifFromFrame(gif, frames, 4) == header);
  CHECK(FindGifFrames(GifFromFrame(gif, frames, 2)).size() == 2);
}

TEST_CASE("frame markers inside colour tables, comments and image data are no frames") {
  // A control block and descriptor as bytes, placed where no block starts.
  const std::string marker("\x21\xF9\x04\x00\x07\x00\x00\x00\x2C\x01\x00\x01\x00\x01\x00\x01\x00",
                           17);
  const std::string gif = mtest::TinyGif(4, 4, {{0, 0, 1, 3}});
  const size_t frame = FindGifFrames(gif).at(0).Offset;
  // A global table of eight colours (24 bytes) that holds the marker.
  std::string inTable = gif.substr(0, 10) + "\x82" + gif.substr(11, 2) + marker +
                        std::string(24 - marker.size(), '\0') + gif.substr(frame);
  // A comment extension before the frame.
  std::string inComment =
      gif.substr(0, frame) + "\x21\xFE" + char(marker.size()) + marker + '\0' + gif.substr(frame);
  // The image data of the frame: one sub-block that holds the marker.
  std::string inImage = gif.substr(0, gif.size() - 1);
  inImage.insert(inImage.size() - 1, char(marker.size()) + marker);
  for (const std::string *bytes : {&inTable, &inComment, &inImage}) {
    auto frames = FindGifFrames(*bytes);
    REQUIRE(frames.size() == 1);
    CHECK(frames[0].Delay == 3);
  }
}
