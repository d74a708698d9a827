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

} // namespace

TTypoQuery BuildTypoQuery(const std::wstring &ATerm, size_t ABudget, const TTypoWeights &AWeights) {
  TTypoQuery result;
  result.Term = QueryTerm(ATerm);
  const std::wstring &term = result.Term;
  // Some variant may fit only when the term does, give or take two units.
  if (!term.empty() && term.size() <= ABudget) {
    std::vector<TWordSpan> words;
    for (size_t at = 0; at < term.size();) {
      size_t end = term.find(L' ', at);
      if (end == std::wstring::npos) end = term.size();
      words.push_back({at, end - at});
      at = end + 1;
    }
    struct TCandidate {
      TWordEdit Edit;
      size_t Word;
    };
    std::vector<TCandidate> candidates;
    for (size_t w = 0; w < words.size(); ++w) {
      const std::wstring word = term.substr(words[w].At, words[w].Length);
      EnumerateEdits(word, AWeights, [&](TWordEdit &&AEdit) {
        candidates.push_back({std::move(AEdit), w});
      });
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const TCandidate &A, const TCandidate &B) { return A.Edit.Score > B.Edit.Score; });

    std::unordered_set<std::wstring> seen{FoldCase(term)};
    size_t length = 1; // "(" now, ")" at the end
    for (const TCandidate &c : candidates) {
      // No variant is shorter than the term less two units ("chs" -> "x"):
      // once even that cannot fit, nothing will.
      const size_t comma = result.Variants.empty() ? 0 : 1;
      if (length + comma + term.size() - std::min<size_t>(term.size(), 2) + 1 > ABudget) break;
      const TWordSpan span = words[c.Word];
      const size_t variantLength = term.size() - c.Edit.Remove + c.Edit.Insert.size();
      const size_t needed = comma + variantLength + 1;
      if (length + needed > ABudget) continue;
      std::wstring variant;
      variant.reserve(variantLength);
      variant.append(term, 0, span.At + c.Edit.At)
          .append(c.Edit.Insert)
          .append(term, span.At + c.Edit.At + c.Edit.Remove);
      if (!seen.insert(FoldCase(variant)).second) continue;
      length += needed - 1;
      result.Variants.push_back(std::move(variant));
    }
  }
  if (result.Variants.empty()) {
    result.Query = CutToBudget(ATerm, ABudget);
  } else {
    result.Query = L"(";
    for (size_t i = 0; i < result.Variants.size(); ++i) {
      if (i) result.Query += L',';
      result.Query += result.Variants[i];
    }
    result.Query += L')';
  }
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
