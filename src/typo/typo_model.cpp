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
  bool Touch[kLetterCount][kLetterCount] = {};
  TNeighbours() {
    std::vector<TKey> keys = KeyPositions();
    for (const TKey &a : keys)
      for (const TKey &b : keys) {
        int ia = LetterIndex(a.Unit), ib = LetterIndex(b.Unit);
        if (ia < 0 || ib < 0 || ia == ib) continue;
        double dx = std::fabs(a.X - b.X), dy = std::fabs(a.Y - b.Y);
        Touch[ia][ib] = (dy == 0 && dx <= 1.01) || (dy == 1 && dx <= 0.76);
      }
  }
};
const TNeighbours &Neighbours() {
  static const TNeighbours neighbours;
  return neighbours;
}

bool IsUpper(wchar_t AUnit) {
  return FoldCase(AUnit) != AUnit;
}

wchar_t ToUpper(wchar_t AUnit) {
  if (AUnit >= L'a' && AUnit <= L'z') return wchar_t(AUnit - 32);
  if (AUnit >= 0xE0 && AUnit <= 0xFE && AUnit != 0xF7) return wchar_t(AUnit - 32);
  return AUnit;
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
  return Neighbours().Touch[ALetterA][ALetterB];
}

bool KeepsWordAsTyped(const std::wstring &AWord) {
  int letters = 0;
  for (wchar_t c : AWord)
    if (LetterIndex(FoldCase(c)) >= 0 && ++letters >= 3) return false;
  return true;
}

void EnumerateEdits(const std::wstring &AWord, const TTypoWeights &AWeights,
                    const std::function<void(TWordEdit &&)> &AEmit) {
  if (KeepsWordAsTyped(AWord)) return;
  const std::wstring low = FoldCase(AWord);
  const size_t n = low.size();
  std::vector<int> letter(n);
  size_t firstLetter = n, lastLetter = 0;
  for (size_t i = 0; i < n; ++i) {
    letter[i] = LetterIndex(low[i]);
    if (letter[i] >= 0) {
      firstLetter = std::min(firstLetter, i);
      lastLetter = i;
    }
  }
  auto placeOf = [&](size_t AFrom, size_t ATo) { // the letters AFrom..ATo are touched
    if (AFrom <= firstLetter) return epFirst;
    if (ATo >= lastLetter) return epLast;
    if (AFrom == firstLetter + 1) return epSecond;
    if (ATo + kEnding > lastLetter) return epEnding;
    return epMiddle;
  };
  // Is ALetter among the letters AFrom..ATo, leaving out ASkip?
  auto echo = [&](size_t AFrom, size_t ATo, size_t ASkip, int ALetter) {
    for (size_t j = AFrom; j <= ATo && j < n; ++j)
      if (j != ASkip && letter[j] == ALetter) return 1;
    return 0;
  };
  auto letterAt = [&](size_t AAt) {
    return AAt >= n || letter[AAt] < 0 ? kLetterCount : letter[AAt];
  };
  auto emit = [&](size_t AAt, size_t ARemove, std::wstring_view AInsert, TEditKind AKind,
                  TEditPlace APlace, int AFeature) {
    double score = AWeights.Feature[size_t(AFeature)] * AWeights.Place[AKind][APlace];
    const int typed = AInsert.empty() ? letterAt(AAt) : LetterIndex(FoldCase(AInsert[0]));
    const int keyPair =
        letterAt(AAt - 1) * kLetterCount + (typed < 0 || typed >= kLetterCount ? 0 : typed);
    if (!AWeights.KeyPair.empty())
      score *= AWeights.KeyPair[size_t(AKind * kKeyPairCount + keyPair)];
    const int last = AInsert.empty() ? letterAt(AAt) : LetterIndex(FoldCase(AInsert.back()));
    const int nextPair =
        letterAt(AAt + ARemove) * kLetterCount + (last < 0 || last >= kLetterCount ? 0 : last);
    if (!AWeights.NextPair.empty())
      score *= AWeights.NextPair[size_t(AKind * kKeyPairCount + nextPair)];
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
    AEmit(std::move(edit));
  };
  const TNeighbours &keys = Neighbours();

  for (size_t i = 0; i < n; ++i) {
    const int a = letter[i];
    if (a < 0) continue;
    const bool upper = IsUpper(AWord[i]);
    // A letter left out; dropping one of a doubled pair is its own slip.
    {
      bool doubled = (i > 0 && low[i - 1] == low[i]) || (i + 1 < n && low[i + 1] == low[i]);
      emit(i, 1, L"", ekOmit, placeOf(i, i), feature::kOmit + a * 2 + (doubled ? 1 : 0));
    }
    // Neighbours swapped; each keeps the case of its place.
    if (i + 1 < n && letter[i + 1] >= 0 && low[i] != low[i + 1]) {
      std::wstring t{WithCaseOf(low[i + 1], upper), WithCaseOf(low[i], IsUpper(AWord[i + 1]))};
      emit(i, 2, t, ekSwap, placeOf(i, i + 1), feature::kSwap + a * kLetterCount + letter[i + 1]);
    }
    // Another key typed instead.
    for (int b = 0; b < kLetterCount; ++b) {
      if (b == a) continue;
      const wchar_t typed = WithCaseOf(kLetters[b], upper);
      emit(i, 1, {&typed, 1}, ekSubstitute, placeOf(i, i),
           feature::kSubstitute + (a * kLetterCount + b) * 2 +
               echo(i >= kEchoReplaced ? i - kEchoReplaced : 0, i + kEchoReplaced, i, b));
    }
  }
  // A key typed as well: in each gap next to a letter.
  for (size_t gap = 0; gap <= n; ++gap) {
    const int before = gap > 0 ? letter[gap - 1] : -1;
    const int after = gap < n ? letter[gap] : -1;
    if (before < 0 && after < 0) continue;
    const bool upper = before >= 0 ? IsUpper(AWord[gap - 1]) && (after < 0 || IsUpper(AWord[gap]))
                                   : IsUpper(AWord[gap]) && gap + 1 < n && IsUpper(AWord[gap + 1]);
    // A gap is placed as the letter after it.
    const TEditPlace place = gap <= firstLetter ? epFirst
                             : gap > lastLetter ? epLast
                                                : placeOf(gap, gap);
    for (int b = 0; b < kLetterCount; ++b) {
      const bool touch =
          (before >= 0 && keys.Touch[before][b]) || (after >= 0 && keys.Touch[after][b]);
      const bool near = echo(gap >= kEchoAdded ? gap - kEchoAdded : 0, gap + kEchoAdded - 1, n, b);
      const TInsertContext around = b == before  ? icSameAsBefore
                                    : b == after ? icSameAsAfter
                                    : touch      ? (near ? icNeighbourKeyEcho : icNeighbourKey)
                                    : near       ? icOtherEcho
                                                 : icOther;
      const wchar_t typed = WithCaseOf(kLetters[b], upper);
      emit(gap, 0, {&typed, 1}, ekInsert, place, feature::kInsert + b * 6 + around);
    }
  }
  // German sound-alikes.
  for (size_t r = 0; r < std::size(kSoundRules); ++r) {
    const std::wstring from = kSoundRules[r].From, to = kSoundRules[r].To;
    for (size_t at = low.find(from); at != std::wstring::npos; at = low.find(from, at + 1)) {
      std::wstring replacement = to;
      if (IsUpper(AWord[at]))
        for (wchar_t &c : replacement)
          c = ToUpper(c);
      emit(at, from.size(), replacement, ekSound, placeOf(at, at + from.size() - 1),
           feature::kSound + int(r));
    }
  }
}

std::wstring TWordEdit::Apply(const std::wstring &AWord) const {
  std::wstring text;
  text.reserve(Length(AWord));
  text.append(AWord, 0, At).append(Inserted()).append(AWord, At + Remove);
  return text;
}

} // namespace typo
