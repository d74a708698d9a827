// TypoVariants [--budget N]: for each line of standard input (UTF-8, one
// term per line) one line on standard output: the term, the variants
// chosen and the auction site's address, separated by tabs.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <iostream>
#include <string>

#include "typo/typo_query.h"

int wmain(int argc, wchar_t **argv) {
  size_t budget = typo::kDefaultBudget;
  for (int i = 1; i < argc; ++i) {
    wchar_t *end = nullptr;
    if (std::wcscmp(argv[i], L"--budget") == 0 && i + 1 < argc &&
        (budget = std::wcstoul(argv[i + 1], &end, 10), end && *end == 0 && end != argv[i + 1])) {
      ++i;
      continue;
    }
    std::fputs("usage: TypoVariants [--budget N] < terms.txt\n", stderr);
    return 2;
  }
  // Bytes in and out as they are: the terms are UTF-8 both ways.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::wstring term = typo::FromUtf8(line);
    const typo::TTypoQuery query = typo::BuildTypoQuery(term, budget);
    // Control characters would break the columns; the query has none.
    std::wstring shown = term;
    for (wchar_t &c : shown)
      if (c < L' ') c = L' ';
    std::wstring out = shown;
    for (const std::wstring &v : query.Variants)
      out += L'\t' + v;
    out += L'\t' + typo::AuctionSearchAddress(query) + L'\n';
    const std::string bytes = typo::ToUtf8(out);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  }
  return 0;
}
