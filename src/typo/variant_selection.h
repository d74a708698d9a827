#pragma once
// The variants of one typo search as the user sees and shapes them: every
// variant the search will run, best first across its result pages, and the
// ones the user took out, unticked where they were. Ticking and adding
// change the choices and run the search's choice again, so the ticked rows
// are always exactly what will be searched.
#include <string>
#include <vector>

#include "typo/typo_query.h"

namespace typo {

class TVariantSelection {
public:
  struct TRow {
    std::wstring Variant;
    TMisspelling Misspelling;
    bool Ticked = true;
    size_t Page = 0; // from 1; 0 while unticked
  };

  // The rows start as the search would run with AChoices, then the
  // spellings AChoices took out of the term's words, unticked.
  TVariantSelection(std::wstring ATerm, size_t APages, size_t ABudget,
                    const TTypoWeights &AWeights, TIsWord AIsWord, TVariantChoices AChoices);

  const std::wstring &Term() const { return FTerm; }
  size_t Budget() const { return FBudget; }
  const std::vector<TRow> &Rows() const { return FRows; }
  // The pages the ticked rows make, as the search sends them.
  const std::vector<TTypoQuery> &Pages() const { return FPages; }
  size_t TickedCount() const;
  const TVariantChoices &Choices() const { return FChoices; }

  // Unticking takes the variant out and brings in the next that fits, at
  // the end; ticking puts it back, and whatever no longer fits drops off
  // the end.
  void SetTicked(size_t ARow, bool ATicked);
  // The user's misspelling goes first; one already in the list is ticked.
  // Anything but ofNone leaves everything as it was.
  TOwnVariantFault AddOwn(const std::wstring &AText);
  // Forgets the choices for the term's words: the model's variants again.
  void Reset();

private:
  void Refresh();

  std::wstring FTerm;
  size_t FPageCount, FBudget;
  const TTypoWeights &FWeights;
  TIsWord FIsWord;
  TVariantChoices FChoices;
  std::vector<TRow> FRows;
  std::vector<TTypoQuery> FPages;
};

} // namespace typo
