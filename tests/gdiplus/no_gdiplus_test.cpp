// The program without GDI+: it starts, shows its window, no message, and
// ends normally.
#include <doctest.h>

#include "test_support.h"
#include "ui/exception.h"

TEST_CASE("Tastenfang runs without gdiplus.dll and says nothing about it") {
  std::wstring exe = test::ProgramPath();
  REQUIRE(test::FileExists(exe));
  // Wine's loader takes the override from the new process's environment.
  HANDLE process =
      test::StartProcessWithEnvironment(exe, L"", {L"WINEDLLOVERRIDES=mscoree,mshtml=;gdiplus=d"});
  REQUIRE(process);
  DWORD pid = GetProcessId(process);
  HWND main = test::FindProcessWindow(pid, L"kalverin Tastenfang", 20000);
  CHECK(main != nullptr);
  test::Pump(500);
  for (HWND w : test::ProcessWindows(pid)) {
    CAPTURE(WideToUtf8(test::WindowText(w)));
    CHECK(test::ClassName(w) != L"#32770"); // no message box
  }
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD code = test::WaitExit(process, 20000);
  if (code == STILL_ACTIVE) TerminateProcess(process, 1);
  CHECK(code == 0);
  CloseHandle(process);
}
