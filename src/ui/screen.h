#pragma once
// The screen: its cursor for the whole program, its density and monitors.
#include <vector>

#include "ui/controls.h"

struct TMonitor {
  TRect BoundsRect;
  TRect WorkareaRect;
  bool Primary = false;
};

class TScreen {
public:
  TCursor Cursor() const { return FCursor; }
  // Applies at once, not only at the next mouse move.
  void SetCursor(TCursor AValue);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const { return ScreenPixelsPerInch(); }
  // The monitors in the order the platform lists them.
  std::vector<TMonitor> Monitors() const;

private:
  TCursor FCursor = crDefault;
};

extern TScreen *Screen;
