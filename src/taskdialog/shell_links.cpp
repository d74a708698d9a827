#include "taskdialog/shell_links.h"

#include "ui/platform.h"

void OpenLinkAddress(HWND AOwner, const std::wstring &AAddress) {
  if (!IsWebAddress(AAddress)) return;
  ShellOpen(AOwner, AAddress, L"open");
}
