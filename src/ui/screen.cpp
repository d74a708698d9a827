#include "ui/screen.h"

namespace {
TScreen TheScreen;

BOOL CALLBACK AddMonitor(HMONITOR AMonitor, HDC, LPRECT, LPARAM AData) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(AMonitor, &info)) {
    TMonitor m;
    m.BoundsRect = info.rcMonitor;
    m.WorkareaRect = info.rcWork;
    m.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    reinterpret_cast<std::vector<TMonitor> *>(AData)->push_back(m);
  }
  return TRUE;
}
} // namespace

TScreen *Screen = &TheScreen;

void TScreen::SetCursor(TCursor AValue) {
  if (AValue == FCursor) return;
  FCursor = AValue;
  ::SetCursor(CursorHandle(AValue == crDefault ? crArrow : AValue));
  // Let the window under the mouse choose its own cursor again.
  POINT pt;
  GetCursorPos(&pt);
  SetCursorPos(pt.x, pt.y);
}

std::vector<TMonitor> TScreen::Monitors() const {
  std::vector<TMonitor> list;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, LPARAM(&list));
  return list;
}
