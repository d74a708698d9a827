#include "info/version_info.h"

#include <windows.h>

#include <vector>

namespace {
std::wstring OwnModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}
} // namespace

std::wstring GetVersionInfoValue(const std::wstring &AKey, const std::wstring &AModulePath) {
  std::wstring result = L"Undefiniert";
  const std::wstring path = AModulePath.empty() ? OwnModulePath() : AModulePath;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return result;
  std::vector<BYTE> buffer(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, buffer.data())) return result;
  const std::wstring query = L"StringFileInfo\\040704E4\\" + AKey;
  void *value = nullptr;
  UINT length = 0;
  if (VerQueryValueW(buffer.data(), query.c_str(), &value, &length) && value)
    // Up to the terminating zero; the length may or may not count it.
    result.assign(static_cast<const wchar_t *>(value),
                  wcsnlen(static_cast<const wchar_t *>(value), length));
  return result;
}
