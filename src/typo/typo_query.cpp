#include "typo/typo_query.h"

#include <algorithm>
#include <unordered_set>

namespace typo {

namespace {

bool IsHighSurrogate(wchar_t AUnit) {
  return AUnit >= 0xD800 && AUnit <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t AUnit) {
  return AUnit >= 0xDC00 && AUnit <= 0xDFFF;
}

// Inside "(a,b)" these are the site's syntax; in a word they would split
// or close the group, so the query spells them as blanks.
bool BreaksQuery(wchar_t AUnit) {
  return AUnit == L'(' || AUnit == L')' || AUnit == L',' || AUnit < L' ' || AUnit == 0x7F;
}

std::wstring QueryTerm(const std::wstring &ATerm) {
  std::wstring term;
  for (wchar_t c : ATerm) {
    if (BreaksQuery(c)) c = L' ';
    if (c == L' ' && (term.empty() || term.back() == L' ')) continue;
    term += c;
  }
  if (!term.empty() && term.back() == L' ') term.pop_back();
  return term;
}

// The term cut to the budget: at a blank where one lies in the second half,
// never between the halves of a surrogate pair.
std::wstring CutToBudget(const std::wstring &ATerm, size_t ABudget) {
  if (ATerm.size() <= ABudget) return ATerm;
  size_t cut = ABudget;
  size_t blank = ATerm.rfind(L' ', ABudget);
  if (blank != std::wstring::npos && blank >= ABudget / 2)
    cut = blank;
  else if (cut > 0 && IsHighSurrogate(ATerm[cut - 1]) && IsLowSurrogate(ATerm[cut]))
    --cut;
  return ATerm.substr(0, cut);
}

struct TWordSpan {
  size_t At, Length;
};

// The words of a term whose blanks are single, as places in it.
std::vector<TWordSpan> SplitWords(const std::wstring &ATerm) {
  std::vector<TWordSpan> words;
  for (size_t at = 0; at < ATerm.size();) {
    size_t end = ATerm.find(L' ', at);
    if (end == std::wstring::npos) end = ATerm.size();
    words.push_back({at, end - at});
    at = end + 1;
  }
  return words;
}

struct TCandidate {
  TWordEdit Edit;
  uint32_t Word, Order;
};

// Every slip of every word, as far as it fits the budget alone.
std::vector<TCandidate> CollectCandidates(const std::wstring &ATerm,
                                          const std::vector<TWordSpan> &AWords, size_t ABudget,
                                          const TTypoWeights &AWeights) {
  std::vector<TCandidate> candidates;
  // About 61 slips per letter, and a few sound-alikes.
  candidates.reserve(ATerm.size() * 64 + 64);
  for (size_t w = 0; w < AWords.size(); ++w) {
    const std::wstring word = ATerm.substr(AWords[w].At, AWords[w].Length);
    EnumerateEdits(word, AWeights, [&](TWordEdit &&AEdit) {
      // Only those that fit alone in the parentheses can ever be chosen.
      if (ATerm.size() - AEdit.Remove + AEdit.InsertLength + 2 <= ABudget)
        candidates.push_back({AEdit, uint32_t(w), uint32_t(candidates.size())});
    });
  }
  return candidates;
}

// The term with one candidate's slip in its word.
std::wstring Misspelt(const std::wstring &ATerm, const TWordSpan &ASpan, const TWordEdit &AEdit,
                      size_t ALength) {
  std::wstring variant;
  variant.reserve(ALength);
  variant.append(ATerm, 0, ASpan.At + AEdit.At)
      .append(AEdit.Inserted())
      .append(ATerm, ASpan.At + AEdit.At + AEdit.Remove);
  return variant;
}

// A misspelt word of fewer than three letters matches far too much, and a
// real word finds offers of something else.
bool LeftOut(const std::wstring &ATerm, const TWordSpan &ASpan, const TWordEdit &AEdit,
             const TIsWord &AIsWord) {
  const std::wstring word = AEdit.Apply(ATerm.substr(ASpan.At, ASpan.Length));
  return KeepsWordAsTyped(word) || (AIsWord && AIsWord(word));
}

// The best variants, each spelt differently from the term and the others,
// as many as fit the budget together with the parentheses and commas.
std::vector<std::wstring> ChooseVariants(const std::wstring &ATerm,
                                         const std::vector<TWordSpan> &AWords,
                                         std::vector<TCandidate> &ACandidates, size_t ABudget,
                                         const TIsWord &AIsWord) {
  // Best first; among equals the order they were made in, so that the
  // choice is the same whatever the sort.
  auto better = [](const TCandidate &A, const TCandidate &B) {
    return A.Edit.Score != B.Edit.Score ? A.Edit.Score > B.Edit.Score : A.Order < B.Order;
  };
  std::vector<std::wstring> variants;
  std::unordered_set<std::wstring> seen{FoldCase(ATerm)};
  size_t length = 1; // "(" now, ")" at the end
  // Each variant takes at least the term less two units and a comma, so
  // only the best few can be chosen: those are sorted, in growing slices,
  // so that the cost stays linear in the number of candidates.
  const size_t fits = ABudget / (ATerm.size() > 2 ? ATerm.size() - 1 : 1) + 1;
  for (size_t begin = 0, slice = 2 * fits; begin < ACandidates.size(); slice *= 2) {
    const size_t end = std::min(ACandidates.size(), begin + slice);
    std::nth_element(ACandidates.begin() + std::ptrdiff_t(begin),
                     ACandidates.begin() + std::ptrdiff_t(end - 1), ACandidates.end(), better);
    std::sort(ACandidates.begin() + std::ptrdiff_t(begin),
              ACandidates.begin() + std::ptrdiff_t(end), better);
    for (; begin < end; ++begin) {
      const TCandidate &c = ACandidates[begin];
      // No variant is shorter than the term less two units ("chs" ->
      // "x"): once even that cannot fit, nothing will.
      const size_t comma = variants.empty() ? 0 : 1;
      if (length + comma + ATerm.size() - std::min<size_t>(ATerm.size(), 2) + 1 > ABudget)
        return variants;
      const size_t variantLength = ATerm.size() - c.Edit.Remove + c.Edit.InsertLength;
      const size_t needed = comma + variantLength + 1;
      if (length + needed > ABudget || LeftOut(ATerm, AWords[c.Word], c.Edit, AIsWord)) continue;
      std::wstring variant = Misspelt(ATerm, AWords[c.Word], c.Edit, variantLength);
      if (!seen.insert(FoldCase(variant)).second) continue;
      length += needed - 1;
      variants.push_back(std::move(variant));
    }
  }
  return variants;
}

// "(a,b,c)": the site finds any of them.
std::wstring GroupOf(const std::vector<std::wstring> &AVariants) {
  std::wstring group = L"(";
  for (size_t i = 0; i < AVariants.size(); ++i) {
    if (i) group += L',';
    group += AVariants[i];
  }
  return group + L')';
}

} // namespace

TTypoQuery BuildTypoQuery(const std::wstring &ATerm, size_t ABudget, const TTypoWeights &AWeights,
                          const TIsWord &AIsWord) {
  TTypoQuery result;
  result.Term = QueryTerm(ATerm);
  const std::wstring &term = result.Term;
  // Some variant may fit only when the term does, give or take two units.
  if (!term.empty() && term.size() <= ABudget) {
    const std::vector<TWordSpan> words = SplitWords(term);
    std::vector<TCandidate> candidates = CollectCandidates(term, words, ABudget, AWeights);
    result.Variants = ChooseVariants(term, words, candidates, ABudget, AIsWord);
  }
  result.Query =
      result.Variants.empty() ? CutToBudget(ATerm, ABudget) : GroupOf(result.Variants);
  return result;
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

std::wstring EncodeQueryValue(const std::wstring &AText) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::wstring encoded;
  for (unsigned char b : ToUtf8(AText)) {
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
        b == '_' || b == '.' || b == '~') {
      encoded += wchar_t(b);
    } else if (b == ' ') {
      encoded += L'+';
    } else {
      encoded += L'%';
      encoded += wchar_t(kHex[b >> 4]);
      encoded += wchar_t(kHex[b & 15]);
    }
  }
  return encoded;
}

std::wstring AuctionSearchAddress(const TTypoQuery &AQuery) {
  return kAuctionSearchUrl + EncodeQueryValue(AQuery.Query);
}

} // namespace typo
