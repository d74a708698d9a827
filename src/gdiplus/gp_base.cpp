#include "gdiplus/gp_base.h"

#include <cstdint>
#include <new>

#include "gdiplus/gdiplus_api.h"

TdxGPAllocCounters dxGPLiveObjects;

namespace {
// Every block starts with a header saying where it came from; 16 bytes keep
// the object aligned as the heap would.
struct alignas(16) TBlockHeader {
  uint32_t Magic;
  uint32_t FromGdiPlus;
};
constexpr uint32_t kMagic = 0x47504F42; // "BOPG"

TBlockHeader *HeaderOf(const void *AObject) {
  return const_cast<TBlockHeader *>(static_cast<const TBlockHeader *>(AObject) - 1);
}
} // namespace

TdxGPBase::TdxGPBase() : FIsGPUsed(GdiPlusStarted()) {}

void *TdxGPBase::operator new(size_t ASize) {
  size_t total = ASize + sizeof(TBlockHeader);
  void *block = nullptr;
  bool fromGdiPlus = GdiPlusStarted() && GdipAlloc;
  if (fromGdiPlus) block = GdipAlloc(total);
  if (!block) {
    fromGdiPlus = false;
    block = ::operator new(total);
  }
  auto *header = static_cast<TBlockHeader *>(block);
  header->Magic = kMagic;
  header->FromGdiPlus = fromGdiPlus;
  ++(fromGdiPlus ? dxGPLiveObjects.GdiPlus : dxGPLiveObjects.Heap);
  return header + 1;
}

void TdxGPBase::operator delete(void *APtr) {
  if (!APtr) return;
  TBlockHeader *header = HeaderOf(APtr);
  if (header->FromGdiPlus) {
    --dxGPLiveObjects.GdiPlus;
    // After GDI+ is gone its memory went with it.
    if (GdipFree) GdipFree(header);
  } else {
    --dxGPLiveObjects.Heap;
    ::operator delete(header);
  }
}

bool TdxGPBase::IsFromGdiPlus(const void *AObject) {
  return AObject && HeaderOf(AObject)->Magic == kMagic && HeaderOf(AObject)->FromGdiPlus;
}
