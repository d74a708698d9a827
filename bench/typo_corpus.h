#pragma once
// The typo corpora as the benchmark and the weight learner read them: pairs
// of a correct word and its misspelling, the kind of each slip, the recall
// of the query on them, and a check set of German keyboard slips made from
// a word list. Plain C++, so the learner also runs on the build host.
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unordered_set>
#include <vector>

#include "typo/fnv1a.h"
#include "typo/typo_query.h"

namespace typo_corpus {

struct TPair {
  std::wstring Correct, Typo;
  bool Learn;    // among the pairs the weights are learned on
  bool Measured; // 5-12 letters, one edit away
};

inline uint32_t Hash(const std::wstring &AWord) { return typo::Fnv1a(std::wstring_view(AWord)); }

// FNV-1a of a file's bytes, to name the corpora a table was learned from.
inline uint32_t FileHash(const std::string &APath) {
  std::ifstream in(APath, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return typo::Fnv1a(std::string_view(bytes));
}

// The half a word belongs to, by a hash of its letters: the same word is
// always in the same half. Other bits of it make folds inside a half.
inline bool LearnHalf(const std::wstring &AWord) {
  return (Hash(AWord) >> 7) % 2 == 0;
}
inline int InnerFold(const std::wstring &AWord) {
  return int((Hash(AWord) >> 17) % 2);
}

// One edit: a swap of neighbours, a letter left out, added or replaced
// (letter case aside).
inline bool OneEditAway(const std::wstring &AA, const std::wstring &AB) {
  const std::wstring A = typo::FoldCase(AA), B = typo::FoldCase(AB);
  if (A == B) return false;
  if (A.size() == B.size()) {
    std::vector<size_t> diff;
    for (size_t i = 0; i < A.size(); ++i)
      if (A[i] != B[i]) diff.push_back(i);
    if (diff.size() == 1) return true;
    return diff.size() == 2 && diff[1] == diff[0] + 1 && A[diff[0]] == B[diff[1]] &&
           A[diff[1]] == B[diff[0]];
  }
  const std::wstring &longer = A.size() > B.size() ? A : B;
  const std::wstring &shorter = A.size() > B.size() ? B : A;
  if (longer.size() != shorter.size() + 1) return false;
  size_t i = 0;
  while (i < shorter.size() && shorter[i] == longer[i])
    ++i;
  return longer.compare(i + 1, std::wstring::npos, shorter, i, std::wstring::npos) == 0;
}

// The English corpus is split by word; a German learning file is learned
// whole.
enum class TSplit { ByWord, AllLearning };

inline std::vector<TPair> ReadPairs(const std::string &APath, TSplit ASplit = TSplit::ByWord) {
  std::vector<TPair> pairs;
  std::ifstream in(APath, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    TPair p{typo::FromUtf8(line.substr(0, tab)), typo::FromUtf8(line.substr(tab + 1)), true, false};
    if (ASplit == TSplit::ByWord) p.Learn = LearnHalf(p.Correct);
    p.Measured = p.Correct.size() >= 5 && p.Correct.size() <= 12 && OneEditAway(p.Correct, p.Typo);
    pairs.push_back(std::move(p));
  }
  return pairs;
}

// The kinds of slip the benchmark counts, as the German search-query typos
// are described: by the keys' places for replaced and added letters.
enum TSlipKind {
  skOmit,
  skSwap,
  skReplaceRow,
  skReplaceDiagonal,
  skReplaceApart,
  skAddDoubled,
  skAddRow,
  skAddDiagonal,
  skAddApart,
  skOther, // umlauts and non-letters, or more than one edit
  skKindCount
};
inline const char *const kSlipKindNames[skKindCount] = {
    "omitted",       "swapped",        "replaced, same row", "replaced, diagonal",
    "replaced, far", "added, doubled", "added, same row",    "added, diagonal",
    "added, far",    "other"};

inline TSlipKind KindOf(const std::wstring &ACorrect, const std::wstring &ATypo) {
  const std::wstring a = typo::FoldCase(ACorrect), b = typo::FoldCase(ATypo);
  if (!OneEditAway(a, b)) return skOther;
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i])
    ++i;
  if (b.size() < a.size()) return skOmit;
  if (b.size() == a.size()) {
    if (i + 1 < a.size() && a[i + 1] != b[i + 1]) return skSwap;
    const int from = typo::LetterIndex(a[i]), to = typo::LetterIndex(b[i]);
    if (from < 0 || to < 0) return skOther;
    const typo::TKeyRelation r = typo::KeyRelation(from, to);
    return r == typo::krSameRow    ? skReplaceRow
           : r == typo::krDiagonal ? skReplaceDiagonal
                                   : skReplaceApart;
  }
  // Added: the first place the words differ may lie anywhere in a run of
  // the added letter, so look at both sides of it.
  const int added = typo::LetterIndex(b[i]);
  if (added < 0) return skOther;
  const int before = i > 0 ? typo::LetterIndex(a[i - 1]) : -1;
  const int after = i < a.size() ? typo::LetterIndex(a[i]) : -1;
  if (added == before || added == after) return skAddDoubled;
  typo::TKeyRelation r = typo::krApart;
  for (int side : {before, after})
    if (side >= 0) r = std::min(r, typo::KeyRelation(side, added));
  return r == typo::krSameRow ? skAddRow : r == typo::krDiagonal ? skAddDiagonal : skAddApart;
}

struct TRecall {
  size_t Found = 0, Count = 0;
  std::array<size_t, skKindCount> KindFound{}, KindCount{};
  double Share() const { return Count ? double(Found) / double(Count) : 0; }
};

using TPick = std::function<bool(const TPair &)>;
inline bool LearningPairs(const TPair &APair) {
  return APair.Learn;
}
inline bool HeldOutPairs(const TPair &APair) {
  return !APair.Learn;
}
inline bool AllPairs(const TPair &) {
  return true;
}

// Recall at a budget of the measured pairs APick chooses, per kind too.
inline TRecall Recall(const std::vector<TPair> &APairs, const TPick &APick, size_t ABudget,
                      const typo::TTypoWeights &AWeights = typo::DefaultWeights(),
                      const typo::TIsWord &AIsWord = {}) {
  TRecall r;
  std::wstring lastWord;
  typo::TTypoQuery query;
  for (const TPair &p : APairs) {
    if (!p.Measured || !APick(p)) continue;
    if (p.Correct != lastWord) {
      query = typo::BuildTypoQuery(p.Correct, ABudget, AWeights, AIsWord);
      lastWord = p.Correct;
    }
    const TSlipKind kind = KindOf(p.Correct, p.Typo);
    ++r.Count, ++r.KindCount[kind];
    const std::wstring typo = typo::FoldCase(p.Typo);
    if (std::any_of(query.Variants.begin(), query.Variants.end(),
                    [&](const std::wstring &v) { return typo::FoldCase(v) == typo; }))
      ++r.Found, ++r.KindFound[kind];
  }
  return r;
}

// A check set of German keyboard slips: words of a German word list, one
// slip each, in the mix the German search-query typos are described to
// have (anywhere but the first letter; per 491: 126 omitted, 35 swapped; replaced 98 same row, 8
// diagonal, 63 far, half of those vowels; added 47 doubled, 37 same row, 26 diagonal, 51 far). A
// slip that is itself a word is not a typo anyone would notice, and is left out. Deterministic.
class TSlipMaker {
public:
  explicit TSlipMaker(uint32_t ASeed) : FState(ASeed) {}

  std::vector<TPair> Make(const std::vector<std::wstring> &AWords, size_t ACount) {
    static constexpr int kMix[] = {126, 35, 98, 8, 63, 47, 37, 26, 51};
    std::unordered_set<std::wstring> known;
    for (const std::wstring &w : AWords)
      known.insert(typo::FoldCase(w));
    std::vector<TPair> pairs;
    for (size_t tries = 0; pairs.size() < ACount && tries < ACount * 20 && !AWords.empty();
         ++tries) {
      const std::wstring &word = AWords[Next() % AWords.size()];
      if (word.size() < 5 || word.size() > 12 ||
          std::any_of(word.begin(), word.end(),
                      [](wchar_t c) { return typo::LetterIndex(typo::FoldCase(c)) < 0; }))
        continue;
      int pick = int(Next() % 491), kind = 0;
      while (pick >= kMix[kind])
        pick -= kMix[kind++];
      std::wstring typo = Slip(word, TSlipKind(kind));
      if (typo.empty() || known.count(typo::FoldCase(typo)) ||
          KindOf(word, typo) != TSlipKind(kind))
        continue;
      pairs.push_back({word, typo, false, true});
    }
    return pairs;
  }

private:
  uint32_t Next() {
    FState = FState * 1664525u + 1013904223u;
    return FState >> 8;
  }

  // A letter whose key lies so to ALetter (or any letter, for krApart).
  int KeyFor(int ALetter, typo::TKeyRelation ARelation) {
    std::vector<int> keys;
    for (int b = 0; b < typo::kLetterCount; ++b)
      if (b != ALetter && typo::KeyRelation(ALetter, b) == ARelation) keys.push_back(b);
    return keys.empty() ? -1 : keys[Next() % keys.size()];
  }

  std::wstring Slip(const std::wstring &AWord, TSlipKind AKind) {
    std::wstring w = AWord;
    // Typists seldom miss a word's first key; the rest alike.
    const size_t at = 1 + Next() % (w.size() - 1);
    const int letter = typo::LetterIndex(typo::FoldCase(w[at]));
    const bool upper = typo::FoldCase(w[at]) != w[at];
    auto cased = [&](int AIndex) {
      const wchar_t c = typo::LetterUnit(AIndex);
      return upper && c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c;
    };
    auto relation = [](TSlipKind K, TSlipKind ARow) {
      return K == ARow ? typo::krSameRow : K == ARow + 1 ? typo::krDiagonal : typo::krApart;
    };
    int key = -1;
    switch (AKind) {
    case skOmit:
      return w.erase(at, 1);
    case skSwap:
      if (at + 1 >= w.size()) return {};
      std::swap(w[at], w[at + 1]);
      return w;
    case skReplaceRow:
    case skReplaceDiagonal:
    case skReplaceApart:
      key = AKind == skReplaceApart && Next() % 2 ? Vowel(letter)
                                                  : KeyFor(letter, relation(AKind, skReplaceRow));
      if (key < 0) return {};
      w[at] = cased(key);
      return w;
    case skAddDoubled:
      return w.insert(at, 1, w[at]);
    default:
      key = KeyFor(letter, relation(AKind, skAddRow));
      if (key < 0 || (at > 0 && typo::LetterIndex(typo::FoldCase(w[at - 1])) == key)) return {};
      // Before or after the letter it lies beside.
      return w.insert(at + Next() % 2, 1, typo::LetterUnit(key));
    }
  }

  int Vowel(int ALetter) {
    static const wchar_t kVowels[] = L"aeiouäöü";
    const int v = typo::LetterIndex(kVowels[Next() % 8]);
    return v == ALetter ? -1 : v;
  }

  uint32_t FState;
};

// The words of a word list, one a line (UTF-8).
inline std::vector<std::wstring> ReadWords(const std::string &APath) {
  std::vector<std::wstring> words;
  std::ifstream in(APath, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) words.push_back(typo::FromUtf8(line));
  }
  return words;
}

} // namespace typo_corpus
