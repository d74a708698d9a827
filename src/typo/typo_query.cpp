#include "typo/typo_query.h"

#include <algorithm>
#include <unordered_set>

#include "typo/search_term.h"

namespace typo {

namespace {

// The term as the variants see it: the included words joined, with the
// places of the words to vary, and the excluded words that follow the group.
struct TVariedTerm {
  struct TSpan {
    size_t At, Length;
  };
  std::wstring Text;
  std::vector<TSpan> Varied;
  std::wstring Excluded;

  explicit TVariedTerm(const std::vector<TTermWord> &AWords) : Excluded(ExcludedWords(AWords)) {
    for (const TTermWord &w : AWords) {
      if (w.Mark == wmExclude) continue;
      if (!Text.empty()) Text += L' ';
      if (w.Mark == wmVary) Varied.push_back({Text.size(), w.Text.size()});
      Text += w.Text;
    }
  }
  std::wstring Word(size_t AIndex) const {
    return Text.substr(Varied[AIndex].At, Varied[AIndex].Length);
  }
  // The term with its AIndex-th word to vary spelt otherwise, and its length.
  size_t LengthWith(size_t AIndex, size_t ASpellingLength) const {
    return Text.size() - Varied[AIndex].Length + ASpellingLength;
  }
  std::wstring With(size_t AIndex, const std::wstring &ASpelling) const {
    const TSpan &span = Varied.at(AIndex);
    return Text.substr(0, span.At) + ASpelling + Text.substr(span.At + span.Length);
  }
  // What the group may take of the budget: the excluded words follow it.
  size_t Room(size_t ABudget) const {
    return ABudget > Excluded.size() ? ABudget - Excluded.size() : 0;
  }
};

struct TCandidate {
  TWordEdit Edit;
  uint32_t Word, Order;
};

// The one measure of a variant: the term with one slip in one word.
size_t VariantLength(const TVariedTerm &ATerm, const TCandidate &ACandidate) {
  return ATerm.Text.size() - ACandidate.Edit.Remove + ACandidate.Edit.InsertLength;
}

std::wstring Misspelt(const TVariedTerm &ATerm, const TCandidate &ACandidate) {
  const size_t at = ATerm.Varied[ACandidate.Word].At + ACandidate.Edit.At;
  std::wstring variant;
  variant.reserve(VariantLength(ATerm, ACandidate));
  variant.append(ATerm.Text, 0, at)
      .append(ACandidate.Edit.Inserted())
      .append(ATerm.Text, at + ACandidate.Edit.Remove);
  return variant;
}

// Every slip of every word to vary that fits the room alone, ranked once:
// best first, among equals in the order they were made, so that the choice
// is the same whatever the sort. Only the best few are ever taken, so they
// are sorted in growing slices, keeping the cost linear in their number.
class TRanking {
public:
  TRanking(const TVariedTerm &ATerm, size_t ARoom, const TTypoWeights &AWeights) {
    FCandidates.reserve(ATerm.Text.size() * 64 + 64); // about 61 slips per letter
    for (size_t w = 0; w < ATerm.Varied.size(); ++w) {
      // A slip removes at most UINT8_MAX units: a word whose slips cannot
      // make the term fit is not worth varying.
      const size_t least = ATerm.Text.size() - std::min<size_t>(ATerm.Varied[w].Length, UINT8_MAX);
      if (least + 2 > ARoom) continue;
      EnumerateEdits(ATerm.Word(w), AWeights, [&](TWordEdit &&AEdit) {
        TCandidate c{AEdit, uint32_t(w), uint32_t(FCandidates.size())};
        const size_t length = VariantLength(ATerm, c);
        if (length + 2 > ARoom) return;
        FShortest = std::min(FShortest, length);
        FCandidates.push_back(c);
      });
    }
    FSlice = 2 * (ARoom / std::max<size_t>(ATerm.Text.size(), 1) + 1);
  }
  // The length of the shortest variant there is.
  size_t Shortest() const { return FShortest; }
  // The next best, or none when all were taken.
  const TCandidate *Next() {
    if (FNext == FCandidates.size()) return nullptr;
    if (FNext == FSorted) SortNextSlice();
    return &FCandidates[FNext++];
  }

private:
  void SortNextSlice() {
    auto better = [](const TCandidate &A, const TCandidate &B) {
      return A.Edit.Score != B.Edit.Score ? A.Edit.Score > B.Edit.Score : A.Order < B.Order;
    };
    const auto begin = FCandidates.begin() + std::ptrdiff_t(FSorted);
    FSorted = std::min(FCandidates.size(), FSorted + FSlice);
    const auto end = FCandidates.begin() + std::ptrdiff_t(FSorted);
    std::nth_element(begin, end - 1, FCandidates.end(), better);
    std::sort(begin, end, better);
    FSlice *= 2;
  }
  std::vector<TCandidate> FCandidates;
  size_t FShortest = SIZE_MAX, FSorted = 0, FNext = 0, FSlice = 1;
};

// A misspelling of the user's own: one word of the term spelt as given.
struct TOwnCandidate {
  uint32_t Word;
  std::wstring Spelling;
};

// A variant to place: the model's or the user's.
struct TEntry {
  const TCandidate *Model;
  const TOwnCandidate *Own;
};

// Fills the pages one after the other: the user's own misspellings first,
// then the model's from one ranking. A variant too long for the room left
// on a page waits for the next one, where it comes before the rest, since
// it ranks above them.
class TPagePacker {
public:
  TPagePacker(const std::wstring &ATerm, size_t ABudget, const TTypoWeights &AWeights,
              const TIsWord &AIsWord, const TVariantChoices *AChoices)
      : FWords(ReadTerm(ATerm, true)), FTerm(FWords), FIsWord(AIsWord),
        FRoom(FTerm.Room(ABudget)),
        FBudget(ABudget), FRanking(FTerm, FRoom, AWeights), FSeen{FoldCase(FTerm.Text)} {
    FChoices.resize(FTerm.Varied.size());
    for (size_t w = 0; AChoices && w < FTerm.Varied.size(); ++w) {
      FChoices[w] = AChoices->Find(FTerm.Word(w));
      if (!FChoices[w]) continue;
      for (const std::wstring &spelling : FChoices[w]->Added)
        if (FTerm.LengthWith(w, spelling.size()) + 2 <= FRoom)
          FOwn.push_back({uint32_t(w), spelling});
    }
    for (const TOwnCandidate &own : FOwn) FWaiting.push_back({nullptr, &own});
  }

  TTypoQuery NextPage(bool AFirst) {
    TTypoQuery page;
    page.Term = FTerm.Text;
    FLength = 2; // "(" and ")"
    std::vector<TEntry> waiting;
    for (const TEntry &e : FWaiting)
      if (!Take(e, page)) waiting.push_back(e);
    // Once even the shortest variant cannot fit, nothing will.
    while (FRanking.Shortest() <= FRoom &&
           FLength + (page.Variants.empty() ? 0 : 1) + FRanking.Shortest() <= FRoom) {
      const TCandidate *c = FRanking.Next();
      if (!c) break;
      if (!Take({c, nullptr}, page)) waiting.push_back({c, nullptr});
    }
    FWaiting = std::move(waiting);
    if (!page.Variants.empty())
      page.Query = GroupOf(page.Variants) + FTerm.Excluded;
    else if (AFirst)
      page.Query = CutToBudget(SiteWords(FWords), FBudget);
    return page;
  }

private:
  // False when the variant does not fit the page; one that fits but is
  // spelt like the term or another variant is dropped for good, and so is
  // a model's whose misspelt word is too short, a real word or taken out.
  bool Take(const TEntry &AEntry, TTypoQuery &APage) {
    const uint32_t w = AEntry.Own ? AEntry.Own->Word : AEntry.Model->Word;
    const size_t length = AEntry.Own ? FTerm.LengthWith(w, AEntry.Own->Spelling.size())
                                     : VariantLength(FTerm, *AEntry.Model);
    const size_t needed = (APage.Variants.empty() ? 0 : 1) + length;
    if (FLength + needed > FRoom) return false;
    const std::wstring word = FTerm.Word(w);
    std::wstring spelling;
    std::wstring variant;
    if (AEntry.Own) {
      spelling = AEntry.Own->Spelling;
      variant = FTerm.With(w, spelling);
    } else {
      spelling = AEntry.Model->Edit.Apply(word);
      if (KeepsWordAsTyped(spelling) || (FIsWord && FIsWord(spelling))) return true;
      if (FChoices[w] && FChoices[w]->IsRemoved(spelling)) return true;
      variant = Misspelt(FTerm, *AEntry.Model);
    }
    if (!FSeen.insert(FoldCase(variant)).second) return true;
    FLength += needed;
    APage.Variants.push_back(std::move(variant));
    APage.Misspellings.push_back({word, std::move(spelling), AEntry.Own != nullptr});
    return true;
  }

  // "(a,b,c)": the site finds any of them.
  static std::wstring GroupOf(const std::vector<std::wstring> &AVariants) {
    std::wstring group = L"(";
    for (size_t i = 0; i < AVariants.size(); ++i) {
      if (i) group += L',';
      group += AVariants[i];
    }
    return group + L')';
  }

  std::vector<TTermWord> FWords;
  TVariedTerm FTerm;
  const TIsWord &FIsWord;
  size_t FRoom, FBudget, FLength = 0;
  TRanking FRanking;
  std::unordered_set<std::wstring> FSeen;
  std::vector<const TWordChoices *> FChoices; // per word to vary
  std::vector<TOwnCandidate> FOwn;
  std::vector<TEntry> FWaiting;
};

// The edits between two spellings, a swap of neighbours counting one.
size_t EditDistance(const std::wstring &A, const std::wstring &B) {
  std::vector<std::vector<size_t>> d(A.size() + 1, std::vector<size_t>(B.size() + 1));
  for (size_t i = 0; i <= A.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= B.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= A.size(); ++i)
    for (size_t j = 1; j <= B.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                          d[i - 1][j - 1] + (A[i - 1] == B[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && A[i - 1] == B[j - 2] && A[i - 2] == B[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[A.size()][B.size()];
}

} // namespace

std::vector<TTypoQuery> BuildTypoPages(const std::wstring &ATerm, size_t APages, size_t ABudget,
                                       const TTypoWeights &AWeights, const TIsWord &AIsWord,
                                       const TVariantChoices *AChoices) {
  TPagePacker packer(ATerm, ABudget, AWeights, AIsWord, AChoices);
  std::vector<TTypoQuery> pages{packer.NextPage(true)};
  while (pages.size() < APages && !pages.back().Variants.empty()) {
    TTypoQuery next = packer.NextPage(false);
    if (next.Variants.empty()) break;
    pages.push_back(std::move(next));
  }
  return pages;
}

TTypoQuery BuildTypoQuery(const std::wstring &ATerm, size_t ABudget, const TTypoWeights &AWeights,
                          const TIsWord &AIsWord) {
  return BuildTypoPages(ATerm, 1, ABudget, AWeights, AIsWord).front();
}

std::vector<std::wstring> VariedWords(const std::wstring &ATerm) {
  const TVariedTerm term(ReadTerm(ATerm, true));
  std::vector<std::wstring> words;
  for (size_t w = 0; w < term.Varied.size(); ++w) words.push_back(term.Word(w));
  return words;
}

std::wstring MisspeltVariant(const std::wstring &ATerm, size_t AWord,
                            const std::wstring &ASpelling) {
  return TVariedTerm(ReadTerm(ATerm, true)).With(AWord, ASpelling);
}

namespace {
TOwnVariant Faulty(TOwnVariantFault AFault) { return {AFault, 0, {}}; }
} // namespace

TOwnVariant ReadOwnVariant(const std::wstring &ATerm, const std::wstring &AText, size_t ABudget) {
  TOwnVariant own;
  if (std::any_of(AText.begin(), AText.end(), BreaksSpelling)) return Faulty(ofBadCharacter);
  const std::vector<TTermWord> typed = ReadTerm(AText, false);
  if (typed.empty()) return Faulty(ofEmpty);
  const std::vector<TTermWord> words = ReadTerm(ATerm, true);
  const TVariedTerm term(words);
  if (term.Varied.empty()) return Faulty(ofNoWordToVary);
  const size_t room = term.Room(ABudget);
  if (typed.size() == 1) {
    // A spelling, not a word marked to keep or exclude.
    if (typed[0].Mark != wmVary) return Faulty(ofOtherWords);
    // Nothing that long fits; the distances below stay small.
    if (typed[0].Text.size() + 2 > room) return Faulty(ofTooLong);
    // The closest word; among equals the first.
    size_t best = SIZE_MAX;
    for (size_t w = 0; w < term.Varied.size(); ++w) {
      if (term.Varied[w].Length + 2 > room) continue;
      const size_t d = EditDistance(FoldCase(typed[0].Text), FoldCase(term.Word(w)));
      if (d < best) best = d, own.Word = w;
    }
    if (best == SIZE_MAX) return Faulty(ofTooLong);
    if (best == 0) return Faulty(ofSameAsWord);
    own.Spelling = typed[0].Text;
  } else {
    // The words the site must find, one word to vary spelt otherwise.
    size_t i = 0, w = 0, differing = 0;
    for (const TTermWord &word : words) {
      if (word.Mark == wmExclude) continue;
      if (i == typed.size() || typed[i].Mark == wmExclude) return Faulty(ofOtherWords);
      if (FoldCase(typed[i].Text) != FoldCase(word.Text)) {
        if (word.Mark != wmVary) return Faulty(ofOtherWords);
        ++differing;
        own.Word = w;
        own.Spelling = typed[i].Text;
      }
      ++i;
      if (word.Mark == wmVary) ++w;
    }
    if (i != typed.size() || differing > 1) return Faulty(ofOtherWords);
    if (differing == 0) return Faulty(ofSameAsWord);
  }
  if (term.LengthWith(own.Word, own.Spelling.size()) + 2 > room)
    return Faulty(ofTooLong);
  return own;
}

std::string ToUtf8(const std::wstring &AText) {
  std::string bytes;
  bytes.reserve(AText.size());
  for (size_t i = 0; i < AText.size(); ++i) {
    char32_t c = AText[i];
    if (IsHighSurrogate(AText[i]) && i + 1 < AText.size() && IsLowSurrogate(AText[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(AText[i + 1]) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      bytes += char(c);
    } else if (c < 0x800) {
      bytes += char(0xC0 | (c >> 6));
      bytes += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      bytes += char(0xE0 | (c >> 12));
      bytes += char(0x80 | ((c >> 6) & 0x3F));
      bytes += char(0x80 | (c & 0x3F));
    } else {
      bytes += char(0xF0 | (c >> 18));
      bytes += char(0x80 | ((c >> 12) & 0x3F));
      bytes += char(0x80 | ((c >> 6) & 0x3F));
      bytes += char(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

std::wstring FromUtf8(const std::string &ABytes) {
  std::wstring text;
  text.reserve(ABytes.size());
  for (size_t i = 0; i < ABytes.size();) {
    const unsigned char b = static_cast<unsigned char>(ABytes[i]);
    const size_t length = b < 0x80                ? 1
                          : b >= 0xC2 && b < 0xE0 ? 2
                          : b >= 0xE0 && b < 0xF0 ? 3
                          : b >= 0xF0 && b < 0xF5 ? 4
                                                  : 0;
    char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
    bool valid = length > 0 && i + length <= ABytes.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(ABytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past the last code point.
    valid = valid && !(length == 3 && c < 0x800) &&
            !(length == 4 && (c < 0x10000 || c > 0x10FFFF)) && !(c >= 0xD800 && c <= 0xDFFF);
    if (!valid) {
      text += wchar_t(0xFFFD);
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      text += wchar_t(0xD800 + ((c - 0x10000) >> 10));
      text += wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += wchar_t(c);
    }
    i += length;
  }
  return text;
}

} // namespace typo
