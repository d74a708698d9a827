#include "markup/gif_frames.h"

#include <cstring>

namespace {
// Bytes from the graphic control extension's 0x21 to the end of the image
// descriptor that follows it.
constexpr size_t kFrameStartSize = 17;

uint8_t Byte(const std::string &ABytes, size_t AIndex) { return uint8_t(ABytes[AIndex]); }

uint16_t Word(const std::string &ABytes, size_t AIndex) {
  return uint16_t(Byte(ABytes, AIndex) | (Byte(ABytes, AIndex + 1) << 8));
}
} // namespace

bool IsGifData(const std::string &ABytes) {
  return ABytes.size() >= 5 && std::memcmp(ABytes.data(), "GIF8", 4) == 0;
}

std::vector<TGifFrameStart> FindGifFrames(const std::string &ABytes) {
  std::vector<TGifFrameStart> frames;
  if (!IsGifData(ABytes) || ABytes.size() < kFrameStartSize) return frames;
  const size_t last = ABytes.size() - kFrameStartSize;
  for (size_t p = 0; p <= last; ++p) {
    const void *next = std::memchr(ABytes.data() + p, 0x21, last - p + 1);
    if (!next) break;
    p = size_t(static_cast<const char *>(next) - ABytes.data());
    if (Byte(ABytes, p + 1) != 0xF9 || Byte(ABytes, p + 2) != 4 || Byte(ABytes, p + 8) != 0x2C)
      continue;
    TGifFrameStart f;
    f.Offset = p;
    f.Delay = Word(ABytes, p + 4);
    f.Left = Word(ABytes, p + 9);
    f.Top = Word(ABytes, p + 11);
    f.Width = Word(ABytes, p + 13);
    f.Height = Word(ABytes, p + 15);
    frames.push_back(f);
  }
  return frames;
}

uint16_t GifScreenWidth(const std::string &ABytes) {
  return ABytes.size() >= 10 ? Word(ABytes, 6) : 0;
}

uint16_t GifScreenHeight(const std::string &ABytes) {
  return ABytes.size() >= 10 ? Word(ABytes, 8) : 0;
}

std::string GifFromFrame(const std::string &ABytes, const std::vector<TGifFrameStart> &AFrames,
                         int AFrame) {
  if (AFrame <= 1 || AFrames.empty()) return ABytes;
  std::string result = ABytes.substr(0, AFrames.front().Offset);
  if (size_t(AFrame) <= AFrames.size()) result += ABytes.substr(AFrames[size_t(AFrame) - 1].Offset);
  return result;
}
