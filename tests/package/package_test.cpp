// The packages as users get them. The setup program of this build installs
// the real program, which starts from its start-menu entry, and registers
// an uninstaller that removes it and keeps the user's settings; a setup
// that cannot finish leaves the machine as it was. The portable program
// keeps everything in its own folder.
#include <doctest.h>

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/files.h"
#include "res/maker.h"
#include "test_support.h"

namespace {
// The setup of the build this test program belongs to.
#ifdef _WIN64
const wchar_t kSetupName[] = L"Tastenfang-2.00-Setup-x64.exe";
#else
const wchar_t kSetupName[] = L"Tastenfang-2.00-Setup.exe";
#endif
const wchar_t kProduct[] = L"kalverin Tastenfang";
const wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\kalverin Tastenfang";
// NSIS's exit code for a run its script ended.
constexpr DWORD kAborted = 2;
constexpr DWORD kTimeout = 60000;
const std::vector<std::wstring> kInstalledFiles{L"Tastenfang.CHM", L"Tastenfang.exe",
                                                L"Tastenfang.wortliste",
                                                L"Tastenfang.wortliste.txt", L"Uninstall.exe"};

std::wstring ShellFolder(int ACsidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, ACsidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The program-files folder of this program's architecture is the setup's.
std::wstring InstallDir() { return ShellFolder(CSIDL_PROGRAM_FILES) + L"\\" + kProduct; }
std::wstring Installed(const std::wstring &AName) { return InstallDir() + L"\\" + AName; }
std::wstring StartMenuEntry() {
  return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + kProduct + L".lnk";
}
std::wstring SettingsFolder() { return ShellFolder(CSIDL_APPDATA) + L"\\" + kProduct; }
std::wstring SettingsFile() { return SettingsFolder() + L"\\Tastenfang.ini"; }
std::wstring SetupPath() { return test::EnvPath("TASTENFANG_PACKAGES") + L"\\" + kSetupName; }
std::wstring BuiltHelpFile() {
  std::wstring exe = test::ProgramPath();
  return exe.substr(0, exe.find_last_of(L'\\')) + L"\\Tastenfang.CHM";
}

// Names in a folder, sorted; empty when the folder is missing.
std::vector<std::wstring> FolderContents(const std::wstring &ADir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((ADir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

// Every file below a folder with its size and time of last change. Links
// to other folders are not followed (Wine links some profile folders to
// the Unix home).
std::map<std::wstring, std::pair<ULONGLONG, ULONGLONG>> Snapshot(const std::wstring &ADir) {
  std::map<std::wstring, std::pair<ULONGLONG, ULONGLONG>> files;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((ADir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = ADir + L"\\" + name;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files[path + L"\\"] = {0, 0};
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) files.merge(Snapshot(path));
    } else {
      files[path] = {(ULONGLONG(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                     (ULONGLONG(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                         fd.ftLastWriteTime.dwLowDateTime};
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return files;
}

// The uninstall entry in this program's view of the registry, which is the
// setup's (the 32-bit view for a 32-bit program on 64-bit Windows), or in
// the view given.
bool UninstallEntryExists(REGSAM AView = 0) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | AView, &key) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::wstring UninstallValue(const wchar_t *AName) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof(buf);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, AName, RRF_RT_REG_SZ, nullptr, buf,
                   &size) != ERROR_SUCCESS)
    return L"<missing>";
  return buf;
}

void WriteUninstallValue(const wchar_t *AName, const std::wstring &AValue, REGSAM AView = 0) {
  HKEY key;
  REQUIRE(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0,
                          KEY_WRITE | AView, nullptr, &key, nullptr) == ERROR_SUCCESS);
  RegSetValueExW(key, AName, 0, REG_SZ, reinterpret_cast<const BYTE *>(AValue.c_str()),
                 DWORD((AValue.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void DeleteUninstallEntry(REGSAM AView = 0) {
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, AView, 0);
}

// What an earlier, interrupted run may have left behind.
void RemoveInstallation() {
  test::RemoveTree(InstallDir());
  DeleteFileW(StartMenuEntry().c_str());
  DeleteUninstallEntry();
#ifdef _WIN64
  DeleteUninstallEntry(KEY_WOW64_32KEY);
#endif
  test::RemoveTree(SettingsFolder());
}

DWORD Run(const std::wstring &AExe, const std::wstring &AArgs) {
  HANDLE process = test::StartProcess(AExe, AArgs);
  REQUIRE(process);
  DWORD code = test::WaitExit(process, kTimeout);
  CloseHandle(process);
  return code;
}

DWORD RunSetup(const std::wstring &AArgs = L"/S") { return Run(SetupPath(), AArgs); }

// The uninstaller as it runs itself: a copy outside the folder it removes,
// told that folder with _?=, so that its exit code is its verdict.
DWORD RunUninstaller(const std::wstring &ADir = InstallDir()) {
  test::TTempDir temp;
  std::wstring copy = temp.File(L"Uninstall.exe");
  REQUIRE(CopyFileW((ADir + L"\\Uninstall.exe").c_str(), copy.c_str(), FALSE));
  return Run(copy, L"/S _?=" + ADir);
}

// Runs a registered command line as the platform's list of programs does.
bool StartCommandLine(std::wstring ACommand) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, ACommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

std::wstring LinkTarget(const std::wstring &ALink) {
  std::wstring target;
  CoInitialize(nullptr);
  IShellLinkW *link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IShellLinkW, reinterpret_cast<void **>(&link)))) {
    IPersistFile *file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
      wchar_t path[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(ALink.c_str(), STGM_READ)) &&
          SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return target;
}

bool SamePath(const std::wstring &A, const std::wstring &B) {
  return _wcsicmp(A.c_str(), B.c_str()) == 0;
}

// The program's main window in another process, with that process.
struct TRunningProgram {
  HWND Window = nullptr;
  HANDLE Process = nullptr;
  ~TRunningProgram() {
    if (!Process) return;
    if (test::WaitExit(Process, 0) == STILL_ACTIVE) TerminateProcess(Process, 99);
    CloseHandle(Process);
  }
  std::wstring ImagePath() const {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(Process, 0, path, &size);
    return path;
  }
};

BOOL CALLBACK FindOtherMainWindow(HWND AWnd, LPARAM AData) {
  DWORD pid = 0;
  GetWindowThreadProcessId(AWnd, &pid);
  if (pid == GetCurrentProcessId() || !IsWindowVisible(AWnd) ||
      test::WindowText(AWnd) != kProduct)
    return TRUE;
  *reinterpret_cast<HWND *>(AData) = AWnd;
  return FALSE;
}

void WaitForProgram(TRunningProgram &AProgram) {
  if (!test::PumpUntil([&] {
        EnumWindows(&FindOtherMainWindow, LPARAM(&AProgram.Window));
        return AProgram.Window != nullptr;
      }))
    return;
  DWORD pid = 0;
  GetWindowThreadProcessId(AProgram.Window, &pid);
  AProgram.Process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE |
                                     PROCESS_TERMINATE, FALSE, pid);
}

// The first message box a process shows.
HWND WaitForMessageBox(DWORD AProcessId) {
  HWND box = nullptr;
  test::PumpUntil([&] {
    for (HWND w : test::ProcessWindows(AProcessId))
      if (test::ClassName(w) == L"#32770") box = w;
    return box != nullptr;
  });
  return box;
}

std::wstring Joined(const std::vector<std::wstring> &ATexts) {
  std::wstring all;
  for (const std::wstring &t : ATexts) all += t + L"\n";
  return all;
}

bool Contains(const std::wstring &AText, const std::wstring &APart) {
  return AText.find(APart) != std::wstring::npos;
}

// An installation of an older version in a folder of its own choice.
struct TOlderCopy {
  test::TTempDir Root;
  std::wstring Dir = Root.File(kProduct);
  const std::string Program = "MZ Tastenfang 1.50", Help = "ITSF Hilfe 1.50",
                    Uninstaller = "MZ Deinstallation 1.50";
  TOlderCopy() {
    RemoveInstallation();
    CreateDirectoryW(Dir.c_str(), nullptr);
    test::WriteFileBytes(File(L"Tastenfang.exe"), Program);
    test::WriteFileBytes(File(L"Tastenfang.CHM"), Help);
    test::WriteFileBytes(File(L"Uninstall.exe"), Uninstaller);
    WriteUninstallValue(L"DisplayName", kProduct);
    WriteUninstallValue(L"DisplayVersion", L"1.50");
    WriteUninstallValue(L"InstallLocation", Dir);
  }
  ~TOlderCopy() { DeleteUninstallEntry(); }
  std::wstring File(const std::wstring &AName) const { return Dir + L"\\" + AName; }
  bool Unchanged() const {
    // Version 1.50 had no word file.
    return FolderContents(Dir) ==
               std::vector<std::wstring>{L"Tastenfang.CHM", L"Tastenfang.exe", L"Uninstall.exe"} &&
           test::ReadFileBytes(File(L"Tastenfang.exe")) == Program &&
           test::ReadFileBytes(File(L"Tastenfang.CHM")) == Help &&
           test::ReadFileBytes(File(L"Uninstall.exe")) == Uninstaller &&
           UninstallValue(L"DisplayVersion") == L"1.50" &&
           SamePath(UninstallValue(L"InstallLocation"), Dir);
  }
};
} // namespace

TEST_CASE("the setup installs the program, its help, a start-menu entry and an uninstall entry; "
          "the uninstaller removes them and keeps the settings") {
  REQUIRE_MESSAGE(FileExists(SetupPath()), "the setup program is missing: build target packages");
  RemoveInstallation();
  CHECK(RunSetup() == 0);

  CHECK(FolderContents(InstallDir()) == kInstalledFiles);
  CHECK(test::ReadFileBytes(Installed(L"Tastenfang.exe")) ==
        test::ReadFileBytes(test::ProgramPath()));
  CHECK(test::ReadFileBytes(Installed(L"Tastenfang.CHM")) ==
        test::ReadFileBytes(BuiltHelpFile()));
  CHECK(SamePath(LinkTarget(StartMenuEntry()), Installed(L"Tastenfang.exe")));
  CHECK(UninstallValue(L"DisplayName") == kProduct);
  CHECK(UninstallValue(L"DisplayVersion") == L"2.00");
  CHECK(UninstallValue(L"Publisher") == L"" MAKER_NAME);
  CHECK(SamePath(UninstallValue(L"DisplayIcon"), Installed(L"Tastenfang.exe") + L",0"));
  CHECK(SamePath(UninstallValue(L"InstallLocation"), InstallDir()));
  CHECK(SamePath(UninstallValue(L"UninstallString"), L"\"" + Installed(L"Uninstall.exe") + L"\""));
  std::wstring quiet = UninstallValue(L"QuietUninstallString");
  CHECK(SamePath(quiet, L"\"" + Installed(L"Uninstall.exe") + L"\" /S"));

  // The user starts it from the start menu and closes it: the settings file
  // is the user's own.
  {
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof(sei);
    std::wstring link = StartMenuEntry();
    sei.lpFile = link.c_str();
    sei.nShow = SW_SHOWNORMAL;
    REQUIRE(ShellExecuteExW(&sei));
    TRunningProgram program;
    WaitForProgram(program);
    REQUIRE(program.Window);
    CHECK(SamePath(program.ImagePath(), Installed(L"Tastenfang.exe")));
    PostMessageW(program.Window, WM_CLOSE, 0, 0);
    CHECK(test::WaitExit(program.Process, 15000) == 0);
  }
  REQUIRE(FileExists(SettingsFile()));
  std::string settings = test::ReadFileBytes(SettingsFile());
  CHECK(settings.find("[FrmMain]") != std::string::npos);

  // Run twice: the same installation, repaired in place.
  test::WriteFileBytes(Installed(L"Tastenfang.CHM"), "beschaedigt");
  CHECK(RunSetup() == 0);
  CHECK(FolderContents(InstallDir()) == kInstalledFiles);
  CHECK(test::ReadFileBytes(Installed(L"Tastenfang.CHM")) ==
        test::ReadFileBytes(BuiltHelpFile()));
  CHECK(UninstallValue(L"DisplayVersion") == L"2.00");

  // The registered quiet uninstall, as the platform runs it: the uninstaller
  // goes on from a copy of itself, so wait for its work.
  REQUIRE(StartCommandLine(quiet));
  CHECK(test::PumpUntil([] { return !DirectoryExists(InstallDir()); }, 30000));
  CHECK(test::PumpUntil([] { return !UninstallEntryExists(); }));
  CHECK_FALSE(FileExists(StartMenuEntry()));
  CHECK(test::ReadFileBytes(SettingsFile()) == settings);
  RemoveInstallation();
}

TEST_CASE("a setup over an older copy replaces it whole, where it is") {
  TOlderCopy older;
  CHECK(RunSetup() == 0);
  CHECK(FolderContents(older.Dir) == kInstalledFiles);
  CHECK(test::ReadFileBytes(older.File(L"Tastenfang.exe")) ==
        test::ReadFileBytes(test::ProgramPath()));
  CHECK(test::ReadFileBytes(older.File(L"Uninstall.exe")) != older.Uninstaller);
  CHECK(UninstallValue(L"DisplayVersion") == L"2.00");
  CHECK(SamePath(UninstallValue(L"InstallLocation"), older.Dir));
  CHECK_FALSE(DirectoryExists(InstallDir()));
  CHECK(SamePath(LinkTarget(StartMenuEntry()), older.File(L"Tastenfang.exe")));

  CHECK(RunUninstaller(older.Dir) == 0);
  CHECK_FALSE(DirectoryExists(older.Dir));
  CHECK_FALSE(UninstallEntryExists());
  CHECK_FALSE(FileExists(StartMenuEntry()));
}

TEST_CASE("a setup that cannot write its files ends with the machine as it was") {
  SUBCASE("a file of the older copy is held open by another program") {
    TOlderCopy older;
    HANDLE held = CreateFileW(older.File(L"Tastenfang.CHM").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    DWORD code = RunSetup();
    CloseHandle(held);
    CHECK(code == kAborted);
    CHECK(older.Unchanged());
    CHECK_FALSE(FileExists(StartMenuEntry()));
  }
  SUBCASE("the folder asked for cannot be made: a file lies on its way") {
    RemoveInstallation();
    test::TTempDir temp;
    test::WriteFileBytes(temp.File(L"Datei"), "kein Ordner");
    CHECK(RunSetup(L"/S /D=" + temp.File(L"Datei") + L"\\" + kProduct) == kAborted);
    CHECK(FileExists(temp.File(L"Datei")));
    CHECK_FALSE(UninstallEntryExists());
    CHECK_FALSE(FileExists(StartMenuEntry()));
  }
}

TEST_CASE("setup and uninstaller leave a running program alone and say so") {
  RemoveInstallation();
  REQUIRE(RunSetup() == 0);
  {
    test::TProcess program(Installed(L"Tastenfang.exe"));
    REQUIRE(program.MainWindow());

    CHECK(RunSetup() == kAborted);
    CHECK(RunUninstaller() == kAborted);
    CHECK(FolderContents(InstallDir()) == kInstalledFiles);
    CHECK(UninstallEntryExists());
    CHECK(FileExists(StartMenuEntry()));

    // Not silent: the user reads why and may retry after closing it.
    HANDLE setup = test::StartProcess(SetupPath());
    REQUIRE(setup);
    HWND box = WaitForMessageBox(GetProcessId(setup));
    REQUIRE(box);
    std::wstring text = Joined(test::ChildTexts(box, L"Static"));
    CHECK(Contains(text, L"kalverin Tastenfang läuft noch"));
    CHECK(Contains(Joined(test::ChildTexts(box, L"Button")), L"Wiederholen"));
    test::ClickDialogButton(box, IDCANCEL);
    CHECK(test::WaitExit(setup, 15000) == kAborted);
    CloseHandle(setup);
    CHECK(program.Close() == 0);
  }
  CHECK(RunUninstaller() == 0);
  CHECK_FALSE(DirectoryExists(InstallDir()));
  CHECK_FALSE(UninstallEntryExists());
  RemoveInstallation();
}

// A window of the process that shows the text, once it is there.
HWND WaitForWindowSaying(DWORD AProcessId, const std::wstring &AText) {
  HWND found = nullptr;
  test::PumpUntil(
      [&] {
        for (HWND w : test::ProcessWindows(AProcessId))
          if (Contains(Joined(test::ChildTexts(w, L"Static")), AText)) found = w;
        return found != nullptr;
      },
      30000);
  return found;
}

void ClickButtonSaying(HWND AWindow, const std::wstring &AText) {
  for (HWND w : test::ChildWindows(AWindow))
    if (test::ClassName(w) == L"Button" && Contains(test::WindowText(w), AText))
      SendMessageW(w, BM_CLICK, 0, 0);
}

TEST_CASE("a program started after the setup's first check still stops it before the swap") {
  RemoveInstallation();
  REQUIRE(RunSetup() == 0);
  const auto installed = Snapshot(InstallDir());
  {
    // The setup is ended at the latest when the test is, whatever fails.
    struct TSetup {
      HANDLE Process = test::StartProcess(SetupPath());
      ~TSetup() {
        if (!Process) return;
        TerminateProcess(Process, 0);
        test::WaitExit(Process, 15000);
        CloseHandle(Process);
      }
    } setup;
    REQUIRE(setup.Process);
    const DWORD pid = GetProcessId(setup.Process);
    // The welcome page: the check at the start has passed.
    HWND welcome = WaitForWindowSaying(pid, L"Willkommen");
    REQUIRE(welcome);
    test::TProcess program(Installed(L"Tastenfang.exe"));
    REQUIRE(program.MainWindow());
    ClickButtonSaying(welcome, L"Weiter");
    HWND asked = WaitForWindowSaying(pid, L"läuft noch.");
    REQUIRE(asked);
    test::ClickDialogButton(asked, IDCANCEL);
    HWND failed = WaitForWindowSaying(pid, L"Installation wurde abgebrochen");
    REQUIRE(failed);
    ClickButtonSaying(failed, L"OK");
    // Nothing was swapped: the running file is where it was, nothing aside.
    CHECK(Snapshot(InstallDir()) == installed);
    CHECK(UninstallValue(L"DisplayVersion") == L"2.00");
    CHECK(program.Close() == 0);
  }

  // Files an overtaken setup left beside the program go with it.
  test::WriteFileBytes(Installed(L"Tastenfang.exe.alt"), "alt");
  test::WriteFileBytes(Installed(L"Tastenfang.CHM.neu"), "neu");
  CHECK(RunUninstaller() == 0);
  CHECK_FALSE(DirectoryExists(InstallDir()));
  RemoveInstallation();
}

#ifdef _WIN64
TEST_CASE("the x86-64 setup leaves an installed 32-bit program alone") {
  RemoveInstallation();
  const std::wstring other = L"C:\\Program Files (x86)\\kalverin Tastenfang";
  WriteUninstallValue(L"InstallLocation", other, KEY_WOW64_32KEY);
  CHECK(RunSetup() == kAborted);
  CHECK_FALSE(DirectoryExists(InstallDir()));
  CHECK_FALSE(UninstallEntryExists(KEY_WOW64_64KEY));
  CHECK_FALSE(FileExists(StartMenuEntry()));
  DeleteUninstallEntry(KEY_WOW64_32KEY);
}
#endif

TEST_CASE("the portable program keeps its settings beside itself and nothing elsewhere") {
  std::wstring unpacked = test::EnvPath("TASTENFANG_PORTABLE_DIR");
  REQUIRE_MESSAGE(!unpacked.empty(), "TASTENFANG_PORTABLE_DIR: the unpacked portable archive");
  std::wstring dir = unpacked + L"\\Tastenfang";
  REQUIRE(FolderContents(unpacked) == std::vector<std::wstring>{L"Tastenfang"});
  CHECK(FolderContents(dir) ==
        std::vector<std::wstring>{L"Pfad.ini", L"Tastenfang.CHM", L"Tastenfang.exe",
                                  L"Tastenfang.wortliste", L"Tastenfang.wortliste.txt"});
  CHECK(test::ReadFileBytes(dir + L"\\Tastenfang.exe") ==
        test::ReadFileBytes(test::ProgramPath()));
  wchar_t redirect[64] = {};
  GetPrivateProfileStringW(L"Pfad", L"Ini", L"", redirect, 64, (dir + L"\\Pfad.ini").c_str());
  CHECK(std::wstring(redirect) == L"*");

  std::wstring appData = ShellFolder(CSIDL_APPDATA);
  auto before = Snapshot(appData);
  {
    test::TProcess program(dir + L"\\Tastenfang.exe");
    REQUIRE(program.MainWindow());
    CHECK(program.Close() == 0);
  }
  std::string settings = test::ReadFileBytes(dir + L"\\Tastenfang.ini");
  CHECK(settings.find("[FrmMain]") != std::string::npos);
  CHECK(Snapshot(appData) == before);
}
