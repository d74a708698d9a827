#include "info/version_info.h"

#include "base/version_resource.h"

std::wstring GetVersionInfoValue(const std::wstring &AKey, const std::wstring &AModulePath) {
  return TVersionResource(AModulePath).StringValue(L"040704E4", AKey).value_or(L"Undefiniert");
}
