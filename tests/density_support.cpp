#include "density_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <doctest.h>

#include "test_support.h"
#include "ui/controls.h"

namespace test {
namespace {
const char kDensityVariable[] = "TASTENFANG_TEST_DENSITY";
const char kReportVariable[] = "TASTENFANG_TEST_REPORT";

void SetDensity(const TDensity::TSetting &ASetting, DWORD AValue) {
  RegSetKeyValueW(ASetting.Root, ASetting.Key, L"LogPixels", REG_DWORD, &AValue, sizeof(AValue));
}

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring Widen(const std::string &AText) { return std::wstring(AText.begin(), AText.end()); }
} // namespace

TDensity::TDensity(DWORD APixelsPerInch) {
  for (TSetting &s : Settings) {
    DWORD size = sizeof(s.Old);
    s.HadOld = RegGetValueW(s.Root, s.Key, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &s.Old,
                            &size) == ERROR_SUCCESS;
    SetDensity(s, APixelsPerInch);
  }
}

TDensity::~TDensity() {
  for (const TSetting &s : Settings)
    if (s.HadOld)
      SetDensity(s, s.Old);
    else
      RegDeleteKeyValueW(s.Root, s.Key, L"LogPixels");
}

int DensityRun() {
  const char *value = std::getenv(kDensityVariable);
  return value ? std::atoi(value) : 0;
}

int RunAtDensity(int APixelsPerInch, std::map<std::wstring, SIZE> &AReport) {
  // The filter takes commas as separators: any character matches there.
  std::string testCase = doctest::getContextOptions()->currentTest->m_name;
  for (char &c : testCase)
    if (c == ',') c = '?';
  TTempDir dir;
  const std::wstring report = dir.Path() + L"\\sizes.txt";
  DWORD code;
  {
    TDensity density{DWORD(APixelsPerInch)};
    HANDLE process = StartProcessWithEnvironment(
        ThisProgram(), L"\"--test-case=" + Widen(testCase) + L"\"",
        {Widen(kDensityVariable) + L"=" + std::to_wstring(APixelsPerInch),
         Widen(kReportVariable) + L"=" + report});
    REQUIRE(process);
    code = WaitExit(process, 4 * kWaitLimit);
    if (code == STILL_ACTIVE) TerminateProcess(process, 99);
    CloseHandle(process);
  }
  AReport.clear();
  std::istringstream lines(ReadFileBytes(report));
  std::string name;
  SIZE size;
  while (lines >> name >> size.cx >> size.cy) AReport[Widen(name)] = size;
  return int(code);
}

size_t CheckAtEachDensity() {
  std::map<int, std::map<std::wstring, SIZE>> drawn;
  for (int dpi : kDensities) {
    CAPTURE(dpi);
    CHECK(RunAtDensity(dpi, drawn[dpi]) == 0);
  }
  for (const auto &[name, at96] : drawn[96]) {
    CAPTURE(std::string(name.begin(), name.end()));
    const SIZE at144 = drawn[144][name];
    CAPTURE(at96.cx);
    CAPTURE(at96.cy);
    CAPTURE(at144.cx);
    CAPTURE(at144.cy);
    CHECK(at96.cx >= 12);
    CHECK(at96.cy >= 12);
    CHECK(double(at144.cx) / at96.cx == doctest::Approx(1.5).epsilon(0.07));
    CHECK(double(at144.cy) / at96.cy == doctest::Approx(1.5).epsilon(0.07));
  }
  return drawn[96].size();
}

void ReportSize(const std::wstring &AName, SIZE ASize) {
  const char *path = std::getenv(kReportVariable);
  REQUIRE(path);
  std::ofstream out(path, std::ios::app);
  out << std::string(AName.begin(), AName.end()) << ' ' << ASize.cx << ' ' << ASize.cy << '\n';
}

std::string ControlsOutside(TControl &ARoot) {
  std::wstring outside;
  const TRect client = ARoot.ClientRect();
  for (int i = 0; i < ARoot.ControlCount(); ++i) {
    TControl &child = *ARoot.Controls(i);
    const TRect r = child.BoundsRect();
    if (r.left < client.left || r.top < client.top || r.right > client.right ||
        r.bottom > client.bottom)
      outside += child.Name() + L" (" + ARoot.Name() + L"): " + std::to_wstring(r.left) + L"," +
                 std::to_wstring(r.top) + L" " + std::to_wstring(r.Width()) + L"x" +
                 std::to_wstring(r.Height()) + L" in " + std::to_wstring(client.Width()) + L"x" +
                 std::to_wstring(client.Height()) + L"; ";
    std::string more = ControlsOutside(child);
    outside += std::wstring(more.begin(), more.end());
  }
  return std::string(outside.begin(), outside.end());
}

SIZE DrawnExtent(TControl &AControl) {
  HWND window = AControl.Handle();
  // Under the mouse a flat button shows its frame and a linked picture its
  // hover state; an earlier test may have left the mouse anywhere.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  PumpIdle();
  // What is measured is what the screen shows: painted first.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpIdle();
  RECT client;
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  const COLORREF back = GetPixel(memory, 0, 0);
  int left = w, top = h, right = -1, bottom = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = GetPixel(memory, x, y);
      int diff = std::abs(GetRValue(c) - GetRValue(back)) +
                 std::abs(GetGValue(c) - GetGValue(back)) +
                 std::abs(GetBValue(c) - GetBValue(back));
      // Smoothing leaves a faint trace around a picture, wider or narrower
      // by the density's rounding: not part of it.
      if (diff < 60) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return right < 0 ? SIZE{0, 0} : SIZE{right - left + 1, bottom - top + 1};
}

} // namespace test
