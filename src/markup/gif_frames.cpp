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
  if (!IsGifData(ABytes) || ABytes.size() < 13) return frames;
  const size_t n = ABytes.size();
  // Walks the blocks: a marker byte inside a colour table or image data
  // is never taken for a frame. Damaged or cut data ends the walk with
  // the frames found so far.
  size_t p = 13;
  if (Byte(ABytes, 10) & 0x80) p += 3 * (size_t(2) << (Byte(ABytes, 10) & 7));
  // Skips a chain of sub-blocks from AAt; npos when it runs past the end.
  auto skipSubBlocks = [&](size_t AAt) {
    while (AAt < n) {
      const size_t size = Byte(ABytes, AAt);
      if (size == 0) return AAt + 1;
      AAt += size + 1;
    }
    return std::string::npos;
  };
  size_t control = std::string::npos; // the control block just before, if any
  while (p < n) {
    const uint8_t block = Byte(ABytes, p);
    if (block == 0x21) {
      if (p + 2 > n) break;
      const bool isControl = Byte(ABytes, p + 1) == 0xF9 && p + 2 < n && Byte(ABytes, p + 2) == 4;
      const size_t next = skipSubBlocks(p + 2);
      control = isControl ? p : std::string::npos;
      if (next == std::string::npos) break;
      p = next;
    } else if (block == 0x2C) {
      if (control != std::string::npos && control + 8 == p && control + kFrameStartSize <= n) {
        TGifFrameStart f;
        f.Offset = control;
        f.Delay = Word(ABytes, control + 4);
        f.Left = Word(ABytes, p + 1);
        f.Top = Word(ABytes, p + 3);
        f.Width = Word(ABytes, p + 5);
        f.Height = Word(ABytes, p + 7);
        frames.push_back(f);
      }
      control = std::string::npos;
      if (p + 10 > n) break;
      size_t data = p + 10;
      if (Byte(ABytes, p + 9) & 0x80) data += 3 * (size_t(2) << (Byte(ABytes, p + 9) & 7));
      // The code size byte, then the image's sub-blocks.
      const size_t next = data < n ? skipSubBlocks(data + 1) : std::string::npos;
      if (next == std::string::npos) break;
      p = next;
    } else {
      break; // the trailer, or no block at all
    }
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
