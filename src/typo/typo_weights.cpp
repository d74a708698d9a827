#include "typo/typo_weights_table.h"

namespace typo {
const TTypoWeights &DefaultWeights() {
  static const TTypoWeights weights = [] {
    TTypoWeights w;
    w.GermanFeature = w.Feature;
    for (size_t f = 0; f < size_t(feature::kSound); ++f) {
      w.Feature[f] = LevelToWeight(kFeatureLevels[f]) / 1e4;
      w.GermanFeature[f] = LevelToWeight(kGermanFeatureLevels[f]) / 1e4;
    }
    for (int r = 0; r < feature::kSoundRules; ++r)
      w.Feature[size_t(feature::kSound + r)] = w.GermanFeature[size_t(feature::kSound + r)] =
          SoundRuleWeight(r) / 1e4;
    for (unsigned char level : kGermanPairLevels)
      w.GermanPairOdds.push_back(std::log2(LevelToWeight(level)));
    for (int k = 0; k < ekKindCount; ++k)
      for (int p = 0; p < epPlaceCount; ++p)
        w.Place[k][p] = kPlaceWeights[k][p];
    w.KeyPair.assign(size_t(ekKindCount) * kKeyPairCount, 1.0);
    w.NextPair.assign(size_t(ekKindCount) * kKeyPairCount, 1.0);
    for (size_t i = 0; i < size_t(kPairKinds) * kKeyPairCount; ++i) {
      w.KeyPair[i] = LevelToWeight(kKeyPairLevels[i]);
      w.NextPair[i] = LevelToWeight(kNextPairLevels[i]);
    }
    SetGermanPairs(w, kGermanPairPower);
    w.GermanOddsAbove = kGermanOddsAbove;
    return w;
  }();
  return weights;
}
} // namespace typo
