// The typo model's ranking, the auction site's query and its address, and
// TypoVariants.exe on bad input.
#include <windows.h>

#include <doctest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>

#include "test_support.h"
#include "typo/search_address.h"
#include "typo/typo_query.h"

using namespace typo;

namespace {

bool Has(const std::vector<std::wstring> &AList, const std::wstring &AItem) {
  return std::find(AList.begin(), AList.end(), AItem) != AList.end();
}

// The query value back from the address: every %XX a byte, "+" a blank;
// empty when the address holds anything an address may not.
std::string DecodedQuery(const std::wstring &AAddress) {
  const std::wstring base = L"https://www.ebay.de/sch/i.html?_nkw=";
  if (AAddress.compare(0, base.size(), base) != 0) return {};
  std::string bytes;
  for (size_t i = base.size(); i < AAddress.size() && AAddress[i] != L'&'; ++i) {
    const wchar_t c = AAddress[i];
    if (c == L'%' && i + 2 < AAddress.size() && iswxdigit(AAddress[i + 1]) &&
        iswxdigit(AAddress[i + 2])) {
      bytes += char(std::stoi(std::wstring(AAddress, i + 1, 2), nullptr, 16));
      i += 2;
    } else if (c == L'+') {
      bytes += ' ';
    } else if (c < 128 && (iswalnum(c) || wcschr(L"-_.~", c))) {
      bytes += char(c);
    } else {
      return "<bad address>";
    }
  }
  return bytes;
}

bool ValidUtf16(const std::wstring &AText) {
  for (size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] >= 0xD800 && AText[i] <= 0xDBFF) {
      if (i + 1 >= AText.size() || AText[i + 1] < 0xDC00 || AText[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (AText[i] >= 0xDC00 && AText[i] <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

} // namespace

TEST_CASE("a word's variants: the likely slips, none twice, never the word itself") {
  for (const std::wstring word :
       {L"Technik", L"Größe", L"Gartenstühle", L"FUSSBALL", L"Schlüssel"}) {
    CAPTURE(word);
    const TTypoQuery q = BuildTypoQuery(word);
    REQUIRE(q.Variants.size() >= 10);
    std::set<std::wstring> seen{FoldCase(word)};
    for (const std::wstring &v : q.Variants) {
      CAPTURE(v);
      CHECK(seen.insert(FoldCase(v)).second);
      CHECK(v.find(L'\xFFFD') == std::wstring::npos);
    }
  }
  const std::vector<std::wstring> technik = BuildTypoQuery(L"Technik").Variants;
  CHECK(Has(technik, L"Tecnik"));  // a letter left out
  CHECK(Has(technik, L"Tehcnik")); // neighbours swapped
  // Umlauts and sharp s are letters: spelt out, and kept whole elsewhere.
  const std::vector<std::wstring> groesse = BuildTypoQuery(L"Größe").Variants;
  CHECK(Has(groesse, L"Groeße"));
  CHECK(Has(groesse, L"Grösse"));
  CHECK(Has(groesse, L"Gröe"));
  // The case of the word is kept: an upper-case word gets upper-case slips.
  for (const std::wstring &v : BuildTypoQuery(L"FUSSBALL").Variants)
    CHECK(v.find_first_of(L"abcdefghijklmnopqrstuvwxyzäöü") == std::wstring::npos);
}

TEST_CASE("the German keyboard: keys side by side, across rows, apart") {
  auto key = [](wchar_t AUnit) { return LetterIndex(AUnit); };
  struct TCase {
    wchar_t A, B;
    TKeyRelation Relation;
  } cases[] = {{L'q', L'w', krSameRow},  {L'z', L'u', krSameRow},  {L't', L'z', krSameRow},
               {L'y', L'x', krSameRow},  {L'ö', L'ä', krSameRow},  {L'l', L'ö', krSameRow},
               {L'p', L'ü', krSameRow},  {L'm', L'n', krSameRow},  {L'e', L'd', krDiagonal},
               {L'e', L's', krDiagonal}, {L'a', L'y', krDiagonal}, {L'm', L'k', krDiagonal},
               {L'ü', L'ä', krDiagonal}, {L'z', L'h', krDiagonal}, {L'q', L'p', krApart},
               {L'z', L'y', krApart},    {L'a', L'l', krApart},    {L'e', L'c', krApart}};
  for (const TCase &c : cases) {
    CAPTURE(int(c.A));
    CAPTURE(int(c.B));
    CHECK(KeyRelation(key(c.A), key(c.B)) == c.Relation);
    CHECK(KeyRelation(key(c.B), key(c.A)) == c.Relation);
    CHECK(KeysTouch(key(c.A), key(c.B)) == (c.Relation != krApart));
  }
}

TEST_CASE(
    "the ranking: best first, the key beside before a far one, sound-alikes in the word's case") {
  // Each variant's best score, in the order the query chose them.
  for (const std::wstring word : {L"Rasierer", L"Kinderwagen", L"Müller"}) {
    CAPTURE(std::string(word.begin(), word.end()));
    std::map<std::wstring, float> best;
    EnumerateEdits(word, DefaultWeights(), [&](TWordEdit &&AEdit) {
      float &score = best[FoldCase(AEdit.Apply(word))];
      score = std::max(score, AEdit.Score);
    });
    const std::vector<std::wstring> variants = BuildTypoQuery(word, 3000).Variants;
    REQUIRE(variants.size() > 100);
    for (size_t i = 1; i < variants.size(); ++i)
      CHECK(best[FoldCase(variants[i - 1])] >= best[FoldCase(variants[i])]);
  }
  // German typists hit the key beside in the same row far more often than
  // one across the keyboard; an umlaut is one key like any other.
  auto rank = [](const std::wstring &AWord, const std::wstring &AVariant) {
    const std::vector<std::wstring> v = BuildTypoQuery(AWord, 3000).Variants;
    return size_t(std::find(v.begin(), v.end(), AVariant) - v.begin());
  };
  struct TCase {
    const wchar_t *Word, *Beside, *Far;
  } cases[] = {{L"Rasierer", L"Rasoerer", L"Rasixrer"},
               {L"Kinderwagen", L"Kinderwahen", L"Kinderwapen"},
               {L"Müller", L"Mpller", L"Mxller"},
               {L"Größe", L"Grlße", L"Grqße"},
               {L"Kinderwagen", L"Kinderwaggen", L"Kinderwaqgen"},
               {L"Nähmaschine", L"Nöhmaschine", L"Nuhmaschine"}};
  for (const TCase &c : cases) {
    CAPTURE(std::string(c.Beside, c.Beside + wcslen(c.Beside)));
    CHECK(rank(c.Word, c.Beside) < rank(c.Word, c.Far));
  }
  // At the default budget a German word's variants hold every letter left
  // out but the first and the last (the slip German typists make most) and
  // far more keys beside in the row than far keys typed instead.
  for (const std::wstring word : {L"Kinderwagen", L"Rasierer", L"Teppich", L"Schuhe", L"Gitarre"}) {
    CAPTURE(std::string(word.begin(), word.end()));
    std::map<std::wstring, TWordEdit> best;
    EnumerateEdits(word, DefaultWeights(), [&](TWordEdit &&AEdit) {
      TWordEdit &e = best.try_emplace(AEdit.Apply(word), AEdit).first->second;
      if (AEdit.Score > e.Score) e = AEdit;
    });
    auto relation = [](const TWordEdit &AEdit) {
      const int pair = (AEdit.Feature - feature::kSubstitute) / 2;
      return KeyRelation(pair / kLetterCount, pair % kLetterCount);
    };
    std::set<std::wstring> omitted;
    for (const auto &[variant, e] : best)
      if (e.Kind == ekOmit && e.Place != epFirst && e.Place != epLast) omitted.insert(variant);
    size_t row = 0, apart = 0;
    for (const std::wstring &v : BuildTypoQuery(word).Variants) {
      const TWordEdit &e = best.at(v);
      omitted.erase(v);
      row += e.Kind == ekSubstitute && relation(e) == krSameRow;
      apart += e.Kind == ekSubstitute && relation(e) == krApart;
    }
    CHECK(omitted.empty());
    CHECK(row >= 2 * apart + 3);
  }
  // German words get the weights of German slips; English ones keep theirs.
  for (const wchar_t *german : {L"Kinderwagen", L"Rasierer", L"Technik", L"Teppich", L"Kamera"})
    CHECK(LooksGerman(german, DefaultWeights()));
  for (const wchar_t *english : {L"throughput", L"because", L"yesterday", L"keyboard"})
    CHECK_FALSE(LooksGerman(english, DefaultWeights()));
  const std::vector<std::wstring> apfel = BuildTypoQuery(L"Äpfelbaum", 3000).Variants;
  CHECK(Has(apfel, L"Aepfelbaum"));
  CHECK_FALSE(Has(apfel, L"AEpfelbaum"));
  const std::vector<std::wstring> strasse = BuildTypoQuery(L"STRAßE", 3000).Variants;
  CHECK(Has(strasse, L"STRASSE"));
  CHECK_FALSE(Has(strasse, L"STRAssE"));
  CHECK(Has(BuildTypoQuery(L"Straße", 3000).Variants, L"Strasse"));
  CHECK(Has(BuildTypoQuery(L"ÄRGER", 3000).Variants, L"AERGER"));
}

TEST_CASE("the query: the site's OR syntax within the budget, best variants first") {
  const TTypoQuery q = BuildTypoQuery(L"Lego Technik");
  REQUIRE(q.Variants.size() > 5);
  CHECK(q.Query.front() == L'(');
  CHECK(q.Query.back() == L')');
  CHECK(q.Query.find(L", ") == std::wstring::npos);
  CHECK(std::count(q.Query.begin(), q.Query.end(), L',') == std::ptrdiff_t(q.Variants.size() - 1));
  // Each variant misspells exactly one word and keeps the other as typed.
  for (const std::wstring &v : q.Variants) {
    CAPTURE(v);
    const size_t blank = v.find(L' ');
    REQUIRE(blank != std::wstring::npos);
    CHECK((v.substr(0, blank) == L"Lego") != (v.substr(blank + 1) == L"Technik"));
  }

  // A smaller budget takes fewer of the same variants in the same order.
  for (const std::wstring term : {L"Lego Technik", L"Gartenstühle", L"Nähmaschine Pfaff alt"}) {
    std::vector<std::wstring> wider;
    for (size_t budget : {1000, 600, 300, 150, 40}) {
      CAPTURE(budget);
      const TTypoQuery b = BuildTypoQuery(term, budget);
      CHECK(b.Query.size() <= budget);
      CHECK(b.Variants.size() <= wider.size() + (wider.empty() ? 1000 : 0));
      size_t at = 0;
      for (const std::wstring &v : b.Variants) {
        while (at < wider.size() && wider[at] != v)
          ++at;
        CHECK((wider.empty() || at < wider.size()));
      }
      wider = b.Variants;
    }
  }

  // Parentheses and commas in the term would end or split the group: the
  // query spells them as blanks.
  const TTypoQuery odd = BuildTypoQuery(L"(Lego, Technik)");
  CHECK(odd.Term == L"Lego Technik");
  CHECK(odd.Variants == q.Variants);
  // Short words and numbers stay as typed; with nothing to vary the query is
  // the term itself.
  CHECK(BuildTypoQuery(L"ab 12 4711").Query == L"ab 12 4711");
}

TEST_CASE("the address: the query percent-encoded from UTF-8, valid for any input") {
  CHECK(ToUtf8(L"\u00E4\U0001F600") == "\xC3\xA4\xF0\x9F\x98\x80");
  CHECK(ToUtf8(std::wstring{L'a', wchar_t(0xD800), L'b', wchar_t(0xDC00)}) == "a\xEF\xBF\xBD"
                                                                              "b\xEF\xBF\xBD");
  CHECK(FromUtf8("\xC3\xA4\xF0\x9F\x98\x80") == L"\u00E4\U0001F600");
  CHECK(FromUtf8("a\xC3(\xED\xA0\x80\xC0\xAF") == L"a\xFFFD(\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD");
  CHECK(EncodeQueryValue(L"C&A Größe #1+2%/?(,)") ==
        L"C%26A+Gr%C3%B6%C3%9Fe+%231%2B2%25%2F%3F%28%2C%29");

  struct TCase {
    std::wstring Term;
    bool Verbatim; // nothing to vary: the address holds the term itself
  };
  // A pair, then a lone low and a lone high surrogate.
  const std::wstring surrogates = std::wstring(L"Gr\xD83D\xDE00"
                                               L"\u00DFe ") +
                                  wchar_t(0xDC00) + L"abcd " + wchar_t(0xD800);
  const TCase cases[] = {{std::wstring(10000, L'x'), false},
                         {L"Lego " + std::wstring(9995, L'\u00FC'), false},
                         {L"0123456789", true},
                         {L"?#&%+!", true},
                         {L"Le\tgo\x01Tech\x1Fnik", false},
                         {surrogates, false},
                         {L"Schrank (Eiche, massiv)", false}};
  for (const TCase &c : cases) {
    CAPTURE(c.Term.substr(0, 40));
    const TTypoQuery q = BuildTypoQuery(c.Term);
    CHECK(q.Query.size() <= kDefaultBudget);
    CHECK(ValidUtf16(q.Query) == ValidUtf16(c.Term));
    for (const std::wstring &v : q.Variants)
      CHECK(v.find_first_of(L"(),\t\x01\x1F") == std::wstring::npos);
    const std::string decoded = DecodedQuery(AuctionSearchAddress(q.Query, {}, true));
    CHECK(decoded == ToUtf8(q.Query));
    if (c.Verbatim) CHECK(decoded == ToUtf8(c.Term));
  }
  // A surrogate pair is one letter: no variant splits it.
  for (const std::wstring &v : BuildTypoQuery(surrogates.substr(0, 6)).Variants)
    CHECK(ValidUtf16(v));
}

namespace {
// TypoVariants.exe's output lines for the input, each split at its tabs.
std::vector<std::vector<std::wstring>> RunTypoVariants(const std::wstring &AArgs,
                                                       const std::string &AInput,
                                                       DWORD AExitCode = 0) {
  test::TTempDir dir;
  const std::wstring input = dir.File(L"in.txt"), output = dir.File(L"out.txt");
  test::WriteFileBytes(input, AInput);
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE in = CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0,
                          nullptr);
  HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = out;
  const std::wstring exe =
      test::ProgramPath().substr(0, test::ProgramPath().rfind(L'\\')) + L"\\TypoVariants.exe";
  std::wstring command = L"\"" + exe + L"\" " + AArgs;
  PROCESS_INFORMATION pi{};
  REQUIRE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &si, &pi));
  CloseHandle(in);
  CloseHandle(out);
  CHECK(test::WaitExit(pi.hProcess, 30000) == AExitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);

  std::vector<std::vector<std::wstring>> lines;
  const std::wstring text = FromUtf8(test::ReadFileBytes(output));
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find(L'\n', at), text.size());
    std::vector<std::wstring> &fields = lines.emplace_back();
    for (size_t from = at;;) {
      const size_t tab = text.find(L'\t', from);
      fields.push_back(text.substr(from, std::min(tab, end) - from));
      if (tab >= end) break;
      from = tab + 1;
    }
    at = end + 1;
  }
  return lines;
}
} // namespace

TEST_CASE("TypoVariants.exe: one line per term and page, the budget and options as told") {
  // Unfiltered here, so that the model's own choice is compared; the word
  // file is checked below.
  const auto lines = RunTypoVariants(L"--budget 120 --no-filter", "Lego Technik\r\nGr\xC3\xB6\xC3\x9F"
                                                      "e\n\xFF\xFE"
                                                      "abc\n12345\n\n" +
                                                          std::string(10000, 'q') + "\n");
  REQUIRE(lines.size() == 6);
  for (size_t i = 0; i < lines.size(); ++i) {
    CAPTURE(i);
    const std::vector<std::wstring> &fields = lines[i];
    const TTypoQuery q = BuildTypoQuery(FromUtf8(ToUtf8(fields[0])), 120);
    CHECK(fields.size() == q.Variants.size() + 2);
    CHECK(fields.back() == AuctionSearchAddress(q.Query, {}, true));
    CHECK(q.Query.size() <= 120);
  }
  CHECK(lines[0][0] == L"Lego Technik");
  CHECK(lines[2][0].substr(0, 2) == L"\xFFFD\xFFFD");

  // Two pages, each with its own variants and address, on the Swiss site.
  const auto pages =
      RunTypoVariants(L"--pages 2 --site ch --type bin --order new --from 9,90 --no-filter",
                      "Lego Technik\n");
  REQUIRE(pages.size() == 2);
  TSearchOptions options;
  options.Site = asCh;
  options.ListingType = ltBuyItNow;
  options.Order = soNewlyListed;
  options.PriceFrom = 990;
  const std::vector<TTypoQuery> expected = BuildTypoPages(L"Lego Technik", 2);
  for (size_t p = 0; p < 2; ++p) {
    CHECK(pages[p].back() == AuctionSearchAddress(expected[p].Query, options, true));
    CHECK(std::vector<std::wstring>(pages[p].begin() + 1, pages[p].end() - 1) ==
          expected[p].Variants);
  }
  CHECK(RunTypoVariants(L"--plain --site at", "!Lego -Duplo\n")[0].back() ==
        L"https://www.ebay.at/sch/i.html?_nkw=Lego+-Duplo&_sop=1");
  // By default the word file beside it keeps words out, as in the program;
  // a file that cannot be read means no filter.
  // (Standard error shares the output: the term's line is the one that
  // starts with it.)
  const auto uhr = [](const wchar_t *AArguments) {
    for (const auto &fields : RunTypoVariants(AArguments, "Uhr\n"))
      if (fields.front() == L"Uhr") return std::count(fields.begin(), fields.end(), L"Ihr");
    FAIL("no line for the term");
    return std::ptrdiff_t(-1);
  };
  CHECK(uhr(L"") == 0);
  CHECK(uhr(L"--no-filter") == 1);
  CHECK(uhr(L"--words Z:\\nowhere\\none.wortliste") == 1);
  // Told a settings file, the user's remembered choices apply as in the
  // program: the own spelling first, the one taken out gone.
  test::TTempDir dir;
  const std::wstring settings = dir.File(L"Tastenfang.ini");
  const std::wstring out = BuildTypoQuery(L"Lego Technik").Misspellings[0].Spelling;
  test::WriteFileBytes(settings, "[Varianten]\r\n0=technik,+Tehcnik,-" +
                                     ToUtf8(FoldCase(out)) + "\r\n");
  const auto chosen = RunTypoVariants(L"--no-filter --settings \"" + settings + L"\"",
                                      "Lego Technik\n");
  REQUIRE(chosen.size() == 1);
  CHECK(chosen[0][1] == L"Lego Tehcnik");
  CHECK(std::count(chosen[0].begin(), chosen[0].end(), L"Lego " + out) == 0);
  CHECK(RunTypoVariants(L"--settings Z:\\nowhere\\none.ini", "x\n", 2)[0][0].find(L"settings") !=
        std::wstring::npos);
  // An option it does not know is refused with its usage, not guessed.
  for (const wchar_t *bad : {L"--pages 4", L"--site fr", L"--from 1e9", L"--order"})
    CHECK(RunTypoVariants(bad, "x\n", 2)[0][0].find(L"usage:") == 0);
}
