#pragma once
// Colours as markup writes them: by name from a fixed table, or as "#" and
// six hexadecimal digits.
#include <string>

#include "ui/colors.h"

// The value of two hexadecimal digits, 0 to 255. Upper- and lower-case
// letters count alike; any other character counts as the digit 0, and a
// text shorter than two characters gives 0.
int HexByte(const std::wstring &AText);

// "#RRGGBB": the first character is skipped, then red, green and blue are
// read two digits each; a pair that is cut short or missing counts as 0.
TColor ColorFromHex(const std::wstring &AText);

// A colour name of the markup ("clred", "clbtnface", ...), compared exactly
// as written in lower case: 16 fixed colours and 24 system colours. Any
// other name gives black.
TColor ColorFromName(const std::wstring &AName);
