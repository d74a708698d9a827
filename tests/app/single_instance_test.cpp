// The real program refuses a second copy, also one from another folder.
#include <doctest.h>

#include "app/single_instance.h"
#include "test_support.h"
#include "ui/application.h"

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
  CHECK_FALSE(FileExists(other.File(L"Suche.ini")));

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

TEST_CASE("a new start succeeds after the first copy was killed") {
  test::TProgramCopy copy;
  {
    test::TProcess first(copy.Exe());
    REQUIRE(first.MainWindow());
    // Killed: the platform gives up the mutex with the process.
    TerminateProcess(first.Handle(), 9);
    CHECK(test::WaitExit(first.Handle(), 15000) == 9);
  }
  test::TProcess next(copy.Exe());
  CHECK(next.MainWindow() != nullptr);
  CHECK(next.Close() == 0);
}

TEST_CASE("the guard that ends a second copy closes its mutex handle") {
  const std::wstring oldTitle = Application->Title();
  const std::wstring name = L"Tastenfang Guard Test " + std::to_wstring(GetCurrentProcessId());
  Application->SetTitle(name);
  HANDLE first = CreateMutexW(nullptr, TRUE, name.c_str());
  REQUIRE(first);
  int code = -1;
  try {
    TSingleInstance guard(nullptr);
  } catch (const TProgramHalt &halt) {
    code = halt.ExitCode;
  }
  Application->SetTitle(oldTitle);
  CHECK(code == 0);
  CloseHandle(first);
  // No handle of the guard keeps the name alive.
  HANDLE again = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
  CHECK(again == nullptr);
  if (again) CloseHandle(again);
}
