#include "base/files.h"

#include <windows.h>

std::wstring ProgramFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    // A full buffer means the path was cut: try again with more room.
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ExtractFilePath(const std::wstring &APath) {
  size_t p = APath.find_last_of(L"\\/:");
  return p == std::wstring::npos ? std::wstring() : APath.substr(0, p + 1);
}

std::wstring ExtractFileName(const std::wstring &APath) {
  return APath.substr(ExtractFilePath(APath).size());
}

std::wstring ChangeFileExt(const std::wstring &AName, const std::wstring &AExt) {
  size_t dot = AName.find_last_of(L'.');
  if (dot == std::wstring::npos || dot < ExtractFilePath(AName).size()) return AName + AExt;
  return AName.substr(0, dot) + AExt;
}

bool FileExists(const std::wstring &APath) {
  const DWORD a = GetFileAttributesW(APath.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring &APath) {
  const DWORD a = GetFileAttributesW(APath.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
