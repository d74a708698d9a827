// The real program refuses a second copy, also one from another folder.
#include <doctest.h>

#include "test_support.h"

TEST_CASE("a second copy ends silently with code 0 while the first runs on") {
  test::TProgramCopy copy;
  const std::wstring &exe = copy.Exe();

  test::TProcess first(exe);
  HWND window = first.MainWindow();
  REQUIRE(window);
  RECT before;
  GetWindowRect(window, &before);

  HANDLE second = test::StartProcess(exe);
  REQUIRE(second);
  CHECK(test::WaitExit(second, 15000) == 0);
  CHECK(test::ProcessWindows(GetProcessId(second)).empty());
  CloseHandle(second);

  // A copy of the program file in another folder is refused as well.
  test::TTempDir other;
  std::wstring renamed = other.File(L"Suche.exe");
  REQUIRE(CopyFileW(exe.c_str(), renamed.c_str(), FALSE));
  HANDLE third = test::StartProcess(renamed);
  REQUIRE(third);
  CHECK(test::WaitExit(third, 15000) == 0);
  CloseHandle(third);
  CHECK_FALSE(test::FileExists(other.File(L"Suche.ini")));

  // The first copy is unchanged.
  CHECK(IsWindowVisible(window));
  RECT after;
  GetWindowRect(window, &after);
  CHECK(EqualRect(&before, &after));

  CHECK(first.Close() == 0);

  // Once the first has ended, a new start succeeds.
  test::TProcess next(exe);
  CHECK(next.MainWindow() != nullptr);
  CHECK(next.Close() == 0);
}
