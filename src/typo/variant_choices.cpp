#include "typo/variant_choices.h"

#include <algorithm>
#include <unordered_set>

#include "typo/typo_model.h"

namespace typo {

namespace {

bool IsControl(wchar_t C) { return C < 0x20 || (C >= 0x7F && C < 0xA0); }

void AddUnique(std::vector<std::wstring> &AList, const std::wstring &ASpelling) {
  const std::wstring folded = FoldCase(ASpelling);
  std::erase_if(AList, [&](const std::wstring &S) { return FoldCase(S) == folded; });
  AList.insert(AList.begin(), ASpelling);
}

} // namespace

bool IsSpelling(std::wstring_view AText) {
  return !AText.empty() && std::none_of(AText.begin(), AText.end(), [](wchar_t C) {
    return C == L' ' || C == L'(' || C == L')' || C == L',' || IsControl(C);
  });
}

bool TWordChoices::IsRemoved(const std::wstring &ASpelling) const {
  return !Removed.empty() && Removed.count(FoldCase(ASpelling)) != 0;
}

const TWordChoices *TVariantChoices::Find(const std::wstring &AWord) const {
  if (FWords.empty()) return nullptr;
  const auto found = FWords.find(FoldCase(AWord));
  return found == FWords.end() ? nullptr : &found->second;
}

TWordChoices *TVariantChoices::Entry(const std::wstring &AWord) { return &FWords[FoldCase(AWord)]; }

void TVariantChoices::DropIfEmpty(const std::wstring &AKey) {
  const auto found = FWords.find(AKey);
  if (found != FWords.end() && found->second.Added.empty() && found->second.Removed.empty())
    FWords.erase(found);
}

void TVariantChoices::Remove(const std::wstring &AWord, const std::wstring &ASpelling) {
  TWordChoices *entry = Entry(AWord);
  const std::wstring folded = FoldCase(ASpelling);
  std::erase_if(entry->Added, [&](const std::wstring &S) { return FoldCase(S) == folded; });
  entry->Removed.insert(folded);
}

void TVariantChoices::Restore(const std::wstring &AWord, const std::wstring &ASpelling) {
  if (FWords.empty()) return;
  const std::wstring key = FoldCase(AWord);
  const auto found = FWords.find(key);
  if (found == FWords.end()) return;
  found->second.Removed.erase(FoldCase(ASpelling));
  DropIfEmpty(key);
}

void TVariantChoices::Add(const std::wstring &AWord, const std::wstring &ASpelling) {
  TWordChoices *entry = Entry(AWord);
  entry->Removed.erase(FoldCase(ASpelling));
  AddUnique(entry->Added, ASpelling);
}

void TVariantChoices::Forget(const std::wstring &AWord) { FWords.erase(FoldCase(AWord)); }

void TVariantChoices::CopyWord(const TVariantChoices &AFrom, const std::wstring &AWord) {
  if (const TWordChoices *from = AFrom.Find(AWord))
    FWords[FoldCase(AWord)] = *from;
  else
    Forget(AWord);
}

TVariantChoices TVariantChoices::FromLines(const std::vector<std::wstring> &ALines) {
  TVariantChoices choices;
  for (const std::wstring &line : ALines) {
    size_t comma = line.find(L',');
    const std::wstring word = FoldCase(line.substr(0, comma));
    if (!IsSpelling(word) || comma == std::wstring::npos) continue;
    TWordChoices &entry = choices.FWords[word];
    // Seen own spellings, folded: a word may bring thousands.
    std::unordered_set<std::wstring> added;
    for (const std::wstring &s : entry.Added) added.insert(FoldCase(s));
    while (comma != std::wstring::npos) {
      const size_t from = comma + 1;
      comma = line.find(L',', from);
      const std::wstring_view item =
          std::wstring_view(line).substr(from, comma == std::wstring::npos ? comma : comma - from);
      if (item.size() < 2 || !IsSpelling(item.substr(1))) continue;
      std::wstring spelling(item.substr(1));
      if (FoldCase(spelling) == word) continue;
      if (item[0] == L'-')
        entry.Removed.insert(FoldCase(spelling));
      else if (item[0] == L'+' && added.insert(FoldCase(spelling)).second)
        entry.Added.push_back(std::move(spelling));
    }
    choices.DropIfEmpty(word);
  }
  return choices;
}

std::vector<std::wstring> TVariantChoices::Lines() const {
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
