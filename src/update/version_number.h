#pragma once
// Version texts such as "2.00" read as decimal numbers.
#include <optional>
#include <string>

// Leading blanks, an optional sign, digits with an optional "." and
// fraction, an optional exponent, nothing after. A lone "." is 0. None
// when the text has another form or its value is out of range.
std::optional<double> VersionNumber(const std::wstring &AText);
