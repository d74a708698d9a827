#pragma once
// The small searches and conversions of markup text.
#include <windows.h>

#include <string>

// 1-based position of the first occurrence of ASought in AText without
// regard to letter case (the platform's upper-casing); 0 when absent.
int PosText(const std::wstring &ASought, const std::wstring &AText);

// Replaces the first occurrence of AOld (any letter case) in AText by ANew;
// false when there is none.
bool ReplaceFirstText(const std::wstring &AOld, const std::wstring &ANew, std::wstring &AText);

// An integer from the start of a text: leading spaces, an optional sign,
// then decimal digits or hexadecimal ones after "$", "x" or "0x". Reading
// stops at the first character that does not fit and the number read so far
// counts; nothing readable gives 0. Values beyond 32 bits stop at the
// largest or smallest integer.
int StrToIntLoose(const std::wstring &AText);

// The first "<#...>" loses its two angle brackets and shows "#..."; later
// ones stay as they are.
std::wstring StripHashTag(const std::wstring &AText);

// Each carriage return becomes "<BR>"; line feeds are dropped.
std::wstring LineBreaksToTags(const std::wstring &AText);

// The entities replaced in the whole markup text, in the order they are
// tried, with what replaces each.
struct TMarkupEntity {
  const wchar_t *Entity;
  const wchar_t *Replacement;
};
extern const TMarkupEntity MarkupEntities[9];

// Adjusts text-drawing options (DT_ flags) for a reading order: on systems
// with right-to-left language support, order 1 mirrors the horizontal
// alignment and any order other than 0 reads right to left. Elsewhere the
// options stay as they are.
UINT ReadingOrderFlags(UINT AFlags, int AReadingOrder);
