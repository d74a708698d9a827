#pragma once
// Small owners of platform handles: each gives its handle back the one way
// the platform asks for, also when a failure passes through. Window and
// device-context owners are in ui/handles.h.
#include <windows.h>

#include <utility>

// A release policy may also count what it owns (Adopt/Forget).
template <class H, class TRelease> class TOwnedHandle {
  static constexpr bool kCounted = requires(H AHandle) {
    TRelease::Adopt(AHandle);
    TRelease::Forget(AHandle);
  };

public:
  TOwnedHandle() = default;
  explicit TOwnedHandle(H AHandle) { Reset(AHandle); }
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(const TOwnedHandle &) = delete;
  TOwnedHandle &operator=(const TOwnedHandle &) = delete;
  TOwnedHandle(TOwnedHandle &&AOther) noexcept : FHandle(std::exchange(AOther.FHandle, nullptr)) {}
  TOwnedHandle &operator=(TOwnedHandle &&AOther) noexcept {
    Reset(AOther.Release());
    return *this;
  }

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  H Release() {
    if constexpr (kCounted)
      if (FHandle) TRelease::Forget(FHandle);
    return std::exchange(FHandle, nullptr);
  }
  // Where a creating routine writes its handle; the one owned before goes.
  // A counted handle is taken through Reset, so that it is counted.
  H *Out()
    requires(!kCounted)
  {
    Reset();
    return &FHandle;
  }
  void Reset(H AHandle = nullptr) {
    if (FHandle == AHandle) return;
    if (FHandle) TRelease()(FHandle);
    FHandle = AHandle;
    if constexpr (kCounted)
      if (AHandle) TRelease::Adopt(AHandle);
  }

private:
  H FHandle = nullptr;
};

struct TCloseKernelHandle {
  void operator()(HANDLE AHandle) const { CloseHandle(AHandle); }
};
struct TFreeGlobalMemory {
  void operator()(HGLOBAL AHandle) const { GlobalFree(AHandle); }
};
struct TFreeLocalMemory {
  void operator()(HLOCAL AHandle) const { LocalFree(AHandle); }
};

// A mutex, event, process or other kernel object.
using TKernelHandle = TOwnedHandle<HANDLE, TCloseKernelHandle>;
// A global memory block.
using TGlobalMemory = TOwnedHandle<HGLOBAL, TFreeGlobalMemory>;
// A local memory block, such as a text the platform allocated for us.
using TLocalMemory = TOwnedHandle<HLOCAL, TFreeLocalMemory>;

// The memory of a global block, locked while the guard lives.
class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL ABlock) : FBlock(ABlock), FMemory(GlobalLock(ABlock)) {}
  ~TGlobalLock() {
    if (FMemory) GlobalUnlock(FBlock);
  }
  TGlobalLock(const TGlobalLock &) = delete;
  TGlobalLock &operator=(const TGlobalLock &) = delete;
  void *Memory() const { return FMemory; }

private:
  HGLOBAL FBlock;
  void *FMemory;
};
