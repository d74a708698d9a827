#pragma once
// The program's fixed names and addresses (the hosts are chosen in
// res/maker.h, which the resources share; the search addresses are built
// in typo/search_address.h).
#include "info/maker.h"

inline constexpr wchar_t kApplicationTitle[] = L"kalverin Tastenfang";

inline constexpr wchar_t UPDATE_URL[] = L"" MAKER_URL "/pad/tastenfang.xml";

// The history's last item, which clears it.
inline constexpr wchar_t kClearHistoryEntry[] = L"[Einträge löschen]";
