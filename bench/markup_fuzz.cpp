// Bad markup for any count of inputs (default one million): random
// characters, tag soup and corpus mutations through every mode of
// DrawMarkup. Prints inputs per second and the failures.
//
//   scripts/wine-env build-x64/bench/markup_fuzz.exe [count] [seed]
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <cstdlib>

#include "markup/markup_fuzz.h"

int wmain(int argc, wchar_t **argv) {
  const long long count = argc > 1 ? _wtoi64(argv[1]) : 1000000;
  const unsigned seed = argc > 2 ? unsigned(_wtoi(argv[2])) : 1;
  CoInitialize(nullptr);
  const mfuzz::TFuzzReport report = mfuzz::RunMarkupFuzz(seed, count);
  CoUninitialize();
  std::printf("inputs: %lld\n", report.Inputs);
  std::printf("seconds: %.1f\n", report.Seconds);
  std::printf("inputs_per_second: %.0f\n", double(report.Inputs) / report.Seconds);
  std::printf("slowest_input_ms: %.1f\n", report.SlowestMs);
  std::printf("slowest_input: %s\n", report.SlowestInput.c_str());
  std::printf("failures: %lld\n", report.Failures);
  for (const std::string &message : report.Messages) std::printf("  %s\n", message.c_str());
  return report.Failures == 0 ? 0 : 1;
}
