#include "app/search_address.h"

#include "app/program.h"
#include "typo/typo_query.h"

#include <string_view>

namespace {
// The term with blanks as ABlank and each of AReserved as %XX; everything
// else goes through as typed, as the addresses always had it.
std::wstring EncodeTerm(const std::wstring &ATerm, const wchar_t *ABlank,
                        std::wstring_view AReserved) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring result;
  for (wchar_t c : ATerm) {
    if (c == L' ') {
      result += ABlank;
    } else if (AReserved.find(c) != std::wstring_view::npos) {
      result += L'%';
      result += kHex[c >> 4];
      result += kHex[c & 15];
    } else {
      result += c;
    }
  }
  return result;
}
} // namespace

std::wstring TypoServiceAddress(const std::wstring &ATerm) {
  return kTypoSearchUrl + EncodeTerm(ATerm, L"%20", L"%&#+");
}

std::wstring PlainSearchAddress(const std::wstring &ATerm) {
  return kPlainSearchUrl + EncodeTerm(ATerm, L"+", L"%&#+?/");
}

std::wstring OwnTypoSearchAddress(const std::wstring &ATerm) {
  return typo::AuctionSearchAddress(typo::BuildTypoQuery(ATerm));
}
