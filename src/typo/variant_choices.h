#pragma once
// What the user chose about a word's variants: misspellings taken out and
// misspellings of their own put in. Kept per word, whatever its case, and
// applied to every typo search of that word.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace typo {

// The settings file's section of the choices.
inline constexpr wchar_t kVariantChoicesSection[] = L"Varianten";

// A control character (C0, DEL, C1) or the site's group syntax "(", ")"
// and ",": never part of a spelling.
bool BreaksSpelling(wchar_t C);
// A spelling a variant can give a word: not empty, no blank and nothing
// that breaks a spelling.
bool IsSpelling(std::wstring_view AText);

struct TWordChoices {
  // The user's own misspellings as typed, the latest first.
  std::vector<std::wstring> Added;
  // The misspellings taken out, in lower case.
  std::set<std::wstring> Removed;
  bool IsRemoved(const std::wstring &ASpelling) const;
  bool operator==(const TWordChoices &) const = default;
};

// The choices of many words. Lines read from the settings file stay as
// they are until a word of theirs is asked for: a search reads the lines
// of its own words only, however many the file holds.
class TVariantChoices {
public:
  // The word's choices; null when there are none.
  const TWordChoices *Find(const std::wstring &AWord) const;
  // Taking a spelling out also takes it back when it was the user's own;
  // putting one back undoes that.
  void Remove(const std::wstring &AWord, const std::wstring &ASpelling);
  void Restore(const std::wstring &AWord, const std::wstring &ASpelling);
  // An own misspelling, first of the word's; no longer taken out. One that
  // is no spelling or the word itself is not taken.
  void Add(const std::wstring &AWord, const std::wstring &ASpelling);
  void Forget(const std::wstring &AWord);
  // The same choices of one word, from another set (none there: none here).
  void CopyWord(const TVariantChoices &AFrom, const std::wstring &AWord);
  size_t WordCount() const;
  bool operator==(const TVariantChoices &AOther) const;

  // One line per word: "word,-out,+own,..." (the word in lower case, then
  // each spelling after its mark). Lines and entries that are no such
  // thing are skipped; a word's entries keep their order, and lines of
  // one word are joined.
  static TVariantChoices FromLines(std::vector<std::wstring> ALines);
  std::vector<std::wstring> Lines() const;

private:
  // The word's entry, made when missing; its stored lines read first.
  TWordChoices *Entry(const std::wstring &AKey);
  // Reads the stored lines of the word (folded) into its entry.
  void Take(const std::wstring &AKey) const;
  void TakeAll() const;
  void Parse(const std::wstring &AKey, const std::wstring &ALine, size_t AComma) const;
  void DropIfEmpty(const std::wstring &AKey) const;
  // Read lazily, so even a const set fills these in.
  mutable std::map<std::wstring, TWordChoices> FWords;
  mutable std::vector<std::wstring> FStored;
  mutable std::set<std::wstring> FTaken; // the words whose stored lines were read
};

} // namespace typo
