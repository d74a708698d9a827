// Markup picture benchmark: how long finding the frames of a GIF, choosing
// a frame (which decodes it) and one animation step take on the test data's
// GIF files, and how much memory a decoded animation holds.
//
//   scripts/wine-env build/bench/markup_picture_bench.exe [test data folder, tests\data]
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "markup/picture_container.h"

using bench::Now;
using bench::WorkingSetKiB;

namespace {
std::string ReadAll(const std::wstring &APath) {
  TMemoryStream stream;
  HANDLE f = CreateFileW(APath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD read = 0;
  ReadFile(f, bytes.data(), DWORD(bytes.size()), &read, nullptr);
  CloseHandle(f);
  bytes.resize(read);
  return bytes;
}

void Measure(const std::wstring &AFolder, const wchar_t *AName) {
  std::string bytes = ReadAll(AFolder + L"\\gif\\" + AName);
  if (bytes.empty()) {
    std::printf("%ls: missing\n", AName);
    return;
  }
  const int scans = 200;
  double t0 = Now();
  size_t frames = 0;
  for (int i = 0; i < scans; ++i) frames = FindGifFrames(bytes).size();
  double scan = (Now() - t0) / scans;

  double before = WorkingSetKiB();
  THTMLPicture picture;
  TMemoryStream stream(bytes);
  t0 = Now();
  picture.LoadFromStream(stream);
  double load = Now() - t0;
  t0 = Now();
  for (int f = 1; f <= int(frames); ++f) picture.SetFrame(f);
  double perFrame = frames ? (Now() - t0) / double(frames) : 0;
  double held = WorkingSetKiB() - before;

  THTMLPicture clock;
  TMemoryStream again(bytes);
  clock.LoadFromStream(again);
  int moves = 0;
  t0 = Now();
  const int steps = 2000;
  for (int i = 0; i < steps; ++i) moves += clock.Step() ? 1 : 0;
  double perStep = (Now() - t0) / steps;

  std::printf("%-32ls %7zu bytes %3zu frames: scan %.3f ms (%.0f MB/s), load %.2f ms, "
              "choose a frame %.2f ms, step %.3f ms (%d moves in %d), held %.0f KiB\n",
              AName, bytes.size(), frames, scan, bytes.size() / 1048.576 / scan, load, perFrame,
              perStep, moves, steps, held);
}
} // namespace

int wmain(int argc, wchar_t **argv) {
  std::wstring folder = argc > 1 ? argv[1] : L"Z:" TASTENFANG_TESTDATA_DIR;
  for (wchar_t &c : folder)
    if (c == L'/') c = L'\\';
  CoInitialize(nullptr);
  for (const wchar_t *name : {L"moon_impact.gif", L"iss634.gif", L"dispose_bgnd_transparency.gif",
                              L"interlaced.gif"})
    Measure(folder, name);
  CoUninitialize();
  return 0;
}
