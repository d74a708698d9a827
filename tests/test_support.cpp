#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include <doctest.h>

#include "ui/application.h"

namespace test {

TMessageBoxes::TMessageBoxes() {
  MessageBoxHook = [this](HWND, const std::wstring &AText, const std::wstring &ACaption,
                          UINT AType) {
    Calls.push_back({AText, ACaption, AType});
    return IDOK;
  };
}

TMessageBoxes::~TMessageBoxes() { MessageBoxHook = nullptr; }

TShellRequests::TShellRequests() {
  ShellExecuteHook = [this](const TShellExecuteRequest &ARequest) {
    Calls.push_back(ARequest);
    return reinterpret_cast<HINSTANCE>(42);
  };
}

TShellRequests::~TShellRequests() { ShellExecuteHook = nullptr; }

TBeeps::TBeeps() {
  MessageBeepHook = [this](UINT) { ++Count; };
}

TBeeps::~TBeeps() { MessageBeepHook = nullptr; }

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<busy>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    if (auto *p = static_cast<const wchar_t *>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  CloseClipboard();
  return text;
}

namespace {
// Wine maps the Unix root to drive Z:.
std::wstring WinePath(const char *AUnixPath) {
  std::wstring path = Utf8ToWide(AUnixPath);
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}
} // namespace

std::wstring EnvPath(const char *AName) {
  const char *value = getenv(AName);
  return value && *value ? WinePath(value) : std::wstring();
}

namespace {
// Without ctest's variables: the test program lies in build\tests.
std::wstring BuildDir() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  p.erase(p.find_last_of(L'\\')); // tests
  p.erase(p.find_last_of(L'\\')); // build
  return p;
}
std::wstring EnvPathOr(const char *AName, const std::wstring &AFallback) {
  std::wstring p = EnvPath(AName);
  return p.empty() ? AFallback : p;
}
std::wstring SourceRoot() {
  std::wstring build = BuildDir();
  return EnvPathOr("TASTENFANG_SOURCE", build.substr(0, build.find_last_of(L'\\')));
}
} // namespace

std::wstring ProgramPath() {
  return EnvPathOr("TASTENFANG_EXE", BuildDir() + L"\\bin\\Tastenfang.exe");
}

std::wstring SourcePath(const std::wstring &ARelative) { return SourceRoot() + L"\\" + ARelative; }

std::wstring TestDataPath(const std::wstring &ARelative) {
  std::wstring path = WinePath(TASTENFANG_TESTDATA_DIR) + L"\\" + ARelative;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    FAIL("test data missing: " << WideToUtf8(path));
  return path;
}

std::string ReadFileBytes(const std::wstring &APath) {
  std::ifstream in(APath.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring &APath, const std::string &ABytes) {
  std::ofstream out(APath.c_str(), std::ios::binary | std::ios::trunc);
  out.write(ABytes.data(), std::streamsize(ABytes.size()));
}

void RemoveTree(const std::wstring &APath) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((APath + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = APath + L"\\" + name;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        DeleteFileW(full.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(APath.c_str());
}

TTempDir::TTempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    FPath = std::wstring(base) + L"tftest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter);
    if (CreateDirectoryW(FPath.c_str(), nullptr)) break;
  }
}

TTempDir::~TTempDir() { RemoveTree(FPath); }

TProgramCopy::TProgramCopy(const std::string &ARedirect) : FExe(FDir.File(L"Tastenfang.exe")) {
  CopyFileW(ProgramPath().c_str(), FExe.c_str(), FALSE);
  WriteFileBytes(FDir.File(L"Pfad.ini"), ARedirect);
}

bool TProgramCopy::Add(const std::wstring &ASource, const std::wstring &AName) const {
  return CopyFileW(ASource.c_str(), FDir.File(AName).c_str(), FALSE) != FALSE;
}

bool PumpUntil(const std::function<bool()> &ACondition, DWORD ATimeout) {
  DWORD start = GetTickCount();
  while (!ACondition()) {
    if (GetTickCount() - start > ATimeout) return false;
    Application->ProcessMessages();
    Sleep(5);
  }
  return true;
}

void PumpIdle() {
  PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0; });
}

std::wstring WindowText(HWND AWnd) {
  wchar_t buf[4096];
  int n = GetWindowTextW(AWnd, buf, 4096);
  return std::wstring(buf, size_t(std::max(n, 0)));
}

std::wstring ClassName(HWND AWnd) {
  wchar_t buf[256];
  int n = GetClassNameW(AWnd, buf, 256);
  return std::wstring(buf, size_t(std::max(n, 0)));
}

namespace {
struct TEnumData {
  DWORD Thread;
  std::vector<HWND> List;
};
BOOL CALLBACK AddTopLevel(HWND AWnd, LPARAM AData) {
  auto *d = reinterpret_cast<TEnumData *>(AData);
  if (!IsWindowVisible(AWnd)) return TRUE;
  if (d->Thread && GetWindowThreadProcessId(AWnd, nullptr) != d->Thread) return TRUE;
  d->List.push_back(AWnd);
  return TRUE;
}
BOOL CALLBACK AddChild(HWND AWnd, LPARAM AData) {
  reinterpret_cast<std::vector<HWND> *>(AData)->push_back(AWnd);
  return TRUE;
}
} // namespace

std::vector<HWND> TopLevelWindows(DWORD AThreadId) {
  TEnumData d{AThreadId, {}};
  EnumWindows(&AddTopLevel, LPARAM(&d));
  return d.List;
}

std::vector<HWND> ChildWindows(HWND AParent) {
  std::vector<HWND> list;
  EnumChildWindows(AParent, &AddChild, LPARAM(&list));
  return list;
}

std::vector<std::wstring> ChildTexts(HWND AParent, const std::wstring &AClass) {
  std::vector<std::wstring> texts;
  for (HWND w : ChildWindows(AParent))
    if ((AClass.empty() || _wcsicmp(ClassName(w).c_str(), AClass.c_str()) == 0) &&
        IsWindowVisible(w))
      texts.push_back(WindowText(w));
  return texts;
}

bool IsDialog(HWND AWnd) {
  if (ClassName(AWnd) == L"#32770") return true;
  auto *form = dynamic_cast<TForm *>(TControl::FromHandle(AWnd));
  return form && form->Modal();
}

namespace {
std::map<UINT_PTR, TDialogWatcher *> &Watchers() {
  static std::map<UINT_PTR, TDialogWatcher *> map;
  return map;
}
} // namespace

TDialogWatcher::TDialogWatcher(TAnswer AAnswer) : FAnswer(std::move(AAnswer)) {
  FKnown = TopLevelWindows();
  FTimer = SetTimer(nullptr, 0, 50, &TDialogWatcher::Tick);
  Watchers()[FTimer] = this;
}

TDialogWatcher::~TDialogWatcher() {
  KillTimer(nullptr, FTimer);
  Watchers().erase(FTimer);
}

void CALLBACK TDialogWatcher::Tick(HWND, UINT, UINT_PTR AId, DWORD) {
  auto it = Watchers().find(AId);
  if (it == Watchers().end()) return;
  TDialogWatcher *self = it->second;
  for (HWND w : TopLevelWindows()) {
    if (std::find(self->FKnown.begin(), self->FKnown.end(), w) != self->FKnown.end()) continue;
    if (!IsDialog(w)) continue;
    self->FKnown.push_back(w);
    ++self->FSeen;
    self->FAnswer(w);
  }
}

namespace {
// The input messages helpers wait for (nested when input opens a modal
// window whose driver sends more), and whether a loop of this thread (ours,
// a dialog's, a menu's or the platform's move loop) has taken each.
struct TAwaited {
  std::function<bool(const MSG &)> Match;
  bool Taken = false;
};
std::vector<TAwaited *> GAwaited;

LRESULT CALLBACK NoteTaken(int ACode, WPARAM AWParam, LPARAM ALParam) {
  if (ACode == HC_ACTION && AWParam == PM_REMOVE)
    for (TAwaited *a : GAwaited)
      if (a->Match(*reinterpret_cast<const MSG *>(ALParam))) a->Taken = true;
  return CallNextHookEx(nullptr, ACode, AWParam, ALParam);
}

bool NoInputQueued() { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }

// Sends the input and handles messages until this thread has taken the
// awaited message, or the input has passed through the queue and left the
// state it makes (the platform drops mouse messages for disabled windows
// before any loop sees them), and has dealt with what followed from it.
void SendAndWait(std::vector<INPUT> AInputs, std::function<bool(const MSG &)> AMatch,
                 std::function<bool()> AState = nullptr) {
  [[maybe_unused]] static HHOOK hook =
      SetWindowsHookExW(WH_GETMESSAGE, &NoteTaken, nullptr, GetCurrentThreadId());
  TAwaited awaited{std::move(AMatch)};
  struct TListed {
    TAwaited *Entry;
    ~TListed() { GAwaited.erase(std::find(GAwaited.begin(), GAwaited.end(), Entry)); }
  } listed{&awaited};
  GAwaited.push_back(&awaited);
  SendInput(UINT(AInputs.size()), AInputs.data(), sizeof(INPUT));
  PumpUntil([&] { return awaited.Taken || (AState && AState() && NoInputQueued()); });
  PumpIdle();
}

// Client and frame messages each run: down, up, double click, left then right.
bool IsButtonMessage(UINT AMessage, bool ARight, bool ADown) {
  UINT i = AMessage - (AMessage >= WM_LBUTTONDOWN ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN);
  return i < 6 && (i >= 3) == ARight && (i % 3 == 1) != ADown;
}

INPUT MouseInput(DWORD AFlags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = AFlags;
  return in;
}

DWORD ButtonFlag(bool ARight, bool ADown) {
  return ARight ? (ADown ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                : (ADown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}

} // namespace

void MouseTo(HWND AWnd, int X, int Y) {
  POINT pt{X, Y};
  ClientToScreen(AWnd, &pt);
  // The pointer stays on the screen: a point beyond it ends at its edge.
  pt.x = std::clamp<LONG>(pt.x, 0, GetSystemMetrics(SM_CXSCREEN) - 1);
  pt.y = std::clamp<LONG>(pt.y, 0, GetSystemMetrics(SM_CYSCREEN) - 1);
  INPUT in = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  in.mi.dx = LONG((pt.x * 65535.0) / (GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
  in.mi.dy = LONG((pt.y * 65535.0) / (GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
  auto atTarget = [pt](POINT AAt) { return std::abs(AAt.x - pt.x) <= 1 && std::abs(AAt.y - pt.y) <= 1; };
  SendAndWait(
      {in},
      [=](const MSG &AMsg) {
        return (AMsg.message == WM_MOUSEMOVE || AMsg.message == WM_NCMOUSEMOVE) && atTarget(AMsg.pt);
      },
      [=] {
        POINT at{};
        return GetCursorPos(&at) && atTarget(at);
      });
}

void MouseButton(bool ADown) {
  SendAndWait({MouseInput(ButtonFlag(false, ADown))},
              [=](const MSG &AMsg) { return IsButtonMessage(AMsg.message, false, ADown); },
              [=] { return (GetAsyncKeyState(VK_LBUTTON) < 0) == ADown; });
}

void MouseClick(bool ARight) {
  SendAndWait({MouseInput(ButtonFlag(ARight, true)), MouseInput(ButtonFlag(ARight, false))},
              [=](const MSG &AMsg) { return IsButtonMessage(AMsg.message, ARight, false); });
}

void SendKey(WORD AKey, std::initializer_list<WORD> AModifiers) {
  std::vector<INPUT> inputs;
  auto key = [&](WORD AVk, bool AUp) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = AVk;
    in.ki.dwFlags = AUp ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  for (WORD m : AModifiers)
    key(m, false);
  key(AKey, false);
  key(AKey, true);
  for (auto m = std::rbegin(AModifiers); m != std::rend(AModifiers); ++m)
    key(*m, true);
  const WORD last = inputs.back().ki.wVk;
  SendAndWait(std::move(inputs), [last](const MSG &AMsg) {
    return (AMsg.message == WM_KEYUP || AMsg.message == WM_SYSKEYUP) && AMsg.wParam == last;
  });
}

namespace {
std::map<UINT_PTR, std::function<void()>> &LaterActions() {
  static std::map<UINT_PTR, std::function<void()>> map;
  return map;
}

void CALLBACK RunLater(HWND, UINT, UINT_PTR AId, DWORD) {
  KillTimer(nullptr, AId);
  auto it = LaterActions().find(AId);
  if (it == LaterActions().end()) return;
  std::function<void()> action = std::move(it->second);
  LaterActions().erase(it);
  action();
}
} // namespace

void Later(DWORD AMilliseconds, std::function<void()> AAction) {
  UINT_PTR id = SetTimer(nullptr, 0, AMilliseconds, &RunLater);
  LaterActions()[id] = std::move(AAction);
}

void WhenActive(TForm *AForm, std::function<void()> AAction) {
  Later(USER_TIMER_MINIMUM, [AForm, AAction] {
    PumpUntil([AForm] {
      return AForm->HandleAllocated() && GetForegroundWindow() == AForm->Handle();
    });
    PumpIdle();
    AAction();
  });
}

void ClickDialogButton(HWND ADialog, int AId) {
  HWND button = GetDlgItem(ADialog, AId);
  if (button)
    PostMessageW(ADialog, WM_COMMAND, MAKEWPARAM(AId, BN_CLICKED), LPARAM(button));
  else
    PostMessageW(ADialog, WM_COMMAND, MAKEWPARAM(AId, BN_CLICKED), 0);
}

HANDLE StartProcess(const std::wstring &AExe, const std::wstring &AArgs) {
  std::wstring cmd = L"\"" + AExe + L"\"" + (AArgs.empty() ? L"" : L" " + AArgs);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(AExe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

TProcess::TProcess(const std::wstring &AExe, const std::wstring &AArgs)
    : FHandle(StartProcess(AExe, AArgs)) {}

TProcess::~TProcess() {
  if (!FHandle) return;
  if (WaitExit(FHandle, 0) == STILL_ACTIVE) TerminateProcess(FHandle, 99);
  CloseHandle(FHandle);
}

DWORD TProcess::Pid() const { return FHandle ? GetProcessId(FHandle) : 0; }

HWND TProcess::MainWindow(DWORD ATimeout) const {
  return FindProcessWindow(Pid(), L"kalverin Tastenfang", ATimeout);
}

DWORD TProcess::Close(DWORD ATimeout) {
  if (HWND main = MainWindow(0)) PostMessageW(main, WM_CLOSE, 0, 0);
  return WaitExit(FHandle, ATimeout);
}

HANDLE StartProcessWithEnvironment(const std::wstring &AExe, const std::wstring &AArgs,
                                   const std::vector<std::wstring> &AVariables) {
  std::map<std::wstring, std::wstring> vars; // names ignore case, as Windows does
  auto key = [](std::wstring AName) {
    for (wchar_t &c : AName) c = wchar_t(towupper(c));
    return AName;
  };
  std::vector<std::wstring> order;
  wchar_t *block = GetEnvironmentStringsW();
  for (const wchar_t *p = block; *p; p += wcslen(p) + 1) {
    std::wstring entry = p;
    size_t eq = entry.find(L'=', 1);
    if (eq == std::wstring::npos) continue;
    vars[key(entry.substr(0, eq))] = entry;
  }
  FreeEnvironmentStringsW(block);
  for (const std::wstring &v : AVariables) vars[key(v.substr(0, v.find(L'=')))] = v;
  std::wstring env;
  for (const auto &[name, entry] : vars) env += entry + L'\0';
  env += L'\0';
  std::wstring cmd = L"\"" + AExe + L"\"" + (AArgs.empty() ? L"" : L" " + AArgs);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(AExe.c_str(), cmd.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, env.data(), nullptr, &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

std::vector<HWND> ProcessWindows(DWORD AProcessId) {
  std::vector<HWND> result;
  for (HWND w : TopLevelWindows(0)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == AProcessId) result.push_back(w);
  }
  return result;
}

DWORD WaitExit(HANDLE AProcess, DWORD ATimeout) {
  if (WaitForSingleObject(AProcess, ATimeout) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(AProcess, &code);
  return code;
}

namespace {
struct TFindData {
  DWORD Pid;
  std::wstring Caption;
  HWND Found;
};
BOOL CALLBACK MatchWindow(HWND AWnd, LPARAM AData) {
  auto *d = reinterpret_cast<TFindData *>(AData);
  DWORD pid = 0;
  GetWindowThreadProcessId(AWnd, &pid);
  if ((d->Pid == 0 || pid == d->Pid) && IsWindowVisible(AWnd) && WindowText(AWnd) == d->Caption) {
    d->Found = AWnd;
    return FALSE;
  }
  return TRUE;
}
} // namespace

HWND FindProcessWindow(DWORD AProcessId, const std::wstring &ACaption, DWORD ATimeout) {
  TFindData d{AProcessId, ACaption, nullptr};
  PumpUntil([&] { return !EnumWindows(&MatchWindow, LPARAM(&d)) && d.Found; }, ATimeout);
  return d.Found;
}

namespace {
// Wine's shell reads the machine-wide association; the test prefix is ours.
const wchar_t kHttpCommand[] = L"Software\\Classes\\http\\shell\\open\\command";
const wchar_t kHttpsCommand[] = L"Software\\Classes\\https\\shell\\open\\command";
const HKEY kHttpRoot = HKEY_LOCAL_MACHINE;

bool ReadDefaultValue(const wchar_t *AKey, std::wstring &AValue) {
  wchar_t buf[1024];
  DWORD size = sizeof(buf);
  if (RegGetValueW(kHttpRoot, AKey, nullptr, RRF_RT_REG_SZ, nullptr, buf, &size) !=
      ERROR_SUCCESS)
    return false;
  AValue = buf;
  return true;
}

void WriteDefaultValue(const wchar_t *AKey, const std::wstring &AValue) {
  HKEY key;
  if (RegCreateKeyExW(kHttpRoot, AKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(AValue.c_str()),
                 DWORD((AValue.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}
} // namespace

TUrlRecorder::TUrlRecorder() {
  FLog = FDir.File(L"urls.txt");
  SetEnvironmentVariableW(L"TASTENFANG_URL_LOG", FLog.c_str());
  FHadOld = ReadDefaultValue(kHttpCommand, FOld);
  FHadOldHttps = ReadDefaultValue(kHttpsCommand, FOldHttps);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder = self;
  folder.erase(folder.find_last_of(L'\\'));
  WriteDefaultValue(kHttpCommand, L"\"" + folder + L"\\url_recorder.exe\" \"%1\"");
  WriteDefaultValue(kHttpsCommand, L"\"" + folder + L"\\url_recorder.exe\" \"%1\"");
}

TUrlRecorder::~TUrlRecorder() {
  if (FHadOld)
    WriteDefaultValue(kHttpCommand, FOld);
  else
    RegDeleteTreeW(kHttpRoot, L"Software\\Classes\\http");
  if (FHadOldHttps)
    WriteDefaultValue(kHttpsCommand, FOldHttps);
  else
    RegDeleteTreeW(kHttpRoot, L"Software\\Classes\\https");
  SetEnvironmentVariableW(L"TASTENFANG_URL_LOG", nullptr);
}

std::vector<std::wstring> TUrlRecorder::Addresses() const {
  std::wstring text = Utf8ToWide(ReadFileBytes(FLog));
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find(L'\n', start)) != std::wstring::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  return lines;
}

bool TUrlRecorder::WaitFor(size_t ACount, DWORD ATimeout) const {
  return PumpUntil([&] { return Addresses().size() >= ACount; }, ATimeout);
}

} // namespace test
