#include "ui/version_resource.h"

#include <cwchar>

#include "ui/files.h"

TVersionResource::TVersionResource(const std::wstring &AFileName) {
  const std::wstring path = AFileName.empty() ? ProgramFileName() : AFileName;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return;
  FData.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, FData.data())) FData.clear();
}

std::optional<std::wstring> TVersionResource::StringValue(const std::wstring &ABlock,
                                                          const std::wstring &AKey) const {
  if (!Loaded()) return std::nullopt;
  const std::wstring query = L"StringFileInfo\\" + ABlock + L"\\" + AKey;
  void *value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(FData.data(), query.c_str(), &value, &length) || !value)
    return std::nullopt;
  // Up to the terminating zero; the length may or may not count it.
  const auto *text = static_cast<const wchar_t *>(value);
  return std::wstring(text, wcsnlen(text, length));
}

const VS_FIXEDFILEINFO *TVersionResource::FixedInfo() const {
  if (!Loaded()) return nullptr;
  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(FData.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) ||
      length < sizeof(VS_FIXEDFILEINFO))
    return nullptr;
  return fixed;
}
