// Task dialog benchmark: the gallery's "Details" and "Langer Text" samples
// shown by the same component in the emulated window and in the platform's
// own dialog (chosen through the version seam), in turn, in one run. For
// each it prints the medians of the time from Execute until the dialog is
// visible and idle, and until Execute has returned after the dialog was
// closed right then, and the emulated window's share of the platform's.
//
//   scripts/wine-env build-x64/bench/dialog_bench.exe [runs]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "gallery_form.h"
#include "gallery_samples.h"
#include "ui/application.h"
#include "ui/task_dialog_platform.h"

namespace {
// "Visible and idle": the dialog's window is visible and its thread's queue
// holds no input, posted, sent or paint message, so the next thing the
// dialog's loop does is wait. A probe message tells: it is posted each time
// the loop takes a message from the queue (a message hook sees that), and
// the probe that finds the window visible and the queue empty takes the
// time. A probe that finds more to do does not post itself again: posted
// messages come before paint messages, so that would starve the painting
// (and the platform's dialog, which shows its window only once its queue
// runs empty); the next message taken posts the next probe. Timers do not
// count: they come only when the queue is empty anyway.
constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kQueueBusy = QS_INPUT | QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE;

struct TWatch {
  HWND Probe = nullptr;
  TAdvTaskDialog *Dialog = nullptr; // while its Execute runs
  bool ProbePosted = false;
  double IdleAt = 0;
  bool TimedOut = false;
};
TWatch Watch;

void PostProbe() {
  if (Watch.ProbePosted || !Watch.Dialog) return;
  Watch.ProbePosted = PostMessageW(Watch.Probe, kProbe, 0, 0) != FALSE;
}

LRESULT CALLBACK TakenFromQueue(int ACode, WPARAM ARemove, LPARAM AMsg) {
  if (ACode == HC_ACTION && ARemove == PM_REMOVE &&
      reinterpret_cast<const MSG *>(AMsg)->hwnd != Watch.Probe)
    PostProbe();
  return CallNextHookEx(nullptr, ACode, ARemove, AMsg);
}

// Closed right when it is visible and idle: both presentations have OK.
void CloseNow() {
  TAdvTaskDialog *dialog = Watch.Dialog;
  Watch.Dialog = nullptr;
  dialog->ClickButton(IDOK);
}

LRESULT CALLBACK ProbeProc(HWND AWnd, UINT AMsg, WPARAM AW, LPARAM AL) {
  if (AMsg != kProbe) return DefWindowProcW(AWnd, AMsg, AW, AL);
  Watch.ProbePosted = false;
  if (!Watch.Dialog) return 0;
  const HWND shown = Watch.Dialog->hWnd();
  if (shown && IsWindowVisible(shown) && (HIWORD(GetQueueStatus(QS_ALLINPUT)) & kQueueBusy) == 0) {
    Watch.IdleAt = bench::Now();
    CloseNow();
  }
  return 0;
}

// A dialog that never settles ends the run instead of the benchmark hanging.
void CALLBACK Overdue(HWND, UINT, UINT_PTR, DWORD) {
  if (!Watch.Dialog) return;
  Watch.TimedOut = true;
  CloseNow();
}

struct TRun {
  double Open;      // until visible and idle
  double OpenClose; // until Execute returned
};

// One Execute of the sample, emulated or through the platform's dialog.
bool RunOnce(TForm &AOwner, const TGallerySample &ASample, bool AEmulated, TRun &AOut) {
  TAdvTaskDialog dialog(&AOwner);
  ASample.Fill(dialog);
  if (AEmulated) {
    dialog.SetNonNativeDialog(nndAlways);
  } else {
    // A platform and common controls new enough for the platform's dialog.
    PlatformMajorVersionHook = [] { return 6; };
    FileVersionHighHook = [](const std::wstring &) { return (6 << 16) | 10; };
  }
  Watch.Dialog = &dialog;
  Watch.IdleAt = 0;
  Watch.TimedOut = false;
  const UINT_PTR overdue = SetTimer(nullptr, 0, 10000, &Overdue);
  const double start = bench::Now();
  const int result = dialog.Execute();
  const double end = bench::Now();
  KillTimer(nullptr, overdue);
  Watch.Dialog = nullptr;
  PlatformMajorVersionHook = nullptr;
  FileVersionHighHook = nullptr;
  // Whatever the closing left behind (the owner's repainting) is not the
  // next run's.
  Application->ProcessMessages();
  if (result != IDOK || Watch.TimedOut || Watch.IdleAt == 0 || dialog.IsNative() == AEmulated) {
    std::printf("error: %ls %s: result %d%s%s\n", ASample.Caption,
                AEmulated ? "emulated" : "native", result, Watch.TimedOut ? ", not idle in 10 s" : "",
                dialog.IsNative() == AEmulated ? ", wrong presentation" : "");
    return false;
  }
  AOut = {Watch.IdleAt - start, end - start};
  return true;
}

struct TSeries {
  std::vector<double> Open, OpenClose;
};

// "Langer Text" -> "langer_text".
std::string Key(const wchar_t *ACaption) {
  std::string key;
  for (const wchar_t *c = ACaption; *c; ++c)
    key += *c == L' ' ? '_' : char(towlower(*c));
  return key;
}

void Print(const std::string &AName, double AValue) {
  std::printf("%s: %.2f\n", AName.c_str(), AValue);
}
} // namespace

int wmain(int argc, wchar_t **argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 20;
  if (runs < 1) runs = 20;
  const int warmUps = 3;

  TApplication app;
  // The dialogs are owned by the gallery's window, as in the gallery.
  TGalleryForm *gallery = StartGallery(app);
  gallery->Show();
  app.ProcessMessages();

  WNDCLASSW probeClass{};
  probeClass.lpfnWndProc = &ProbeProc;
  probeClass.hInstance = GetModuleHandleW(nullptr);
  probeClass.lpszClassName = L"DialogBenchProbe";
  RegisterClassW(&probeClass);
  Watch.Probe = CreateWindowExW(0, probeClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, probeClass.hInstance, nullptr);
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &TakenFromQueue, nullptr, GetCurrentThreadId());
  if (!Watch.Probe || !hook) {
    std::printf("error: no probe window or message hook\n");
    return 1;
  }

  std::printf("build: %s\n", sizeof(void *) == 8 ? "x86-64" : "32-bit");
  std::printf("runs: %d\n", runs);
  int status = 0;
  for (const wchar_t *caption : {L"Details", L"Langer Text"}) {
    const TGallerySample *sample = FindGallerySample(caption);
    TSeries emulated, native;
    TRun run{};
    // Emulated and native take turns, each going first every other time,
    // so that a busy spell of the machine favours neither.
    for (int i = 0; i < warmUps + runs && status == 0; ++i) {
      for (int k = 0; k < 2 && status == 0; ++k) {
        const bool isEmulated = (i + k) % 2 == 0;
        if (!RunOnce(*gallery, *sample, isEmulated, run)) {
          status = 1;
          break;
        }
        if (i < warmUps) continue;
        TSeries &series = isEmulated ? emulated : native;
        series.Open.push_back(run.Open);
        series.OpenClose.push_back(run.OpenClose);
      }
    }
    if (status != 0) break;
    const std::string key = Key(caption);
    const double emOpen = bench::Median(emulated.Open), emAll = bench::Median(emulated.OpenClose);
    const double naOpen = bench::Median(native.Open), naAll = bench::Median(native.OpenClose);
    Print(key + "_emulated_open_ms", emOpen);
    Print(key + "_emulated_open_close_ms", emAll);
    Print(key + "_native_open_ms", naOpen);
    Print(key + "_native_open_close_ms", naAll);
    Print(key + "_emulated_over_native", emOpen / naOpen);
    Print(key + "_emulated_over_native_open_close", emAll / naAll);
  }
  std::printf("target: emulated_over_native <= 1.00 for both samples\n");

  UnhookWindowsHookEx(hook);
  DestroyWindow(Watch.Probe);
  return status;
}
