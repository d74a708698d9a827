// The addresses of both searches with their options, the words kept and
// excluded, the result pages and the prices as typed.
#include <doctest.h>

#include <set>

#include "res/maker.h"
#include "typo/search_address.h"

using namespace typo;

namespace {

std::wstring Address(const std::wstring &ATerm, TSearchKind AKind, const TSearchOptions &AOptions) {
  TSearchRequest request;
  request.Term = ATerm;
  request.Kind = AKind;
  request.Options = AOptions;
  const std::vector<std::wstring> addresses = SearchAddresses(request);
  REQUIRE(addresses.size() == 1);
  return addresses.front();
}

TSearchOptions Options(TAuctionSite ASite, TListingType AType, TSortOrder AOrder,
                       std::optional<uint32_t> AFrom, std::optional<uint32_t> ATo, bool ADesc) {
  TSearchOptions o;
  o.Site = ASite;
  o.ListingType = AType;
  o.Order = AOrder;
  o.PriceFrom = AFrom;
  o.PriceTo = ATo;
  o.InDescriptions = ADesc;
  return o;
}

} // namespace

TEST_CASE("the addresses: site, listing type, order, prices and descriptions, both searches") {
  struct TCase {
    TSearchKind Kind;
    TSearchOptions Options;
    std::wstring Expected;
  };
  const std::wstring de = L"https://www.ebay.de/sch/i.html?_nkw=";
  const TCase cases[] = {
      {skPlain, {}, de + L"Lego+Technik&_sop=1"},
      {skPlain, Options(asAt, ltAuction, soBestMatch, 0, 5050, false),
       L"https://www.ebay.at/sch/i.html?_nkw=Lego+Technik&_sop=12&LH_Auction=1&_udlo=0&_udhi=50.50"},
      {skPlain, Options(asCh, ltBuyItNow, soNewlyListed, 1999, {}, true),
       L"https://www.ebay.ch/sch/i.html?_nkw=Lego+Technik&_sop=10&LH_BIN=1&_udlo=19.99"
       L"&LH_TitleDesc=1"},
      {skPlain, Options(asDe, ltAll, soLowestPriceWithPostage, {}, 999999999, false),
       de + L"Lego+Technik&_sop=15&_udhi=9999999.99"},
      {skTypoService, Options(asCh, ltAuction, soBestMatch, 100, 200, true),
       L"" TYPO_SEARCH_URL "/search.php?ASearchText=Lego%20Technik"},
  };
  for (const TCase &c : cases) {
    CAPTURE(c.Expected);
    CHECK(Address(L"Lego Technik", c.Kind, c.Options) == c.Expected);
  }
  // The typo search carries the same options and asks the site to keep
  // its spelling; the plain search lets the site correct it.
  const TSearchOptions chosen = Options(asAt, ltAuction, soEndingSoonest, 500, 2000, true);
  const std::wstring typo = Address(L"Lego Technik", skOwnTypos, chosen);
  CHECK(typo.find(L"https://www.ebay.at/sch/i.html?_nkw=" +
                  EncodeQueryValue(BuildTypoQuery(L"Lego Technik").Query) + L"&") == 0);
  CHECK(typo.substr(typo.find(L"%29&")) ==
        L"%29&_sop=1&LH_Auction=1&_udlo=5&_udhi=20&LH_TitleDesc=1&_blrs=spell_auto_correct");
  CHECK(Address(L"Lego Technik", skPlain, chosen).find(L"_blrs") == std::wstring::npos);
  // Every reserved character of the plain search's term is encoded.
  CHECK(Address(L"C&A Größe #1+2%/?", skPlain, {}) ==
        de + L"C%26A+Gr%C3%B6%C3%9Fe+%231%2B2%25%2F%3F&_sop=1");
}

TEST_CASE("words kept with \"!\" and excluded with \"-\", in both searches") {
  const TTypoQuery duplo = BuildTypoQuery(L"Lego -Duplo");
  CHECK(duplo.Term == L"Lego");
  REQUIRE(!duplo.Variants.empty());
  CHECK(duplo.Query.size() <= kDefaultBudget);
  CHECK(duplo.Query.substr(duplo.Query.size() - 8) == L") -Duplo");
  for (const std::wstring &v : duplo.Variants) CHECK(v.find(L"Duplo") == std::wstring::npos);
  CHECK(duplo.Variants == BuildTypoQuery(L"Lego", kDefaultBudget - 7).Variants);

  // A kept word stands as typed in every variant and never gets its "!".
  const TTypoQuery kept = BuildTypoQuery(L"!Lego Technik -Duplo -Bausteine");
  REQUIRE(!kept.Variants.empty());
  for (const std::wstring &v : kept.Variants) CHECK(v.substr(0, 5) == L"Lego ");
  for (const std::wstring &v : BuildTypoQuery(L"Lego !Technik").Variants)
    CHECK(v.substr(v.size() - 8) == L" Technik");
  CHECK(kept.Query.find(L"!") == std::wstring::npos);
  CHECK(kept.Query.substr(kept.Query.size() - 19) == L") -Duplo -Bausteine");

  struct TCase {
    std::wstring Term, TypoQuery, PlainQuery;
  };
  const TCase cases[] = {
      {L"!Lego -Duplo", L"Lego -Duplo", L"Lego+-Duplo"},
      {L"-Duplo", L"-Duplo", L"-Duplo"},
      {L"ab (cd)", L"ab cd", L"ab+%28cd%29"},
      {L"x - ! 12", L"x - ! 12", L"x+-+%21+12"},
      {L"Lego\t!Technik\x01-Duplo", L"(", L"Lego+Technik+-Duplo"},
  };
  for (const TCase &c : cases) {
    CAPTURE(c.Term);
    CHECK(BuildTypoQuery(c.Term).Query.substr(0, c.TypoQuery.size()) == c.TypoQuery);
    CHECK(Address(c.Term, skPlain, {}) ==
          L"https://www.ebay.de/sch/i.html?_nkw=" + c.PlainQuery + L"&_sop=1");
  }
}

TEST_CASE("result pages: the next variants that fit, none twice, as many as there are") {
  for (const std::wstring term : {L"Lego Technik", L"Nähmaschine", L"!Märklin Lok -Spur"}) {
    CAPTURE(term);
    const std::vector<TTypoQuery> pages = BuildTypoPages(term, 3);
    REQUIRE(pages.size() == 3);
    CHECK(pages[0].Variants == BuildTypoQuery(term).Variants);
    std::set<std::wstring> seen;
    for (const TTypoQuery &p : pages) {
      CHECK(p.Query.size() <= kDefaultBudget);
      CHECK(p.Variants.size() > 3);
      for (const std::wstring &v : p.Variants) CHECK(seen.insert(v).second);
    }
  }
  // A short word runs out of slips: fewer pages, never an empty one.
  const std::vector<TTypoQuery> few = BuildTypoPages(L"Uhr", 3, 600);
  CHECK(few.size() < 3);
  CHECK(BuildTypoPages(L"12 ab", 3).size() == 1);

  // The word filter and the three-letter rule look at the misspelt word
  // alone, and a variant left out makes room for the next: here the two
  // best variants' misspelt words count as words.
  const std::vector<std::wstring> plain = BuildTypoQuery(L"Lego Technik").Variants;
  REQUIRE(plain.size() > 2);
  auto misspelt = [](const std::wstring &AVariant) {
    return AVariant.rfind(L"Lego ", 0) == 0 ? AVariant.substr(5)
                                            : AVariant.substr(0, AVariant.find(L' '));
  };
  const std::set<std::wstring> words = {misspelt(plain[0]), misspelt(plain[1])};
  std::set<std::wstring> asked;
  const TIsWord isWord = [&](std::wstring_view AWord) {
    asked.insert(std::wstring(AWord));
    return words.count(std::wstring(AWord)) == 1;
  };
  const TTypoQuery filtered = BuildTypoQuery(L"Lego Technik", kDefaultBudget, DefaultWeights(), isWord);
  for (const std::wstring &w : words) CHECK(asked.count(w) == 1);
  for (const std::wstring &w : asked) CHECK(w.find(L' ') == std::wstring::npos);
  for (const std::wstring &v : filtered.Variants) {
    CHECK(v != plain[0]);
    CHECK(v != plain[1]);
  }
  CHECK(filtered.Variants.size() >= plain.size() - 1);
  for (const std::wstring &v : BuildTypoQuery(L"Ufo").Variants) CHECK(v.size() >= 3);
}

TEST_CASE("bad input gives a valid address within the budget") {
  const TSearchOptions all = Options(asCh, ltBuyItNow, soBestMatch, 1, 2, true);
  const std::wstring terms[] = {std::wstring(10000, L'x'), std::wstring(5000, L'!') + L" -",
                                L"Lego " + std::wstring(9990, L'-'),
                                std::wstring(3000, L'\x01') + L"a b" + std::wstring(3000, L'('),
                                L"-" + std::wstring(400, L'y') + L" Lego"};
  for (const std::wstring &term : terms) {
    CAPTURE(term.substr(0, 20));
    for (TSearchKind kind : {skPlain, skOwnTypos}) {
      TSearchRequest request;
      request.Term = term;
      request.Kind = kind;
      request.Options = all;
      request.Options.ResultPages = 3;
      for (const std::wstring &address : SearchAddresses(request)) {
        const size_t from = address.find(L"_nkw=") + 5;
        const std::wstring query = address.substr(from, address.find(L'&', from) - from);
        CHECK(query.find_first_not_of(
                  L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.~+%") ==
              std::wstring::npos);
        // Encoded, each character of the budget takes at most nine units.
        CHECK(query.size() <= 9 * kDefaultBudget);
      }
    }
  }
}

TEST_CASE("prices: whole or decimal, comma or point, two decimals, up to 9,999,999") {
  struct TCase {
    const wchar_t *Text;
    bool Valid;
    std::optional<uint32_t> Cents;
  };
  const TCase cases[] = {
      {L"", true, {}},          {L"  ", true, {}},          {L"0", true, 0},
      {L"12", true, 1200},      {L" 12,5 ", true, 1250},    {L"12.05", true, 1205},
      {L"9999999", true, 999999900}, {L"9999999,99", true, 999999999},
      {L"10000000", false, {}}, {L"12,345", false, {}},     {L"12,", false, {}},
      {L",5", false, {}},       {L"1e9", false, {}},        {L"-5", false, {}},
      {L"1.000,00", false, {}}, {L"12 €", false, {}},       {L"0x10", false, {}},
  };
  for (const TCase &c : cases) {
    CAPTURE(std::wstring(c.Text));
    std::optional<uint32_t> cents = 77;
    CHECK(ParsePrice(c.Text, cents) == c.Valid);
    CHECK(cents == c.Cents);
  }
  std::optional<uint32_t> cents;
  CHECK_FALSE(ParsePrice(std::wstring(10000, L'9'), cents));
  CHECK(PriceText(1250) == L"12.50");
  CHECK(PriceText(1205) == L"12.05");
  CHECK(PriceText(700) == L"7");
}
