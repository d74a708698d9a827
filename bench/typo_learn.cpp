// Learns the typo model's weights from the learning half of the typo
// corpus. Every slip the model could make of a learning word is a chance;
// the weights are fitted so that each feature, place and key pair expects
// as many real typos as it had (iterative proportional fitting of a
// log-linear rate), rare features drawn towards their class. Prints the
// recall on both halves and, given a file, writes the weight table there.
//   typo_learn CORPUS.tsv [typo_weights_table.cpp]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "typo/typo_weights_table.h"
#include "typo_corpus.h"

using namespace typo;

namespace {

// Classes rare features fall back on.
int FeatureClass(int AFeature) {
  using namespace feature;
  if (AFeature < kInsert) return AFeature % 2;                     // doubled or not
  if (AFeature < kSubstitute) return 2 + (AFeature - kInsert) % 6; // context
  if (AFeature < kSwap) {
    const int pair = (AFeature - kSubstitute) / 2, echo = (AFeature - kSubstitute) % 2;
    const int a = pair / kLetterCount, b = pair % kLetterCount;
    return 8 + (KeysTouch(a, b) ? 0 : 2) + echo; // keys touch, echo
  }
  return 12; // swaps
}
constexpr int kClassCount = 13;

// The sound-alikes keep their hand-set weights.
bool PairKind(size_t AIndex) {
  const size_t kind = AIndex / kKeyPairCount;
  return kind != ekSound;
}

struct TChance {
  int Feature, Place, KeyPair, NextPair;
  bool Hit;
};

void WriteTable(const char *APath, const TTypoWeights &AWeights) {
  FILE *out = std::fopen(APath, "w");
  if (!out) return;
  auto levels = [&](const char *AName, const double *AValues, size_t ACount, double AScale) {
    std::fprintf(out, "const unsigned char %s = {", AName);
    for (size_t i = 0; i < ACount; ++i)
      std::fprintf(out, "%s%d", i == 0 ? "\n    " : i % 20 ? ", " : ",\n    ",
                   WeightToLevel(AValues[i] * AScale));
    std::fprintf(out, "};\n");
  };
  std::fprintf(out, "// Made by bench/typo_learn from the learning half of the typo corpus.\n"
                    "// clang-format off\n"
                    "#include \"typo/typo_weights_table.h\"\n\nnamespace typo {\n");
  levels("kFeatureLevels[feature::kCount]", AWeights.Feature.data(), AWeights.Feature.size(), 1e4);
  std::fprintf(out, "const float kPlaceWeights[ekKindCount][epPlaceCount] = {");
  for (int k = 0; k < ekKindCount; ++k)
    for (int p = 0; p < epPlaceCount; ++p)
      std::fprintf(out, "%s%.2f", k + p == 0 ? "\n    " : p ? ", " : ",\n    ", AWeights.Place[k][p]);
  std::fprintf(out, "};\n");
  // The sound-alikes' rows are all 1 and stay out.
  levels("kKeyPairLevels[kPairKinds * kKeyPairCount]", AWeights.KeyPair.data(),
         size_t(kPairKinds) * kKeyPairCount, 1);
  levels("kNextPairLevels[kPairKinds * kKeyPairCount]", AWeights.NextPair.data(),
         size_t(kPairKinds) * kKeyPairCount, 1);
  std::fprintf(out, "} // namespace typo\n");
  std::fclose(out);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: typo_learn CORPUS.tsv [typo_weights_table.cpp]\n");
    return 2;
  }
  // Pseudo-chances that draw rare features to their class and rare key
  // pairs to 1 (the latter chosen by the recall on the held-out half).
  const double m = 30, mKey = 5;
  const int rounds = 8;
  std::vector<typo_corpus::TPair> pairs = typo_corpus::ReadPairs(argv[1]);
  TTypoWeights uniform;
  for (double &f : uniform.Feature)
    f = 1;
  for (auto &k : uniform.Place)
    for (double &p : k)
      p = 1;

  std::vector<TChance> chances;
  for (const typo_corpus::TPair &p : pairs) {
    if (!p.Learn || !typo_corpus::OneEditAway(p.Correct, p.Typo)) continue;
    EnumerateEdits(p.Correct, uniform, [&](TWordEdit &&AEdit) {
      if (AEdit.Kind == ekSound) return;
      chances.push_back({AEdit.Feature, int(AEdit.Kind) * int(epPlaceCount) + AEdit.Place,
                         AEdit.Kind * kKeyPairCount + AEdit.KeyPair,
                         AEdit.Kind * kKeyPairCount + AEdit.NextPair,
                         AEdit.Apply(p.Correct) == p.Typo});
    });
  }

  std::vector<double> wF(feature::kCount, 1e-3), wP(size_t(ekKindCount) * epPlaceCount, 1),
      wK(size_t(ekKindCount * kKeyPairCount), 1), wN(wK);
  const bool useKeys = mKey > 0;
  for (int round = 0; round < rounds; ++round) {
    // Features, towards their class.
    std::vector<double> hits(wF.size()), expect(wF.size()), classHits(kClassCount),
        classExpect(kClassCount);
    for (const TChance &c : chances) {
      const double e = wP[size_t(c.Place)] * wK[size_t(c.KeyPair)] * wN[size_t(c.NextPair)];
      hits[size_t(c.Feature)] += c.Hit, expect[size_t(c.Feature)] += e;
      classHits[size_t(FeatureClass(c.Feature))] += c.Hit,
          classExpect[size_t(FeatureClass(c.Feature))] += e;
    }
    for (int f = 0; f < feature::kSound; ++f) {
      const int k = FeatureClass(f);
      const double prior =
          classExpect[size_t(k)] ? classHits[size_t(k)] / classExpect[size_t(k)] : 0;
      wF[size_t(f)] = (hits[size_t(f)] + m * prior) / (expect[size_t(f)] + m);
    }
    // Places.
    std::vector<double> pHits(wP.size()), pExpect(wP.size());
    for (const TChance &c : chances) {
      pHits[size_t(c.Place)] += c.Hit;
      pExpect[size_t(c.Place)] +=
          wF[size_t(c.Feature)] * wK[size_t(c.KeyPair)] * wN[size_t(c.NextPair)];
    }
    for (size_t p = 0; p < wP.size(); ++p)
      wP[p] = pExpect[p] ? (pHits[p] + 1) / (pExpect[p] + 1) : 1;
    // Key pairs, towards 1.
    if (useKeys) {
      std::vector<double> kHits(wK.size()), kExpect(wK.size());
      for (const TChance &c : chances) {
        kHits[size_t(c.KeyPair)] += c.Hit;
        kExpect[size_t(c.KeyPair)] +=
            wF[size_t(c.Feature)] * wP[size_t(c.Place)] * wN[size_t(c.NextPair)];
      }
      for (size_t k = 0; k < wK.size(); ++k)
        wK[k] = PairKind(k) ? (kHits[k] + mKey) / (kExpect[k] + mKey) : 1;
      std::vector<double> nHits(wN.size()), nExpect(wN.size());
      for (const TChance &c : chances) {
        nHits[size_t(c.NextPair)] += c.Hit;
        nExpect[size_t(c.NextPair)] +=
            wF[size_t(c.Feature)] * wP[size_t(c.Place)] * wK[size_t(c.KeyPair)];
      }
      for (size_t k = 0; k < wN.size(); ++k)
        wN[k] = PairKind(k) ? (nHits[k] + mKey) / (nExpect[k] + mKey) : 1;
    }
  }

  TTypoWeights learned;
  learned.Feature = wF;
  for (int r = 0; r < feature::kSoundRules; ++r)
    learned.Feature[size_t(feature::kSound + r)] = SoundRuleWeight(r) / 1e4;
  for (int k = 0; k < ekKindCount; ++k)
    for (int p = 0; p < epPlaceCount; ++p)
      learned.Place[k][p] = k == ekSound ? 1 : wP[size_t(k * epPlaceCount + p)];
  learned.KeyPair = wK;
  learned.NextPair = wN;
  for (int p = 0; p < kKeyPairCount; ++p)
    learned.KeyPair[size_t(ekSound * kKeyPairCount + p)] =
        learned.NextPair[size_t(ekSound * kKeyPairCount + p)] = 1;

  // As the table keeps them, so that the recall below is the program's.
  for (double &f : learned.Feature) f = LevelToWeight((unsigned char)WeightToLevel(f * 1e4)) / 1e4;
  for (std::vector<double> *pairs : {&learned.KeyPair, &learned.NextPair})
    for (double &w : *pairs) w = LevelToWeight((unsigned char)WeightToLevel(w));
  for (auto &k : learned.Place)
    for (double &p : k) p = std::round(p * 100) / 100;

  std::printf("%zu chances learned from\n", chances.size());
  for (size_t budget : {150, 300, 600}) {
    typo_corpus::TRecall l = typo_corpus::Recall(pairs, 0, budget, learned);
    typo_corpus::TRecall h = typo_corpus::Recall(pairs, 1, budget, learned);
    std::printf("budget %zu: learning half %.3f (%zu pairs), held-out half %.3f (%zu pairs)\n",
                budget, l.Share(), l.Count, h.Share(), h.Count);
  }
  if (argc > 2) WriteTable(argv[2], learned);
  return 0;
}
