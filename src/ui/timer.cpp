#include "ui/timer.h"

#include <map>

#include "ui/application.h"

namespace {
// Thread timers carry no data of their own: the running ones by identifier.
// Per thread, not guarded: a thread timer only ever fires on the thread that
// set it, so each thread looks up only its own.
std::map<UINT_PTR, TTimer *> &RunningTimers() {
  thread_local std::map<UINT_PTR, TTimer *> timers;
  return timers;
}
} // namespace

TTimer::TTimer(TComponent *AOwner) : TComponent(AOwner) {
  UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::SetEnabled(bool AValue) {
  if (AValue == FEnabled) return;
  FEnabled = AValue;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned AValue) {
  if (AValue == FInterval) return;
  FInterval = AValue;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(nullptr, FId);
    RunningTimers().erase(FId);
    FId = 0;
  }
  if (!FEnabled || FInterval == 0) return;
  FId = SetTimer(nullptr, 0, FInterval, &TTimer::Tick);
  if (FId) RunningTimers()[FId] = this;
}

void CALLBACK TTimer::Tick(HWND, UINT, UINT_PTR AId, DWORD) {
  auto it = RunningTimers().find(AId);
  if (it == RunningTimers().end()) return;
  TTimer *timer = it->second;
  // Nothing may unwind through the platform's dispatching.
  try {
    if (timer->OnTimer) timer->OnTimer(timer);
  } catch (...) {
    HandleBoundaryException();
  }
}
