#pragma once
// The auction site's search for a term's likely misspellings: the chosen
// variants joined in the site's OR syntax "(a,b,c)", within a length
// budget, on as many result pages as asked for.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "typo/typo_model.h"
#include "typo/variant_choices.h"

namespace typo {

inline constexpr size_t kDefaultBudget = 300;

// Whether a spelling is a real word (the predicate folds the case); a
// variant whose misspelt word is one is left out.
using TIsWord = std::function<bool(std::wstring_view AWord)>;

// Which word of the term a variant misspells, and how.
struct TMisspelling {
  std::wstring Word;     // as the term spells it
  std::wstring Spelling; // as the variant spells it
  bool Own = false;      // the user's own, not the model's
};

struct TTypoQuery {
  // The words the variants are made of, as the query spells them: the
  // site's syntax characters "(", ")", "," and control characters split
  // words, kept words lose their "!", excluded words are not here.
  std::wstring Term;
  // The variants chosen, best first; each misspells one word of Term.
  std::vector<std::wstring> Variants;
  // For each variant, the word it misspells.
  std::vector<TMisspelling> Misspellings;
  // "(v1,v2,...) -x -y", or the cleaned term when no variant fits (cut
  // to the budget when even the term is longer).
  std::wstring Query;
};

// The first result page of the typo search.
TTypoQuery BuildTypoQuery(const std::wstring &ATerm, size_t ABudget = kDefaultBudget,
                          const TTypoWeights &AWeights = DefaultWeights(),
                          const TIsWord &AIsWord = {});
// Up to APages result pages, each with the next best variants that fit the
// budget and none of an earlier page's; fewer when the variants run out,
// but always the first. The user's choices for the term's words go first:
// their own misspellings lead (and are never filtered), the ones taken out
// are left out.
std::vector<TTypoQuery> BuildTypoPages(const std::wstring &ATerm, size_t APages,
                                       size_t ABudget = kDefaultBudget,
                                       const TTypoWeights &AWeights = DefaultWeights(),
                                       const TIsWord &AIsWord = {},
                                       const TVariantChoices *AChoices = nullptr);

// The term's words to vary, as the query spells them.
std::vector<std::wstring> VariedWords(const std::wstring &ATerm);
// The variant that spells the term's AWord-th word to vary as ASpelling.
std::wstring MisspeltVariant(const std::wstring &ATerm, size_t AWord,
                            const std::wstring &ASpelling);

// What a misspelling the user types for a term is: one word, which then
// misspells the word to vary it is closest to, or the whole term with one
// word to vary spelt otherwise.
enum TOwnVariantFault {
  ofNone,
  ofEmpty,
  ofSameAsWord,
  ofBadCharacter, // "(", ")", "," or a control character
  ofTooLong,      // the variant alone would not fit the budget
  ofNoWordToVary,
  ofOtherWords, // words that are not the term's
};
struct TOwnVariant {
  TOwnVariantFault Fault = ofNone;
  size_t Word = 0; // of the words to vary
  std::wstring Spelling;
};
TOwnVariant ReadOwnVariant(const std::wstring &ATerm, const std::wstring &AText,
                           size_t ABudget = kDefaultBudget);

// UTF-8 bytes of the text; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(const std::wstring &AText);
// The text of UTF-8 bytes; each byte of a broken sequence becomes U+FFFD.
std::wstring FromUtf8(const std::string &ABytes);

} // namespace typo
