#include "taskdialog/shell_links.h"

#include "ui/platform.h"

bool HasNewerShell() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel && GetProcAddressAs<FARPROC>(kernel, "GetLocaleInfoEx") != nullptr;
}

void ShellRunElevated(HWND AOwner, const std::wstring &AProgram, const std::wstring &AParameters) {
  ShellOpen(AOwner, AProgram, L"runas", AParameters);
}

void OpenLinkAddress(HWND AOwner, const std::wstring &AProgram, const std::wstring &AAddress) {
  if (HasNewerShell())
    ShellRunElevated(AOwner, AProgram, AAddress);
  else
    ShellOpen(AOwner, AAddress, L"open");
}
