#pragma once
// Just enough of the GIF format to pick one frame of an animation: where
// frames begin, their delays and offsets, and the file cut down so that a
// decoder showing the first image shows the chosen one.
#include <cstdint>
#include <string>
#include <vector>

// A frame begins with a graphic control extension (0x21 0xF9, block size
// 4, packed byte, delay, transparent index, terminator) that is directly
// followed by an image descriptor (0x2C, then left, top, width and height,
// 16 bits each, little-endian). Only blocks reached by walking the file's
// block structure count. A start whose descriptor does not lie wholly
// inside the data is no frame start.
struct TGifFrameStart {
  size_t Offset = 0;  // of the 0x21
  uint16_t Delay = 0; // hundredths of a second
  uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
};

// At least five bytes, beginning with "GIF8".
bool IsGifData(const std::string &ABytes);

// Every frame start, in file order; none when the data is no GIF.
std::vector<TGifFrameStart> FindGifFrames(const std::string &ABytes);

// The logical screen width and height of the header (0 when too short).
uint16_t GifScreenWidth(const std::string &ABytes);
uint16_t GifScreenHeight(const std::string &ABytes);

// The bytes before the first frame start, followed by everything from the
// start of frame AFrame (1-based) on. Frame 1 or less gives the data
// unchanged; a frame beyond the last leaves the header alone.
std::string GifFromFrame(const std::string &ABytes, const std::vector<TGifFrameStart> &AFrames,
                         int AFrame);
