#include "markup/markup_attributes.h"

#include <windows.h>

#include <algorithm>

#include "base/strings.h"
#include "markup/markup_colors.h"
#include "markup/markup_helpers.h"

void TMarkupTag::Assign(const wchar_t *AText, size_t ALength, bool AClosed) {
  FText.assign(AText, ALength);
  FUpperReady = false;
  FClosed = AClosed;
}

const std::wstring &TMarkupTag::Upper() const {
  if (!FUpperReady) {
    FUpper = UpperCase(FText);
    FUpperReady = true;
  }
  return FUpper;
}

wchar_t TMarkupTag::Letter(size_t AIndex) const {
  if (AIndex >= FText.size()) return 0;
  wchar_t c = FText[AIndex];
  return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
}

bool TMarkupTag::Find(const std::wstring &AName, size_t AFrom, size_t &AAt) const {
  if (AFrom >= FText.size()) return false;
  AAt = Upper().find(AName, AFrom);
  return AAt != std::wstring::npos;
}

bool TMarkupTag::Has(const std::wstring &ASought, size_t AFrom) const {
  size_t at;
  return Find(ASought, AFrom, at);
}

bool TMarkupTag::QuotedAt(size_t AAfter, size_t &AStart, size_t &ALength) const {
  size_t open = FText.find(L'"', AAfter);
  if (open == std::wstring::npos) return false;
  size_t close = FText.find(L'"', open + 1);
  if (close == std::wstring::npos) close = FText.size();
  AStart = open + 1;
  ALength = close - AStart;
  return true;
}

std::wstring TMarkupTag::Quoted(size_t AAfter) const {
  size_t start, length;
  if (!QuotedAt(AAfter, start, length)) return {};
  return FText.substr(start, length);
}

std::wstring TMarkupTag::Value(const std::wstring &AName, size_t AFrom) const {
  size_t at, start, length;
  if (!Find(AName, AFrom, at) || !QuotedAt(at + AName.size(), start, length)) return {};
  return FText.substr(start, length);
}

std::wstring TMarkupTag::UpperValue(const std::wstring &AName, size_t AFrom) const {
  size_t at, start, length;
  if (!Find(AName, AFrom, at) || !QuotedAt(at + AName.size(), start, length)) return {};
  return Upper().substr(start, length);
}

std::wstring TMarkupTag::LetterValue(wchar_t ALetter) const {
  size_t at, start, length;
  if (!Find(std::wstring(1, ALetter), 2, at) || !QuotedAt(at + 2, start, length)) return {};
  return FText.substr(start, length);
}

int TMarkupTag::SizeNumber(const std::wstring &AName, size_t AFrom) const {
  size_t at;
  if (!Find(AName, AFrom, at)) return 0;
  size_t equals = FText.find(L'=', at + AName.size());
  if (equals == std::wstring::npos) return 0;
  std::wstring rest = FText.substr(equals + 1);
  size_t quote = rest.find(L'"');
  if (quote != std::wstring::npos) rest.erase(0, quote + 1);
  return StrToIntLoose(rest);
}

TColor MarkupColor(const std::wstring &AValue) {
  if (AValue.empty()) return clNone;
  if (AValue[0] == L'#') return ColorFromHex(AValue);
  std::wstring lower = AValue;
  CharLowerBuffW(lower.data(), DWORD(lower.size()));
  return ColorFromName(lower);
}

int ClampPixels(long long AValue) {
  return int(std::clamp<long long>(AValue, -kMaxMarkupPixels, kMaxMarkupPixels));
}
