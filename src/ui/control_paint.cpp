#include "ui/controls.h"

#include <algorithm>
#include <utility>

#include "ui/application.h"
#include "ui/handles.h"

// Painting a control, on screen or off it, and the colours of the platform
// children it holds.

void TControl::PaintWindow(bool AOffScreen) {
  TPaintDC paint(FHandle);
  try {
    if (AOffScreen) {
      PaintOffScreen(paint.DC());
    } else {
      TCanvas canvas(paint.DC());
      canvas.Font() = FFont;
      Paint(canvas);
    }
  } catch (const TProgramHalt &) {
    throw;
  } catch (...) {
    // The region is valid again by now, so the report's own loop does not
    // paint here again; a paint that keeps failing is reported once, until
    // one succeeds.
    if (std::exchange(FPaintFailed, true)) return;
    throw;
  }
  FPaintFailed = false;
}

void TControl::PaintOffScreen(HDC ADC) {
  // Off-screen, so that labels over pictures and colours don't flicker.
  RECT rc;
  GetClientRect(FHandle, &rc);
  TMemoryDC mem(ADC);
  TGdiObject bitmap(
      CreateCompatibleBitmap(ADC, std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1)));
  TSelectedObject selected(mem.Get(), bitmap.Get());
  TCanvas canvas(mem.Get());
  canvas.Font() = FFont;
  canvas.SetBrushColor(Color());
  canvas.FillRect(TRect(rc));
  Paint(canvas);
  BitBlt(ADC, 0, 0, rc.right, rc.bottom, mem.Get(), 0, 0, SRCCOPY);
}

void TControl::Paint(TCanvas &) {}

HBRUSH TControl::CtlColor(HDC ADC) {
  TColor color = ColorToRGB(Color());
  if (FBrushColor != color || !FBrush.Get()) {
    FBrush.Reset(CreateSolidBrush(color));
    FBrushColor = color;
  }
  SetBkColor(ADC, color);
  SetTextColor(ADC, ColorToRGB(FFont.Color()));
  return static_cast<HBRUSH>(FBrush.Get());
}
