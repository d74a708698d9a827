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

// Fills the pages one after the other from one ranking. A variant too long
// for the room left on a page waits for the next one, where it comes before
// the rest, since it ranks above them.
class TPagePacker {
public:
  TPagePacker(const std::wstring &ATerm, size_t ABudget, const TTypoWeights &AWeights,
              const TIsWord &AIsWord)
      : FWords(ReadTerm(ATerm, true)), FTerm(FWords), FIsWord(AIsWord),
        FRoom(ABudget > FTerm.Excluded.size() ? ABudget - FTerm.Excluded.size() : 0),
        FBudget(ABudget), FRanking(FTerm, FRoom, AWeights), FSeen{FoldCase(FTerm.Text)} {}

  TTypoQuery NextPage(bool AFirst) {
    TTypoQuery page;
    page.Term = FTerm.Text;
    FLength = 2; // "(" and ")"
    std::vector<const TCandidate *> waiting;
    for (const TCandidate *c : FWaiting)
      if (!Take(*c, page.Variants)) waiting.push_back(c);
    // Once even the shortest variant cannot fit, nothing will.
    while (FRanking.Shortest() <= FRoom &&
           FLength + (page.Variants.empty() ? 0 : 1) + FRanking.Shortest() <= FRoom) {
      const TCandidate *c = FRanking.Next();
      if (!c) break;
      if (!Take(*c, page.Variants)) waiting.push_back(c);
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
  // spelt like the term or another variant, or whose misspelt word is too
  // short or a real word, is dropped for good.
  bool Take(const TCandidate &ACandidate, std::vector<std::wstring> &AVariants) {
    const size_t needed = (AVariants.empty() ? 0 : 1) + VariantLength(FTerm, ACandidate);
    if (FLength + needed > FRoom) return false;
    const std::wstring word = ACandidate.Edit.Apply(FTerm.Word(ACandidate.Word));
    if (KeepsWordAsTyped(word) || (FIsWord && FIsWord(word))) return true;
    std::wstring variant = Misspelt(FTerm, ACandidate);
    if (!FSeen.insert(FoldCase(variant)).second) return true;
    FLength += needed;
    AVariants.push_back(std::move(variant));
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
  std::vector<const TCandidate *> FWaiting;
};

} // namespace

std::vector<TTypoQuery> BuildTypoPages(const std::wstring &ATerm, size_t APages, size_t ABudget,
                                       const TTypoWeights &AWeights, const TIsWord &AIsWord) {
  TPagePacker packer(ATerm, ABudget, AWeights, AIsWord);
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
