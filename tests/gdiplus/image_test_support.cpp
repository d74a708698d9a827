#include "image_test_support.h"

#include <algorithm>

#include "base/streams.h"
#include "gdiplus/image_modules.h"
#include "ui/bitmap.h"

namespace imgtest {

void StartImageModules() {
  static bool started = false;
  if (started) return;
  started = true;
  dxCoreModuleStart();
  dxGDIPlusAPIModuleStart();
  dxGDIPlusClassesModuleStart();
}

namespace {
uint32_t Crc(const std::string &AData) {
  static uint32_t table[256];
  static bool ready = false;
  if (!ready) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    ready = true;
  }
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : AData)
    c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string Be32(uint32_t V) {
  return {char(V >> 24), char(V >> 16), char(V >> 8), char(V)};
}

uint32_t Adler(const std::string &AData) {
  uint32_t a = 1, b = 0;
  for (unsigned char c : AData) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::string Chunk(const std::string &AKind, const std::string &AData) {
  return Be32(uint32_t(AData.size())) + AKind + AData + Be32(Crc(AKind + AData));
}

// zlib stream of stored (uncompressed) blocks: enough for test pictures.
std::string Stored(const std::string &AData) {
  std::string out = "\x78\x01";
  size_t pos = 0;
  do {
    size_t n = std::min<size_t>(65535, AData.size() - pos);
    bool last = pos + n == AData.size();
    out += char(last ? 1 : 0);
    out += char(n & 0xFF);
    out += char(n >> 8);
    out += char(~n & 0xFF);
    out += char((~n >> 8) & 0xFF);
    out += AData.substr(pos, n);
    pos += n;
  } while (pos < AData.size());
  return out + Be32(Adler(AData));
}
} // namespace

std::string MakePng(int AWidth, int AHeight, const std::vector<uint32_t> &APixels) {
  std::string raw;
  for (int y = 0; y < AHeight; ++y) {
    raw += '\0';
    for (int x = 0; x < AWidth; ++x) {
      uint32_t p = APixels[size_t(y) * size_t(AWidth) + size_t(x)];
      raw += char(p >> 16);
      raw += char(p >> 8);
      raw += char(p);
      raw += char(p >> 24);
    }
  }
  std::string header =
      Be32(uint32_t(AWidth)) + Be32(uint32_t(AHeight)) + std::string("\x08\x06\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", Stored(raw)) +
         Chunk("IEND", "");
}

std::string MakeSolidPng(int AWidth, int AHeight, uint32_t AArgb) {
  return MakePng(AWidth, AHeight, std::vector<uint32_t>(size_t(AWidth) * size_t(AHeight), AArgb));
}

TPixelTarget::TPixelTarget(int AWidth, int AHeight, uint32_t AFill)
    : Width(AWidth), Height(AHeight), Fill(AFill) {
  void *bits = nullptr;
  Bitmap = CreateDIBSectionOf(AWidth, AHeight, 32, &bits);
  Bits = static_cast<uint32_t *>(bits);
  std::fill(Bits, Bits + size_t(AWidth) * size_t(AHeight), AFill);
  DC = CreateCompatibleDC(nullptr);
  Old = SelectObject(DC, Bitmap);
}

TPixelTarget::~TPixelTarget() {
  SelectObject(DC, Old);
  DeleteDC(DC);
  DeleteObject(Bitmap);
}

int TPixelTarget::Changed() const {
  GdiFlush();
  int n = 0;
  for (int i = 0; i < Width * Height; ++i)
    if ((Bits[i] & 0xFFFFFF) != (Fill & 0xFFFFFF)) ++n;
  return n;
}

} // namespace imgtest
