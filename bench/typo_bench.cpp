// The typo model's recall on real typos, through the word filter and
// without it, and the query's cost.
//   typo_bench [CORPUS.tsv...] [--words WORDFILE] [--check WORDLIST]
// A typo counts as found when its misspelling is among the variants chosen
// for its correct word; measured on words of 5-12 letters one edit away.
// The first corpus is split by word (the weights were learned on one half);
// the others are German learning files, learned whole. WORDLIST (Debian's
// ngerman) gives a check set of German keyboard slips the weights have
// never seen.
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_support.h"
#include "typo/word_list.h"
#include "typo_corpus.h"

namespace {

using typo_corpus::TPair;

// Median microseconds of one query build over the terms, in rounds.
double MicrosPerTerm(const std::vector<std::wstring> &ATerms, size_t ABudget, int ARounds,
                     const typo::TIsWord &AIsWord = {}) {
  std::vector<double> perTerm;
  size_t sink = 0;
  for (int r = 0; r < ARounds; ++r) {
    const double start = bench::Now();
    for (const std::wstring &t : ATerms)
      sink += typo::BuildTypoQuery(t, ABudget, typo::DefaultWeights(), AIsWord).Query.size();
    perTerm.push_back((bench::Now() - start) * 1000.0 / double(ATerms.size()));
  }
  return sink ? bench::Median(perTerm) : 0;
}

struct TSet {
  std::string Name;
  bool Learned;
  const std::vector<TPair> *Pairs;
  typo_corpus::TPick Pick;
};

void PrintRecall(const std::vector<TSet> &ASets, const typo::TIsWord &AIsWord) {
  std::printf("%-44s %7s  %-20s  %-20s  %s\n", "recall (words of 5-12 letters, one edit away)",
              "pairs", "150 / 300 / 600", "with the filter", "learned on");
  for (const TSet &s : ASets) {
    std::printf("%-44s", s.Name.c_str());
    double plain[3], filtered[3];
    size_t count = 0, i = 0;
    typo_corpus::TRecall at300;
    for (size_t budget : {150, 300, 600}) {
      const typo_corpus::TRecall p = typo_corpus::Recall(*s.Pairs, s.Pick, budget);
      const typo_corpus::TRecall f =
          typo_corpus::Recall(*s.Pairs, s.Pick, budget, typo::DefaultWeights(), AIsWord);
      plain[i] = p.Share(), filtered[i++] = f.Share(), count = p.Count;
      if (budget == 300) at300 = f;
    }
    std::printf(" %7zu  %.3f %.3f %.3f    %.3f %.3f %.3f    %s\n", count, plain[0], plain[1],
                plain[2], filtered[0], filtered[1], filtered[2], s.Learned ? "yes" : "no");
    std::printf("    at 300 with the filter, found of:");
    for (int k = 0; k < typo_corpus::skKindCount; ++k)
      if (at300.KindCount[size_t(k)])
        std::printf(" %s %zu/%zu;", typo_corpus::kSlipKindNames[k], at300.KindFound[size_t(k)],
                    at300.KindCount[size_t(k)]);
    std::printf("\n");
  }
}

// The misspelt word of a variant: the one that differs from the term's.
std::wstring_view MisspeltWord(std::wstring_view ATerm, std::wstring_view AVariant) {
  size_t from = 0;
  while (from < ATerm.size() && from < AVariant.size() && ATerm[from] == AVariant[from])
    ++from;
  const size_t at = AVariant.rfind(L' ', from == 0 ? 0 : from - 1);
  const size_t begin = at == std::wstring_view::npos || from == 0 ? 0 : at + 1;
  return AVariant.substr(begin, AVariant.find(L' ', from) - begin);
}

// Everyday search terms: how many of their variants are words of the list.
void PrintWordsAmongVariants(const typo::TWordList &AWords) {
  static const wchar_t *const kTerms[] = {
      L"Uhr",        L"Regal",       L"Tablet",        L"Trauring",    L"Vorhang",
      L"Münzen",     L"Nähmaschine", L"Rasierer",      L"Kinderwagen", L"Lego Technik",
      L"Fahrrad",    L"Schuhe",      L"Handy",         L"Kamera",      L"Lampe",
      L"Teppich",    L"Gitarre",     L"Sofa",          L"Bett",        L"Tisch",
      L"Stuhl",      L"Jacke",       L"Hose",          L"Kleid",       L"Puppe",
      L"Modellbahn", L"Briefmarken", L"Schallplatten", L"Werkzeug",    L"Bohrmaschine"};
  const typo::TIsWord isWord = [&](std::wstring_view w) { return AWords.Contains(w); };
  size_t counts[2][2] = {}; // without, with the filter: variants, words among them
  for (const wchar_t *term : kTerms)
    for (int filtered = 0; filtered < 2; ++filtered)
      for (const std::wstring &v :
           typo::BuildTypoQuery(term, typo::kDefaultBudget, typo::DefaultWeights(),
                                filtered ? isWord : typo::TIsWord{})
               .Variants) {
        ++counts[filtered][0];
        counts[filtered][1] += AWords.Contains(MisspeltWord(term, v));
      }
  std::printf("\n%zu everyday terms: words among the variants %zu of %zu without the filter, "
              "%zu of %zu with it\n",
              std::size(kTerms), counts[0][1], counts[0][0], counts[1][1], counts[1][0]);
}

// Reading the file on the first typo search, and each search after it.
void PrintFilterCost(const std::wstring &APath, const std::vector<std::wstring> &ATerms) {
  std::vector<double> loads;
  typo::TWordList words;
  for (int r = 0; r < 10; ++r) {
    const double start = bench::Now();
    words = typo::TWordList::FromFile(APath);
    loads.push_back(bench::Now() - start);
  }
  auto isWord = [&](std::wstring_view w) { return words.Contains(w); };
  const double plain = MicrosPerTerm(ATerms, 300, 5);
  const double filtered = MicrosPerTerm(ATerms, 300, 5, isWord);
  std::printf("\nword file: %zu words; reading it (first typo search): %.2f ms median of 10\n",
              words.Count(), bench::Median(loads));
  std::printf(
      "time per term (budget 300, %zu words): %.1f us without the filter, %.1f us with it\n",
      ATerms.size(), plain, filtered);
}

void PrintGrowth() {
  // Terms of N characters (words of eight letters), at the default budget
  // and at a budget that grows with them, so that every word's variants are
  // made and ranked.
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
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  std::vector<std::string> paths;
  std::wstring wordFile = TYPO_WORD_FILE;
  std::string check = TYPO_CHECK_WORDS;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--words") == 0 && i + 1 < argc)
      wordFile = argv[++i];
    else if (std::wcscmp(argv[i], L"--check") == 0 && i + 1 < argc)
      check = typo::ToUtf8(argv[++i]);
    else
      paths.push_back(typo::ToUtf8(argv[i]));
  }
  if (paths.empty())
    paths = {TYPO_CORPUS "/codespell-pairs-dev.tsv", TYPO_CORPUS "/de-libreoffice-autocorrect.tsv",
             TYPO_CORPUS "/de-wikipedia-tippfehler.tsv"};
  std::vector<std::vector<TPair>> corpora;
  for (size_t i = 0; i < paths.size(); ++i) {
    corpora.push_back(typo_corpus::ReadPairs(paths[i], i == 0 ? typo_corpus::TSplit::ByWord
                                                              : typo_corpus::TSplit::AllLearning));
    if (corpora.back().empty()) {
      std::fprintf(stderr, "no typo pairs in %s\n", paths[i].c_str());
      return 1;
    }
  }
  const typo::TWordList words = typo::TWordList::FromFile(wordFile);
  if (words.Empty())
    std::printf("no word file at %s: figures without the filter only\n",
                typo::ToUtf8(wordFile).c_str());
  const typo::TIsWord isWord = [&](std::wstring_view w) { return words.Contains(w); };

  std::vector<TSet> sets{{"English, held-out half", false, &corpora[0], typo_corpus::HeldOutPairs},
                         {"English, learning half", true, &corpora[0], typo_corpus::LearningPairs}};
  for (size_t i = 1; i < paths.size(); ++i)
    sets.push_back({paths[i].substr(paths[i].find_last_of("/\\") + 1), true, &corpora[i],
                    typo_corpus::AllPairs});
  const std::vector<TPair> slips =
      typo_corpus::TSlipMaker(28).Make(typo_corpus::ReadWords(check), 4910);
  if (!slips.empty())
    sets.push_back(
        {"German keyboard slips made from the list", false, &slips, typo_corpus::AllPairs});
  PrintRecall(sets, words.Empty() ? typo::TIsWord{} : isWord);
  if (!words.Empty()) PrintWordsAmongVariants(words);

  std::vector<std::wstring> terms;
  for (const TPair &p : corpora[0])
    if (p.Measured && (terms.empty() || terms.back() != p.Correct)) terms.push_back(p.Correct);
  PrintFilterCost(wordFile, terms);
  PrintGrowth();
  return 0;
}
