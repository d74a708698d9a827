#pragma once
// Owners of GDI+ objects: released with their owner, while GDI+ runs.
#include "base/handles.h"
#include "gdiplus/gdiplus_api.h"

// GDI+ is loaded at run time: its delete routines are pointers, null
// before the library is there.
template <auto &ADelete> struct TGpDelete {
  template <class T> void operator()(T *AHandle) const {
    if (ADelete) ADelete(AHandle);
  }
};
template <class T, auto &ADelete> using TGpOwned = TOwnedHandle<T *, TGpDelete<ADelete>>;

using TGpBrushHandle = TGpOwned<GpBrush, GdipDeleteBrush>;
using TGpPenHandle = TGpOwned<GpPen, GdipDeletePen>;
using TGpPathHandle = TGpOwned<GpPath, GdipDeletePath>;
using TGpAttributesHandle = TGpOwned<GpImageAttributes, GdipDisposeImageAttributes>;
using TGpGraphicsHandle = TGpOwned<GpGraphics, GdipDeleteGraphics>;
using TGpImageHandle = TGpOwned<GpImage, GdipDisposeImage>;
