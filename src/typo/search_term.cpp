#include "typo/search_term.h"

namespace typo {

namespace {

bool SeparatesWords(wchar_t AUnit, bool ABreakGroup) {
  if (AUnit <= L' ' || AUnit == 0x7F) return true;
  return ABreakGroup && (AUnit == L'(' || AUnit == L')' || AUnit == L',');
}

TTermWord MarkedWord(const std::wstring &AText) {
  if (AText.size() > 1 && AText[0] == L'!') return {AText.substr(1), wmKeep};
  if (AText.size() > 1 && AText[0] == L'-') return {AText.substr(1), wmExclude};
  return {AText, wmVary};
}

} // namespace

std::vector<TTermWord> ReadTerm(const std::wstring &ATerm, bool ABreakGroup) {
  std::vector<TTermWord> words;
  std::wstring word;
  for (size_t i = 0; i <= ATerm.size(); ++i) {
    if (i < ATerm.size() && !SeparatesWords(ATerm[i], ABreakGroup)) {
      word += ATerm[i];
    } else if (!word.empty()) {
      words.push_back(MarkedWord(word));
      word.clear();
    }
  }
  return words;
}

std::wstring IncludedWords(const std::vector<TTermWord> &AWords) {
  std::wstring text;
  for (const TTermWord &w : AWords) {
    if (w.Mark == wmExclude) continue;
    if (!text.empty()) text += L' ';
    text += w.Text;
  }
  return text;
}

std::wstring ExcludedWords(const std::vector<TTermWord> &AWords) {
  std::wstring text;
  for (const TTermWord &w : AWords)
    if (w.Mark == wmExclude) text += L" -" + w.Text;
  return text;
}

std::wstring SiteWords(const std::vector<TTermWord> &AWords) {
  const std::wstring included = IncludedWords(AWords), excluded = ExcludedWords(AWords);
  return included.empty() && !excluded.empty() ? excluded.substr(1) : included + excluded;
}

std::wstring CutToBudget(const std::wstring &AText, size_t ABudget) {
  if (AText.size() <= ABudget) return AText;
  size_t cut = ABudget;
  size_t blank = AText.rfind(L' ', ABudget);
  if (blank != std::wstring::npos && blank >= ABudget / 2)
    cut = blank;
  else if (cut > 0 && IsHighSurrogate(AText[cut - 1]) && IsLowSurrogate(AText[cut]))
    --cut;
  return AText.substr(0, cut);
}

} // namespace typo
