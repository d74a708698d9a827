#pragma once
// The addresses a search opens: the auction site's current search for both
// kinds of search, with the search options, and the typo-search service.
// The one place that percent-encodes and that knows the sites.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "typo/typo_query.h"

namespace typo {

enum TAuctionSite { asDe, asAt, asCh };
enum TListingType { ltAll, ltAuction, ltBuyItNow };
enum TSortOrder { soEndingSoonest, soBestMatch, soNewlyListed, soLowestPriceWithPostage };
// The plain search, the typo search with the variants made here, or the
// typo-search service.
enum TSearchKind { skPlain, skOwnTypos, skTypoService };

inline constexpr size_t kMaxResultPages = 3;
// Prices are whole cents up to 9,999,999.99.
inline constexpr uint32_t kMaxPriceCents = 999'999'999;

struct TSearchOptions {
  TAuctionSite Site = asDe;
  TListingType ListingType = ltAll;
  TSortOrder Order = soEndingSoonest;
  std::optional<uint32_t> PriceFrom, PriceTo; // cents; none: no limit
  bool InDescriptions = false;
  size_t ResultPages = 1; // of the typo search
};

struct TSearchRequest {
  std::wstring Term;
  TSearchKind Kind = skOwnTypos;
  TSearchOptions Options;
  size_t Budget = kDefaultBudget;
  // The user's choices about the words' variants; none: the model's alone.
  const TVariantChoices *Choices = nullptr;
};

// What a request opens: one address, or one per result page of the typo
// search.
std::vector<std::wstring> SearchAddresses(const TSearchRequest &ARequest,
                                          const TTypoWeights &AWeights = DefaultWeights(),
                                          const TIsWord &AIsWord = {});
// The typo search's pages as addresses, one each.
std::vector<std::wstring> TypoPageAddresses(const std::vector<TTypoQuery> &APages,
                                            const TSearchOptions &AOptions);
// The site's search for the query; with AKeepSpelling the site is asked
// not to correct it.
std::wstring AuctionSearchAddress(const std::wstring &AQuery, const TSearchOptions &AOptions,
                                  bool AKeepSpelling);
// The service, as it always took the term: blanks as "%20", "%", "&", "#"
// and "+" encoded, everything else as typed.
std::wstring TypoServiceAddress(const std::wstring &ATerm);

// Every byte outside A-Z a-z 0-9 "-_.~" as %XX of its UTF-8 form; a blank
// as "+" (the form encoding of a query value).
std::wstring EncodeQueryValue(const std::wstring &AText);

// A price as typed: a whole or decimal number, comma or point, at most two
// decimals, 0 to 9,999,999; blanks around it are allowed. Empty means no
// limit (true, none); false for anything else.
bool ParsePrice(std::wstring_view AText, std::optional<uint32_t> &ACents);
// The price with a point, as the site takes it: "12", "12.50".
std::wstring PriceText(uint32_t ACents);

} // namespace typo
