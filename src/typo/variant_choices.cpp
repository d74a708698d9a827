#include "typo/variant_choices.h"

#include <algorithm>
#include <unordered_set>

#include "typo/typo_model.h"

namespace typo {

namespace {

void EraseSpelling(std::vector<std::wstring> &AList, const std::wstring &AFolded) {
  std::erase_if(AList, [&](const std::wstring &S) { return FoldCase(S) == AFolded; });
}

} // namespace

bool BreaksSpelling(wchar_t C) {
  return C == L'(' || C == L')' || C == L',' || C < 0x20 || (C >= 0x7F && C < 0xA0);
}

bool IsSpelling(std::wstring_view AText) {
  return !AText.empty() && std::none_of(AText.begin(), AText.end(), [](wchar_t C) {
    return C == L' ' || BreaksSpelling(C);
  });
}

bool TWordChoices::IsRemoved(const std::wstring &ASpelling) const {
  return !Removed.empty() && Removed.count(FoldCase(ASpelling)) != 0;
}

// Whether a stored line is of the word AKey (folded): compared in place,
// since every line of the file is looked at.
static bool IsLineOf(const std::wstring &ALine, size_t AComma, const std::wstring &AKey) {
  if (AComma != AKey.size()) return false;
  for (size_t i = 0; i < AComma; ++i)
    if (FoldCase(ALine[i]) != AKey[i]) return false;
  return true;
}

const TWordChoices *TVariantChoices::Find(const std::wstring &AWord) const {
  if (FWords.empty() && FStored.empty()) return nullptr;
  const std::wstring key = FoldCase(AWord);
  Take(key);
  const auto found = FWords.find(key);
  return found == FWords.end() ? nullptr : &found->second;
}

void TVariantChoices::Take(const std::wstring &AKey) const {
  if (FStored.empty() || !FTaken.insert(AKey).second) return;
  for (std::wstring &line : FStored) {
    const size_t comma = line.find(L',');
    if (comma == std::wstring::npos || !IsLineOf(line, comma, AKey)) continue;
    Parse(AKey, line, comma);
    line.clear();
  }
  DropIfEmpty(AKey);
}

void TVariantChoices::TakeAll() const {
  for (const std::wstring &line : FStored) {
    const size_t comma = line.find(L',');
    if (comma == std::wstring::npos) continue;
    // The lines of words already taken were emptied.
    const std::wstring key = FoldCase(line.substr(0, comma));
    Parse(key, line, comma);
    DropIfEmpty(key);
  }
  FStored.clear();
  FTaken.clear();
}

void TVariantChoices::Parse(const std::wstring &AKey, const std::wstring &ALine,
                            size_t AComma) const {
  if (!IsSpelling(AKey)) return;
  TWordChoices &entry = FWords[AKey];
  // Seen own spellings, folded: a word may bring thousands.
  std::unordered_set<std::wstring> added;
  for (const std::wstring &s : entry.Added) added.insert(FoldCase(s));
  for (size_t comma = AComma; comma != std::wstring::npos;) {
    const size_t from = comma + 1;
    comma = ALine.find(L',', from);
    const std::wstring_view item =
        std::wstring_view(ALine).substr(from, comma == std::wstring::npos ? comma : comma - from);
    if (item.size() < 2 || !IsSpelling(item.substr(1))) continue;
    std::wstring spelling(item.substr(1));
    std::wstring folded = FoldCase(spelling);
    if (folded == AKey) continue;
    if (item[0] == L'-')
      entry.Removed.insert(std::move(folded));
    else if (item[0] == L'+' && added.insert(std::move(folded)).second)
      entry.Added.push_back(std::move(spelling));
  }
}

TWordChoices *TVariantChoices::Entry(const std::wstring &AKey) {
  Take(AKey);
  return &FWords[AKey];
}

void TVariantChoices::DropIfEmpty(const std::wstring &AKey) const {
  const auto found = FWords.find(AKey);
  if (found != FWords.end() && found->second.Added.empty() && found->second.Removed.empty())
    FWords.erase(found);
}

void TVariantChoices::Remove(const std::wstring &AWord, const std::wstring &ASpelling) {
  const std::wstring key = FoldCase(AWord), folded = FoldCase(ASpelling);
  TWordChoices *entry = Entry(key);
  EraseSpelling(entry->Added, folded);
  entry->Removed.insert(folded);
}

void TVariantChoices::Restore(const std::wstring &AWord, const std::wstring &ASpelling) {
  const std::wstring key = FoldCase(AWord);
  Take(key);
  const auto found = FWords.find(key);
  if (found == FWords.end()) return;
  found->second.Removed.erase(FoldCase(ASpelling));
  DropIfEmpty(key);
}

void TVariantChoices::Add(const std::wstring &AWord, const std::wstring &ASpelling) {
  const std::wstring key = FoldCase(AWord), folded = FoldCase(ASpelling);
  if (!IsSpelling(ASpelling) || folded == key) return;
  TWordChoices *entry = Entry(key);
  entry->Removed.erase(folded);
  EraseSpelling(entry->Added, folded);
  entry->Added.insert(entry->Added.begin(), ASpelling);
}

void TVariantChoices::Forget(const std::wstring &AWord) {
  const std::wstring key = FoldCase(AWord);
  Take(key);
  FWords.erase(key);
}

void TVariantChoices::CopyWord(const TVariantChoices &AFrom, const std::wstring &AWord) {
  if (const TWordChoices *from = AFrom.Find(AWord))
    *Entry(FoldCase(AWord)) = *from;
  else
    Forget(AWord);
}

size_t TVariantChoices::WordCount() const {
  TakeAll();
  return FWords.size();
}

bool TVariantChoices::operator==(const TVariantChoices &AOther) const {
  TakeAll();
  AOther.TakeAll();
  return FWords == AOther.FWords;
}

TVariantChoices TVariantChoices::FromLines(std::vector<std::wstring> ALines) {
  TVariantChoices choices;
  choices.FStored = std::move(ALines);
  return choices;
}

std::vector<std::wstring> TVariantChoices::Lines() const {
  TakeAll();
  std::vector<std::wstring> lines;
  lines.reserve(FWords.size());
  for (const auto &[word, entry] : FWords) {
    std::wstring line = word;
    for (const std::wstring &s : entry.Added) line.append(L",+").append(s);
    for (const std::wstring &s : entry.Removed) line.append(L",-").append(s);
    lines.push_back(std::move(line));
  }
  return lines;
}

} // namespace typo
