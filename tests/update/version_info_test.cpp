#include <doctest.h>

#include "info/version_info.h"
#include "test_support.h"

TEST_CASE("the built program's version resource is read from its German block") {
  const std::wstring exe = test::ProgramPath();
  REQUIRE(FileExists(exe));
  CHECK(GetVersionInfoValue(L"ProductVersion", exe) == L"2.00");
  CHECK(GetVersionInfoValue(L"FileVersion", exe) == L"2.0.0.0");
  CHECK(GetVersionInfoValue(L"OriginalFilename", exe) == L"Tastenfang.exe");
  CHECK(GetVersionInfoValue(L"LegalTrademarks", exe) == L"");
  CHECK(GetVersionInfoValue(L"Kommentar", exe) == L"Undefiniert");
}

TEST_CASE("without the German block or a version resource the value is undefined") {
  // The platform's own files carry their strings in another block.
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring kernel = std::wstring(system) + L"\\kernel32.dll";
  DWORD handle = 0;
  REQUIRE(GetFileVersionInfoSizeW(kernel.c_str(), &handle) > 0);
  CHECK(GetVersionInfoValue(L"ProductVersion", kernel) == L"Undefiniert");
  // This test program carries the program's resources: its own lookup
  // reads them.
  CHECK(GetVersionInfoValue(L"ProductVersion") == L"2.00");
  CHECK(GetVersionInfoValue(L"ProductVersion", L"Z:\\gibt\\es\\nicht.exe") == L"Undefiniert");
}
