#include "base/system_library.h"

#include <string>


#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

void RestrictLibrarySearch() {
  // Looked up: Windows 7 has it only with its update.
  using TSetDefaultDllDirectories = BOOL(WINAPI *)(DWORD);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll"))
    if (auto setDefault =
            GetProcAddressAs<TSetDefaultDllDirectories>(kernel, "SetDefaultDllDirectories"))
      setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t *AName) {
  if (HMODULE module = LoadLibraryExW(AName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Without the search flags (Windows 7 without its update) the call fails
  // with an invalid parameter: then by the full path.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  std::wstring path(MAX_PATH, L'\0');
  UINT n = GetSystemDirectoryW(path.data(), UINT(path.size()));
  if (n == 0 || n >= path.size()) return nullptr;
  path.resize(n);
  return LoadLibraryW((path + L"\\" + AName).c_str());
}
