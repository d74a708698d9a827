#pragma once
// The maker's name, notice and addresses as the program's texts (chosen in
// res/maker.h, which the version resource shares).
#include "res/maker.h"

inline constexpr wchar_t kMakerName[] = L"" MAKER_NAME;
inline constexpr wchar_t kMakerCopyright[] = L"" MAKER_COPYRIGHT;
inline constexpr wchar_t kMakerUrl[] = L"" MAKER_URL;
inline constexpr wchar_t kMakerEmail[] = L"" MAKER_EMAIL;
inline constexpr wchar_t kMakerProductUrl[] = L"" MAKER_PRODUCT_URL;
