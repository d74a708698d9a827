#include <iterator>

#include "typo/typo_weights_table.h"

namespace typo {
const TTypoWeights &DefaultWeights() {
  static const TTypoWeights weights = [] {
    TTypoWeights w;
    for (size_t f = 0; f < w.Feature.size(); ++f)
      w.Feature[f] = kFeatureWeights[f];
    for (int k = 0; k < ekKindCount; ++k)
      for (int p = 0; p < epPlaceCount; ++p)
        w.Place[k][p] = kPlaceWeights[k][p];
    w.KeyPair.assign(std::begin(kKeyPairWeights), std::end(kKeyPairWeights));
    w.NextPair.assign(std::begin(kNextPairWeights), std::end(kNextPairWeights));
    return w;
  }();
  return weights;
}
} // namespace typo
