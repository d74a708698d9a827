#pragma once
// The typo model: the spellings a hurried typist on a German (QWERTZ)
// keyboard makes of a word, ranked by how likely each is. Rules and
// learned weights of edit kinds and letters; no list of words.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace typo {

// The letters the model edits: a-z, ä, ö, ü, ß (index 0..29); -1 for any
// other code unit.
inline constexpr int kLetterCount = 30;
int LetterIndex(wchar_t AUnit);
wchar_t LetterUnit(int AIndex);
// Lower case of one code unit (ASCII, Latin-1 and the capital sharp s).
wchar_t FoldCase(wchar_t AUnit);
std::wstring FoldCase(const std::wstring &AText);
// Upper case of one code unit (ASCII and Latin-1; ß stays), and whether it
// is a capital.
wchar_t ToUpper(wchar_t AUnit);
bool IsUpper(wchar_t AUnit);
// Whether the two keys touch on the German keyboard.
bool KeysTouch(int ALetterA, int ALetterB);
// How two keys lie to each other: side by side in one row, touching across
// rows, or apart. German typists hit the key beside far more often.
enum TKeyRelation : unsigned char { krSameRow, krDiagonal, krApart };
TKeyRelation KeyRelation(int ALetterA, int ALetterB);

// What kind of slip a variant is; the position decides part of its weight.
enum TEditKind : unsigned char { ekOmit, ekInsert, ekSubstitute, ekSwap, ekSound, ekKindCount };
// The ending's letters are where words of one sound differ in spelling.
enum TEditPlace : unsigned char { epFirst, epSecond, epMiddle, epEnding, epLast, epPlaceCount };

// Feature numbers: each edit is weighed by one of these.
namespace feature {
inline constexpr int kOmit = 0; // letter*2 + doubled
inline constexpr int kInsertContexts = 8;
inline constexpr int kInsert = kOmit + kLetterCount * 2;                     // letter*8 + context
inline constexpr int kSubstitute = kInsert + kLetterCount * kInsertContexts; // (from*30+to)*2+echo
inline constexpr int kSwap = kSubstitute + kLetterCount * kLetterCount * 2;  // first*30 + second
inline constexpr int kSound = kSwap + kLetterCount * kLetterCount;           // rule
inline constexpr int kSoundRules = 32;
inline constexpr int kCount = kSound + kSoundRules;
} // namespace feature
// Context of an inserted letter. "Echo": the letter stands close by in the
// word, and a hand ahead of itself or lagging behind types it again. A key
// beside a letter next to the gap in its row, or touching it across rows.
enum TInsertContext {
  icSameAsBefore,
  icSameAsAfter,
  icRowNeighbourEcho,
  icRowNeighbour,
  icDiagonalEcho,
  icDiagonal,
  icOtherEcho,
  icOther
};
static_assert(icOther + 1 == feature::kInsertContexts);

// The hand-set weight of a German sound-alike (feature::kSound + ARule),
// per ten thousand chances; the only place it is kept.
double SoundRuleWeight(int ARule);

// The weights the ranking uses: one per feature and a factor per kind and
// place.
struct TTypoWeights {
  std::vector<double> Feature = std::vector<double>(feature::kCount, 0.0);
  double Place[ekKindCount][epPlaceCount] = {};
  // Per kind, a factor for the pair of keys the slip types one after the
  // other: the letter before it (kLetterCount: none) and the first letter
  // it types (or leaves out). Empty: all 1.
  std::vector<double> KeyPair;
  // The same for the last letter it types (or leaves out) and the letter
  // after it.
  std::vector<double> NextPair;
  // The feature weights for a word that looks German (empty: Feature), in
  // the mix of slips German typists make, and what tells such a word: the
  // log2 odds of each pair of letters following each other (kLetterCount:
  // the word's start or end), German words over English ones. A word looks
  // German when their sum is above GermanOddsAbove (a prior: words the
  // odds barely tell are left to the English rates).
  std::vector<double> GermanFeature;
  std::vector<double> GermanPairOdds;
  double GermanOddsAbove = 0;
  // KeyPair and NextPair for such a word (empty: the same): the pairs are
  // mostly learned on English letter sequences, so they count less there.
  std::vector<double> GermanKeyPair, GermanNextPair;
};
inline constexpr int kKeyPairCount = (kLetterCount + 1) * kLetterCount;
inline constexpr int kLetterPairCount = (kLetterCount + 1) * (kLetterCount + 1);
bool LooksGerman(const std::wstring &AWord, const TTypoWeights &AWeights);
// The program's weights (learned once, kept as a table in the source).
const TTypoWeights &DefaultWeights();

// One variant of a word: Remove units at At replaced by Insert, with the
// feature that made it. Kept as a small edit, not a copy of the word, since
// a long term has many.
struct TWordEdit {
  uint32_t At;
  uint8_t Remove, InsertLength;
  wchar_t Insert[3];
  TEditKind Kind;
  TEditPlace Place;
  uint16_t Feature, KeyPair, NextPair;
  float Score;
  std::wstring_view Inserted() const { return {Insert, InsertLength}; }
  std::wstring Apply(const std::wstring &AWord) const;
  size_t Length(const std::wstring &AWord) const { return AWord.size() - Remove + InsertLength; }
};

// Whether the model leaves the word as typed: fewer than three letters
// (numbers, short words, punctuation).
bool KeepsWordAsTyped(const std::wstring &AWord);
// Every variant of one word the rules make, unranked, with duplicates and
// possibly the word itself (the query's choice removes both). Letter case
// follows the word's.
void EnumerateEdits(const std::wstring &AWord, const TTypoWeights &AWeights,
                    const std::function<void(TWordEdit &&)> &AEmit);

} // namespace typo
