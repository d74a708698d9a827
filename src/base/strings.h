#pragma once
// Texts: the framework's string list, and comparing and upper-casing by the
// platform's rules.
#include <string>
#include <vector>

class TStringList {
public:
  TStringList() = default;
  TStringList(std::initializer_list<std::wstring> AItems) : FItems(AItems) {}

  int Count() const { return int(FItems.size()); }
  bool Empty() const { return FItems.empty(); }
  const std::wstring &operator[](int AIndex) const { return FItems.at(size_t(AIndex)); }
  std::wstring &operator[](int AIndex) { return FItems.at(size_t(AIndex)); }
  int Add(const std::wstring &AText) {
    FItems.push_back(AText);
    return Count() - 1;
  }
  void Insert(int AIndex, const std::wstring &AText) {
    FItems.insert(FItems.begin() + AIndex, AText);
  }
  void Delete(int AIndex) { FItems.erase(FItems.begin() + AIndex); }
  void Clear() { FItems.clear(); }
  void Assign(const TStringList &ASource) { FItems = ASource.FItems; }
  // Position of the first item equal to AText without regard to letter
  // case, or -1.
  int IndexOf(const std::wstring &AText) const;
  // The items joined by carriage return and line feed.
  std::wstring Text() const;

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

private:
  std::vector<std::wstring> FItems;
};

// Compares without regard to letter case, by the platform's rules.
bool SameText(const std::wstring &A, const std::wstring &B);

// The text in capitals, letter for letter (the length never changes), by
// the platform's simple case mapping.
std::wstring UpperCase(std::wstring AText);
