// The real program refuses a second copy, also one from another folder.
#include <doctest.h>

#include "test_support.h"

namespace {
const wchar_t kTitle[] = L"kalverin Tastenfang";

struct TRunningCopy {
  HANDLE Process = nullptr;
  DWORD Pid = 0;
  HWND Window = nullptr;
  explicit TRunningCopy(const std::wstring &AExe) {
    Process = test::StartProcess(AExe);
    if (!Process) return;
    Pid = GetProcessId(Process);
    Window = test::FindProcessWindow(Pid, kTitle, 15000);
  }
  DWORD Close() {
    if (Window) PostMessageW(Window, WM_CLOSE, 0, 0);
    return test::WaitExit(Process, 15000);
  }
  ~TRunningCopy() {
    if (test::WaitExit(Process, 0) == STILL_ACTIVE) TerminateProcess(Process, 99);
    CloseHandle(Process);
  }
};

int WindowsOf(DWORD APid) {
  int n = 0;
  for (HWND w : test::TopLevelWindows(0)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == APid) ++n;
  }
  return n;
}
} // namespace

TEST_CASE("a second copy ends silently with code 0 while the first runs on") {
  test::TTempDir dir;
  // Settings of these runs go beside the copies, not into the user's folder.
  std::wstring exe = dir.File(L"Tastenfang.exe");
  REQUIRE(CopyFileW(test::ProgramPath().c_str(), exe.c_str(), FALSE));
  test::WriteFileBytes(dir.File(L"Pfad.ini"), "[Pfad]\r\nIni=*\r\n");

  TRunningCopy first(exe);
  REQUIRE(first.Window);
  RECT before;
  GetWindowRect(first.Window, &before);

  HANDLE second = test::StartProcess(exe);
  REQUIRE(second);
  CHECK(test::WaitExit(second, 15000) == 0);
  CHECK(WindowsOf(GetProcessId(second)) == 0);
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
  CHECK(IsWindowVisible(first.Window));
  RECT after;
  GetWindowRect(first.Window, &after);
  CHECK(EqualRect(&before, &after));

  CHECK(first.Close() == 0);

  // Once the first has ended, a new start succeeds.
  TRunningCopy next(exe);
  CHECK(next.Window != nullptr);
  CHECK(next.Close() == 0);
}
