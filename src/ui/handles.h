#pragma once
// Owners of window-system handles: icons and device contexts, and objects
// selected into one.
#include <windows.h>

#include "base/handles.h"

struct TDestroyIconHandle {
  void operator()(HICON AHandle) const { DestroyIcon(AHandle); }
};
struct TDeleteDeviceContext {
  void operator()(HDC AHandle) const { DeleteDC(AHandle); }
};

using TIconHandle = TOwnedHandle<HICON, TDestroyIconHandle>;

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
