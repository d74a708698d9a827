#pragma once
// The variants in a typo search's address, as the site gets them
// (percent-encoded), in the order the address holds them.
#include <algorithm>
#include <string>
#include <vector>

inline std::vector<std::wstring> QueryVariants(const std::wstring &AAddress) {
  const size_t from = AAddress.find(L"_nkw=%28") + 8, to = AAddress.find(L"%29", from);
  std::vector<std::wstring> variants;
  for (size_t at = from; at < to;) {
    const size_t comma = std::min(AAddress.find(L"%2C", at), to);
    variants.push_back(AAddress.substr(at, comma - at));
    at = comma + 3;
  }
  return variants;
}
