#include "ui/task_dialog_platform.h"

#include "base/system_library.h"
#include "base/version_resource.h"
#include "ui/platform.h"

std::function<int()> PlatformMajorVersionHook;
std::function<int(const std::wstring &)> FileVersionHighHook;
std::function<bool()> VisualStylesEnabledHook;
std::function<HRESULT(const TASKDIALOGCONFIG *, int *, int *, BOOL *)> TaskDialogIndirectHook;

HMODULE CommonControlsLibrary() {
  static HMODULE module = LoadSystemLibrary(L"comctl32.dll");
  return module;
}

namespace {
HRESULT WINAPI HookedTaskDialogIndirect(const TASKDIALOGCONFIG *AConfig, int *AButton, int *ARadio,
                                        BOOL *AVerify) {
  return TaskDialogIndirectHook(AConfig, AButton, ARadio, AVerify);
}
} // namespace

TTaskDialogIndirectProc TaskDialogIndirectEntry() {
  if (TaskDialogIndirectHook) return &HookedTaskDialogIndirect;
  HMODULE module = CommonControlsLibrary();
  return module ? GetProcAddressAs<TTaskDialogIndirectProc>(module, "TaskDialogIndirect")
                : nullptr;
}

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
  const TVersionResource resource(AFileName);
  const VS_FIXEDFILEINFO *fixed = resource.FixedInfo();
  return fixed ? int(fixed->dwFileVersionMS) : -1;
}

bool VisualStylesEnabled() {
  if (VisualStylesEnabledHook) return VisualStylesEnabledHook();
  // Version 6 is told by its task dialog: Wine's version 6 library reports
  // itself as 5.81.
  if (!TaskDialogIndirectEntry()) return false;
  using TThemeQuery = BOOL(WINAPI *)();
  static HMODULE theme = LoadSystemLibrary(L"uxtheme.dll");
  if (!theme) return false;
  auto isAppThemed = GetProcAddressAs<TThemeQuery>(theme, "IsAppThemed");
  auto isThemeActive = GetProcAddressAs<TThemeQuery>(theme, "IsThemeActive");
  return isAppThemed && isThemeActive && isAppThemed() && isThemeActive();
}
