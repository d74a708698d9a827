// End to end: F1 in the real program opens its help file in the viewer.
#include <doctest.h>

#include "test_support.h"

TEST_CASE("F1 in the real program opens the help file beside it") {
  std::wstring built = test::ProgramPath();
  std::wstring chm = built.substr(0, built.find_last_of(L'.')) + L".CHM";
  REQUIRE_MESSAGE(FileExists(chm), "no help file was built (chmcmd missing?)");
  test::TProgramCopy copy;
  REQUIRE(copy.Add(chm, L"Tastenfang.CHM"));

  test::TProcess program(copy.Exe());
  HWND main = program.MainWindow();
  REQUIRE(main);
  HWND edit = FindWindowExW(FindWindowExW(main, nullptr, L"ComboBox", nullptr), nullptr, L"Edit",
                            nullptr);
  REQUIRE(edit);
  PostMessageW(edit, WM_KEYDOWN, VK_F1, 1);
  PostMessageW(edit, WM_KEYUP, VK_F1, 0xC0000001);
  // The viewer's window carries the help file's title.
  HWND viewer = test::FindProcessWindow(program.Pid(), L"kalverin Tastenfang Hilfe");
  CHECK(viewer != nullptr);
  if (viewer) PostMessageW(viewer, WM_CLOSE, 0, 0);
  CHECK(program.Close() == 0);
}
