#pragma once
// Entities of markup texts.
#include <string>

// The whole text with its entities replaced ("&amp;" by "&&", "&quot;" by
// a double quote, ...; any letter case) until none is left. Replacing
// "&amp;" can form a new entity with the text after it ("&amp;lt;" ->
// "&&lt;"), which is replaced in turn. The result is the one that sweeping
// the text again and again, replacing the first occurrence of each entity
// per sweep, arrives at; it is reached in one pass.
std::wstring ReplaceEntities(const std::wstring &AText);

// Within one chunk of text: every "&nbsp;" becomes a space, "&lt;" a "<"
// and "&gt;" a ">" (these lower-case forms only). AReplaced tells whether
// any was found.
std::wstring ReplaceChunkEntities(const wchar_t *AText, size_t ALength, bool &AReplaced);
