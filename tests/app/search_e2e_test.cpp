// End to end: the real program, driven from this process, hands the search
// address to the shell, which starts the (stand-in) browser.
#include <doctest.h>

#include "app/program.h"
#include "test_support.h"

TEST_CASE("typing a term and pressing Enter in the real program opens its address") {
  test::TProgramCopy copy;
  REQUIRE(test::FileExists(copy.Exe()));
  test::TUrlRecorder browser;

  test::TProcess program(copy.Exe());
  HWND main = program.MainWindow();
  REQUIRE(main);
  HWND combo = FindWindowExW(main, nullptr, L"ComboBox", nullptr);
  REQUIRE(combo);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  REQUIRE(edit);

  for (wchar_t c : std::wstring(L"  Lego Technik & Zubehör "))
    PostMessageW(edit, WM_CHAR, c, 1);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);

  REQUIRE(browser.WaitFor(1));
  CHECK(browser.Addresses()[0] ==
        std::wstring(kTypoSearchUrl) + L"Lego%20Technik%20&%20Zubehör");

  CHECK(program.Close() == 0);
}
