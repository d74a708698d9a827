// Where the settings file lives: the default folder and the redirect file.
#include <doctest.h>
#include <shlobj.h>

#include "settings/settings_path.h"
#include "test_support.h"

namespace {
// A program folder with an optional "Pfad.ini" (plain 8-bit text).
struct TProgram {
  test::TTempDir Dir;
  std::wstring Folder = Dir.Path() + L"\\";
  std::wstring Exe;
  explicit TProgram(const std::wstring &AName = L"Tastenfang.exe") : Exe(Folder + AName) {}
  void Redirect(const std::string &AText) { test::WriteFileBytes(Folder + L"Pfad.ini", AText); }
  std::wstring Resolve() const { return ResolveSettingsPath(DefaultSettingsPath(Exe), Exe); }
};

std::wstring AppData() {
  return GetSpecialFolderPath(CSIDL_APPDATA);
}

} // namespace

TEST_CASE("the special folder is named without a trailing delimiter") {
  std::wstring path = AppData();
  REQUIRE_FALSE(path.empty());
  CHECK(path.back() != L'\\');
  CHECK(DirectoryExists(path));
  wchar_t expected[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, expected);
  CHECK(path == expected);
  CHECK(GetSpecialFolderPath(0xFF) == L"");         // no such folder
  CHECK(GetSpecialFolderPath(CSIDL_DRIVES) == L""); // no file-system path
}

TEST_CASE("without a redirect the file lies in the application-data folder") {
  TProgram program;
  CHECK(program.Resolve() == AppData() + L"\\kalverin Tastenfang\\Tastenfang.ini");
  SUBCASE("a renamed program file renames the settings file, not the folder") {
    TProgram renamed(L"Suche.exe");
    CHECK(renamed.Resolve() == AppData() + L"\\kalverin Tastenfang\\Suche.ini");
  }
  SUBCASE("a redirect without the section or key changes nothing") {
    program.Redirect("[Pfad]\r\nAnders=D:\\x\r\n");
    CHECK(program.Resolve() == AppData() + L"\\kalverin Tastenfang\\Tastenfang.ini");
    program.Redirect("[Sonst]\r\nIni=D:\\x\r\n");
    CHECK(program.Resolve() == AppData() + L"\\kalverin Tastenfang\\Tastenfang.ini");
    program.Redirect("kein INI \x01\xFF\r\n");
    CHECK(program.Resolve() == AppData() + L"\\kalverin Tastenfang\\Tastenfang.ini");
  }
  SUBCASE("a folder named Pfad.ini is no redirect file") {
    CreateDirectoryW((program.Folder + L"Pfad.ini").c_str(), nullptr);
    CHECK(program.Resolve() == AppData() + L"\\kalverin Tastenfang\\Tastenfang.ini");
  }
}

TEST_CASE("the redirect file names the folder") {
  TProgram program;
  struct TCase {
    std::string Value;
    std::wstring Folder;
  } cases[] = {
      {"*", program.Folder},
      {"*\\", program.Folder},
      {"*\\Daten", program.Folder + L"Daten\\"},
      {"*Daten", program.Folder + L"Daten\\"},
      {"*\\Daten\\", program.Folder + L"Daten\\"},
      {"D:\\Einstellungen", L"D:\\Einstellungen\\"},
      {"D:\\Einstellungen\\", L"D:\\Einstellungen\\"},
      {"", L"\\"},
      {"Daten", L"Daten\\"},
      {"D:\\a*b", L"D:\\a*b\\"},
      {"*\\a*\\b*c", program.Folder + L"a" + program.Folder + L"b" + program.Folder + L"c\\"},
      {"  \"*\\mit Blank\"  ", program.Folder + L"mit Blank\\"},
      // Plain 8-bit text: 0xFC is "ü" in the system's code page (1252 here).
      {"D:\\Gr\xFCn", L"D:\\Gr\u00fcn\\"},
  };
  for (const TCase &c : cases) {
    CAPTURE(c.Value);
    program.Redirect("[pfad]\r\nini=" + c.Value + "\r\n");
    CHECK(program.Resolve() == c.Folder + L"Tastenfang.ini");
  }
  TProgram renamed(L"Suche.exe");
  renamed.Redirect("[Pfad]\r\nIni=*Daten\r\n");
  CHECK(renamed.Resolve() == renamed.Folder + L"Daten\\Suche.ini");
}

TEST_CASE("start-up sets IniFileName and creates every missing folder") {
  SUBCASE("redirected into new nested folders") {
    TProgram program;
    program.Redirect("[Pfad]\r\nIni=*\\a\\b\\c\r\n");
    InitSettingsPath(program.Exe);
    CHECK(IniFileName == program.Folder + L"a\\b\\c\\Tastenfang.ini");
    CHECK(DirectoryExists(program.Folder + L"a\\b\\c"));
    CHECK_FALSE(FileExists(IniFileName)); // the first save creates the file
  }
  SUBCASE("the default folder on the first start") {
    TProgram program(L"TastenfangTest.exe");
    std::wstring folder = AppData() + L"\\kalverin Tastenfang";
    RemoveDirectoryW(folder.c_str()); // when empty: as on a first start
    InitSettingsPath(program.Exe);
    CHECK(IniFileName == folder + L"\\TastenfangTest.ini");
    CHECK(DirectoryExists(folder));
  }
  SUBCASE("a folder that cannot be created is not reported") {
    TProgram program;
    test::WriteFileBytes(program.Folder + L"Datei", "x");
    program.Redirect("[Pfad]\r\nIni=*Datei\\unter\r\n");
    InitSettingsPath(program.Exe);
    CHECK(IniFileName == program.Folder + L"Datei\\unter\\Tastenfang.ini");
    CHECK_FALSE(DirectoryExists(program.Folder + L"Datei\\unter"));
  }
  ReleaseSettingsPath();
  CHECK(IniFileName.empty());
}

TEST_CASE("folders are created with every missing parent") {
  test::TTempDir dir;
  CHECK(ForceDirectories(dir.Path() + L"\\x\\y\\z\\"));
  CHECK(DirectoryExists(dir.Path() + L"\\x\\y\\z"));
  CHECK(ForceDirectories(dir.Path() + L"\\x\\y")); // already there
  CHECK(ForceDirectories(dir.Path() + L"/p/q"));
  CHECK(DirectoryExists(dir.Path() + L"\\p\\q"));
  CHECK(ForceDirectories(L"\\"));
  test::WriteFileBytes(dir.File(L"f"), "x");
  CHECK_FALSE(ForceDirectories(dir.Path() + L"\\f\\g"));
}

TEST_CASE("a relative folder is taken from the current working folder") {
  test::TTempDir dir;
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(dir.Path().c_str());
  TProgram program;
  program.Redirect("[Pfad]\r\nIni=Daten\r\n");
  InitSettingsPath(program.Exe);
  std::wstring ini = IniFileName;
  bool created = DirectoryExists(dir.Path() + L"\\Daten");
  SetCurrentDirectoryW(previous);
  ReleaseSettingsPath();
  CHECK(ini == L"Daten\\Tastenfang.ini");
  CHECK(created);
}
