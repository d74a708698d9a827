// The word filter: the word file read whole or not at all, and the query
// leaving out variants that are words.
#include <windows.h>

#include <doctest.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "test_support.h"
#include "typo/typo_query.h"
#include "typo/word_list.h"

using namespace typo;

namespace {

void PutU32(std::string &AOut, uint32_t AValue) {
  for (int i = 0; i < 4; ++i)
    AOut += char((AValue >> (8 * i)) & 0xFF);
}

// The word file's bytes for the words (lower case, Latin-1), as the build's
// tool makes them.
std::string WordFileOf(const std::vector<std::string> &AWords) {
  std::string data, previous;
  size_t i = 0;
  for (const std::string &w : AWords) {
    size_t shared = 0;
    if (i++ % TWordList::kBlock)
      while (shared < std::min(w.size() - 1, previous.size()) && w[shared] == previous[shared])
        ++shared;
    data += char(shared);
    data += w.substr(shared);
    previous = w;
  }
  uint32_t hash = 2166136261u;
  for (char c : data)
    hash = (hash ^ uint8_t(c)) * 16777619u;
  std::string file(TWordList::kMagic, sizeof(TWordList::kMagic));
  PutU32(file, uint32_t(AWords.size()));
  PutU32(file, uint32_t(data.size()));
  PutU32(file, hash);
  return file + data;
}

// Words enough for several blocks, and those the tests look for.
std::vector<std::string> TestWords() {
  std::set<std::string> words{"ihr", "ohr", "uhu", "m\xE4hmaschine", "m\xFCnze", "regel", "egal"};
  for (char a : std::string("bdfgkl"))
    for (char b : std::string("aeiou\xE4"))
      for (char c : std::string("lmnrst"))
        words.insert(std::string{a, b, c, 'e'});
  return {words.begin(), words.end()};
}

std::vector<std::wstring> Words(const std::wstring &AText) {
  std::vector<std::wstring> words;
  for (size_t at = 0, end; at <= AText.size(); at = end + 1) {
    end = std::min(AText.find(L' ', at), AText.size());
    words.push_back(AText.substr(at, end - at));
  }
  return words;
}

// The word each variant misspells.
std::vector<std::wstring> Misspelt(const std::wstring &ATerm, const TTypoQuery &AQuery) {
  const std::vector<std::wstring> term = Words(ATerm);
  std::vector<std::wstring> words;
  for (const std::wstring &v : AQuery.Variants) {
    const std::vector<std::wstring> variant = Words(v);
    REQUIRE(variant.size() == term.size());
    for (size_t i = 0; i < term.size(); ++i)
      if (variant[i] != term[i]) words.push_back(variant[i]);
  }
  return words;
}

std::wstring Latin1(const std::string &AText) {
  std::wstring text;
  for (char c : AText)
    text += wchar_t(uint8_t(c));
  return text;
}

} // namespace

TEST_CASE("the word list: its words in any letter case and nothing else; a damaged file is none") {
  const std::vector<std::string> words = TestWords();
  const TWordList list = TWordList::FromBytes(WordFileOf(words));
  REQUIRE_FALSE(list.Empty());
  CHECK(list.Count() == words.size());
  for (const std::string &w : words) {
    CAPTURE(w);
    CHECK(list.Contains(Latin1(w)));
  }
  struct TCase {
    const wchar_t *Word;
    bool Contained;
  } cases[] = {{L"IHR", true},      {L"Ohr", true},     {L"MÄHMASCHINE", true},
               {L"Münze", true},    {L"Münzen", false}, {L"ih", false},
               {L"ihre", false},    {L"aaa", false},    {L"zzzz", false},
               {L"ihr ohr", false}, {L"", false},       {L"Uhu\u0301", false}};
  for (const TCase &c : cases) {
    CAPTURE(std::string(c.Word, c.Word + wcslen(c.Word)));
    CHECK(list.Contains(c.Word) == c.Contained);
  }

  // Read from a file, as the program does; anything damaged is no list.
  test::TTempDir dir;
  const std::string good = WordFileOf(words);
  test::WriteFileBytes(dir.File(L"gut.wortliste"), good);
  CHECK(TWordList::FromFile(dir.File(L"gut.wortliste")).Contains(L"Regel"));
  std::string flipped = good;
  flipped[good.size() / 2] ^= 0x20;
  const std::string damaged[] = {"", good.substr(0, TWordList::kHeaderSize),
                                 good.substr(0, good.size() - 1), good.substr(0, good.size() / 2),
                                 flipped, good + "x", std::string(5000, '\xFF'),
                                 "TFWL1\r\n\x1A" + std::string(12, '\0'),
                                 // out of order, or a word twice: the lookup would miss words
                                 WordFileOf({"b", "a"}), WordFileOf({"a", "b", "b"})};
  for (const std::string &bytes : damaged) {
    CAPTURE(bytes.size());
    test::WriteFileBytes(dir.File(L"kaputt.wortliste"), bytes);
    const TWordList none = TWordList::FromFile(dir.File(L"kaputt.wortliste"));
    CHECK(none.Empty());
    CHECK_FALSE(none.Contains(L"regel"));
  }
  CHECK(TWordList::FromFile(dir.File(L"fehlt.wortliste")).Empty());
  CHECK(TWordList::FromFile(dir.File(L"")).Empty());
  // Ten megabytes of one line are refused unread.
  test::WriteFileBytes(dir.File(L"gross.wortliste"), std::string(10u << 20, 'a'));
  const auto start = std::chrono::steady_clock::now();
  CHECK(TWordList::FromFile(dir.File(L"gross.wortliste")).Empty());
  CHECK(std::chrono::steady_clock::now() - start < std::chrono::seconds(1));
}

TEST_CASE("the filter: variants that are words are left out for the next ones, and short ones") {
  const TWordList list = TWordList::FromBytes(WordFileOf(TestWords()));
  std::vector<std::wstring> asked;
  const TIsWord isWord = [&](std::wstring_view AWord) {
    asked.emplace_back(AWord);
    return list.Contains(AWord);
  };
  for (const std::wstring term : {L"Uhr", L"Regal", L"Münzen", L"Nähmaschine", L"Lego Uhr"}) {
    CAPTURE(std::string(term.begin(), term.end()));
    asked.clear();
    const TTypoQuery plain = BuildTypoQuery(term),
                     filtered = BuildTypoQuery(term, kDefaultBudget, DefaultWeights(), isWord);
    // Only the misspelt word is looked up, never the term whole.
    for (const std::wstring &a : asked)
      CHECK(a.find(L' ') == std::wstring::npos);
    for (const std::wstring &w : Misspelt(term, filtered)) {
      CAPTURE(std::string(w.begin(), w.end()));
      CHECK_FALSE(list.Contains(w));
      CHECK_FALSE(KeepsWordAsTyped(w));
    }
    // The rest keep their order, and later ones take the room.
    std::vector<std::wstring> kept;
    for (const std::wstring &v : plain.Variants)
      if (std::find(filtered.Variants.begin(), filtered.Variants.end(), v) !=
          filtered.Variants.end())
        kept.push_back(v);
    CHECK(std::equal(kept.begin(), kept.end(), filtered.Variants.begin()));
    CHECK(filtered.Variants.size() >= plain.Variants.size() - 1);
  }
  // What «Uhr» and «Münzen» gave before: words of the list, and words of
  // one or two letters.
  const std::vector<std::wstring> uhr =
      BuildTypoQuery(L"Uhr", kDefaultBudget, DefaultWeights(), isWord).Variants;
  for (const wchar_t *gone : {L"Ihr", L"Ohr", L"Uhu", L"Ur", L"Uh", L"hr"})
    CHECK(std::find(uhr.begin(), uhr.end(), gone) == uhr.end());
  const std::vector<std::wstring> muenzen =
      BuildTypoQuery(L"Münzen", kDefaultBudget, DefaultWeights(), isWord).Variants;
  CHECK(std::find(muenzen.begin(), muenzen.end(), L"Münze") == muenzen.end());
  // An empty list filters nothing but the short words.
  CHECK(BuildTypoQuery(L"Uhr", kDefaultBudget, DefaultWeights(), [&](std::wstring_view w) {
          return TWordList().Contains(w);
        }).Variants == BuildTypoQuery(L"Uhr").Variants);
}

TEST_CASE("the build's German word file beside the program keeps real words out") {
  const std::wstring exe = test::ProgramPath();
  const TWordList list =
      TWordList::FromFile(exe.substr(0, exe.find_last_of(L'\\')) + L"\\Tastenfang.wortliste");
  REQUIRE_FALSE(list.Empty());
  CHECK(list.Count() > 300000);
  for (const wchar_t *word :
       {L"Ohr", L"ihr", L"Mähmaschine", L"traurig", L"Vorgang", L"Tablett", L"MÜNZE", L"Straße"})
    CHECK(list.Contains(word));
  for (const wchar_t *word : {L"Rasierre", L"Kinderwagn", L"Nähmaschiene", L"Tecknik"})
    CHECK_FALSE(list.Contains(word));
  const TIsWord isWord = [&](std::wstring_view w) { return list.Contains(w); };
  for (const std::wstring term : {L"Uhr", L"Regal", L"Tablet", L"Trauring", L"Vorhang", L"Münzen",
                                  L"Nähmaschine", L"Lego Technik"})
    for (const std::wstring &w :
         Misspelt(term, BuildTypoQuery(term, kDefaultBudget, DefaultWeights(), isWord))) {
      CAPTURE(std::string(w.begin(), w.end()));
      CHECK_FALSE(list.Contains(w));
    }
}
