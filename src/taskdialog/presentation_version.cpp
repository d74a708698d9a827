#include "taskdialog/presentation_version.h"

#include <vector>

#include "ui/architecture.h"

std::function<int()> PlatformMajorVersionHook;
std::function<int(const std::wstring &)> FileVersionHighHook;

int PlatformMajorVersion() {
  if (PlatformMajorVersionHook) return PlatformMajorVersionHook();
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
  return int(info.dwMajorVersion);
}

int FileVersionHigh(const std::wstring &AFileName) {
  if (FileVersionHighHook) return FileVersionHighHook(AFileName);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(AFileName.c_str(), &handle);
  if (size == 0) return -1;
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(AFileName.c_str(), 0, size, data.data())) return -1;
  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) || !fixed ||
      length < sizeof(VS_FIXEDFILEINFO))
    return -1;
  return int(fixed->dwFileVersionMS);
}

bool NeedsEmulatedPresentation(int APlatformMajor, int AComCtlVersionHigh,
                               TNonNativeDialog ANonNative) {
  const int comCtlMajor = (AComCtlVersionHigh >> 16) & 0xFF; // -1 reads as 255
  return APlatformMajor < 6 || comCtlMajor <= 5 || ANonNative != nndAuto;
}
