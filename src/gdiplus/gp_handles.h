#pragma once
// Owners of the short-lived GDI+ objects of one drawing call.
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

  T *Get() const { return FHandle; }
  T **Out() { return &FHandle; }
  T *Release() {
    T *h = FHandle;
    FHandle = nullptr;
    return h;
  }

private:
  T *FHandle = nullptr;
};

using TGpBrushHandle = TGpOwned<GpBrush, GdipDeleteBrush>;
using TGpPenHandle = TGpOwned<GpPen, GdipDeletePen>;
using TGpPathHandle = TGpOwned<GpPath, GdipDeletePath>;
using TGpAttributesHandle = TGpOwned<GpImageAttributes, GdipDisposeImageAttributes>;
using TGpGraphicsHandle = TGpOwned<GpGraphics, GdipDeleteGraphics>;
