#pragma once
// A timer component: OnTimer runs every Interval milliseconds while it is
// enabled, from the thread's message loop (a window-message timer).
#include <windows.h>

#include "base/component.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent *AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned AValue);

  TNotifyEvent OnTimer;

private:
  void UpdateTimer();
  static void CALLBACK Tick(HWND, UINT, UINT_PTR AId, DWORD);

  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};
