#include "taskdialog/shell_links.h"

#include "ui/platform.h"

bool HasNewerShell() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel && GetProcAddressAs<FARPROC>(kernel, "GetLocaleInfoEx") != nullptr;
}

void ShellRunElevated(HWND AOwner, const std::wstring &AProgram, const std::wstring &AParameters) {
  TShellExecuteRequest request;
  request.Owner = AOwner;
  request.Verb = L"runas";
  request.File = AProgram;
  request.Parameters = AParameters;
  request.ShowCmd = SW_SHOWNORMAL;
  PlatformShellExecute(request);
}

void OpenLinkAddress(HWND AOwner, const std::wstring &AProgram, const std::wstring &AAddress) {
  if (HasNewerShell()) {
    ShellRunElevated(AOwner, AProgram, AAddress);
    return;
  }
  TShellExecuteRequest request;
  request.Owner = AOwner;
  request.Verb = L"open";
  request.File = AAddress;
  request.ShowCmd = SW_SHOWNORMAL;
  PlatformShellExecute(request);
}
