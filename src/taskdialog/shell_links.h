#pragma once
// Opening a link address clicked in a task dialog.
#include <windows.h>

#include <string>

// The system generation whose kernel exports GetLocaleInfoEx.
bool HasNewerShell();
// Starts a program through the shell's "runas" verb.
void ShellRunElevated(HWND AOwner, const std::wstring &AProgram, const std::wstring &AParameters);
// On the newer shell, the program with the address as its parameters;
// otherwise the desktop's default handler of the address.
void OpenLinkAddress(HWND AOwner, const std::wstring &AProgram, const std::wstring &AAddress);
