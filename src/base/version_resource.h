#pragma once
// A program file's version resource, read once for any number of lookups.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class TVersionResource {
public:
  // An empty name reads the running program's own file.
  explicit TVersionResource(const std::wstring &AFileName = L"");
  bool Loaded() const { return !FData.empty(); }
  // The text of "StringFileInfo\<block>\<key>", up to its terminating zero.
  std::optional<std::wstring> StringValue(const std::wstring &ABlock,
                                          const std::wstring &AKey) const;
  // The fixed part (file and product version numbers), or null.
  const VS_FIXEDFILEINFO *FixedInfo() const;

private:
  std::vector<BYTE> FData;
};
