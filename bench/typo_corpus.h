#pragma once
// The typo corpus as the benchmark and the weight learner read it: pairs of
// a correct word and its misspelling, split in two halves by word, and the
// recall of the query on them. Plain C++, so the learner also runs on the
// build host.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "typo/typo_query.h"

namespace typo_corpus {

struct TPair {
  std::wstring Correct, Typo;
  bool Learn;    // in the half the weights are learned on
  bool Measured; // 5-12 letters, one edit away
};

// ASCII words only in this corpus; anything else is read byte by byte.
inline std::wstring Widen(const std::string &AText) {
  return std::wstring(AText.begin(), AText.end());
}

// One edit: a swap of neighbours, a letter left out, added or replaced.
inline bool OneEditAway(const std::wstring &A, const std::wstring &B) {
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

// The half a word belongs to, by a hash of its letters: the same word is
// always in the same half.
inline bool LearnHalf(const std::wstring &AWord) {
  unsigned h = 2166136261u;
  for (wchar_t c : AWord)
    h = (h ^ unsigned(c)) * 16777619u;
  return (h >> 7) % 2 == 0;
}

inline std::vector<TPair> ReadPairs(const std::string &APath) {
  std::vector<TPair> pairs;
  std::ifstream in(APath, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    TPair p{Widen(line.substr(0, tab)), Widen(line.substr(tab + 1)), false, false};
    p.Learn = LearnHalf(p.Correct);
    p.Measured = p.Correct.size() >= 5 && p.Correct.size() <= 12 && OneEditAway(p.Correct, p.Typo);
    pairs.push_back(std::move(p));
  }
  return pairs;
}

struct TRecall {
  size_t Found = 0, Count = 0;
  double Share() const { return Count ? double(Found) / double(Count) : 0; }
};

// Recall of the measured pairs of one half (0 learn, 1 held out) or of all
// (-1) at a budget.
inline TRecall Recall(const std::vector<TPair> &APairs, int AHalf, size_t ABudget,
                      const typo::TTypoWeights &AWeights = typo::DefaultWeights()) {
  TRecall r;
  std::wstring lastWord;
  typo::TTypoQuery query;
  for (const TPair &p : APairs) {
    if (!p.Measured || (AHalf == 0 && !p.Learn) || (AHalf == 1 && p.Learn)) continue;
    if (p.Correct != lastWord) {
      query = typo::BuildTypoQuery(p.Correct, ABudget, AWeights);
      lastWord = p.Correct;
    }
    ++r.Count;
    const std::wstring typo = typo::FoldCase(p.Typo);
    if (std::any_of(query.Variants.begin(), query.Variants.end(),
                    [&](const std::wstring &v) { return typo::FoldCase(v) == typo; }))
      ++r.Found;
  }
  return r;
}

} // namespace typo_corpus
