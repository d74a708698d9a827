#pragma once
// The learned weights, as made by bench/typo_learn (per ten thousand
// chances for the features, a factor for the places).
#include "typo/typo_model.h"

namespace typo {
extern const float kFeatureWeights[feature::kCount];
extern const float kPlaceWeights[ekKindCount][epPlaceCount];
extern const float kKeyPairWeights[ekKindCount * kKeyPairCount];
extern const float kNextPairWeights[ekKindCount * kKeyPairCount];
} // namespace typo
