#pragma once
// Platform libraries come from the system folder only. A portable copy is
// unpacked anywhere (Downloads, a USB stick): a library of a platform name
// planted beside it must never be loaded.
#include <windows.h>

// First step of start-up: restricts the search of every later library load
// of the process to the system folder (where the platform can) and drops
// the current folder from it.
void RestrictLibrarySearch();

// A platform library by name, from the system folder only; the program's
// activation context still applies (common controls 6). Null when missing.
HMODULE LoadSystemLibrary(const wchar_t *AName);

// GetProcAddress typed as the routine it is; null when the name is missing.
template <class T> T GetProcAddressAs(HMODULE AModule, const char *AName) {
  return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(AModule, AName)));
}
