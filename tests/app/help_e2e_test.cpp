// End to end: F1 in the real program opens its help file in the viewer.
#include <doctest.h>

#include "test_support.h"

TEST_CASE("F1 in the real program opens the help file beside it") {
  std::wstring built = test::ProgramPath();
  std::wstring chm = built.substr(0, built.find_last_of(L'.')) + L".CHM";
  if (!test::FileExists(chm)) {
    MESSAGE("no help file was built (chmcmd missing); skipped");
    return;
  }
  test::TTempDir dir;
  std::wstring exe = dir.File(L"Tastenfang.exe");
  REQUIRE(CopyFileW(built.c_str(), exe.c_str(), FALSE));
  REQUIRE(CopyFileW(chm.c_str(), dir.File(L"Tastenfang.CHM").c_str(), FALSE));
  test::WriteFileBytes(dir.File(L"Pfad.ini"), "[Pfad]\r\nIni=*\r\n");

  test::TProcess program(exe);
  HWND main = program.MainWindow();
  REQUIRE(main);
  HWND edit = FindWindowExW(FindWindowExW(main, nullptr, L"ComboBox", nullptr), nullptr, L"Edit",
                            nullptr);
  REQUIRE(edit);
  PostMessageW(edit, WM_KEYDOWN, VK_F1, 1);
  PostMessageW(edit, WM_KEYUP, VK_F1, 0xC0000001);
  // The viewer's window carries the help file's title.
  HWND viewer = test::FindProcessWindow(program.Pid(), L"kalverin Tastenfang Hilfe", 15000);
  CHECK(viewer != nullptr);
  if (viewer) PostMessageW(viewer, WM_CLOSE, 0, 0);
  CHECK(program.Close() == 0);
}
