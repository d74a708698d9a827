#pragma once
// Bad input for the markup engine: random characters, random tag soup and
// mutations of a corpus of every tag and attribute form, through every
// mode of DrawMarkup. Shared by the test suite (a few thousand inputs) and
// bench/markup_fuzz (any count).
#include <cstdint>
#include <string>
#include <vector>

namespace mfuzz {

struct TFuzzReport {
  long long Inputs = 0;
  long long Failures = 0;
  // The first failures, each with the input that caused it.
  std::vector<std::string> Messages;
  double Seconds = 0;
  double SlowestMs = 0;
  std::string SlowestInput;
};

// Every tag of both recognition tables, every attribute form.
std::vector<std::wstring> MarkupCorpus();

// Feeds ACount inputs made from ASeed. After each call it checks that no
// exception escaped, that the canvas's font and background are those of
// entry and that no GDI object was left behind.
TFuzzReport RunMarkupFuzz(uint32_t ASeed, long long ACount);

} // namespace mfuzz
