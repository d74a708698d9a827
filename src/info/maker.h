#pragma once
// The maker's name, notice and addresses as the program's texts (chosen in
// res/maker.h, which the version resource shares), and the help file's
// context.
#include "res/maker.h"

inline constexpr wchar_t kMakerName[] = L"" MAKER_NAME;
inline constexpr wchar_t kMakerCopyright[] = L"" MAKER_COPYRIGHT;
inline constexpr wchar_t kMakerUrl[] = L"" MAKER_URL;
inline constexpr wchar_t kMakerEmail[] = L"" MAKER_EMAIL;
inline constexpr wchar_t kMakerProductUrl[] = L"" MAKER_PRODUCT_URL;

// The help file's context of the main window and the info dialog.
inline constexpr int kHelpContext = 3;
// The help file's context of the variants window.
inline constexpr int kVariantsHelpContext = 4;
