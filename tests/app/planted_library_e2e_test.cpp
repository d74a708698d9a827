// End to end: libraries of platform names planted beside a portable copy
// of the real program are never loaded, and the program works as before.
#include <doctest.h>

#include <windows.h>

#include <cctype>
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
