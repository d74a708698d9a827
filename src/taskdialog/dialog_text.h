#pragma once
// The emulated dialog's texts: line breaks marked with a backslash and an
// "n", their splitting and measuring, and the dialog's fixed uses of the
// markup engine.
#include <windows.h>

#include <string>

#include "base/strings.h"
#include "markup/draw_markup.h"
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

// The emulated task dialog's uses of DrawMarkup, with its fixed choices:
// no images, pictures (system icons included) or focus, blue anchors, grey
// shadows, word wrap.
TMarkupArgs DialogMarkupArgs(TCanvas &ACanvas, const std::wstring &AText, const TRect &ABounds,
                             TMarkupUse AUse, int APointX = 0, int APointY = 0);
