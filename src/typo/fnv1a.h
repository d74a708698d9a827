#pragma once
// FNV-1a, 32 bits, over the units of a text: the word file's checksum, the
// corpora's names in the weight table and the split of a corpus by word.
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace typo {

template <class TUnit> uint32_t Fnv1a(std::basic_string_view<TUnit> AUnits) {
  uint32_t h = 2166136261u;
  for (TUnit c : AUnits)
    h = (h ^ uint32_t(std::make_unsigned_t<TUnit>(c))) * 16777619u;
  return h;
}

} // namespace typo
