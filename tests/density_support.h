#pragma once
// Checks of a window at another screen density. The density is read when a
// process starts, so a test case runs itself again in a process of its own
// with the prefix's density set (and put back afterwards).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class TControl;

namespace test {

// The densities the program has pictures for.
inline constexpr int kDensities[] = {96, 120, 144, 192};

// The density this process was started with by RunAtDensity; 0 in the run
// that starts them.
int DensityRun();
// Runs the running test case again at the density and returns the exit
// code of that run; what it reports comes back in AReport.
int RunAtDensity(int APixelsPerInch, std::map<std::wstring, SIZE> &AReport);
// Runs the running test case at each density; each run must pass, and each
// picture it reports must be drawn about 1.5 times as large at 144 DPI as
// at 96 DPI. Returns how many pictures were reported.
size_t CheckAtEachDensity();
// In a density run: hands a measured size to the run that started it.
void ReportSize(const std::wstring &AName, SIZE ASize);

// Every control below ARoot, at any depth, that does not lie inside its
// parent's client area, as "name (parent): bounds".
// Empty when there are none.
std::string ControlsOutside(TControl &ARoot);
// The size of what a control's window shows: the bounding box of the pixels
// that differ from the one at its top left corner, read from the screen.
SIZE DrawnExtent(TControl &AControl);

// Sets the density new processes start with; the old one comes back. Wine
// takes it from the fonts' key of the current hardware profile, Windows
// from the user's desktop settings: both are set. Wine also notes the
// density its fonts were last set up for in its own key, and a process
// that finds another there sets up the fonts of the prefix again: that
// note comes back too, or the next run's programs start in a prefix
// whose windows cannot be made.
struct TDensity {
  struct TSetting {
    HKEY Root;
    const wchar_t *Key;
    DWORD Old = 0;
    bool HadOld = false;
  };
  TSetting Settings[3] = {
      {HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
      {HKEY_LOCAL_MACHINE,
       L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"},
      {HKEY_CURRENT_USER, L"Software\\Wine\\Fonts"}};
  explicit TDensity(DWORD APixelsPerInch);
  ~TDensity();
  TDensity(const TDensity &) = delete;
  TDensity &operator=(const TDensity &) = delete;
};

} // namespace test
