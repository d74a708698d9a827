#pragma once
// Owners of window-system handles: icons and device contexts, and objects
// selected into one.
#include <windows.h>

#include <commctrl.h>

#include <atomic>

#include "base/handles.h"

struct TDestroyIconHandle {
  void operator()(HICON AHandle) const { DestroyIcon(AHandle); }
};
struct TDeleteDeviceContext {
  void operator()(HDC AHandle) const { DeleteDC(AHandle); }
};
struct TDestroyImageList {
  void operator()(HIMAGELIST AHandle) const { ImageList_Destroy(AHandle); }
};

using TIconHandle = TOwnedHandle<HICON, TDestroyIconHandle>;
using TImageListHandle = TOwnedHandle<HIMAGELIST, TDestroyImageList>;

// GDI objects are counted while a wrapper owns them: leak checks read the
// count, because not every platform counts a process's GDI objects (Wine
// does not).
inline std::atomic<long> GdiObjectsLive{0};
struct TDeleteGdiObject {
  void operator()(HGDIOBJ AHandle) const {
    DeleteObject(AHandle);
    Forget(AHandle);
  }
  static void Adopt(HGDIOBJ) { ++GdiObjectsLive; }
  static void Forget(HGDIOBJ) { --GdiObjectsLive; }
};
// Owns one GDI object: a font, pen, brush, bitmap or region.
using TGdiObject = TOwnedHandle<HGDIOBJ, TDeleteGdiObject>;
// GDI objects owned by wrappers right now.
inline long LiveGdiObjects() { return GdiObjectsLive.load(); }

// The screen's device context, given back when the owner goes.
class TScreenDC {
public:
  TScreenDC() : FDC(GetDC(nullptr)) {}
  ~TScreenDC() {
    if (FDC) ReleaseDC(nullptr, FDC);
  }
  TScreenDC(const TScreenDC &) = delete;
  TScreenDC &operator=(const TScreenDC &) = delete;
  HDC DC() const { return FDC; }

private:
  HDC FDC;
};

// One WM_PAINT: the paint ends, and the region is valid again, when the
// owner goes.
class TPaintDC {
public:
  explicit TPaintDC(HWND AWnd) : FWnd(AWnd) { FDC = BeginPaint(AWnd, &FPaint); }
  ~TPaintDC() { EndPaint(FWnd, &FPaint); }
  TPaintDC(const TPaintDC &) = delete;
  TPaintDC &operator=(const TPaintDC &) = delete;
  HDC DC() const { return FDC; }

private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC = nullptr;
};

// An object selected into a device context until the guard goes.
class TSelectedObject {
public:
  TSelectedObject(HDC ADC, HGDIOBJ AObject) : FDC(ADC), FOld(SelectObject(ADC, AObject)) {}
  ~TSelectedObject() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TSelectedObject(const TSelectedObject &) = delete;
  TSelectedObject &operator=(const TSelectedObject &) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// A memory device context compatible with another (or the screen).
class TMemoryDC : public TOwnedHandle<HDC, TDeleteDeviceContext> {
public:
  explicit TMemoryDC(HDC ACompatible = nullptr)
      : TOwnedHandle(CreateCompatibleDC(ACompatible)) {}
};
