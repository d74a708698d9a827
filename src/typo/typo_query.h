#pragma once
// The auction site's search for a term's likely misspellings: the chosen
// variants joined in the site's OR syntax "(a,b,c)", within a length
// budget, and its address.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "typo/typo_model.h"

namespace typo {

inline constexpr size_t kDefaultBudget = 300;
inline constexpr wchar_t kAuctionSearchUrl[] = L"https://www.ebay.de/sch/i.html?_nkw=";

struct TTypoQuery {
  // The term as the query spells it: the site's syntax characters "(",
  // ")", "," and control characters become blanks, runs of blanks one.
  std::wstring Term;
  // The variants chosen, best first; each misspells one word of Term.
  std::vector<std::wstring> Variants;
  // "(v1,v2,...)", or the term as typed when no variant fits (cut to the
  // budget when even the term is longer).
  std::wstring Query;
};

// Whether a misspelt word is a real word (the predicate folds the case).
using TIsWord = std::function<bool(std::wstring_view AWord)>;

// A variant whose misspelt word has fewer than three letters, or is a real
// word by AIsWord, is left out for the next one: either finds far too much.
TTypoQuery BuildTypoQuery(const std::wstring &ATerm, size_t ABudget = kDefaultBudget,
                          const TTypoWeights &AWeights = DefaultWeights(),
                          const TIsWord &AIsWord = {});

// UTF-8 bytes of the text; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(const std::wstring &AText);
// The text of UTF-8 bytes; each byte of a broken sequence becomes U+FFFD.
std::wstring FromUtf8(const std::string &ABytes);
// Every byte outside A-Z a-z 0-9 "-_.~" as %XX of its UTF-8 form; a blank
// as "+" (the form encoding of a query value).
std::wstring EncodeQueryValue(const std::wstring &AText);
// The auction site's address for the query.
std::wstring AuctionSearchAddress(const TTypoQuery &AQuery);

} // namespace typo
