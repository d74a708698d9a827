#include "markup/markup_entities.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/strings.h"
#include "markup/markup_helpers.h"

namespace {
// The entities without their "&", upper-cased as the text is compared, in
// the order of the table.
struct TEntityBody {
  std::wstring Body;
  std::wstring Replacement;
};

const std::vector<TEntityBody> &EntityBodies() {
  static const std::vector<TEntityBody> bodies = [] {
    std::vector<TEntityBody> list;
    for (const TMarkupEntity &e : MarkupEntities)
      list.push_back({UpperCase(e.Entity + 1), e.Replacement});
    return list;
  }();
  return bodies;
}

bool BodyAt(const std::wstring &AUpper, size_t AAt, const std::wstring &ABody) {
  return AUpper.size() - AAt >= ABody.size() && AUpper.compare(AAt, ABody.size(), ABody) == 0;
}
} // namespace

// Entities do not overlap (each holds one "&", at its start), replacing one
// never breaks another, and only the second "&" of "&amp;"'s "&&" can begin
// a new one. So the order of replacements does not change the end result,
// and a single pass reaches it: after "&amp;" the second "&" stays pending
// and is matched against the text that follows.
std::wstring ReplaceEntities(const std::wstring &AText) {
  // Compared as the platform upper-cases, the way the sweeps find them.
  const std::wstring upper = UpperCase(AText);
  const std::vector<TEntityBody> &bodies = EntityBodies();
  std::wstring result;
  result.reserve(AText.size());
  size_t i = 0;
  const size_t n = AText.size();
  while (i < n) {
    if (upper[i] != L'&') {
      result += AText[i++];
      continue;
    }
    size_t at = i + 1;
    wchar_t pending = AText[i];
    for (;;) {
      size_t found = bodies.size();
      for (size_t k = 0; k < bodies.size() && found == bodies.size(); ++k)
        if (BodyAt(upper, at, bodies[k].Body)) found = k;
      if (found == bodies.size()) {
        result += pending;
        break;
      }
      at += bodies[found].Body.size();
      const std::wstring &replacement = bodies[found].Replacement;
      if (!replacement.empty() && replacement.back() == L'&') {
        // "&&": the first one is final, the second may start another.
        result.append(replacement, 0, replacement.size() - 1);
        pending = L'&';
        continue;
      }
      result += replacement;
      break;
    }
    i = at;
  }
  return result;
}

std::wstring ReplaceChunkEntities(const wchar_t *AText, size_t ALength, bool &AReplaced) {
  AReplaced = false;
  std::wstring result;
  result.reserve(ALength);
  for (size_t i = 0; i < ALength;) {
    if (AText[i] == L'&') {
      const size_t left = ALength - i;
      if (left >= 6 && std::wmemcmp(AText + i, L"&nbsp;", 6) == 0) {
        result += L' ';
        i += 6;
        AReplaced = true;
        continue;
      }
      if (left >= 4 && std::wmemcmp(AText + i, L"&lt;", 4) == 0) {
        result += L'<';
        i += 4;
        AReplaced = true;
        continue;
      }
      if (left >= 4 && std::wmemcmp(AText + i, L"&gt;", 4) == 0) {
        result += L'>';
        i += 4;
        AReplaced = true;
        continue;
      }
    }
    result += AText[i++];
  }
  return result;
}
