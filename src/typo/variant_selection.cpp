#include "typo/variant_selection.h"

#include <unordered_map>

namespace typo {

namespace {
// A spelling kept in lower case, capitalised as the word is.
std::wstring LikeWord(std::wstring ASpelling, const std::wstring &AWord) {
  if (!ASpelling.empty() && !AWord.empty() && IsUpper(AWord[0]))
    ASpelling[0] = ToUpper(ASpelling[0]);
  return ASpelling;
}
} // namespace

TVariantSelection::TVariantSelection(std::wstring ATerm, size_t APages, size_t ABudget,
                                     const TTypoWeights &AWeights, TIsWord AIsWord,
                                     TVariantChoices AChoices)
    : FTerm(std::move(ATerm)), FPageCount(APages), FBudget(ABudget), FWeights(AWeights),
      FIsWord(std::move(AIsWord)), FChoices(std::move(AChoices)) {
  Refresh();
  const std::vector<std::wstring> words = VariedWords(FTerm);
  for (size_t w = 0; w < words.size(); ++w) {
    const TWordChoices *choices = FChoices.Find(words[w]);
    if (!choices) continue;
    for (const std::wstring &spelling : choices->Removed)
      FRows.push_back({MisspeltVariant(FTerm, w, LikeWord(spelling, words[w])),
                       {words[w], spelling, false},
                       false,
                       0});
  }
}

size_t TVariantSelection::TickedCount() const {
  size_t n = 0;
  for (const TRow &row : FRows) n += row.Ticked;
  return n;
}

void TVariantSelection::SetTicked(size_t ARow, bool ATicked) {
  TRow &row = FRows.at(ARow);
  if (row.Ticked == ATicked) return;
  const TMisspelling &m = row.Misspelling;
  if (ATicked) {
    FChoices.Restore(m.Word, m.Spelling);
    if (m.Own) FChoices.Add(m.Word, m.Spelling);
  } else {
    FChoices.Remove(m.Word, m.Spelling);
  }
  row.Ticked = ATicked;
  Refresh();
}

TOwnVariantFault TVariantSelection::AddOwn(const std::wstring &AText) {
  const TOwnVariant own = ReadOwnVariant(FTerm, AText, FBudget);
  if (own.Fault != ofNone) return own.Fault;
  const std::wstring word = VariedWords(FTerm)[own.Word];
  const std::wstring folded = FoldCase(MisspeltVariant(FTerm, own.Word, own.Spelling));
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FoldCase(FRows[i].Variant) == folded) {
      SetTicked(i, true);
      return ofNone;
    }
  FChoices.Add(word, own.Spelling);
  Refresh();
  return ofNone;
}

void TVariantSelection::Reset() {
  for (const std::wstring &word : VariedWords(FTerm)) FChoices.Forget(word);
  FRows.clear();
  Refresh();
}

// Rows keep their places: the ones searched get their page, unticked ones
// stay, ticked ones that no longer fit go; new own ones come first, the
// model's new ones last.
void TVariantSelection::Refresh() {
  FPages = BuildTypoPages(FTerm, FPageCount, FBudget, FWeights, FIsWord, &FChoices);
  std::unordered_map<std::wstring, size_t> planned; // folded variant: its place in the search
  std::vector<TRow> plan;
  for (size_t p = 0; p < FPages.size(); ++p)
    for (size_t v = 0; v < FPages[p].Variants.size(); ++v) {
      planned.emplace(FoldCase(FPages[p].Variants[v]), plan.size());
      plan.push_back({FPages[p].Variants[v], FPages[p].Misspellings[v], true, p + 1});
    }
  std::vector<bool> shown(plan.size(), false);
  std::vector<TRow> kept;
  for (TRow &row : FRows) {
    const auto found = planned.find(FoldCase(row.Variant));
    if (found != planned.end()) {
      shown[found->second] = true;
      kept.push_back(plan[found->second]);
    } else if (!row.Ticked) {
      row.Page = 0;
      kept.push_back(std::move(row));
    }
  }
  std::vector<TRow> rows;
  for (size_t i = 0; i < plan.size(); ++i)
    if (!shown[i] && plan[i].Misspelling.Own) rows.push_back(plan[i]);
  rows.insert(rows.end(), kept.begin(), kept.end());
  for (size_t i = 0; i < plan.size(); ++i)
    if (!shown[i] && !plan[i].Misspelling.Own) rows.push_back(plan[i]);
  FRows = std::move(rows);
}

} // namespace typo
