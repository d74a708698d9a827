#include "typo/typo_model.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace typo {

namespace {

constexpr wchar_t kLetters[kLetterCount + 1] = L"abcdefghijklmnopqrstuvwxyzäöüß";

// German sound-alikes, both ways where both are spelt: which spelling a
// word uses is what a writer in a hurry gets wrong. The corpus the other
// weights come from is English, so these are set by hand on the same
// scale (per ten thousand chances; a doubled letter typed once is ~2000):
// umlauts and sharp s high, since they only touch German words, spellings
// that add letters low, since they touch many words and rarely happen.
struct TSoundRule {
  const wchar_t *From, *To;
  float Weight;
};
constexpr TSoundRule kSoundRules[] = {
    {L"ä", L"ae", 2000}, {L"ae", L"ä", 500},  {L"ö", L"oe", 2000}, {L"oe", L"ö", 500},
    {L"ü", L"ue", 2000}, {L"ue", L"ü", 500},  {L"ß", L"ss", 2000}, {L"ss", L"ß", 300},
    {L"ck", L"k", 300},  {L"k", L"ck", 30},   {L"tz", L"z", 300},  {L"z", L"tz", 30},
    {L"ph", L"f", 500},  {L"f", L"ph", 10},   {L"th", L"t", 200},  {L"ie", L"i", 300},
    {L"i", L"ie", 30},   {L"dt", L"t", 300},  {L"v", L"f", 200},   {L"f", L"v", 100},
    {L"ei", L"ai", 50},  {L"ai", L"ei", 200}, {L"äu", L"eu", 500}, {L"eu", L"äu", 100},
    {L"x", L"chs", 20},  {L"chs", L"x", 500}, {L"ä", L"e", 300},   {L"ah", L"a", 200},
    {L"eh", L"e", 200}};
static_assert(std::size(kSoundRules) <= size_t(feature::kSoundRules));
static_assert(std::all_of(std::begin(kSoundRules), std::end(kSoundRules),
                          [](const TSoundRule &ARule) { return ARule.Weight > 0; }),
              "every sound-alike needs a weight");

// Key centres of the German keyboard: the staggered rows as on the keys.
struct TKey {
  wchar_t Unit;
  double X, Y;
};
std::vector<TKey> KeyPositions() {
  std::vector<TKey> keys;
  auto row = [&](const wchar_t *AUnits, double AX, double AY) {
    for (int i = 0; AUnits[i]; ++i)
      keys.push_back({AUnits[i], AX + i, AY});
  };
  row(L"1234567890ß", -0.5, 0);
  row(L"qwertzuiopü", 0, 1);
  row(L"asdfghjklöä", 0.25, 2);
  row(L"yxcvbnm", 0.75, 3);
  return keys;
}

struct TNeighbours {
  TKeyRelation Relation[kLetterCount][kLetterCount];
  TNeighbours() {
    for (auto &row : Relation)
      for (TKeyRelation &r : row)
        r = krApart;
    std::vector<TKey> keys = KeyPositions();
    for (const TKey &a : keys)
      for (const TKey &b : keys) {
        int ia = LetterIndex(a.Unit), ib = LetterIndex(b.Unit);
        if (ia < 0 || ib < 0 || ia == ib) continue;
        double dx = std::fabs(a.X - b.X), dy = std::fabs(a.Y - b.Y);
        if (dy == 0 && dx <= 1.01)
          Relation[ia][ib] = krSameRow;
        else if (dy == 1 && dx <= 0.76)
          Relation[ia][ib] = krDiagonal;
      }
  }
  bool Touch(int A, int B) const { return Relation[A][B] != krApart; }
};
const TNeighbours &Neighbours() {
  static const TNeighbours neighbours;
  return neighbours;
}

wchar_t WithCaseOf(wchar_t ALower, bool AUpper) {
  return AUpper ? ToUpper(ALower) : ALower;
}

// How far the echo of a letter reaches, and how many letters before the last
// count as the ending.
constexpr size_t kEchoReplaced = 3, kEchoAdded = 2, kEnding = 2;

} // namespace

int LetterIndex(wchar_t AUnit) {
  if (AUnit >= L'a' && AUnit <= L'z') return AUnit - L'a';
  switch (AUnit) {
  case L'ä':
    return 26;
  case L'ö':
    return 27;
  case L'ü':
    return 28;
  case L'ß':
    return 29;
  default:
    return -1;
  }
}

wchar_t LetterUnit(int AIndex) {
  return kLetters[AIndex];
}

bool IsUpper(wchar_t AUnit) {
  return FoldCase(AUnit) != AUnit;
}

wchar_t ToUpper(wchar_t AUnit) {
  if (AUnit >= L'a' && AUnit <= L'z') return wchar_t(AUnit - 32);
  if (AUnit >= 0xE0 && AUnit <= 0xFE && AUnit != 0xF7) return wchar_t(AUnit - 32);
  return AUnit;
}

wchar_t FoldCase(wchar_t AUnit) {
  if (AUnit >= L'A' && AUnit <= L'Z') return wchar_t(AUnit + 32);
  if (AUnit >= 0xC0 && AUnit <= 0xDE && AUnit != 0xD7) return wchar_t(AUnit + 32);
  if (AUnit == 0x1E9E) return L'ß';
  return AUnit;
}

std::wstring FoldCase(const std::wstring &AText) {
  std::wstring folded(AText);
  for (wchar_t &c : folded)
    c = FoldCase(c);
  return folded;
}

double SoundRuleWeight(int ARule) {
  return ARule < int(std::size(kSoundRules)) ? kSoundRules[ARule].Weight : 0;
}

bool KeysTouch(int ALetterA, int ALetterB) {
  return Neighbours().Touch(ALetterA, ALetterB);
}

TKeyRelation KeyRelation(int ALetterA, int ALetterB) {
  return Neighbours().Relation[ALetterA][ALetterB];
}

bool LooksGerman(const std::wstring &AWord, const TTypoWeights &AWeights) {
  if (AWeights.GermanPairOdds.empty()) return false;
  double odds = 0;
  int before = kLetterCount;
  for (wchar_t c : AWord) {
    const int letter = LetterIndex(FoldCase(c));
    if (letter < 0) continue;
    odds += AWeights.GermanPairOdds[size_t(before * (kLetterCount + 1) + letter)];
    before = letter;
  }
  return odds + AWeights.GermanPairOdds[size_t(before * (kLetterCount + 1) + kLetterCount)] >
         AWeights.GermanOddsAbove;
}

bool KeepsWordAsTyped(const std::wstring &AWord) {
  int letters = 0;
  for (wchar_t c : AWord)
    if (LetterIndex(FoldCase(c)) >= 0 && ++letters >= 3) return false;
  return true;
}

namespace {

// The slips of one word, scored and handed on one by one.
class TEditMaker {
public:
  TEditMaker(const std::wstring &AWord, const TTypoWeights &AWeights,
             const std::function<void(TWordEdit &&)> &AEmit)
      : FWord(AWord), FLow(FoldCase(AWord)), FLength(FLow.size()), FLetter(FLength),
        FWeights(AWeights),
        FGerman(!AWeights.GermanFeature.empty() && LooksGerman(AWord, AWeights)),
        FFeature(FGerman ? AWeights.GermanFeature : AWeights.Feature),
        FKeyPair(FGerman && !AWeights.GermanKeyPair.empty() ? AWeights.GermanKeyPair
                                                            : AWeights.KeyPair),
        FNextPair(FGerman && !AWeights.GermanNextPair.empty() ? AWeights.GermanNextPair
                                                              : AWeights.NextPair),
        FEmit(AEmit) {
    for (size_t i = 0; i < FLength; ++i) {
      FLetter[i] = LetterIndex(FLow[i]);
      if (FLetter[i] >= 0) {
        FFirstLetter = std::min(FFirstLetter, i);
        FLastLetter = i;
      }
    }
  }

  void MakeLetterSlips() {
    for (size_t i = 0; i < FLength; ++i) {
      if (FLetter[i] < 0) continue;
      LeftOut(i);
      SwappedWithNext(i);
      ReplacedByAnotherKey(i);
    }
  }

  // A key typed as well: in each gap next to a letter.
  void MakeAddedKeys() {
    for (size_t gap = 0; gap <= FLength; ++gap)
      AddedInGap(gap);
  }

  // German sound-alikes.
  void MakeSoundAlikes() {
    for (size_t r = 0; r < std::size(kSoundRules); ++r) {
      const std::wstring from = kSoundRules[r].From, to = kSoundRules[r].To;
      for (size_t at = FLow.find(from); at != std::wstring::npos; at = FLow.find(from, at + 1)) {
        Emit(at, from.size(), CasedLike(at, from.size(), to), ekSound,
             PlaceOf(at, at + from.size() - 1), feature::kSound + int(r));
      }
    }
  }

private:
  // A replacement in the case of the letters it replaces: «Aepfel» for
  // «Äpfel», «STRASSE» for «STRAßE» (ß has no case of its own).
  std::wstring CasedLike(size_t AAt, size_t ALength, std::wstring AText) const {
    auto upperAt = [&](size_t i) { return i < FLength && IsUpper(FWord[i]); };
    const bool caseless = ToUpper(FLow[AAt]) == FLow[AAt];
    const bool first = caseless ? AAt > 0 && upperAt(AAt - 1) &&
                                      (AAt + ALength >= FLength || upperAt(AAt + ALength))
                                : upperAt(AAt);
    const bool rest =
        first && (AAt + 1 < FLength ? upperAt(AAt + 1) || caseless : AAt > 0 && upperAt(AAt - 1));
    for (size_t i = 0; i < AText.size(); ++i)
      if (i == 0 ? first : rest) AText[i] = ToUpper(AText[i]);
    return AText;
  }

  // A letter left out; dropping one of a doubled pair is its own slip.
  void LeftOut(size_t i) {
    const bool doubled =
        (i > 0 && FLow[i - 1] == FLow[i]) || (i + 1 < FLength && FLow[i + 1] == FLow[i]);
    Emit(i, 1, L"", ekOmit, PlaceOf(i, i), feature::kOmit + FLetter[i] * 2 + (doubled ? 1 : 0));
  }

  // Neighbours swapped; each keeps the case of its place.
  void SwappedWithNext(size_t i) {
    if (i + 1 >= FLength || FLetter[i + 1] < 0 || FLow[i] == FLow[i + 1]) return;
    std::wstring t{WithCaseOf(FLow[i + 1], IsUpper(FWord[i])),
                   WithCaseOf(FLow[i], IsUpper(FWord[i + 1]))};
    Emit(i, 2, t, ekSwap, PlaceOf(i, i + 1),
         feature::kSwap + FLetter[i] * kLetterCount + FLetter[i + 1]);
  }

  // Another key typed instead.
  void ReplacedByAnotherKey(size_t i) {
    const int a = FLetter[i];
    const bool upper = IsUpper(FWord[i]);
    for (int b = 0; b < kLetterCount; ++b) {
      if (b == a) continue;
      const wchar_t typed = WithCaseOf(kLetters[b], upper);
      Emit(i, 1, {&typed, 1}, ekSubstitute, PlaceOf(i, i),
           feature::kSubstitute + (a * kLetterCount + b) * 2 +
               Echo(i >= kEchoReplaced ? i - kEchoReplaced : 0, i + kEchoReplaced, i, b));
    }
  }

  void AddedInGap(size_t gap) {
    const int before = gap > 0 ? FLetter[gap - 1] : -1;
    const int after = gap < FLength ? FLetter[gap] : -1;
    if (before < 0 && after < 0) return;
    const bool upper = before >= 0
                           ? IsUpper(FWord[gap - 1]) && (after < 0 || IsUpper(FWord[gap]))
                           : IsUpper(FWord[gap]) && gap + 1 < FLength && IsUpper(FWord[gap + 1]);
    // A gap is placed as the letter after it.
    const TEditPlace place = gap <= FFirstLetter ? epFirst
                             : gap > FLastLetter ? epLast
                                                 : PlaceOf(gap, gap);
    for (int b = 0; b < kLetterCount; ++b) {
      const bool near =
          Echo(gap >= kEchoAdded ? gap - kEchoAdded : 0, gap + kEchoAdded - 1, FLength, b);
      const TInsertContext around = b == before  ? icSameAsBefore
                                    : b == after ? icSameAsAfter
                                                 : Around(before, after, b, near);
      const wchar_t typed = WithCaseOf(kLetters[b], upper);
      Emit(gap, 0, {&typed, 1}, ekInsert, place,
           feature::kInsert + b * feature::kInsertContexts + around);
    }
  }

  // How the key typed as well lies to the letters beside the gap: the
  // closest relation counts.
  static TInsertContext Around(int ABefore, int AAfter, int ATyped, bool AEcho) {
    TKeyRelation r = krApart;
    for (int side : {ABefore, AAfter})
      if (side >= 0) r = std::min(r, KeyRelation(side, ATyped));
    const TInsertContext far = r == krSameRow    ? icRowNeighbourEcho
                               : r == krDiagonal ? icDiagonalEcho
                                                 : icOtherEcho;
    return TInsertContext(far + (AEcho ? 0 : 1));
  }

  // The place of a slip that touches the letters AFrom..ATo.
  TEditPlace PlaceOf(size_t AFrom, size_t ATo) const {
    if (AFrom <= FFirstLetter) return epFirst;
    if (ATo >= FLastLetter) return epLast;
    if (AFrom == FFirstLetter + 1) return epSecond;
    if (ATo + kEnding > FLastLetter) return epEnding;
    return epMiddle;
  }

  // Is ALetter among the letters AFrom..ATo, leaving out ASkip?
  int Echo(size_t AFrom, size_t ATo, size_t ASkip, int ALetter) const {
    for (size_t j = AFrom; j <= ATo && j < FLength; ++j)
      if (j != ASkip && FLetter[j] == ALetter) return 1;
    return 0;
  }

  int LetterAt(size_t AAt) const {
    return AAt >= FLength || FLetter[AAt] < 0 ? kLetterCount : FLetter[AAt];
  }

  void Emit(size_t AAt, size_t ARemove, std::wstring_view AInsert, TEditKind AKind,
            TEditPlace APlace, int AFeature) {
    double score = FFeature[size_t(AFeature)] * FWeights.Place[AKind][APlace];
    const int typed = AInsert.empty() ? LetterAt(AAt) : LetterIndex(FoldCase(AInsert[0]));
    const int keyPair =
        LetterAt(AAt - 1) * kLetterCount + (typed < 0 || typed >= kLetterCount ? 0 : typed);
    if (!FKeyPair.empty()) score *= FKeyPair[size_t(AKind * kKeyPairCount + keyPair)];
    const int last = AInsert.empty() ? LetterAt(AAt) : LetterIndex(FoldCase(AInsert.back()));
    const int nextPair =
        LetterAt(AAt + ARemove) * kLetterCount + (last < 0 || last >= kLetterCount ? 0 : last);
    if (!FNextPair.empty()) score *= FNextPair[size_t(AKind * kKeyPairCount + nextPair)];
    if (score <= 0) return;
    TWordEdit edit{};
    edit.At = uint32_t(AAt);
    edit.Remove = uint8_t(ARemove);
    edit.InsertLength = uint8_t(AInsert.copy(edit.Insert, 3));
    edit.Kind = AKind;
    edit.Place = APlace;
    edit.Feature = uint16_t(AFeature);
    edit.KeyPair = uint16_t(keyPair);
    edit.NextPair = uint16_t(nextPair);
    edit.Score = float(score);
    FEmit(std::move(edit));
  }

  const std::wstring &FWord;
  const std::wstring FLow;
  const size_t FLength;
  std::vector<int> FLetter;
  size_t FFirstLetter = FLength, FLastLetter = 0;
  const TTypoWeights &FWeights;
  const bool FGerman;
  const std::vector<double> &FFeature, &FKeyPair, &FNextPair;
  const std::function<void(TWordEdit &&)> &FEmit;
};

} // namespace

void EnumerateEdits(const std::wstring &AWord, const TTypoWeights &AWeights,
                    const std::function<void(TWordEdit &&)> &AEmit) {
  if (KeepsWordAsTyped(AWord)) return;
  TEditMaker maker(AWord, AWeights, AEmit);
  maker.MakeLetterSlips();
  maker.MakeAddedKeys();
  maker.MakeSoundAlikes();
}

std::wstring TWordEdit::Apply(const std::wstring &AWord) const {
  std::wstring text;
  text.reserve(Length(AWord));
  text.append(AWord, 0, At).append(Inserted()).append(AWord, At + Remove);
  return text;
}

} // namespace typo
