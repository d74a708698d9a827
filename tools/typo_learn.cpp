// Learns the typo model's weights and writes them as the weight table.
// Every slip the model could make of a learning word is a chance; the
// weights are fitted so that each feature, place and key pair expects as
// many real typos as it had (iterative proportional fitting of a log-linear
// rate), rare features drawn towards their class. The English corpus gives
// the letters' details; the German files are small and lean towards
// spelling, so they count several times. Words that look German (by the
// odds of their letter pairs) get features of their own: drawn towards
// their class of kind and key relation, then with the share of each kind
// of slip moved to the mix German keyboard slips are described to have
// (the same row's keys far more often than in the English corpus), and
// the key pairs (learned mostly on English letter sequences) weakened.
//   typo_learn ENGLISH.tsv GERMAN.tsv... [--table FILE] [--check WORDLIST]
//              [--german N] [--mix A] [--german-mix A] [--flat A] [--m M]
//              [--flat-far A] [--echo-aside A] [--pair-power P] [--german-above T]
//              [--mkey M] [--german-halves] [--tune] [--kinds]
// --check measures the recall on German keyboard slips made from a word
// list (--kinds: per kind of slip, and the share of the variants spent on
// each); --german-halves learns on one half of the German pairs (by word)
// and measures on the other; --tune learns on one half of the English
// learning words and measures on the other.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "typo/typo_weights_table.h"
#include "typo_corpus.h"

using namespace typo;
using typo_corpus::TPair;

namespace {

struct TSettings {
  // Pseudo-chances towards the prior. These settings were chosen by the
  // recall on the made German slips, on halves of the German files and on
  // the English held-out half (so that one is a little optimistic).
  double M = 100, MKey = 5, MPlace = 1;
  int Rounds = 8;
  double German = 3;        // how many times a German pair counts
  double Mix = 0;           // how far the kinds move towards the German mix
  double GermanMix = 1;     // the same for words that look German
  double Flat = 0.85;       // how far their features move to their class's rate
  double FlatFar = 0.5;     // the same for the far keys typed instead or as well
  double EchoAside = 1;     // how far their class's rate sets the echo aside
  double PairPower = 0.5;   // how much the key pairs count for them
  double GermanAbove = 0.5; // the odds above which a word looks German
};

// The settings' command-line options, also written into the table's header.
struct TOption {
  const char *Name;
  double TSettings::*Value;
};
constexpr TOption kOptions[] = {{"--german", &TSettings::German},
                                {"--mix", &TSettings::Mix},
                                {"--german-mix", &TSettings::GermanMix},
                                {"--flat", &TSettings::Flat},
                                {"--flat-far", &TSettings::FlatFar},
                                {"--echo-aside", &TSettings::EchoAside},
                                {"--pair-power", &TSettings::PairPower},
                                {"--german-above", &TSettings::GermanAbove},
                                {"--m", &TSettings::M},
                                {"--mkey", &TSettings::MKey}};

// The classes rare features fall back on: kind and key relation, and
// whether the letter typed stands close by (AEcho false: that aside).
int FeatureClass(int AFeature, bool AEcho = true) {
  using namespace feature;
  if (AFeature < kInsert) return AFeature % 2; // doubled or not
  if (AFeature < kSubstitute) {
    const int context = (AFeature - kInsert) % kInsertContexts;
    return 2 + (AEcho || context <= icSameAsAfter ? context : context & ~1);
  }
  if (AFeature < kSwap) {
    const int pair = (AFeature - kSubstitute) / 2, echo = (AFeature - kSubstitute) % 2;
    return 10 + KeyRelation(pair / kLetterCount, pair % kLetterCount) * 2 + (AEcho ? echo : 0);
  }
  return 16; // swaps
}
constexpr int kClassCount = 17;

// The slip kinds of the German mix each feature belongs to (-1: none).
int MixKind(int AFeature) {
  using namespace feature;
  using namespace typo_corpus;
  if (AFeature < kInsert) return skOmit;
  if (AFeature < kSubstitute) {
    const int context = (AFeature - kInsert) % kInsertContexts;
    return context <= icSameAsAfter ? skAddDoubled : skAddRow + (context - icRowNeighbourEcho) / 2;
  }
  if (AFeature < kSwap) {
    const int pair = (AFeature - kSubstitute) / 2;
    return skReplaceRow + int(KeyRelation(pair / kLetterCount, pair % kLetterCount));
  }
  return AFeature < kSound ? skSwap : -1;
}
// Per 491 German search-query typos, in the order of TSlipKind.
constexpr double kGermanMix[] = {126, 35, 98, 8, 63, 47, 37, 26, 51};

// Each chance has one index into each factor; its rate is their product.
enum TFactor { fcFeature, fcPlace, fcKeyPair, fcNextPair, fcCount };
struct TChance {
  uint32_t Index[fcCount];
  float Count; // how much the word counts
  bool Hit;
};

// A learning pair and how much it counts.
struct TUse {
  const TPair *Pair;
  float Count;
};

std::vector<TChance> Chances(const std::vector<TUse> &APairs) {
  TTypoWeights uniform;
  for (double &f : uniform.Feature)
    f = 1;
  for (auto &k : uniform.Place)
    for (double &p : k)
      p = 1;
  std::vector<TChance> chances;
  for (const auto &[p, count] : APairs) {
    const std::wstring typo = FoldCase(p->Typo);
    EnumerateEdits(p->Correct, uniform, [&](TWordEdit &&AEdit) {
      if (AEdit.Kind == ekSound) return;
      chances.push_back(
          {{AEdit.Feature, uint32_t(int(AEdit.Kind) * epPlaceCount + int(AEdit.Place)),
            uint32_t(AEdit.Kind * kKeyPairCount + AEdit.KeyPair),
            uint32_t(AEdit.Kind * kKeyPairCount + AEdit.NextPair)},
           count,
           FoldCase(AEdit.Apply(p->Correct)) == typo});
    });
  }
  return chances;
}

// One pass of the fitting: factor AF set so that each of its weights
// expects as many hits as it had, drawn by AM pseudo-chances towards APrior.
void FitFactor(const std::vector<TChance> &AChances, std::vector<std::vector<double>> &AW, int AF,
               double AM, const std::function<double(size_t)> &APrior) {
  std::vector<double> hits(AW[AF].size()), expect(AW[AF].size());
  for (const TChance &c : AChances) {
    double e = c.Count;
    for (int f = 0; f < fcCount; ++f)
      if (f != AF) e *= AW[f][c.Index[f]];
    hits[c.Index[AF]] += c.Hit * c.Count;
    expect[c.Index[AF]] += e;
  }
  for (size_t i = 0; i < AW[AF].size(); ++i)
    AW[AF][i] = expect[i] > 0 ? (hits[i] + AM * APrior(i)) / (expect[i] + AM) : APrior(i);
}

// The rate of each feature's class, for the features' prior.
std::vector<double> ClassRates(const std::vector<TChance> &AChances,
                               const std::vector<std::vector<double>> &AW, bool AEcho = true) {
  std::vector<double> hits(kClassCount), expect(kClassCount), rate(kClassCount);
  for (const TChance &c : AChances) {
    const int k = FeatureClass(int(c.Index[fcFeature]), AEcho);
    hits[size_t(k)] += c.Hit * c.Count;
    expect[size_t(k)] += c.Count * AW[fcPlace][c.Index[fcPlace]] *
                         AW[fcKeyPair][c.Index[fcKeyPair]] * AW[fcNextPair][c.Index[fcNextPair]];
  }
  for (int k = 0; k < kClassCount; ++k)
    rate[size_t(k)] = expect[size_t(k)] ? hits[size_t(k)] / expect[size_t(k)] : 0;
  return rate;
}

// How many chances one real slip of each kind hits in the German pairs: a
// doubled letter typed once more or left out is the same variant from
// either letter of the pair, so the mix's count of such slips stands for
// about twice as many hits.
std::vector<double> HitsPerSlip(const std::vector<TUse> &APairs,
                                const std::vector<TChance> &AChances) {
  std::vector<double> slips(typo_corpus::skOther), hits(typo_corpus::skOther),
      per(typo_corpus::skOther, 1.0);
  for (const TUse &u : APairs) {
    const int kind = typo_corpus::KindOf(u.Pair->Correct, u.Pair->Typo);
    if (kind < typo_corpus::skOther) slips[size_t(kind)] += 1;
  }
  for (const TChance &c : AChances)
    if (c.Hit) hits[size_t(MixKind(int(c.Index[fcFeature])))] += 1;
  for (size_t k = 0; k < per.size(); ++k)
    if (slips[k] > 0 && hits[k] > 0) per[k] = hits[k] / slips[k];
  return per;
}

// Moves the expected share of each kind of slip over the German words
// towards the German mix (in hits), by AMix (0: as learned, 1: all the
// way).
void MoveTowardsGermanMix(const std::vector<TChance> &AGerman, const std::vector<double> &AHitsPer,
                          std::vector<std::vector<double>> &AW, double AMix) {
  double expect[typo_corpus::skOther] = {}, total = 0, mix[typo_corpus::skOther] = {}, mixTotal = 0;
  for (const TChance &c : AGerman) {
    const int kind = MixKind(int(c.Index[fcFeature]));
    double e = 1;
    for (int f = 0; f < fcCount; ++f)
      e *= AW[f][c.Index[f]];
    expect[kind] += e, total += e;
  }
  for (int k = 0; k < typo_corpus::skOther; ++k)
    mix[k] = kGermanMix[k] * AHitsPer[size_t(k)], mixTotal += mix[k];
  for (int f = 0; f < feature::kSound; ++f) {
    const int kind = MixKind(f);
    if (expect[kind] > 0)
      AW[fcFeature][size_t(f)] *= std::pow(mix[kind] / mixTotal / (expect[kind] / total), AMix);
  }
}

double AsLevel(double AWeight) {
  return LevelToWeight((unsigned char)WeightToLevel(AWeight));
}

// As the table keeps them, so that the recall measured is the program's.
TTypoWeights AsTableKeeps(const std::vector<std::vector<double>> &AW,
                          const std::vector<double> &AGermanFeature,
                          const std::vector<double> &APairOdds, const TSettings &AS) {
  TTypoWeights w;
  w.GermanFeature = w.Feature;
  for (int f = 0; f < feature::kSound; ++f) {
    w.Feature[size_t(f)] = AsLevel(AW[fcFeature][size_t(f)] * 1e4) / 1e4;
    w.GermanFeature[size_t(f)] = AsLevel(AGermanFeature[size_t(f)] * 1e4) / 1e4;
  }
  for (int r = 0; r < feature::kSoundRules; ++r)
    w.Feature[size_t(feature::kSound + r)] = w.GermanFeature[size_t(feature::kSound + r)] =
        SoundRuleWeight(r) / 1e4;
  for (double odds : APairOdds)
    w.GermanPairOdds.push_back(std::log2(AsLevel(std::exp2(odds))));
  for (int k = 0; k < ekKindCount; ++k)
    for (int p = 0; p < epPlaceCount; ++p)
      w.Place[k][p] =
          k == ekSound ? 1 : std::round(AW[fcPlace][size_t(k * epPlaceCount + p)] * 100) / 100;
  w.KeyPair.assign(size_t(ekKindCount) * kKeyPairCount, 1.0);
  w.NextPair = w.KeyPair;
  for (size_t i = 0; i < size_t(kPairKinds) * kKeyPairCount; ++i) {
    w.KeyPair[i] = AsLevel(AW[fcKeyPair][i]);
    w.NextPair[i] = AsLevel(AW[fcNextPair][i]);
  }
  SetGermanPairs(w, AS.PairPower);
  w.GermanOddsAbove = AS.GermanAbove;
  return w;
}

// Log2 odds of each pair of letters following each other (and of the
// start and end), German words over English ones, each word once.
std::vector<double> PairOdds(const std::vector<const TPair *> &AEnglish,
                             const std::vector<const TPair *> &AGerman) {
  auto shares = [](const std::vector<const TPair *> &APairs) {
    std::vector<double> n(kLetterPairCount, 1); // one of each, so that none is 0
    double total = kLetterPairCount;
    std::unordered_set<std::wstring> seen;
    for (const TPair *p : APairs) {
      if (!seen.insert(FoldCase(p->Correct)).second) continue;
      int before = kLetterCount;
      for (wchar_t c : p->Correct) {
        const int letter = LetterIndex(FoldCase(c));
        if (letter < 0) continue;
        n[size_t(before * (kLetterCount + 1) + letter)] += 1, total += 1;
        before = letter;
      }
      n[size_t(before * (kLetterCount + 1) + kLetterCount)] += 1, total += 1;
    }
    for (double &c : n)
      c /= total;
    return n;
  };
  const std::vector<double> english = shares(AEnglish), german = shares(AGerman);
  std::vector<double> odds(kLetterPairCount);
  for (size_t i = 0; i < odds.size(); ++i)
    odds[i] = std::log2(german[i] / english[i]);
  return odds;
}

// The factors fitted to the chances, rounds of one pass per factor.
std::vector<std::vector<double>> Fit(const std::vector<TChance> &AChances, const TSettings &AS) {
  std::vector<std::vector<double>> w{std::vector<double>(feature::kSound, 1e-3),
                                     std::vector<double>(size_t(ekKindCount) * epPlaceCount, 1),
                                     std::vector<double>(size_t(kPairKinds) * kKeyPairCount, 1),
                                     std::vector<double>(size_t(kPairKinds) * kKeyPairCount, 1)};
  auto one = [](size_t) { return 1.0; };
  for (int round = 0; round < AS.Rounds; ++round) {
    const std::vector<double> rates = ClassRates(AChances, w);
    FitFactor(AChances, w, fcFeature, AS.M,
              [&](size_t f) { return rates[size_t(FeatureClass(int(f)))]; });
    FitFactor(AChances, w, fcPlace, AS.MPlace, one);
    FitFactor(AChances, w, fcKeyPair, AS.MKey, one);
    FitFactor(AChances, w, fcNextPair, AS.MKey, one);
  }
  return w;
}

// The features of words that look German: by AFlat towards their class's
// rate, whose echo counts by 1 - AEchoAside (the German mix does not tell
// it, and the English one's would outweigh the key relation). A far key is
// no slip of the hand but of spelling or sound, where the letters tell
// most: those move by AFlatFar.
std::vector<std::vector<double>> Flattened(const std::vector<TChance> &AChances,
                                           const std::vector<std::vector<double>> &AW, double AFlat,
                                           double AFlatFar, double AEchoAside) {
  std::vector<std::vector<double>> w = AW;
  const std::vector<double> rates = ClassRates(AChances, AW),
                            aside = ClassRates(AChances, AW, false);
  for (int f = 0; f < feature::kSound; ++f) {
    const double prior = std::pow(rates[size_t(FeatureClass(f))], 1 - AEchoAside) *
                         std::pow(aside[size_t(FeatureClass(f, false))], AEchoAside);
    const int kind = MixKind(f);
    const double flat =
        kind == typo_corpus::skReplaceApart || kind == typo_corpus::skAddApart ? AFlatFar : AFlat;
    w[fcFeature][size_t(f)] = std::pow(AW[fcFeature][size_t(f)], 1 - flat) * std::pow(prior, flat);
  }
  return w;
}

TTypoWeights Learn(const std::vector<const TPair *> &AEnglish,
                   const std::vector<const TPair *> &AGerman, const TSettings &AS) {
  std::vector<TUse> all, german;
  for (const TPair *p : AEnglish)
    all.push_back({p, 1});
  for (const TPair *p : AGerman) {
    all.push_back({p, float(AS.German)});
    german.push_back({p, 1});
  }
  const std::vector<TChance> chances = Chances(all), germanChances = Chances(german);
  std::vector<std::vector<double>> w = Fit(chances, AS);
  std::vector<std::vector<double>> germanWords =
      Flattened(chances, w, AS.Flat, AS.FlatFar, AS.EchoAside);
  const std::vector<double> hitsPer = HitsPerSlip(german, germanChances);
  MoveTowardsGermanMix(germanChances, hitsPer, germanWords, AS.GermanMix);
  MoveTowardsGermanMix(germanChances, hitsPer, w, AS.Mix);
  return AsTableKeeps(w, germanWords[fcFeature], PairOdds(AEnglish, AGerman), AS);
}

struct TCorpus {
  std::string Path;
  std::vector<TPair> Pairs;
};

void WriteLevels(FILE *AOut, const char *AName, const std::vector<double> &AValues, size_t ACount,
                 double AScale, const char *ACountName) {
  std::fprintf(AOut, "const unsigned char %s[] = {", AName);
  for (size_t i = 0; i < ACount; ++i)
    std::fprintf(AOut, "%s%d",
                 i == 0   ? "\n    "
                 : i % 20 ? ", "
                          : ",\n    ",
                 WeightToLevel(AValues[i] * AScale));
  std::fprintf(AOut, "};\nstatic_assert(std::size(%s) == %s);\n", AName, ACountName);
}

bool WriteTable(const char *APath, const TTypoWeights &AW, const std::vector<TCorpus> &ACorpora,
                const TSettings &AS, const std::string &ACommand) {
  FILE *out = std::fopen(APath, "w");
  if (!out) return false;
  std::fprintf(out, "// Made by tools/typo_learn; no word is kept, only rates of slips.\n"
                    "// Learned from (FNV-1a of each file):\n");
  for (const TCorpus &c : ACorpora)
    std::fprintf(out, "//   %s  %08x\n", c.Path.substr(c.Path.find_last_of("/\\") + 1).c_str(),
                 typo_corpus::FileHash(c.Path));
  std::fprintf(
      out,
      "// codespell-pairs-dev.tsv: Debian's codespell dictionary, GPL-2.0, its learning\n"
      "// half by word; de-libreoffice-autocorrect.tsv: LibreOffice's German autocorrect\n"
      "// list, MPL-2.0; de-wikipedia-tippfehler.tsv: the German Wikipedia's list of\n"
      "// common misspellings, CC BY-SA 4.0 (see shared/testdata/README.md); as data\n"
      "// derived from it, this table is under CC BY-SA 4.0 too.\n"
      "// Settings: m %g, m of key pairs %g, m of places %g, %d rounds, German pairs\n"
      "// count %g times, kinds moved %g of the way to the German mix; for words\n"
      "// that look German (odds above %g) features moved %g of the way to their\n"
      "// class (far keys %g; its echo set aside %g), kinds %g, key pairs to the\n"
      "// power %g.\n"
      "// Made again with:\n//   %s\n"
      "// clang-format off\n#include <iterator>\n\n#include \"typo/typo_weights_table.h\"\n\n"
      "namespace typo {\n",
      AS.M, AS.MKey, AS.MPlace, AS.Rounds, AS.German, AS.Mix, AS.GermanAbove, AS.Flat, AS.FlatFar,
      AS.EchoAside, AS.GermanMix, AS.PairPower, ACommand.c_str());
  WriteLevels(out, "kFeatureLevels", AW.Feature, feature::kSound, 1e4, "size_t(feature::kSound)");
  WriteLevels(out, "kGermanFeatureLevels", AW.GermanFeature, feature::kSound, 1e4,
              "size_t(feature::kSound)");
  std::vector<double> odds;
  for (double o : AW.GermanPairOdds)
    odds.push_back(std::exp2(o));
  WriteLevels(out, "kGermanPairLevels", odds, kLetterPairCount, 1, "size_t(kLetterPairCount)");
  std::fprintf(out, "const double kGermanPairPower = %g, kGermanOddsAbove = %g;\n", AS.PairPower,
               AS.GermanAbove);
  std::fprintf(out, "const float kPlaceWeights[ekKindCount][epPlaceCount] = {");
  for (int k = 0; k < ekKindCount; ++k)
    for (int p = 0; p < epPlaceCount; ++p)
      std::fprintf(out, "%s%.2f", k + p == 0 ? "\n    " : p ? ", " : ",\n    ", AW.Place[k][p]);
  std::fprintf(out, "};\n");
  const size_t pairs = size_t(kPairKinds) * kKeyPairCount;
  WriteLevels(out, "kKeyPairLevels", AW.KeyPair, pairs, 1, "size_t(kPairKinds * kKeyPairCount)");
  WriteLevels(out, "kNextPairLevels", AW.NextPair, pairs, 1, "size_t(kPairKinds * kKeyPairCount)");
  std::fprintf(out, "} // namespace typo\n");
  return std::fclose(out) == 0;
}

void PrintRecall(const char *AName, const std::vector<TPair> &APairs,
                 const typo_corpus::TPick &APick, const TTypoWeights &AW) {
  std::printf("%-34s", AName);
  for (size_t budget : {150, 300, 600}) {
    const typo_corpus::TRecall r = typo_corpus::Recall(APairs, APick, budget, AW);
    std::printf("  %.3f", r.Share());
    if (budget == 600) std::printf("  (%zu pairs)\n", r.Count);
  }
}

// Per kind of slip at a budget: found of the pairs, and the share of the
// chosen variants (the slots) that are of that kind.
void PrintKinds(const std::vector<TPair> &APairs, const typo_corpus::TPick &APick,
                const TTypoWeights &AW, size_t ABudget) {
  using namespace typo_corpus;
  const TRecall r = Recall(APairs, APick, ABudget, AW);
  std::array<size_t, skKindCount> slots{};
  size_t total = 0;
  std::unordered_set<std::wstring> seen;
  for (const TPair &p : APairs)
    if (p.Measured && APick(p) && seen.insert(p.Correct).second)
      for (const std::wstring &v : BuildTypoQuery(p.Correct, ABudget, AW).Variants)
        ++slots[KindOf(p.Correct, v)], ++total;
  std::printf("  at %zu: kind found/count, share of slots\n", ABudget);
  for (int k = 0; k < skKindCount; ++k)
    std::printf("    %-20s %4zu/%-4zu %5.3f\n", kSlipKindNames[k], r.KindFound[size_t(k)],
                r.KindCount[size_t(k)], total ? double(slots[size_t(k)]) / double(total) : 0);
}

void PrintLooksGerman(const char *AName, const std::vector<TPair> &APairs,
                      const typo_corpus::TPick &APick, const TTypoWeights &AW) {
  size_t german = 0, count = 0;
  for (const TPair &p : APairs)
    if (p.Measured && APick(p)) german += LooksGerman(p.Correct, AW), ++count;
  std::printf("%s that look German: %zu of %zu\n", AName, german, count);
}

} // namespace

int main(int argc, char **argv) {
  TSettings settings;
  std::vector<TCorpus> corpora;
  const char *table = nullptr, *check = nullptr;
  bool tune = false, germanHalves = false, kinds = false;
  std::string command = "typo_learn";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() { return i + 1 < argc ? argv[++i] : "0"; };
    const TOption *option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                         [&](const TOption &AOption) { return a == AOption.Name; });
    if (option != std::end(kOptions))
      settings.*option->Value = std::atof(value());
    else if (a == "--table")
      table = value();
    else if (a == "--check")
      check = value();
    else if (a == "--tune")
      tune = true;
    else if (a == "--kinds")
      kinds = true;
    else if (a == "--german-halves")
      germanHalves = true;
    else
      corpora.push_back({a, {}});
  }
  for (const TCorpus &c : corpora)
    command += " " + c.Path.substr(c.Path.find_last_of("/\\") + 1);
  for (const TOption &o : kOptions) {
    char option[64];
    std::snprintf(option, sizeof option, " %s %g", o.Name, settings.*o.Value);
    command += option;
  }
  command += " --table typo_weights_table.cpp";
  if (corpora.empty()) {
    std::fprintf(stderr, "usage: typo_learn ENGLISH.tsv GERMAN.tsv... [--table FILE] "
                         "[--check WORDLIST] [--german N] [--mix A] [--tune]\n");
    return 2;
  }
  for (size_t i = 0; i < corpora.size(); ++i) {
    corpora[i].Pairs = typo_corpus::ReadPairs(
        corpora[i].Path, i == 0 ? typo_corpus::TSplit::ByWord : typo_corpus::TSplit::AllLearning);
    if (corpora[i].Pairs.empty()) {
      std::fprintf(stderr, "typo_learn: no pairs in %s\n", corpora[i].Path.c_str());
      return 1;
    }
  }
  // The learning pairs; with --tune only one inner fold of the English ones.
  std::vector<const TPair *> german;
  for (size_t i = 1; i < corpora.size(); ++i)
    for (const TPair &p : corpora[i].Pairs)
      if (typo_corpus::OneEditAway(p.Correct, p.Typo) &&
          !(germanHalves && !typo_corpus::LearnHalf(p.Correct)))
        german.push_back(&p);
  auto learnFrom = [&](int AFold) {
    std::vector<const TPair *> english;
    for (const TPair &p : corpora[0].Pairs)
      if (p.Learn && typo_corpus::OneEditAway(p.Correct, p.Typo) &&
          (AFold < 0 || typo_corpus::InnerFold(p.Correct) == AFold))
        english.push_back(&p);
    return Learn(english, german, settings);
  };
  if (tune) {
    for (int fold = 0; fold < 2; ++fold) {
      const TTypoWeights w = learnFrom(fold);
      PrintRecall(
          fold ? "English inner fold 0" : "English inner fold 1", corpora[0].Pairs,
          [&](const TPair &p) { return p.Learn && typo_corpus::InnerFold(p.Correct) != fold; }, w);
    }
    return 0;
  }
  const TTypoWeights learned = learnFrom(-1);
  std::printf("recall at 150, 300, 600\n");
  PrintRecall("English, held-out half", corpora[0].Pairs, typo_corpus::HeldOutPairs, learned);
  PrintRecall("English, learning half (learned)", corpora[0].Pairs, typo_corpus::LearningPairs,
              learned);
  const typo_corpus::TPick otherHalf = [](const TPair &p) {
    return !typo_corpus::LearnHalf(p.Correct);
  };
  for (size_t i = 1; germanHalves && i < corpora.size(); ++i) {
    PrintRecall(
        ("not learned, half of " + corpora[i].Path.substr(corpora[i].Path.find_last_of("/\\") + 1))
            .c_str(),
        corpora[i].Pairs, otherHalf, learned);
    if (kinds) PrintKinds(corpora[i].Pairs, otherHalf, learned, 300);
  }
  for (size_t i = 1; i < corpora.size(); ++i)
    PrintRecall(
        ("learned: " + corpora[i].Path.substr(corpora[i].Path.find_last_of("/\\") + 1)).c_str(),
        corpora[i].Pairs, typo_corpus::AllPairs, learned);
  PrintLooksGerman("English held-out words", corpora[0].Pairs, typo_corpus::HeldOutPairs, learned);
  if (check) {
    const std::vector<TPair> slips =
        typo_corpus::TSlipMaker(28).Make(typo_corpus::ReadWords(check), 4910);
    PrintLooksGerman("words of the made slips", slips, typo_corpus::AllPairs, learned);
    PrintRecall("German keyboard slips (made)", slips, typo_corpus::AllPairs, learned);
    if (kinds)
      for (size_t budget : {300, 600})
        PrintKinds(slips, typo_corpus::AllPairs, learned, budget);
  }
  if (table && !WriteTable(table, learned, corpora, settings, command)) {
    std::fprintf(stderr, "typo_learn: cannot write %s\n", table);
    return 1;
  }
  return 0;
}
