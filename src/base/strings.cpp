#include "base/strings.h"

#include <windows.h>

bool SameText(const std::wstring &A, const std::wstring &B) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, A.data(), int(A.size()), B.data(),
                        int(B.size())) == CSTR_EQUAL;
}

std::wstring UpperCase(std::wstring AText) {
  // Without linguistic casing the mapping is one unit for one, as with
  // CharUpperBuff, which is the window library's.
  if (!AText.empty())
    LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, AText.data(), int(AText.size()), AText.data(),
                 int(AText.size()));
  return AText;
}

int TStringList::IndexOf(const std::wstring &AText) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (SameText(FItems[i], AText)) return int(i);
  return -1;
}

std::wstring TStringList::Text() const {
  std::wstring text;
  for (const std::wstring &item : FItems) text += item + L"\r\n";
  return text;
}
