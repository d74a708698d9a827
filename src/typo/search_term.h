#pragma once
// A search term read once into words, each to be varied, kept as typed or
// excluded: "!Wort" keeps the word in every variant, "-Wort" excludes
// offers with it (the site's own syntax). Both searches read terms so.
#include <string>
#include <vector>

namespace typo {

// The halves of a character beyond U+FFFF, which is one letter and never
// split.
inline bool IsHighSurrogate(wchar_t AUnit) { return AUnit >= 0xD800 && AUnit <= 0xDBFF; }
inline bool IsLowSurrogate(wchar_t AUnit) { return AUnit >= 0xDC00 && AUnit <= 0xDFFF; }

enum TWordMark { wmVary, wmKeep, wmExclude };

struct TTermWord {
  std::wstring Text; // without its "!" or "-"
  TWordMark Mark = wmVary;
};

// The words between blanks and control characters; with ABreakGroup also
// between "(", ")" and ",", which inside the site's group "(a,b)" would
// split or close it. A lone "!" or "-" is an ordinary word.
std::vector<TTermWord> ReadTerm(const std::wstring &ATerm, bool ABreakGroup);

// The words the site must find, joined by single blanks, kept ones
// without their "!".
std::wstring IncludedWords(const std::vector<TTermWord> &AWords);
// " -a -b" for the excluded words, to follow the query.
std::wstring ExcludedWords(const std::vector<TTermWord> &AWords);

// The words as the site reads them: the included ones, then the excluded
// ones with their "-".
std::wstring SiteWords(const std::vector<TTermWord> &AWords);

// The text cut to the budget: at a blank where one lies in the second
// half, never between the halves of a surrogate pair.
std::wstring CutToBudget(const std::wstring &AText, size_t ABudget);

} // namespace typo
