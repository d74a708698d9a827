#pragma once
// Reading the attributes of one markup tag.
#include <string>

#include "ui/colors.h"

// A tag from its "<" up to (not including) its ">", as written and
// upper-cased (the platform's upper-casing keeps every position).
class TMarkupTag {
public:
  TMarkupTag() = default;
  void Assign(const wchar_t *AText, size_t ALength, bool AClosed);

  const std::wstring &Text() const { return FText; }
  const std::wstring &Upper() const;
  // A ">" ended the tag.
  bool Closed() const { return FClosed; }
  size_t Size() const { return FText.size(); }
  // ASCII letters folded to upper case; 0 beyond the end.
  wchar_t Letter(size_t AIndex) const;

  // The upper-cased text contains ASought at or after AFrom.
  bool Has(const std::wstring &ASought, size_t AFrom = 2) const;
  // The value of an attribute: the name is looked for in the upper-cased
  // text from AFrom on (first occurrence), the value is what stands
  // between the next two double quotes after it; an unquoted value is not
  // read. Empty when the name or a quote is missing; a value without its
  // closing quote runs to the end of the tag.
  std::wstring Value(const std::wstring &AName, size_t AFrom = 2) const;
  std::wstring UpperValue(const std::wstring &AName, size_t AFrom = 2) const;
  // The first quoted text at or after AAfter (as written); empty when no
  // double quote follows.
  std::wstring Quoted(size_t AAfter) const;
  // The value after the first occurrence of a single letter (any case) and
  // the character after it, as in x="20".
  std::wstring LetterValue(wchar_t ALetter) const;
  // The number after the first "=" that follows the name; when what
  // follows holds a double quote, the number is read after it.
  int SizeNumber(const std::wstring &AName, size_t AFrom = 2) const;

private:
  // Start and length of the quoted value after position AAfter; npos when
  // there is no opening quote.
  bool QuotedAt(size_t AAfter, size_t &AStart, size_t &ALength) const;
  bool Find(const std::wstring &AName, size_t AFrom, size_t &AAt) const;

  std::wstring FText;
  mutable std::wstring FUpper;
  mutable bool FUpperReady = false;
  bool FClosed = false;
};

// A colour as markup writes it: "#RRGGBB" or a name of the colour table
// (any letter case); clNone for an empty value.
TColor MarkupColor(const std::wstring &AValue);

// Pixel values from markup are kept within this, so that sums stay
// far from overflow and the platform's coordinate range.
constexpr int kMaxMarkupPixels = 100000;
int ClampPixels(long long AValue);
