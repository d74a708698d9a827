#pragma once
// What the benchmarks share: a clock, medians and quantiles, the working
// set. Link with psapi.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <vector>

namespace bench {

// A monotonic clock in milliseconds.
inline double Now() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    return double(freq.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) / ticksPerMs;
}

// The value below which the share AQuantile of the values lie, between
// neighbours linearly; 0 for no values.
inline double Quantile(std::vector<double> AValues, double AQuantile) {
  if (AValues.empty()) return 0;
  std::sort(AValues.begin(), AValues.end());
  const double pos = AQuantile * double(AValues.size() - 1);
  const size_t i = size_t(pos);
  const double rest = pos - double(i);
  return i + 1 < AValues.size() ? AValues[i] * (1 - rest) + AValues[i + 1] * rest : AValues[i];
}

inline double Median(const std::vector<double> &AValues) { return Quantile(AValues, 0.5); }

inline PROCESS_MEMORY_COUNTERS MemoryCounters(HANDLE AProcess) {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(AProcess, &pmc, sizeof(pmc));
  return pmc;
}

// A process's working set now and at its peak, in KiB; this process's
// unless told otherwise.
inline double WorkingSetKiB(HANDLE AProcess = GetCurrentProcess()) {
  return double(MemoryCounters(AProcess).WorkingSetSize) / 1024.0;
}

inline double PeakWorkingSetKiB(HANDLE AProcess = GetCurrentProcess()) {
  return double(MemoryCounters(AProcess).PeakWorkingSetSize) / 1024.0;
}

} // namespace bench
