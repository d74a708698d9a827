#include "ui/comctrls.h"

#include <commctrl.h>

TProgressBar::TProgressBar(TComponent *AOwner) : TControl(AOwner) {}

void TProgressBar::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = PROGRESS_CLASSW;
  if (FStyle == pbstMarquee) AParams.Style |= PBS_MARQUEE;
}

void TProgressBar::InitWnd() {
  ApplyRange();
  SendMessageW(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
  ApplyMarquee();
}

void TProgressBar::ApplyRange() {
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
}

void TProgressBar::ApplyMarquee() {
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  style = FStyle == pbstMarquee ? (style | PBS_MARQUEE) : (style & ~LONG_PTR(PBS_MARQUEE));
  SetWindowLongPtrW(FHandle, GWL_STYLE, style);
  SendMessageW(FHandle, PBM_SETMARQUEE, FStyle == pbstMarquee, LPARAM(FMarqueeInterval));
}

void TProgressBar::SetMin(int AValue) {
  FMin = AValue;
  ApplyRange();
}

void TProgressBar::SetMax(int AValue) {
  FMax = AValue;
  ApplyRange();
}

int TProgressBar::Position() {
  if (HandleAllocated()) FPosition = int(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int AValue) {
  FPosition = AValue;
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETPOS, WPARAM(AValue), 0);
}

void TProgressBar::SetStyle(TProgressBarStyle AValue) {
  FStyle = AValue;
  ApplyMarquee();
}

void TProgressBar::SetMarqueeInterval(int AValue) {
  FMarqueeInterval = AValue;
  ApplyMarquee();
}
