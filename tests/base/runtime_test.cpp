// The runtime library's components and texts.
#include <windows.h>

#include <doctest.h>

#include <string>
#include <vector>

#include "base/component.h"
#include "base/strings.h"

namespace {
// Logs its destruction.
class TLogged : public TComponent {
public:
  TLogged(TComponent *AOwner, std::wstring AName, std::vector<std::wstring> &ALog)
      : TComponent(AOwner), FLog(ALog) {
    SetName(std::move(AName));
  }
  ~TLogged() override { FLog.push_back(Name()); }

private:
  std::vector<std::wstring> &FLog;
};
} // namespace

TEST_CASE("owned components die with their owner, last created first") {
  std::vector<std::wstring> log;
  auto *owner = new TLogged(nullptr, L"owner", log);
  new TLogged(owner, L"a", log);
  auto *b = new TLogged(owner, L"b", log);
  new TLogged(b, L"b1", log);
  new TLogged(owner, L"c", log);
  CHECK(owner->ComponentCount() == 3);
  CHECK(owner->FindComponent(L"B") == b);

  delete owner;
  // Each logs before its own components go.
  CHECK(log == std::vector<std::wstring>{L"owner", L"c", L"b", L"b1", L"a"});
}

TEST_CASE("deleting an owned component takes it out of its owner") {
  std::vector<std::wstring> log;
  auto *owner = new TLogged(nullptr, L"owner", log);
  auto *a = new TLogged(owner, L"a", log);
  new TLogged(owner, L"b", log);
  delete a;
  CHECK(owner->ComponentCount() == 1);
  delete owner;
  CHECK(log == std::vector<std::wstring>{L"a", L"owner", L"b"});
}

TEST_CASE("upper-casing maps every letter as the window library's CharUpperBuff does") {
  // Each unit of the basic plane (surrogates alone stay as they are).
  std::wstring all;
  for (wchar_t c = 1; c != 0; ++c) all.push_back(c);
  std::wstring platform = all;
  CharUpperBuffW(platform.data(), DWORD(platform.size()));
  const std::wstring ours = UpperCase(all);
  REQUIRE(ours.size() == all.size());
  size_t differing = 0;
  for (size_t i = 0; i < all.size(); ++i)
    if (ours[i] != platform[i]) ++differing;
  CHECK(differing == 0);
  CHECK(UpperCase(L"gr\u00f6\u00dfe \u00e4") == L"GR\u00d6\u00dfE \u00c4");
  CHECK(UpperCase(L"").empty());
}
