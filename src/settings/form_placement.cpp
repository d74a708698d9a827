#include "settings/form_placement.h"

#include <cstdint>

#include "ui/screen.h"

void LoadFormPlacement(TForm &AForm, TCustomIniFile &AIniFile) {
  const std::wstring &section = AForm.Name();
  // Left and top only move for monitors left of or above the primary one.
  int leftLimit = 0, rightLimit = 0, topLimit = 0, bottomLimit = 0;
  for (const TMonitor &m : Screen->Monitors()) {
    if (m.BoundsRect.left < leftLimit) leftLimit = m.WorkareaRect.left;
    if (m.BoundsRect.right > rightLimit) rightLimit = m.WorkareaRect.right;
    if (m.BoundsRect.top < topLimit) topLimit = m.WorkareaRect.top;
    if (m.BoundsRect.bottom > bottomLimit) bottomLimit = m.WorkareaRect.bottom;
  }
  const int W0 = AForm.Width(), H0 = AForm.Height();
  int left = AIniFile.ReadInteger(section, L"Left", 0);
  int top = AIniFile.ReadInteger(section, L"Top", 0);
  int width = W0, height = H0;
  if (AForm.BorderStyle() == bsSizeable || AForm.BorderStyle() == bsSizeToolWin) {
    width = AIniFile.ReadInteger(section, L"Width", W0);
    height = AIniFile.ReadInteger(section, L"Height", H0);
    // No window has a size of nothing or less.
    if (width <= 0) width = W0;
    if (height <= 0) height = H0;
  }
  if (left < leftLimit) left = leftLimit;
  if (top < topLimit) top = topLimit;
  if (int64_t(left) + width > rightLimit) {
    left = rightLimit - W0;
    width = W0;
  }
  if (int64_t(top) + height > bottomLimit) {
    top = bottomLimit - H0;
    height = H0;
  }
  AForm.SetBounds(left, top, width, height);
  int state = AIniFile.ReadInteger(section, L"WindowState", int(AForm.WindowState()));
  if (state == wsNormal || state == wsMaximized) AForm.SetWindowState(TWindowState(state));
}

void SaveFormPlacement(TForm &AForm, TCustomIniFile &AIniFile) {
  const std::wstring &section = AForm.Name();
  TWindowState state = AForm.WindowState();
  AIniFile.WriteInteger(section, L"WindowState", int(state));
  if (state != wsNormal) return;
  AIniFile.WriteInteger(section, L"Left", AForm.Left());
  AIniFile.WriteInteger(section, L"Top", AForm.Top());
  AIniFile.WriteInteger(section, L"Width", AForm.Width());
  AIniFile.WriteInteger(section, L"Height", AForm.Height());
}
