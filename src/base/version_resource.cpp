#include "base/version_resource.h"

#include <cwchar>

#include "base/files.h"
#include "base/system_library.h"

namespace {
// The version library is no known library: imported by name it would be
// found beside the program before the system folder, so it is loaded from
// the system folder when first needed.
struct TVersionLibrary {
  using TSize = DWORD(WINAPI *)(LPCWSTR, LPDWORD);
  using TInfo = BOOL(WINAPI *)(LPCWSTR, DWORD, DWORD, LPVOID);
  using TQuery = BOOL(WINAPI *)(LPCVOID, LPCWSTR, LPVOID *, PUINT);
  TSize InfoSize = nullptr;
  TInfo Info = nullptr;
  TQuery Query = nullptr;
  TVersionLibrary() {
    HMODULE module = LoadSystemLibrary(L"version.dll");
    if (!module) return;
    InfoSize = GetProcAddressAs<TSize>(module, "GetFileVersionInfoSizeW");
    Info = GetProcAddressAs<TInfo>(module, "GetFileVersionInfoW");
    Query = GetProcAddressAs<TQuery>(module, "VerQueryValueW");
    if (!InfoSize || !Info || !Query) InfoSize = nullptr;
  }
};

const TVersionLibrary &VersionLibrary() {
  static const TVersionLibrary library;
  return library;
}
} // namespace

TVersionResource::TVersionResource(const std::wstring &AFileName) {
  const TVersionLibrary &v = VersionLibrary();
  if (!v.InfoSize) return;
  const std::wstring path = AFileName.empty() ? ProgramFileName() : AFileName;
  DWORD handle = 0;
  DWORD size = v.InfoSize(path.c_str(), &handle);
  if (size == 0) return;
  FData.resize(size);
  if (!v.Info(path.c_str(), 0, size, FData.data())) FData.clear();
}

std::optional<std::wstring> TVersionResource::StringValue(const std::wstring &ABlock,
                                                          const std::wstring &AKey) const {
  if (!Loaded()) return std::nullopt;
  const std::wstring query = L"StringFileInfo\\" + ABlock + L"\\" + AKey;
  void *value = nullptr;
  UINT length = 0;
  if (!VersionLibrary().Query(FData.data(), query.c_str(), &value, &length) || !value)
    return std::nullopt;
  // Up to the terminating zero; the length may or may not count it.
  const auto *text = static_cast<const wchar_t *>(value);
  return std::wstring(text, wcsnlen(text, length));
}

const VS_FIXEDFILEINFO *TVersionResource::FixedInfo() const {
  if (!Loaded()) return nullptr;
  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT length = 0;
  if (!VersionLibrary().Query(FData.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) ||
      length < sizeof(VS_FIXEDFILEINFO))
    return nullptr;
  return fixed;
}
