// The real program refuses a second copy, also one from another folder.
#include <doctest.h>

#include "test_support.h"

TEST_CASE("a second copy ends silently with code 0 while the first runs on") {
  test::TTempDir dir;
  // Settings of these runs go beside the copies, not into the user's folder.
  std::wstring exe = dir.File(L"Tastenfang.exe");
  REQUIRE(CopyFileW(test::ProgramPath().c_str(), exe.c_str(), FALSE));
  test::WriteFileBytes(dir.File(L"Pfad.ini"), "[Pfad]\r\nIni=*\r\n");

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
  std::wstring copy = other.File(L"Suche.exe");
  REQUIRE(CopyFileW(exe.c_str(), copy.c_str(), FALSE));
  HANDLE third = test::StartProcess(copy);
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
