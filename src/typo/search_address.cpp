#include "typo/search_address.h"

#include <algorithm>

#include "res/maker.h"
#include "typo/search_term.h"

namespace typo {

namespace {

constexpr const wchar_t *kSites[] = {L"" AUCTION_SITE_DE, L"" AUCTION_SITE_AT,
                                     L"" AUCTION_SITE_CH};
constexpr const wchar_t *kOrders[] = {L"1", L"12", L"10", L"15"};
constexpr wchar_t kTypoServiceUrl[] = L"" TYPO_SEARCH_URL "/search.php?ASearchText=";

bool IsUnreserved(char32_t C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') ||
         C == '-' || C == '_' || C == '.' || C == '~';
}

// The one encoder: characters AKeep lets through go as typed, a blank as
// ABlank, every other one as %XX of its UTF-8 bytes.
template <class TKeep>
std::wstring PercentEncode(const std::wstring &AText, const wchar_t *ABlank, TKeep AKeep) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring encoded;
  encoded.reserve(AText.size() * 3);
  for (size_t i = 0; i < AText.size(); ++i) {
    const wchar_t c = AText[i];
    if (c == L' ') {
      encoded += ABlank;
    } else if (AKeep(c)) {
      encoded += c;
    } else {
      // A surrogate pair is encoded as the one character it is.
      const size_t units =
          IsHighSurrogate(c) && i + 1 < AText.size() && IsLowSurrogate(AText[i + 1]) ? 2 : 1;
      for (unsigned char b : ToUtf8(AText.substr(i, units))) {
        encoded += L'%';
        encoded += kHex[b >> 4];
        encoded += kHex[b & 15];
      }
      i += units - 1;
    }
  }
  return encoded;
}

std::wstring Parameter(const wchar_t *AName, const std::wstring &AValue) {
  return L'&' + std::wstring(AName) + L'=' + AValue;
}

std::wstring OptionParameters(const TSearchOptions &AOptions) {
  std::wstring p = Parameter(L"_sop", kOrders[AOptions.Order]);
  if (AOptions.ListingType == ltAuction) p += Parameter(L"LH_Auction", L"1");
  if (AOptions.ListingType == ltBuyItNow) p += Parameter(L"LH_BIN", L"1");
  if (AOptions.PriceFrom) p += Parameter(L"_udlo", PriceText(*AOptions.PriceFrom));
  if (AOptions.PriceTo) p += Parameter(L"_udhi", PriceText(*AOptions.PriceTo));
  if (AOptions.InDescriptions) p += Parameter(L"LH_TitleDesc", L"1");
  return p;
}

// The plain search leaves the site's group syntax to the user, who may
// mean it, and lets the site correct the spelling.
std::wstring PlainQuery(const TSearchRequest &ARequest) {
  return CutToBudget(SiteWords(ReadTerm(ARequest.Term, false)), ARequest.Budget);
}

} // namespace

std::vector<std::wstring> SearchAddresses(const TSearchRequest &ARequest,
                                          const TTypoWeights &AWeights, const TIsWord &AIsWord) {
  const TSearchOptions &options = ARequest.Options;
  switch (ARequest.Kind) {
  case skPlain:
    return {AuctionSearchAddress(PlainQuery(ARequest), options, false)};
  case skTypoService:
    return {TypoServiceAddress(ARequest.Term)};
  case skOwnTypos:
    break;
  }
  const size_t pages = std::clamp<size_t>(options.ResultPages, 1, kMaxResultPages);
  return TypoPageAddresses(
      BuildTypoPages(ARequest.Term, pages, ARequest.Budget, AWeights, AIsWord, ARequest.Choices),
      options);
}

std::vector<std::wstring> TypoPageAddresses(const std::vector<TTypoQuery> &APages,
                                            const TSearchOptions &AOptions) {
  std::vector<std::wstring> addresses;
  for (const TTypoQuery &page : APages)
    addresses.push_back(AuctionSearchAddress(page.Query, AOptions, true));
  return addresses;
}

std::wstring AuctionSearchAddress(const std::wstring &AQuery, const TSearchOptions &AOptions,
                                  bool AKeepSpelling) {
  std::wstring address = kSites[AOptions.Site] + std::wstring(L"" AUCTION_SEARCH_PATH) +
                         EncodeQueryValue(AQuery) + OptionParameters(AOptions);
  // The site rewrites a query it believes misspelt, which would search
  // the correct spelling instead of the typos.
  if (AKeepSpelling) address += Parameter(L"_blrs", L"spell_auto_correct");
  return address;
}

std::wstring TypoServiceAddress(const std::wstring &ATerm) {
  return kTypoServiceUrl + PercentEncode(ATerm, L"%20", [](wchar_t C) {
           return C != L'%' && C != L'&' && C != L'#' && C != L'+';
         });
}

std::wstring EncodeQueryValue(const std::wstring &AText) {
  return PercentEncode(AText, L"+", [](wchar_t C) { return IsUnreserved(C); });
}

bool ParsePrice(std::wstring_view AText, std::optional<uint32_t> &ACents) {
  while (!AText.empty() && AText.front() == L' ') AText.remove_prefix(1);
  while (!AText.empty() && AText.back() == L' ') AText.remove_suffix(1);
  ACents.reset();
  if (AText.empty()) return true;
  uint64_t units = 0;
  size_t i = 0, digits = 0, decimals = 0;
  for (; i < AText.size() && AText[i] >= L'0' && AText[i] <= L'9' && digits < 8; ++i, ++digits)
    units = units * 10 + (AText[i] - L'0');
  units *= 100;
  if (digits > 0 && i < AText.size() && (AText[i] == L',' || AText[i] == L'.')) {
    for (++i; i < AText.size() && AText[i] >= L'0' && AText[i] <= L'9' && decimals < 2;
         ++i, ++decimals)
      units += (AText[i] - L'0') * (decimals == 0 ? 10 : 1);
    if (decimals == 0) return false;
  }
  if (digits == 0 || i != AText.size() || units > kMaxPriceCents) return false;
  ACents = uint32_t(units);
  return true;
}

std::wstring PriceText(uint32_t ACents) {
  std::wstring text = std::to_wstring(ACents / 100);
  if (ACents % 100) {
    text += L'.';
    text += wchar_t(L'0' + ACents % 100 / 10);
    text += wchar_t(L'0' + ACents % 10);
  }
  return text;
}

} // namespace typo
