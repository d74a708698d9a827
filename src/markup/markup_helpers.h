#pragma once
// Text routines shared by the markup engine and the emulated task dialog:
// dialog texts that mark line breaks with a backslash and an "n", their
// splitting and measuring, and the small searches and conversions of markup.
#include <windows.h>

#include <string>

#include "base/strings.h"
#include "ui/graphics.h"

// Removes spaces (code 32 only) from both ends; tabs and line breaks stay.
std::wstring TrimSpaces(const std::wstring &AText);

// True when the text holds the two-character marker backslash-"n", unless
// its first marker stands right after a colon (a drive path like C:\name).
bool HasLineMarker(const std::wstring &AText);

// Appends the lines of a dialog text to ALines (null: nothing happens).
// With a line marker or a carriage return the text is cut at each marker,
// else at each carriage return, which swallows the character after it (the
// line feed of CR LF); every line is trimmed of spaces and empty lines are
// kept. Any other text is appended as it is, as one line.
void SplitLines(const std::wstring &AText, TStringList *ALines);

// The size a dialog text takes when its lines are drawn one below the
// other: the first line in AFirstFont, the others in AOtherFont, each
// measured as a single line with AFlags (DT_ options). ALink adds the room
// of a command link: 8 pixels of width, 10 below the first line and 2 below
// each further one. A text of one line is measured in AFirstFont without
// those additions. The canvas font is the same afterwards; null: 0 x 0.
SIZE MeasureLines(TCanvas *ACanvas, const std::wstring &AText, const TFont &AFirstFont,
                  const TFont &AOtherFont, UINT AFlags, bool ALink);

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
