// Start-up benchmark: starts Tastenfang.exe and the minimal window program
// ten times each, the same way, and prints the time until the main window
// is visible and idle, the peak working set, and their ratios.
//
//   scripts/wine-env build/bench/startup_bench.exe [runs]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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
  LARGE_INTEGER freq, start, end;
  QueryPerformanceFrequency(&freq);
  std::wstring cmd = L"\"" + AExe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(AExe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Folder(AExe).c_str(), &si, &pi))
    return false;
  TFind find{pi.dwProcessId, nullptr};
  for (int i = 0; i < 3000 && !find.Found; ++i) {
    EnumWindows(&FindVisible, LPARAM(&find));
    if (!find.Found) Sleep(1);
  }
  WaitForInputIdle(pi.hProcess, 10000);
  QueryPerformanceCounter(&end);
  // Let the first paint settle before reading the peak.
  Sleep(300);
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc));
  if (find.Found) PostMessageW(find.Found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  AOut.Milliseconds = double(end.QuadPart - start.QuadPart) * 1000.0 / double(freq.QuadPart);
  AOut.PeakKiB = double(pmc.PeakWorkingSetSize) / 1024.0;
  return find.Found != nullptr;
}

double Median(std::vector<double> AValues) {
  std::sort(AValues.begin(), AValues.end());
  size_t n = AValues.size();
  return n % 2 ? AValues[n / 2] : (AValues[n / 2 - 1] + AValues[n / 2]) / 2;
}

long long FileSize(const std::wstring &APath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(APath.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
} // namespace

int wmain(int argc, wchar_t **argv) {
  int runs = argc > 1 ? _wtoi(argv[1]) : 10;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring bench = Folder(self), build = Folder(bench);
  std::wstring minimal = bench + L"\\minimal_window.exe";
  // A copy of the program with its settings beside it, so the runs leave
  // the user's settings alone.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + L"tastenfang_bench";
  CreateDirectoryW(dir.c_str(), nullptr);
  std::wstring program = dir + L"\\Tastenfang.exe";
  CopyFileW((build + L"\\bin\\Tastenfang.exe").c_str(), program.c_str(), FALSE);
  HANDLE redirect = CreateFileW((dir + L"\\Pfad.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
  const char text[] = "[Pfad]\r\nIni=*\r\n";
  DWORD written;
  WriteFile(redirect, text, sizeof(text) - 1, &written, nullptr);
  CloseHandle(redirect);

  std::vector<double> tfTime, tfPeak, minTime, minPeak;
  TFigures f{};
  // One warm-up run of each, then alternate so both see the same machine.
  Run(program, f);
  Run(minimal, f);
  for (int i = 0; i < runs; ++i) {
    if (!Run(program, f)) {
      std::printf("Tastenfang.exe did not show its window\n");
      return 1;
    }
    tfTime.push_back(f.Milliseconds);
    tfPeak.push_back(f.PeakKiB);
    if (!Run(minimal, f)) {
      std::printf("minimal_window.exe did not show its window\n");
      return 1;
    }
    minTime.push_back(f.Milliseconds);
    minPeak.push_back(f.PeakKiB);
  }
  double t1 = Median(tfTime), t0 = Median(minTime), m1 = Median(tfPeak), m0 = Median(minPeak);
  long long size = FileSize(build + L"\\bin\\Tastenfang.exe");
  std::printf("runs each:                       %d (medians)\n", runs);
  std::printf("start-up until visible and idle: Tastenfang %.1f ms, minimal %.1f ms, ratio %.2f "
              "(target <= 1.20)\n",
              t1, t0, t1 / t0);
  std::printf("peak working set:                Tastenfang %.0f KiB, minimal %.0f KiB, ratio %.2f "
              "(target <= 1.50)\n",
              m1, m0, m1 / m0);
  std::printf("stripped Tastenfang.exe:         %lld bytes (target < 1048576)\n", size);
  return 0;
}
