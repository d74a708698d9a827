// Start-up benchmark: starts Tastenfang.exe, the bare window program and the
// start-up floor (the same main window in plain Win32, floor_window.cpp)
// in turn, the same way, and prints for each the time until its window is
// visible and idle and its peak working set, with the ratios to the floor
// (the start-up target) and to the bare window, and the size of the
// program file. The figures are those of the
// build the benchmark belongs to.
//
//   scripts/wine-env build-x64/bench/startup_bench.exe [runs]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"

using bench::Median;
using bench::Quantile;

namespace {
struct TFigures {
  double Milliseconds;
  double PeakKiB;
};

struct TFind {
  DWORD Pid;
  HWND Found;
};

BOOL CALLBACK FindVisible(HWND AWnd, LPARAM AData) {
  auto *f = reinterpret_cast<TFind *>(AData);
  DWORD pid = 0;
  GetWindowThreadProcessId(AWnd, &pid);
  if (pid == f->Pid && IsWindowVisible(AWnd) && !GetWindow(AWnd, GW_OWNER)) {
    f->Found = AWnd;
    return FALSE;
  }
  return TRUE;
}

std::wstring Folder(const std::wstring &APath) { return APath.substr(0, APath.find_last_of(L'\\')); }

bool Run(const std::wstring &AExe, TFigures &AOut) {
  std::wstring cmd = L"\"" + AExe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  const double start = bench::Now();
  if (!CreateProcessW(AExe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Folder(AExe).c_str(), &si, &pi))
    return false;
  TFind find{pi.dwProcessId, nullptr};
  for (int i = 0; i < 3000 && !find.Found; ++i) {
    EnumWindows(&FindVisible, LPARAM(&find));
    if (!find.Found) Sleep(1);
  }
  WaitForInputIdle(pi.hProcess, 10000);
  const double end = bench::Now();
  // Let the first paint settle before reading the peak.
  Sleep(300);
  const double peak = bench::PeakWorkingSetKiB(pi.hProcess);
  if (find.Found) PostMessageW(find.Found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  AOut.Milliseconds = end - start;
  AOut.PeakKiB = peak;
  return find.Found != nullptr;
}

long long FileSize(const std::wstring &APath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(APath.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct TProgram {
  const char *Label;
  std::wstring Exe;
  std::vector<double> Times, Peaks;
};
} // namespace

int wmain(int argc, wchar_t **argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 10;
  if (runs < 1) runs = 10;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring bench = Folder(self), build = Folder(bench);
  // A copy of the program with its settings beside it, so the runs leave
  // the user's settings alone; the floor reads the same settings file.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + L"tastenfang_bench";
  CreateDirectoryW(dir.c_str(), nullptr);
  std::wstring program = dir + L"\\Tastenfang.exe", floor = dir + L"\\floor_window.exe";
  CopyFileW((build + L"\\bin\\Tastenfang.exe").c_str(), program.c_str(), FALSE);
  CopyFileW((bench + L"\\floor_window.exe").c_str(), floor.c_str(), FALSE);
  HANDLE redirect = CreateFileW((dir + L"\\Pfad.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
  const char text[] = "[Pfad]\r\nIni=*\r\n";
  DWORD written;
  WriteFile(redirect, text, sizeof(text) - 1, &written, nullptr);
  CloseHandle(redirect);

  std::vector<TProgram> programs = {{"Tastenfang", program, {}, {}},
                                    {"floor", floor, {}, {}},
                                    {"bare window", bench + L"\\minimal_window.exe", {}, {}}};
  TFigures f{};
  // One warm-up run of each, then in turn so all see the same machine.
  for (TProgram &p : programs) Run(p.Exe, f);
  for (int i = 0; i < runs; ++i) {
    for (TProgram &p : programs) {
      if (!Run(p.Exe, f)) {
        std::printf("%s did not show its window\n", p.Label);
        return 1;
      }
      p.Times.push_back(f.Milliseconds);
      p.Peaks.push_back(f.PeakKiB);
    }
  }
  // The target is against the floor, which does the same platform work in
  // plain Win32; the bare window only shows how much that work is.
  const TProgram &floorRun = programs[1], &bare = programs[2];
  const double tf = Median(floorRun.Times), t0 = Median(bare.Times), m0 = Median(bare.Peaks);
  std::printf("build:          %s\n", sizeof(void *) == 8 ? "x86-64" : "32-bit");
  std::printf("runs each:      %d (medians; quartiles in brackets)\n", runs);
  std::printf("start-up until visible and idle, and peak working set:\n");
  std::printf("  %-39s  %6s  %6s  %11s  %6s\n", "", "/floor", "/bare", "", "/bare");
  for (const TProgram &p : programs) {
    const double t = Median(p.Times), m = Median(p.Peaks);
    std::printf("  %-12s %6.1f ms [%6.1f, %6.1f]  %6.2f  %6.2f  %7.0f KiB  %6.2f\n", p.Label, t,
                Quantile(p.Times, 0.25), Quantile(p.Times, 0.75), t / tf, t / t0, m, m / m0);
  }
  const double ratio = Median(programs[0].Times) / tf;
  std::printf("target:         Tastenfang start-up over the floor <= 1.05: %.3f, %s\n", ratio,
              ratio <= 1.05 ? "met" : "NOT met");
  std::printf("information:    the floor over the bare window %.2f (the platform's share)\n", tf / t0);
  std::printf("target:         peak working set over the bare window <= 1.50: %.2f\n",
              Median(programs[0].Peaks) / m0);
  std::printf("stripped Tastenfang.exe: %lld bytes (target < 1048576)\n",
              FileSize(build + L"\\bin\\Tastenfang.exe"));
  return 0;
}
