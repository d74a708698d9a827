#pragma once
// Root of the GDI+ canvas objects: while GDI+ runs their memory comes from
// its allocator, and each object goes back to the allocator it came from.
#include <cstddef>

class TdxGPBase {
public:
  TdxGPBase();
  virtual ~TdxGPBase() = default;
  TdxGPBase(const TdxGPBase &) = delete;
  TdxGPBase &operator=(const TdxGPBase &) = delete;

  static void *operator new(size_t ASize);
  static void operator delete(void *APtr);

  // Whether GDI+ ran when the object was made.
  bool IsGPUsed() const { return FIsGPUsed; }
  // Whether the memory of an object made with new came from GDI+.
  static bool IsFromGdiPlus(const void *AObject);

private:
  bool FIsGPUsed;
};

// Heap tests use these to see the allocator at work.
struct TdxGPAllocCounters {
  int GdiPlus = 0, Heap = 0;
};
extern TdxGPAllocCounters dxGPLiveObjects;
