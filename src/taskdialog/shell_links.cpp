#include "taskdialog/shell_links.h"

#include "ui/platform.h"

void OpenLinkAddress(HWND AOwner, const std::wstring &AAddress) {
  ShellOpen(AOwner, AAddress, L"open");
}
