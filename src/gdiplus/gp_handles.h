#pragma once
// Owners of GDI+ objects: released with their owner, while GDI+ runs.
#include "gdiplus/gdiplus_api.h"

template <class T, auto &ADelete> class TGpOwned {
public:
  TGpOwned() = default;
  ~TGpOwned() {
    if (FHandle && ADelete) ADelete(FHandle);
  }
  TGpOwned(const TGpOwned &) = delete;
  TGpOwned &operator=(const TGpOwned &) = delete;
  TGpOwned(TGpOwned &&AOther) noexcept : FHandle(AOther.FHandle) { AOther.FHandle = nullptr; }
  TGpOwned &operator=(TGpOwned &&AOther) noexcept {
    Reset(AOther.Release());
    return *this;
  }

  T *Get() const { return FHandle; }
  T **Out() { return &FHandle; }
  T *Release() {
    T *h = FHandle;
    FHandle = nullptr;
    return h;
  }
  void Reset(T *AHandle = nullptr) {
    if (FHandle && FHandle != AHandle && ADelete) ADelete(FHandle);
    FHandle = AHandle;
  }

private:
  T *FHandle = nullptr;
};

using TGpBrushHandle = TGpOwned<GpBrush, GdipDeleteBrush>;
using TGpPenHandle = TGpOwned<GpPen, GdipDeletePen>;
using TGpPathHandle = TGpOwned<GpPath, GdipDeletePath>;
using TGpAttributesHandle = TGpOwned<GpImageAttributes, GdipDisposeImageAttributes>;
using TGpGraphicsHandle = TGpOwned<GpGraphics, GdipDeleteGraphics>;
using TGpImageHandle = TGpOwned<GpImage, GdipDisposeImage>;
