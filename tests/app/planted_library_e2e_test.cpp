// End to end: libraries of platform names planted beside a portable copy
// of the real program are never loaded, and the program works as before.
#include <doctest.h>

#include <windows.h>

#include <cctype>
#include <cstddef>
#include <cstring>
#include <set>
#include <string>

#include "test_support.h"

namespace {
// Distinct colours shown on the screen in a window's rectangle.
size_t ColoursShown(HWND AWnd) {
  RECT r;
  GetWindowRect(AWnd, &r);
  HDC screen = GetDC(nullptr);
  std::set<COLORREF> colours;
  for (int y = r.top; y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2) colours.insert(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return colours.size();
}

// Wine substitutes its own code for a platform library found beside a
// program; told to prefer the file, it loads what the search found first,
// as Windows does. Wine's own settings, unknown to Windows.
struct TPreferFoundLibraries {
  explicit TPreferFoundLibraries(std::initializer_list<const wchar_t *> ANames) {
    const wchar_t *key = L"Software\\Wine\\AppDefaults\\Tastenfang.exe\\DllOverrides";
    for (const wchar_t *name : ANames)
      RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, L"native,builtin",
                      sizeof(L"native,builtin"));
  }
  ~TPreferFoundLibraries() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Tastenfang.exe");
  }
};
} // namespace

TEST_CASE("planted libraries beside the program are never loaded; its pictures still draw") {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring planted = self;
  planted = planted.substr(0, planted.find_last_of(L'\\')) + L"\\planted_library.dll";
  REQUIRE(FileExists(planted));

  test::TProgramCopy copy;
  // Libraries the program loads itself. Not the theme and image libraries:
  // Wine's own common controls load those by bare name, whatever the
  // program restricts (Windows loads them from the system folder). What
  // the program imports is checked below.
  const wchar_t *names[] = {L"gdiplus.dll", L"hhctrl.ocx", L"comctl32.dll"};
  for (const wchar_t *name : names) REQUIRE(copy.Add(planted, name));

  {
    TPreferFoundLibraries wine({L"gdiplus", L"hhctrl.ocx", L"comctl32"});
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    // The info button opens the dialog, whose PNG pictures GDI+ decodes.
    HWND infoButton = ChildWindowFromPointEx(main, POINT{289, 129}, CWP_SKIPINVISIBLE);
    REQUIRE(infoButton);
    REQUIRE(infoButton != main);
    PostMessageW(infoButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(infoButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND info = test::FindProcessWindow(program.Pid(), L"Info/Einstellungen", 15000);
    REQUIRE(info);
    // Image1, the maker's PNG logo at (8, 145) of the first page.
    HWND picture = nullptr;
    for (HWND w : test::ChildWindows(info)) {
      RECT r;
      GetWindowRect(w, &r);
      MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT *>(&r), 2);
      if (r.left == 8 && r.top == 145) picture = w;
    }
    REQUIRE(picture);
    CHECK(test::PumpUntil([&] { return ColoursShown(picture) > 2; }, 10000));
    PostMessageW(info, WM_CLOSE, 0, 0);
    CHECK(test::PumpUntil([&] { return !IsWindowVisible(info); }, 10000));
    CHECK(program.Close() == 0);
  }
  for (const wchar_t *name : names) {
    CAPTURE(std::string(name, name + wcslen(name)));
    CHECK_FALSE(FileExists(copy.File(std::wstring(name) + L".loaded")));
  }
}

TEST_CASE("the program imports only libraries that cannot be planted beside it") {
  // Imports are resolved before the program's first line, so only the
  // platform's known libraries (always from the system folder) and common
  // controls (bound to the system's copy by the manifest) may be imported.
  // Wine keeps no list of known libraries, hence the names here.
  const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL",
                                         "OLE32.DLL",    "OLEAUT32.DLL", "SHELL32.DLL",
                                         "MSVCRT.DLL",   "COMCTL32.DLL"};
  HMODULE image = LoadLibraryExW(test::ProgramPath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  REQUIRE(image);
  auto *base = reinterpret_cast<const BYTE *>(image);
  auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  REQUIRE(dir.VirtualAddress != 0);
  size_t count = 0;
  for (auto *entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress);
       entry->Name; ++entry, ++count) {
    std::string name = reinterpret_cast<const char *>(base + entry->Name);
    for (char &c : name) c = char(toupper(static_cast<unsigned char>(c)));
    CAPTURE(name);
    CHECK(allowed.count(name) == 1);
  }
  CHECK(count > 0);
  FreeLibrary(image);
}

namespace {
template <class T> T ReadAt(const std::string &AImage, size_t AOffset) {
  T value{};
  if (AOffset + sizeof(T) <= AImage.size()) memcpy(&value, AImage.data() + AOffset, sizeof(T));
  return value;
}

struct TLoadConfig {
  WORD Machine = 0;
  DWORD EntrySize = 0;  // the header's data directory entry
  DWORD RecordSize = 0; // the record's own Size field
  WORD DependentLoadFlags = 0;
};

// The load configuration of a program file of either architecture, read
// from the file, since a test program cannot map the other one's image.
TLoadConfig ReadLoadConfig(const std::string &AImage) {
  TLoadConfig result;
  const LONG pe = ReadAt<LONG>(AImage, offsetof(IMAGE_DOS_HEADER, e_lfanew));
  const auto file = ReadAt<IMAGE_FILE_HEADER>(AImage, pe + 4);
  const size_t optional = pe + 4 + sizeof(IMAGE_FILE_HEADER);
  const bool wide = ReadAt<WORD>(AImage, optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
  const size_t directories = optional + (wide ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                                              : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory));
  const auto entry = ReadAt<IMAGE_DATA_DIRECTORY>(
      AImage, directories + IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG * sizeof(IMAGE_DATA_DIRECTORY));
  result.Machine = file.Machine;
  result.EntrySize = entry.Size;
  const size_t sections = optional + file.SizeOfOptionalHeader;
  for (WORD i = 0; i < file.NumberOfSections; ++i) {
    const auto s = ReadAt<IMAGE_SECTION_HEADER>(AImage, sections + i * sizeof(IMAGE_SECTION_HEADER));
    if (entry.VirtualAddress < s.VirtualAddress ||
        entry.VirtualAddress >= s.VirtualAddress + s.SizeOfRawData)
      continue;
    const size_t record = s.PointerToRawData + (entry.VirtualAddress - s.VirtualAddress);
    result.RecordSize = ReadAt<DWORD>(AImage, record);
    // The field mingw-w64's headers call Reserved1.
    result.DependentLoadFlags =
        ReadAt<WORD>(AImage, record + (wide ? offsetof(IMAGE_LOAD_CONFIG_DIRECTORY64, Reserved1)
                                            : offsetof(IMAGE_LOAD_CONFIG_DIRECTORY32, Reserved1)));
  }
  return result;
}
} // namespace

TEST_CASE("both builds resolve their whole import graph from the system folder") {
  // The loader of Windows 10 1607 and later reads DependentLoadFlags from
  // the load configuration and searches only the system folder for every
  // library of the static import graph, also those the program's imports
  // import themselves (comctl32's uxtheme.dll, for one). Wine 8.0 ignores
  // the flag: a uxtheme.dll planted beside a copy of the program is loaded
  // through Wine's comctl32 with the flag as without it (tried), so this
  // checks the header the Windows loader reads, in both builds.
  struct TBuild {
    const wchar_t *Program;
    WORD Machine;
    DWORD RecordSize;
  };
  const TBuild builds[] = {
      {L"build\\bin\\Tastenfang.exe", IMAGE_FILE_MACHINE_I386, sizeof(IMAGE_LOAD_CONFIG_DIRECTORY32)},
      {L"build-x64\\bin\\Tastenfang.exe", IMAGE_FILE_MACHINE_AMD64,
       sizeof(IMAGE_LOAD_CONFIG_DIRECTORY64)},
  };
  const WORD own = ReadLoadConfig(test::ReadFileBytes(test::ProgramPath())).Machine;
  for (const TBuild &build : builds) {
    const std::wstring path = test::SourcePath(build.Program);
    CAPTURE(std::string(path.begin(), path.end()));
    // scripts/test builds both before testing; a suite run on its own
    // build folder may find the other one missing.
    if (build.Machine != own && !FileExists(path)) {
      MESSAGE("the other build is not built; its program is not checked");
      continue;
    }
    const TLoadConfig config = ReadLoadConfig(test::ReadFileBytes(path));
    CHECK(config.Machine == build.Machine);
    CHECK(config.EntrySize == build.RecordSize);
    CHECK(config.RecordSize == build.RecordSize);
    CHECK(config.DependentLoadFlags == LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}
