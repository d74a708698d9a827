// The user's choices about the variants: what they do to the search, how
// the variants window's list follows them, the own misspellings it refuses
// and the lines the settings file keeps them in.
#include <doctest.h>

#include <algorithm>
#include <set>

#include "typo/search_address.h"
#include "typo/variant_selection.h"

using namespace typo;

namespace {

std::vector<std::wstring> AllVariants(const std::vector<TTypoQuery> &APages) {
  std::vector<std::wstring> all;
  for (const TTypoQuery &p : APages) all.insert(all.end(), p.Variants.begin(), p.Variants.end());
  return all;
}

// What the window shows must be what the search sends: the ticked rows are
// exactly the pages' variants, each page within the budget.
void CheckListIsSearch(const TVariantSelection &ASelection) {
  std::multiset<std::wstring> ticked, unticked;
  for (const auto &row : ASelection.Rows()) {
    (row.Ticked ? ticked : unticked).insert(row.Variant);
    // The page it goes to, none while unticked.
    CHECK((row.Page >= 1) == row.Ticked);
  }
  const std::vector<std::wstring> searched = AllVariants(ASelection.Pages());
  CHECK(ticked == std::multiset<std::wstring>(searched.begin(), searched.end()));
  for (const std::wstring &v : searched) CHECK(unticked.count(v) == 0);
  for (const TTypoQuery &page : ASelection.Pages()) CHECK(page.Query.size() <= ASelection.Budget());
}

size_t RowOf(const TVariantSelection &ASelection, const std::wstring &AVariant) {
  const auto &rows = ASelection.Rows();
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].Variant == AVariant) return i;
  FAIL("no row " << AVariant);
  return 0;
}

} // namespace

TEST_CASE("remembered choices shape every search of the word: out, own first, any case") {
  const std::vector<TTypoQuery> plain = BuildTypoPages(L"Lego Technik", 2);
  const TMisspelling &first = plain[0].Misspellings[0], &second = plain[0].Misspellings[1];
  REQUIRE(first.Word == L"Technik");
  REQUIRE(plain[0].Variants[0] == L"Lego " + first.Spelling);

  TVariantChoices choices;
  choices.Remove(L"TECHNIK", first.Spelling);
  choices.Add(L"technik", L"Tehcnik");
  choices.Add(L"lego", L"Lgeo");
  for (const std::wstring &term : {std::wstring(L"Lego Technik"), std::wstring(L"lego technik")}) {
    CAPTURE(term);
    const std::vector<TTypoQuery> pages = BuildTypoPages(term, 2, kDefaultBudget, DefaultWeights(),
                                                         {}, &choices);
    const std::vector<std::wstring> all = AllVariants(pages);
    // Own ones lead, in the term's order of words; the one taken out is gone.
    REQUIRE(all.size() >= 3);
    CHECK(FoldCase(all[0]) == L"lgeo technik");
    CHECK(FoldCase(all[1]) == L"lego tehcnik");
    CHECK(pages[0].Misspellings[0].Own);
    CHECK_FALSE(pages[0].Misspellings[2].Own);
    for (const std::wstring &v : all) CHECK(FoldCase(v) != FoldCase(plain[0].Variants[0]));
    CHECK(std::count_if(all.begin(), all.end(), [&](const std::wstring &V) {
            return FoldCase(V) == FoldCase(L"Lego " + second.Spelling);
          }) == 1);
  }
  // The word's choices apply in other terms too, and so do they through
  // the request; kept words are not varied, so their choices do not apply.
  const std::vector<TTypoQuery> other =
      BuildTypoPages(L"Technik Kran", 1, kDefaultBudget, DefaultWeights(), {}, &choices);
  CHECK(other[0].Variants[0] == L"Tehcnik Kran");
  TSearchRequest request;
  request.Term = L"!Lego Technik";
  request.Choices = &choices;
  const std::wstring address = SearchAddresses(request).front();
  CHECK(address.find(L"_nkw=%28Lego+Tehcnik%2C") != std::wstring::npos);
  CHECK(address.find(L"Lgeo") == std::wstring::npos);
}

TEST_CASE("the variants window's list: untick refills at the end, own ones first, budget kept") {
  // A small budget, so that every change moves variants in or out.
  const size_t budget = 60;
  TVariantSelection s(L"Lego Technik", 2, budget, DefaultWeights(), {}, {});
  CheckListIsSearch(s);
  const std::vector<std::wstring> start = AllVariants(s.Pages());
  REQUIRE(s.Pages().size() == 2);
  REQUIRE(s.Rows().size() == start.size());

  enum TStep { Untick, Tick, Own, Reset };
  struct TCase {
    TStep Step;
    std::wstring Variant; // the row, or the own misspelling typed
    const char *Expect;
  };
  const std::wstring a = start[0], b = start[2];
  const TCase steps[] = {
      {Untick, a, "the row stays, unticked, in its place; the next variant comes in last"},
      {Untick, b, "the same for a second one"},
      {Own, L"Tehcnik", "the own one comes first; the last ones drop off"},
      {Tick, a, "ticked again, it is searched again; the last ones drop off"},
      {Untick, L"Lego Tehcnik", "an own one unticked stays in the list, unticked"},
      {Tick, L"Lego Tehcnik", "and comes back when ticked"},
      {Reset, L"", "the model's variants again, nothing remembered"},
  };
  for (const TCase &step : steps) {
    CAPTURE(step.Expect);
    const std::vector<TVariantSelection::TRow> before = s.Rows();
    switch (step.Step) {
    case Untick:
    case Tick: {
      const size_t row = RowOf(s, step.Variant);
      s.SetTicked(row, step.Step == Tick);
      CHECK(s.Rows()[row].Variant == step.Variant);
      CHECK(s.Rows()[row].Ticked == (step.Step == Tick));
      if (step.Step == Untick) {
        // Every row before stays; new ones come only at the end.
        for (size_t i = 0; i < before.size() && before[i].Ticked; ++i)
          if (i != row) CHECK(s.Rows()[i].Variant == before[i].Variant);
        CHECK(s.Rows().size() > before.size());
        CHECK(s.Rows().back().Ticked);
      }
      break;
    }
    case Own:
      REQUIRE(s.AddOwn(step.Variant) == ofNone);
      CHECK(s.Rows().front().Variant == L"Lego " + step.Variant);
      CHECK(s.Rows().front().Misspelling.Own);
      CHECK(s.Pages().front().Variants.front() == L"Lego " + step.Variant);
      // It took room: what no longer fits is gone from the end.
      CHECK(s.TickedCount() <= std::count_if(before.begin(), before.end(),
                                             [](const auto &R) { return R.Ticked; }) + 1);
      break;
    case Reset:
      s.Reset();
      CHECK(AllVariants(s.Pages()) == start);
      CHECK(s.Choices().WordCount() == 0);
      break;
    }
    CheckListIsSearch(s);
  }

  // A window opened later shows the remembered ones out, unticked, after
  // what is searched, and brings them back when ticked.
  TVariantChoices remembered;
  remembered.Remove(L"technik", FoldCase(a.substr(5)));
  TVariantSelection later(L"Lego Technik", 1, budget, DefaultWeights(), {}, remembered);
  CheckListIsSearch(later);
  CHECK(later.Rows().back().Variant == a);
  CHECK_FALSE(later.Rows().back().Ticked);
  later.SetTicked(later.Rows().size() - 1, true);
  CHECK(later.Pages().front().Variants.front() == a);
  CHECK(later.Choices().WordCount() == 0);
  CheckListIsSearch(later);
}

TEST_CASE("own misspellings: which word they misspell, and the ones refused") {
  struct TCase {
    const wchar_t *Term, *Typed;
    TOwnVariantFault Fault;
    size_t Word;
    const wchar_t *Spelling;
  };
  const TCase cases[] = {
      {L"Lego Technik", L"Tehcnik", ofNone, 1, L"Tehcnik"},
      {L"Lego Technik", L" Lgeo ", ofNone, 0, L"Lgeo"},
      {L"Lego Technik", L"lego Tecknik", ofNone, 1, L"Tecknik"},
      {L"!Lego Technik -Duplo", L"Lego Tecknik", ofNone, 0, L"Tecknik"},
      {L"Lego Technik", L"", ofEmpty, 0, L""},
      {L"Lego Technik", L"   ", ofEmpty, 0, L""},
      {L"Lego Technik", L"TECHNIK", ofSameAsWord, 0, L""},
      {L"Lego Technik", L"lego technik", ofSameAsWord, 0, L""},
      {L"Lego Technik", L"Tech(nik", ofBadCharacter, 0, L""},
      {L"Lego Technik", L"Tech)nik", ofBadCharacter, 0, L""},
      {L"Lego Technik", L"Tech,nik", ofBadCharacter, 0, L""},
      {L"Lego Technik", L"Tech\tnik", ofBadCharacter, 0, L""},
      {L"Lego Technik", L"Tech\x85nik", ofBadCharacter, 0, L""},
      {L"Lego Technik", L"Lego Tecknik Kran", ofOtherWords, 0, L""},
      {L"Lego Technik", L"Lgeo Tecknik", ofOtherWords, 0, L""},
      {L"!Lego Technik", L"Lgeo Technik", ofOtherWords, 0, L""},
      {L"Lego Technik", L"-Tecknik", ofOtherWords, 0, L""},
      {L"!Lego", L"Lgeo", ofNoWordToVary, 0, L""},
  };
  for (const TCase &c : cases) {
    CAPTURE(std::wstring(c.Term) + L" / " + c.Typed);
    const TOwnVariant own = ReadOwnVariant(c.Term, c.Typed);
    CHECK(own.Fault == c.Fault);
    if (c.Fault != ofNone) continue;
    CHECK(own.Word == c.Word);
    CHECK(own.Spelling == c.Spelling);
  }
  // Longer than the budget can hold, with the group's brackets and the
  // excluded words: refused; one shorter fits.
  const std::wstring term = L"Technik -Duplo";
  CHECK(ReadOwnVariant(term, std::wstring(20, L'x'), 28).Fault == ofTooLong);
  CHECK(ReadOwnVariant(term, std::wstring(20, L'x'), 29).Fault == ofNone);
  // Words of any length, typed or in the term, are measured without
  // holding their square in memory.
  CHECK(ReadOwnVariant(std::wstring(100000, L'a'), std::wstring(100000, L'b')).Fault == ofTooLong);
  CHECK(ReadOwnVariant(std::wstring(100000, L'a') + L" Technik", L"Tehcnik").Fault == ofTooLong);
  // A refused one leaves the list as it was; one already there is ticked.
  TVariantSelection s(L"Lego Technik", 1, 80, DefaultWeights(), {}, {});
  const auto rows = s.Rows();
  CHECK(s.AddOwn(L"Tech,nik") == ofBadCharacter);
  CHECK(s.Rows().size() == rows.size());
  s.SetTicked(0, false);
  CHECK(s.AddOwn(rows[0].Variant) == ofNone);
  CHECK(s.Rows()[0].Ticked);
  CHECK(s.Choices().WordCount() == 0);
}

TEST_CASE("the choices' lines: kept as written, garbage skipped, thousands load") {
  TVariantChoices c;
  c.Add(L"Technik", L"Tehcnik");
  c.Add(L"Technik", L"Tecknik");
  c.Remove(L"technik", L"Tecnik");
  c.Remove(L"Größe", L"Gröse");
  const std::vector<std::wstring> lines = c.Lines();
  CHECK(lines == std::vector<std::wstring>{L"größe,-gröse", L"technik,+Tecknik,+Tehcnik,-tecnik"});
  CHECK(TVariantChoices::FromLines(lines) == c);

  // Garbage: no word, no comma, no mark, empty spellings, syntax and
  // control characters, the word itself; the good entries of a line stay.
  const TVariantChoices garbage = TVariantChoices::FromLines(
      {L"", L",", L"technik", L",+x", L"a b,+c", L"uhr,x,+,-,+(u),+U\x01hr,+UHR,-uhr,+Urh",
       L"lego,,,+Lgeo,,", std::wstring(L"\xFFFD\xFFFD,-\xFFFD")});
  CHECK(garbage.Lines() ==
        std::vector<std::wstring>{L"lego,+Lgeo", L"uhr,+Urh", L"\xFFFD\xFFFD,-\xFFFD"});

  // A word's lines are read when it is first asked for, in any case, and
  // joined; a word forgotten before that does not come back from them.
  TVariantChoices stored = TVariantChoices::FromLines({L"Uhr,+Urh", L"lego,+Lgeo", L"uhr,-ihr"});
  REQUIRE(stored.Find(L"UHR"));
  CHECK(stored.Find(L"uhr")->Added == std::vector<std::wstring>{L"Urh"});
  CHECK(stored.Find(L"uhr")->IsRemoved(L"Ihr"));
  stored.Forget(L"lego");
  stored.Forget(L"uhr");
  CHECK(stored.Lines().empty());

  // 10,000 words, and 10,000 spellings for one word (the same twice).
  std::vector<std::wstring> many;
  for (int i = 0; i < 10000; ++i)
    many.push_back(L"wort" + std::to_wstring(i) + L",-w" + std::to_wstring(i));
  std::wstring one = L"technik";
  for (int i = 0; i < 10000; ++i)
    one += L",+T" + std::to_wstring(i % 5000) + L",-t" + std::to_wstring(i);
  many.push_back(one);
  const TVariantChoices loaded = TVariantChoices::FromLines(many);
  CHECK(loaded.WordCount() == 10001);
  REQUIRE(loaded.Find(L"Technik"));
  CHECK(loaded.Find(L"Technik")->Added.size() == 5000);
  CHECK(loaded.Find(L"Technik")->Removed.size() == 10000);
  // The search takes as many own ones as fit, and still stays in the budget.
  const TTypoQuery q =
      BuildTypoPages(L"Technik", 1, kDefaultBudget, DefaultWeights(), {}, &loaded)[0];
  CHECK(q.Query.size() <= kDefaultBudget);
  CHECK(q.Variants.front() == L"T0");
  CHECK(std::all_of(q.Misspellings.begin(), q.Misspellings.end(),
                    [](const TMisspelling &M) { return M.Own; }));
}
