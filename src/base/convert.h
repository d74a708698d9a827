#pragma once
// Whole numbers from text, as the user or a document writes them.
#include <optional>
#include <string>

// Decimal, or hexadecimal after "$" or "0x"; leading blanks and a sign are
// allowed, nothing may follow. None when the text is no such 32-bit number.
std::optional<int> TryStrToInt(const std::wstring &AText);
int StrToIntDef(const std::wstring &AText, int ADefault);
