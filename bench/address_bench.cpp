// The cost of building the search addresses: the plain search, the typo
// search with one and three result pages, all options set.
//   address_bench [ROUNDS]
#include <cstdio>
#include <cwchar>
#include <string>

#include "bench_support.h"
#include "typo/search_address.h"

namespace {

struct TTerm {
  const char *Name;
  std::wstring Text;
};

// Median microseconds of one request, over rounds of ARepeats each.
double MicrosPerRequest(const typo::TSearchRequest &ARequest, int ARounds, int ARepeats) {
  std::vector<double> times;
  size_t sink = 0;
  for (int r = 0; r < ARounds; ++r) {
    const double start = bench::Now();
    for (int i = 0; i < ARepeats; ++i)
      for (const std::wstring &a : typo::SearchAddresses(ARequest)) sink += a.size();
    times.push_back((bench::Now() - start) * 1000.0 / ARepeats);
  }
  return sink ? bench::Median(times) : 0;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  std::wstring words;
  while (words.size() < 290) words += L"Modellbahn ";
  const TTerm terms[] = {
      {"one word", L"Nähmaschine"},
      {"two words", L"Lego Technik"},
      {"kept and excluded", L"!Märklin Lokomotive Dampf -Spur -Ersatzteile"},
      {"290 characters", words},
      {"10,000 characters", std::wstring(10000, L'x')},
  };
  typo::TSearchRequest request;
  request.Options.Site = typo::asAt;
  request.Options.ListingType = typo::ltAuction;
  request.Options.PriceFrom = 500;
  request.Options.PriceTo = 150000;
  request.Options.InDescriptions = true;
  std::printf("microseconds per search (median of %d rounds), all options set\n", rounds);
  std::printf("%-20s %10s %10s %10s\n", "term", "plain", "1 page", "3 pages");
  for (const TTerm &t : terms) {
    request.Term = t.Text;
    const int repeats = t.Text.size() > 1000 ? 20 : 200;
    request.Kind = typo::skPlain;
    const double plain = MicrosPerRequest(request, rounds, repeats);
    request.Kind = typo::skOwnTypos;
    request.Options.ResultPages = 1;
    const double one = MicrosPerRequest(request, rounds, repeats);
    request.Options.ResultPages = 3;
    const double three = MicrosPerRequest(request, rounds, repeats);
    std::printf("%-20s %10.1f %10.1f %10.1f\n", t.Name, plain, one, three);
  }
  return 0;
}
