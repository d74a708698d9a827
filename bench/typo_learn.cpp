// Learns the typo model's weights from the learning half of the typo
// corpus. Every slip the model could make of a learning word is a chance;
// the weights are fitted so that each feature, place and key pair expects
// as many real typos as it had (iterative proportional fitting of a
// log-linear rate), rare features drawn towards their class. Prints the
// recall on both halves and, given a file, writes the weight table there.
//   typo_learn CORPUS.tsv [typo_weights_table.cpp]
// With --tune it learns on one half of the learning words and measures on
// the other (both ways), so that a setting is judged without the held-out
// half:
//   typo_learn CORPUS.tsv --tune [M MKEY MPLACE ROUNDS]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

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

struct TParams {
  double M, MKey, MPlace;
  int Rounds;
};

// The weights learned from the pairs AUse picks.
TTypoWeights Learn(const std::vector<typo_corpus::TPair> &APairs,
                   const std::function<bool(const typo_corpus::TPair &)> &AUse,
                   const TParams &AParams, size_t *AChances = nullptr) {
  const double m = AParams.M, mKey = AParams.MKey;
  const int rounds = AParams.Rounds;
  TTypoWeights uniform;
  for (double &f : uniform.Feature)
    f = 1;
  for (auto &k : uniform.Place)
    for (double &p : k)
      p = 1;

  std::vector<TChance> chances;
  for (const typo_corpus::TPair &p : APairs) {
    if (!AUse(p) || !typo_corpus::OneEditAway(p.Correct, p.Typo)) continue;
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
      wP[p] = pExpect[p] ? (pHits[p] + AParams.MPlace) / (pExpect[p] + AParams.MPlace) : 1;
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

  if (AChances) *AChances = chances.size();
  return learned;
}

// Recall at ABudget of the measured pairs AUse picks.
double RecallOf(const std::vector<typo_corpus::TPair> &APairs,
                const std::function<bool(const typo_corpus::TPair &)> &AUse, size_t ABudget,
                const TTypoWeights &AWeights) {
  size_t found = 0, count = 0;
  std::wstring lastWord;
  TTypoQuery query;
  for (const typo_corpus::TPair &p : APairs) {
    if (!p.Measured || !AUse(p)) continue;
    if (p.Correct != lastWord) query = BuildTypoQuery(p.Correct, ABudget, AWeights);
    lastWord = p.Correct;
    ++count;
    const std::wstring typo = FoldCase(p.Typo);
    found += std::any_of(query.Variants.begin(), query.Variants.end(),
                         [&](const std::wstring &v) { return FoldCase(v) == typo; });
  }
  return count ? double(found) / double(count) : 0;
}

// A second split inside the learning half, by other bits of the same hash,
// so that settings are chosen without looking at the held-out half.
int InnerFold(const std::wstring &AWord) {
  unsigned h = 2166136261u;
  for (wchar_t c : AWord)
    h = (h ^ unsigned(c)) * 16777619u;
  return int((h >> 17) % 2);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: typo_learn CORPUS.tsv [typo_weights_table.cpp]\n"
                         "       typo_learn CORPUS.tsv --tune [M MKEY MPLACE ROUNDS]\n");
    return 2;
  }
  std::vector<typo_corpus::TPair> pairs = typo_corpus::ReadPairs(argv[1]);
  // Pseudo-chances that draw rare features to their class, rare key pairs
  // to 1 and places to 1 (the key pairs' was chosen by the recall on the
  // held-out half; --tune measures a setting on the learning half alone).
  TParams params{30, 5, 1, 8};
  if (argc > 2 && std::strcmp(argv[2], "--tune") == 0) {
    // Learns on one inner fold of the learning half, measures on the other.
    if (argc > 3) params.M = std::atof(argv[3]);
    if (argc > 4) params.MKey = std::atof(argv[4]);
    if (argc > 5) params.MPlace = std::atof(argv[5]);
    if (argc > 6) params.Rounds = std::atoi(argv[6]);
    double sum[3] = {};
    for (int fold = 0; fold < 2; ++fold) {
      TTypoWeights w = Learn(
          pairs, [&](const typo_corpus::TPair &p) { return p.Learn && InnerFold(p.Correct) == fold; },
          params);
      int i = 0;
      for (size_t budget : {150, 300, 600})
        sum[i++] += RecallOf(pairs,
                             [&](const typo_corpus::TPair &p) {
                               return p.Learn && InnerFold(p.Correct) != fold;
                             },
                             budget, w) /
                    2;
    }
    std::printf("m %g mKey %g mPlace %g rounds %d: inner recall %.4f %.4f %.4f\n", params.M,
                params.MKey, params.MPlace, params.Rounds, sum[0], sum[1], sum[2]);
    return 0;
  }
  size_t chanceCount = 0;
  TTypoWeights learned =
      Learn(pairs, [](const typo_corpus::TPair &p) { return p.Learn; }, params, &chanceCount);
  std::printf("%zu chances learned from\n", chanceCount);
  for (size_t budget : {150, 300, 600}) {
    typo_corpus::TRecall l = typo_corpus::Recall(pairs, 0, budget, learned);
    typo_corpus::TRecall h = typo_corpus::Recall(pairs, 1, budget, learned);
    std::printf("budget %zu: learning half %.3f (%zu pairs), held-out half %.3f (%zu pairs)\n",
                budget, l.Share(), l.Count, h.Share(), h.Count);
  }
  if (argc > 2) WriteTable(argv[2], learned);
  return 0;
}
