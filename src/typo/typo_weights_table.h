#pragma once
// The learned weights, as made by tools/typo_learn. Each weight is kept as a
// level: a twelfth of an octave from 2^-8 on, which is finer than the counts
// behind it and a quarter of the size of a float.
#include <cmath>

#include "typo/typo_model.h"

namespace typo {
// The slips whose key pairs are weighed (all but the sound-alikes).
inline constexpr int kPairKinds = ekSound;
static_assert(ekSound == ekKindCount - 1);

inline double LevelToWeight(unsigned char ALevel) {
  return ALevel ? std::exp2(ALevel / 12.0 - 8) : 0;
}
inline int WeightToLevel(double AWeight) {
  if (AWeight <= 0) return 0;
  return int(std::fmin(255, std::fmax(1, std::round((std::log2(AWeight) + 8) * 12))));
}

// Per ten thousand chances, for every feature but the sound-alikes, whose
// weights are set by hand beside their rules (SoundRuleWeight).
extern const unsigned char kFeatureLevels[feature::kSound];
// The same for words that look German, and the odds that tell them.
extern const unsigned char kGermanFeatureLevels[feature::kSound];
extern const unsigned char kGermanPairLevels[kLetterPairCount];
extern const float kPlaceWeights[ekKindCount][epPlaceCount];
extern const unsigned char kKeyPairLevels[kPairKinds * kKeyPairCount];
extern const unsigned char kNextPairLevels[kPairKinds * kKeyPairCount];
// How much the key pairs count for words that look German (their power),
// and the odds above which a word looks German.
extern const double kGermanPairPower, kGermanOddsAbove;

// The key pairs of words that look German: AW's to the power APower.
inline void SetGermanPairs(TTypoWeights &AW, double APower) {
  AW.GermanKeyPair = AW.KeyPair;
  AW.GermanNextPair = AW.NextPair;
  for (double &w : AW.GermanKeyPair)
    w = std::pow(w, APower);
  for (double &w : AW.GermanNextPair)
    w = std::pow(w, APower);
}
} // namespace typo
