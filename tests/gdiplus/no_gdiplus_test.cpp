// The program without GDI+: it starts, shows its window, no message, and
// ends normally.
#include <doctest.h>

#include "base/exception.h"
#include "test_support.h"

TEST_CASE("Tastenfang runs without gdiplus.dll and says nothing about it") {
  std::wstring exe = test::ProgramPath();
  REQUIRE(FileExists(exe));
  // Wine's loader takes the override from the new process's environment.
  HANDLE process =
      test::StartProcessWithEnvironment(exe, L"", {L"WINEDLLOVERRIDES=mscoree,mshtml=;gdiplus=d"});
  REQUIRE(process);
  DWORD pid = GetProcessId(process);
  HWND main = test::FindProcessWindow(pid, L"kalverin Tastenfang", 20000);
  CHECK(main != nullptr);
  // A message would come up while the window is first shown; once the
  // program waits for input and has answered a message, it would be there.
  WaitForInputIdle(process, test::kWaitLimit);
  if (main) SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, test::kWaitLimit, nullptr);
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
