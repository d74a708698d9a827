// The typo model's recall on real typos and the query's cost.
//   typo_bench [CORPUS.tsv]
// A typo counts as found when its misspelling is among the variants chosen
// for its correct word; measured on words of 5-12 letters one edit away.
// The weights were learned on one half of the corpus (by word), so the
// other half shows the recall on words the model has not seen.
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "typo_corpus.h"

namespace {

// Median microseconds of one query build over the terms, in rounds.
double MicrosPerTerm(const std::vector<std::wstring> &ATerms, size_t ABudget, int ARounds) {
  std::vector<double> perTerm;
  size_t sink = 0;
  for (int r = 0; r < ARounds; ++r) {
    const double start = bench::Now();
    for (const std::wstring &t : ATerms)
      sink += typo::BuildTypoQuery(t, ABudget).Query.size();
    perTerm.push_back((bench::Now() - start) * 1000.0 / double(ATerms.size()));
  }
  return sink ? bench::Median(perTerm) : 0;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  std::string path = argc > 1 ? typo::ToUtf8(argv[1]) : std::string(TYPO_CORPUS);
  std::vector<typo_corpus::TPair> pairs = typo_corpus::ReadPairs(path);
  if (pairs.empty()) {
    std::fprintf(stderr, "no typo pairs in %s\n", path.c_str());
    return 1;
  }
  std::printf("corpus: %zu pairs\n", pairs.size());
  std::printf("recall (words of 5-12 letters, one edit away):\n");
  std::printf("budget  held-out half  learning half  whole file\n");
  for (size_t budget : {150, 300, 600}) {
    typo_corpus::TRecall held = typo_corpus::Recall(pairs, 1, budget);
    typo_corpus::TRecall learn = typo_corpus::Recall(pairs, 0, budget);
    typo_corpus::TRecall all = typo_corpus::Recall(pairs, -1, budget);
    std::printf("%6zu  %13.3f  %13.3f  %10.3f\n", budget, held.Share(), learn.Share(), all.Share());
  }
  std::printf("pairs measured: held-out %zu, learning %zu\n",
              typo_corpus::Recall(pairs, 1, 1).Count, typo_corpus::Recall(pairs, 0, 1).Count);

  std::vector<std::wstring> words;
  for (const typo_corpus::TPair &p : pairs)
    if (p.Measured && (words.empty() || words.back() != p.Correct)) words.push_back(p.Correct);
  std::printf("\ntime per term (budget 300, %zu corpus words): %.1f us\n", words.size(),
              MicrosPerTerm(words, 300, 5));

  // Growth with the term's length: terms of N characters (words of eight
  // letters), at the default budget and at a budget that grows with them,
  // so that every word's variants are made and ranked.
  std::printf(
      "\nterm length  budget 300: us  us/char  | budget 30*length: us  us/char  variants\n");
  const std::wstring word = L"Gartenst\u00FChle ";
  for (size_t length : {10, 30, 100, 300, 1000, 3000, 10000}) {
    std::wstring term;
    while (term.size() < length)
      term += word;
    term.resize(length);
    const std::vector<std::wstring> one{term};
    const int rounds = length >= 3000 ? 5 : 50;
    const double fixed = MicrosPerTerm(one, 300, rounds);
    const double growing = MicrosPerTerm(one, 30 * length, rounds);
    std::printf("%11zu  %14.1f  %7.3f  | %20.1f  %7.3f  %8zu\n", length, fixed,
                fixed / double(length), growing, growing / double(length),
                typo::BuildTypoQuery(term, 30 * length).Variants.size());
  }
  return 0;
}
