#pragma once
// The program's fixed names and addresses (the hosts are chosen in
// res/maker.h, which the resources share).
#include "info/maker.h"

inline constexpr wchar_t kApplicationTitle[] = L"kalverin Tastenfang";

// Typo-search service: base + this + the term with blanks as "%20" (used
// when the program does not make the variants itself).
inline constexpr wchar_t kTypoSearchUrl[] = L"" TYPO_SEARCH_URL "/search.php?ASearchText=";
// Plain search: base + "/" + the term with blanks as "+".
inline constexpr wchar_t kPlainSearchUrl[] = L"" PLAIN_SEARCH_URL "/";

inline constexpr wchar_t UPDATE_URL[] = L"" MAKER_URL "/pad/tastenfang.xml";

// The history's last item, which clears it.
inline constexpr wchar_t kClearHistoryEntry[] = L"[Einträge löschen]";
