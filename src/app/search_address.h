#pragma once
// The addresses a search opens. Characters that would change an address's
// meaning are percent-encoded, so the site searches for the term as typed.
#include <string>

// The typo-search service: blanks as "%20"; "%", "&", "#", "+" encoded.
std::wstring TypoServiceAddress(const std::wstring &ATerm);
// The auction site's plain search, the term as the path: blanks as "+";
// "%", "&", "#", "+", "?", "/" encoded.
std::wstring PlainSearchAddress(const std::wstring &ATerm);
// The auction site's search for the variants the program makes itself.
std::wstring OwnTypoSearchAddress(const std::wstring &ATerm);
