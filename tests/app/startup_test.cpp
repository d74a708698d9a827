// Start-up and shut-down order, and what the built program file carries.
#include <doctest.h>

#include <string>
#include <vector>

#include "app/modules.h"
#include "test_support.h"

namespace {
class TLoggedForm : public TForm {
public:
  TLoggedForm(TComponent *AOwner, std::vector<std::wstring> &ALog)
      : TForm(AOwner), FLog(ALog) {}
  ~TLoggedForm() override { FLog.push_back(L"form destroyed, window " +
                                           std::wstring(IsWindow(FWnd) ? L"alive" : L"gone")); }
  void DoCreate() override {
    FWnd = Handle();
    FLog.push_back(L"form created");
  }

private:
  std::vector<std::wstring> &FLog;
  HWND FWnd = nullptr;
};

TModuleSteps LoggingModules(std::vector<std::wstring> &ALog, const std::wstring &AFailing = L"") {
  TModuleSteps m;
  for (const wchar_t *name : {L"A", L"B", L"C"}) {
    std::wstring n = name;
    m.Add({n,
           [&ALog, n, AFailing] {
             if (n == AFailing) throw Exception(L"start " + n + L" failed");
             ALog.push_back(L"start " + n);
           },
           [&ALog, n] { ALog.push_back(L"stop " + n); }});
  }
  return m;
}
} // namespace

TEST_CASE("module steps run in order around the application and its windows") {
  std::vector<std::wstring> log;
  TModuleSteps modules = LoggingModules(log);
  TApplication *outer = Application;
  int code = RunApplication(modules, [&](TApplication &app) {
    CHECK(Application == &app);
    log.push_back(L"windows exist: " + std::to_wstring(app.ComponentCount()));
    auto *form = TForm::Create<TLoggedForm>(&app, log);
    (void)form;
  });
  CHECK(code == 0);
  CHECK(Application == outer);
  CHECK(log == std::vector<std::wstring>{L"start A", L"start B", L"start C", L"windows exist: 0",
                                         L"form created", L"form destroyed, window alive",
                                         L"stop C", L"stop B", L"stop A"});
}

TEST_CASE("a halt ends the run with its exit code and still stops every module") {
  std::vector<std::wstring> log;
  TModuleSteps modules = LoggingModules(log);
  int code = RunApplication(modules, [](TApplication &app) { app.Halt(0 + 7); });
  CHECK(code == 7);
  CHECK(log.back() == L"stop A");
  CHECK(log.size() == 6);
}

TEST_CASE("a module that cannot start stops the ones before it and runs no window") {
  std::vector<std::wstring> log;
  TModuleSteps modules = LoggingModules(log, L"B");
  bool ran = false;
  CHECK_THROWS_AS(RunApplication(modules, [&](TApplication &) { ran = true; }), Exception);
  CHECK_FALSE(ran);
  CHECK(log == std::vector<std::wstring>{L"start A", L"stop A"});
}

namespace {
std::wstring VersionValue(const std::string &AInfo, const std::wstring &AKey) {
  void *value = nullptr;
  UINT len = 0;
  std::wstring query = L"\\StringFileInfo\\040704E4\\" + AKey;
  if (!VerQueryValueW(AInfo.data(), query.c_str(), &value, &len)) return L"<missing>";
  return std::wstring(static_cast<const wchar_t *>(value));
}
} // namespace

TEST_CASE("the built program carries its version resource") {
  std::wstring exe = test::ProgramPath();
  REQUIRE_FALSE(exe.empty());
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
  REQUIRE(size > 0);
  std::string info(size, '\0');
  REQUIRE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));

  CHECK(VersionValue(info, L"ProductVersion") == L"2.00");
  CHECK(VersionValue(info, L"FileVersion") == L"2.0.0.0");
  CHECK(VersionValue(info, L"ProductName") == L"kalverin Tastenfang");
  CHECK(VersionValue(info, L"InternalName") == L"kalverin Tastenfang");
  CHECK(VersionValue(info, L"OriginalFilename") == L"Tastenfang.exe");
  CHECK(VersionValue(info, L"FileDescription") ==
        L"kalverin Tastenfang - Tippfehlersuche bei eBay");
  CHECK(VersionValue(info, L"LegalTrademarks") == L"");
  CHECK(VersionValue(info, L"CompanyName") == L"kalverin Software");
  // The umlaut-free notice still has to survive the resource compiler's
  // code page: the copyright sign is not ASCII.
  CHECK(VersionValue(info, L"LegalCopyright") == L"\u00A9 2026 kalverin Software");

  WORD *translation = nullptr;
  UINT len = 0;
  REQUIRE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                         reinterpret_cast<void **>(&translation), &len));
  REQUIRE(len >= 4);
  CHECK(translation[0] == 0x0407);
  CHECK(translation[1] == 0x04E4);

  VS_FIXEDFILEINFO *fixed = nullptr;
  REQUIRE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &len));
  CHECK(fixed->dwFileVersionMS == 0x00020000);
  CHECK(fixed->dwFileVersionLS == 0);
  CHECK(fixed->dwProductVersionMS == 0x00020000);
  CHECK(fixed->dwProductVersionLS == 0);
  CHECK(fixed->dwFileOS == VOS__WINDOWS32);
  CHECK(fixed->dwFileType == VFT_APP);
}

TEST_CASE("the built program is a GUI program of this build's architecture with its manifest") {
  std::wstring exe = test::ProgramPath();
  std::string bytes = test::ReadFileBytes(exe);
  REQUIRE(bytes.size() > 0x200);
  auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(bytes.data());
  auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(bytes.data() + dos->e_lfanew);
#if defined(_WIN64)
  CHECK(nt->FileHeader.Machine == IMAGE_FILE_MACHINE_AMD64);
  CHECK(nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC);
#else
  CHECK(nt->FileHeader.Machine == IMAGE_FILE_MACHINE_I386);
  CHECK(nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC);
#endif
  CHECK(nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI);

  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  REQUIRE(module);
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  REQUIRE(res);
  std::string manifest(static_cast<const char *>(LockResource(LoadResource(module, res))),
                       SizeofResource(module, res));
  for (const char *needle :
       {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"", "processorArchitecture=\"*\"", "language=\"*\"",
        "level=\"asInvoker\"", "uiAccess=\"false\""}) {
    CAPTURE(needle);
    CHECK(manifest.find(needle) != std::string::npos);
  }
  CHECK(FindResourceW(module, L"MAINICON", MAKEINTRESOURCEW(14)) != nullptr); // RT_GROUP_ICON
  FreeLibrary(module);
}
