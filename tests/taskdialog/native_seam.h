#pragma once
// Chooses the presentation through the version seams for one test.
#include "taskdialog/presentation_version.h"

namespace tdtest {
struct TVersions {
  TVersions(int APlatformMajor, int AComCtlHigh) {
    PlatformMajorVersionHook = [=] { return APlatformMajor; };
    FileVersionHighHook = [=](const std::wstring &) { return AComCtlHigh; };
  }
  ~TVersions() {
    PlatformMajorVersionHook = nullptr;
    FileVersionHighHook = nullptr;
  }
};
// A platform with common controls 6.10: the native dialog.
struct TNativePlatform : TVersions {
  TNativePlatform() : TVersions(6, (6 << 16) | 10) {}
};
} // namespace tdtest
