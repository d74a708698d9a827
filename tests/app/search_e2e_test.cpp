// End to end: the real program, driven from this process, hands the search
// address to the shell, which starts the (stand-in) browser.
#include <doctest.h>

#include "app/program.h"
#include "app/search_address.h"
#include "test_support.h"

namespace {
// Types the text into the real program's combo box and presses Enter.
void TypeAndEnter(HWND AMain, const std::wstring &AText) {
  HWND combo = FindWindowExW(AMain, nullptr, L"ComboBox", nullptr);
  REQUIRE(combo);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  REQUIRE(edit);
  SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L""));
  for (wchar_t c : AText) PostMessageW(edit, WM_CHAR, c, 1);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
}
} // namespace

TEST_CASE("a typo search in the real program, with the variants made here and without") {
  test::TProgramCopy copy;
  REQUIRE(FileExists(copy.Exe()));
  test::TUrlRecorder browser;
  const std::wstring term = L"  Lego Technik & Zubehör ";

  {
    // First start: the option is checked.
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    TypeAndEnter(main, term);
    REQUIRE(browser.WaitFor(1));
    CHECK(browser.Addresses()[0] == OwnTypoSearchAddress(L"Lego Technik & Zubehör"));
    CHECK(browser.Addresses()[0].find(L"https://www.ebay.de/sch/i.html?_nkw=%28Lego+") == 0);
    CHECK(browser.Addresses()[0].find(L"+%26+Zubeh%C3%B6r%2C") != std::wstring::npos);
    CHECK(program.Close() == 0);
  }
  const std::string ini = test::ReadFileBytes(copy.File(L"Tastenfang.ini"));
  REQUIRE(ini.find("ChkOwnTypos=1") != std::string::npos);
  test::WriteFileBytes(copy.File(L"Tastenfang.ini"),
                       ini.substr(0, ini.find("ChkOwnTypos=1")) + "ChkOwnTypos=0" +
                           ini.substr(ini.find("ChkOwnTypos=1") + 13));
  {
    // Unchecked: the typo-search service as before, "&" kept in the term.
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    TypeAndEnter(main, term);
    REQUIRE(browser.WaitFor(2));
    CHECK(browser.Addresses()[1] ==
          std::wstring(kTypoSearchUrl) + L"Lego%20Technik%20%26%20Zubehör");
    CHECK(program.Close() == 0);
  }
}
