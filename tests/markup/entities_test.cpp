// Entities: the one-pass replacement against the definition it must meet
// (sweeps of first occurrences until nothing changes), and the entities
// replaced per chunk.
#include <doctest.h>

#include <random>

#include "base/exception.h"
#include "markup/markup_entities.h"
#include "markup/markup_helpers.h"

namespace {
// The definition, as slow as it reads.
std::wstring Swept(std::wstring AText) {
  for (bool replaced = true; replaced;) {
    replaced = false;
    for (const TMarkupEntity &e : MarkupEntities)
      replaced = ReplaceFirstText(e.Entity, e.Replacement, AText) || replaced;
  }
  return AText;
}
} // namespace

TEST_CASE("ReplaceEntities reaches what the sweeps reach, on random entity soup") {
  // Pieces that make entities, parts of them, near misses and letters in
  // other cases, including ones some platforms upper-case to ASCII.
  const std::vector<std::wstring> pieces = {
      L"&",     L"&amp;", L"amp;",   L"AMP;",   L"aMp;",   L"&AMP;", L"&quot;", L"quot;",
      L"sect;", L"&sect", L"permil;", L"reg;",  L"copy;",  L"para;", L"trade;", L"euro;",
      L"&lt;",  L"nbsp;", L";",      L"a",      L"x",      L" ",     L"&&",     L"\u017Fect;",
      L"\u0131", L"p\u0131ra;", L"\u00E4", L"<b>",    L"&euro", L"EURO;", L"&#",    L"m"};
  std::mt19937 random(1234);
  for (int i = 0; i < 4000; ++i) {
    std::wstring text;
    const int n = int(random() % 24);
    for (int k = 0; k < n; ++k) text += pieces[random() % pieces.size()];
    const std::wstring expected = Swept(text);
    INFO("text: ", WideToUtf8(text));
    REQUIRE(ReplaceEntities(text) == expected);
  }
}

TEST_CASE("ReplaceEntities: chains of ampersands and every entity of the table") {
  CHECK(ReplaceEntities(L"") == L"");
  CHECK(ReplaceEntities(L"no entity & here") == L"no entity & here");
  CHECK(ReplaceEntities(L"&amp;") == L"&&");
  CHECK(ReplaceEntities(L"&amp;amp;") == L"&&&");
  CHECK(ReplaceEntities(L"&AmP;amp;AMP;") == L"&&&&");
  CHECK(ReplaceEntities(L"&amp;quot;") == L"&\"");
  CHECK(ReplaceEntities(L"&amp;lt;") == L"&&lt;"); // "&lt;" waits for its chunk
  CHECK(ReplaceEntities(L"&quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;") ==
        L"\"\u00A7\u2030\u00AE\u00A9\u00B6\u2122\u20AC");
  CHECK(ReplaceEntities(L"&EURO;&Euro") == L"\u20AC&Euro");
}

TEST_CASE("ReplaceEntities is linear: a megabyte of nested entities in one pass") {
  std::wstring text;
  while (text.size() < 1000000) text += L"&amp;amp;amp;amp; &AMP;lt; ";
  const std::wstring result = ReplaceEntities(text);
  // Each group becomes five ampersands, each "&AMP;lt;" "&&lt;".
  CHECK(result.substr(0, 15) == L"&&&&& &&lt; &&&");
  CHECK(result.size() < text.size());
}

TEST_CASE("chunk entities: &nbsp; &lt; &gt; in lower case only, and whether any was found") {
  bool replaced = true;
  const std::wstring plain = L"Wort ";
  CHECK(ReplaceChunkEntities(plain.data(), plain.size(), replaced) == L"Wort ");
  CHECK(!replaced);
  const std::wstring tagged = L"&lt;b&gt;&nbsp;";
  CHECK(ReplaceChunkEntities(tagged.data(), tagged.size(), replaced) == L"<b> ");
  CHECK(replaced);
  const std::wstring upper = L"&LT;&Nbsp;&gt";
  CHECK(ReplaceChunkEntities(upper.data(), upper.size(), replaced) == upper);
  CHECK(!replaced);
  // A long run is one pass too.
  std::wstring run;
  for (int i = 0; i < 200000; ++i) run += L"&lt;";
  CHECK(ReplaceChunkEntities(run.data(), run.size(), replaced) == std::wstring(200000, L'<'));
}
