// TypoVariants [--budget N] [--pages N] [--site de|at|ch]
//   [--type all|auction|bin] [--order ending|best|new|price]
//   [--from PRICE] [--to PRICE] [--descriptions] [--plain]
//   [--words FILE | --no-filter] [--settings FILE]
// For each line of standard input (UTF-8, one term per line) one line per
// result page on standard output: the term, the variants of that page and
// its address, separated by tabs. --plain gives the plain search's address
// after the term instead. German words are left out of the variants as in
// the program, by the word file beside this tool unless told another
// (--words) or none (--no-filter). With --settings, the user's choices about
// the words' variants in that settings file apply as in the program.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <iostream>
#include <string>

#include "base/files.h"
#include "settings/kal_ini_file.h"
#include "typo/search_address.h"
#include "typo/word_list.h"

namespace {

using typo::TSearchRequest;

struct TArguments {
  TSearchRequest Request;
  std::wstring Words = ExtractFilePath(ProgramFileName()) + typo::kWordFileName;
  std::wstring Settings;
};

// One of the names, as its number in the list; -1 for none.
int Choice(const wchar_t *AValue, std::initializer_list<const wchar_t *> ANames) {
  int i = 0;
  for (const wchar_t *name : ANames) {
    if (std::wcscmp(AValue, name) == 0) return i;
    ++i;
  }
  return -1;
}

bool Count(const wchar_t *AValue, size_t &ACount) {
  wchar_t *end = nullptr;
  ACount = std::wcstoul(AValue, &end, 10);
  return end && *end == 0 && end != AValue;
}

// An option with its value; false when either is unknown.
bool Option(const wchar_t *AName, const wchar_t *AValue, TSearchRequest &ARequest) {
  typo::TSearchOptions &o = ARequest.Options;
  int n = -1;
  if (std::wcscmp(AName, L"--budget") == 0) return Count(AValue, ARequest.Budget);
  if (std::wcscmp(AName, L"--pages") == 0)
    return Count(AValue, o.ResultPages) && o.ResultPages >= 1 &&
           o.ResultPages <= typo::kMaxResultPages;
  if (std::wcscmp(AName, L"--from") == 0) return typo::ParsePrice(AValue, o.PriceFrom);
  if (std::wcscmp(AName, L"--to") == 0) return typo::ParsePrice(AValue, o.PriceTo);
  if (std::wcscmp(AName, L"--site") == 0 && (n = Choice(AValue, {L"de", L"at", L"ch"})) >= 0)
    o.Site = typo::TAuctionSite(n);
  else if (std::wcscmp(AName, L"--type") == 0 &&
           (n = Choice(AValue, {L"all", L"auction", L"bin"})) >= 0)
    o.ListingType = typo::TListingType(n);
  else if (std::wcscmp(AName, L"--order") == 0 &&
           (n = Choice(AValue, {L"ending", L"best", L"new", L"price"})) >= 0)
    o.Order = typo::TSortOrder(n);
  return n >= 0;
}

bool ReadArguments(int argc, wchar_t **argv, TArguments &AArguments) {
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--descriptions") == 0)
      AArguments.Request.Options.InDescriptions = true;
    else if (std::wcscmp(argv[i], L"--plain") == 0)
      AArguments.Request.Kind = typo::skPlain;
    else if (std::wcscmp(argv[i], L"--no-filter") == 0)
      AArguments.Words.clear();
    else if (i + 1 < argc && std::wcscmp(argv[i], L"--words") == 0)
      AArguments.Words = argv[++i];
    else if (i + 1 < argc && std::wcscmp(argv[i], L"--settings") == 0)
      AArguments.Settings = argv[++i];
    else if (i + 1 >= argc || !Option(argv[i], argv[i + 1], AArguments.Request))
      return false;
    else
      ++i;
  }
  return true;
}

void WriteLine(std::wstring ALine) {
  const std::string bytes = typo::ToUtf8(ALine + L'\n');
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void PrintSearch(const std::wstring &ATerm, TSearchRequest ARequest, const typo::TIsWord &AIsWord) {
  // Control characters would break the columns; the query has none.
  std::wstring shown = ATerm;
  for (wchar_t &c : shown)
    if (c < L' ') c = L' ';
  ARequest.Term = ATerm;
  if (ARequest.Kind == typo::skPlain)
    return WriteLine(shown + L'\t' + typo::SearchAddresses(ARequest).front());
  for (const typo::TTypoQuery &page :
       typo::BuildTypoPages(ATerm, ARequest.Options.ResultPages, ARequest.Budget,
                            typo::DefaultWeights(), AIsWord, ARequest.Choices)) {
    std::wstring out = shown;
    for (const std::wstring &v : page.Variants) out += L'\t' + v;
    WriteLine(out + L'\t' + typo::AuctionSearchAddress(page.Query, ARequest.Options, true));
  }
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  TArguments arguments;
  if (!ReadArguments(argc, argv, arguments)) {
    std::fputs("usage: TypoVariants [--budget N] [--pages 1-3] [--site de|at|ch]\n"
               "  [--type all|auction|bin] [--order ending|best|new|price]\n"
               "  [--from PRICE] [--to PRICE] [--descriptions] [--plain]\n"
               "  [--words FILE | --no-filter] [--settings FILE] < terms.txt\n",
               stderr);
    return 2;
  }
  const typo::TWordList words =
      arguments.Words.empty() ? typo::TWordList() : typo::TWordList::FromFile(arguments.Words);
  if (!arguments.Words.empty() && words.Empty())
    std::fputs("TypoVariants: the word file is missing or damaged; variants unfiltered\n", stderr);
  const typo::TIsWord isWord = typo::WordFilter(words);
  typo::TVariantChoices choices;
  if (!arguments.Settings.empty()) {
    if (!FileExists(arguments.Settings)) {
      std::fputs("TypoVariants: the settings file is missing\n", stderr);
      return 2;
    }
    // The platform reads a name without a folder from the Windows folder.
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(arguments.Settings.c_str(), MAX_PATH, full, nullptr);
    TkalIniFile ini(full);
    choices = typo::TVariantChoices::FromLines(ini.ReadSectionValues(typo::kVariantChoicesSection));
    arguments.Request.Choices = &choices;
  }
  // Bytes in and out as they are: the terms are UTF-8 both ways.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    PrintSearch(typo::FromUtf8(line), arguments.Request, isWord);
  }
  return 0;
}
