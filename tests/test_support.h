#pragma once
// Shared helpers of the test programs: paths handed over by ctest, message
// pumping, and answering dialogs that really appear on screen.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/files.h"
#include "ui/platform.h"

class TForm;

namespace test {

// While alive, plain message boxes are recorded and answered with OK.
struct TMessageBoxes {
  struct TCall {
    std::wstring Text, Caption;
    UINT Type;
  };
  std::vector<TCall> Calls;
  TMessageBoxes();
  ~TMessageBoxes();
};

// While alive, what the program hands to the shell is recorded instead of
// opened.
struct TShellRequests {
  std::vector<TShellExecuteRequest> Calls;
  TShellRequests();
  ~TShellRequests();
};

// While alive, beeps are counted instead of heard.
struct TBeeps {
  int Count = 0;
  TBeeps();
  ~TBeeps();
};

// The clipboard's Unicode text; "<busy>" when it cannot be opened.
std::wstring ClipboardText();

// An environment variable holding a Unix path, as a Windows path (Wine
// maps the Unix root to drive Z:). Empty when the variable is unset.
std::wstring EnvPath(const char *AName);
// The built Tastenfang.exe, the source tree and the test data (tests/data).
std::wstring ProgramPath();
std::wstring SourcePath(const std::wstring &ARelative);
// A file or folder of the test data; fails the running test when missing.
std::wstring TestDataPath(const std::wstring &ARelative);
std::string ReadFileBytes(const std::wstring &APath);
void WriteFileBytes(const std::wstring &APath, const std::string &ABytes);
// Removes a folder with everything in it; nothing when it is missing.
void RemoveTree(const std::wstring &APath);
// A new empty folder under the temporary folder, removed by the destructor.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  const std::wstring &Path() const { return FPath; }
  std::wstring File(const std::wstring &AName) const { return FPath + L"\\" + AName; }

private:
  std::wstring FPath;
};

// A copy of the built program in a temporary folder of its own, with a
// "Pfad.ini" beside it that keeps its settings in that folder (or the
// redirect given), so that runs leave the user's settings alone.
class TProgramCopy {
public:
  explicit TProgramCopy(const std::string &ARedirect = "[Pfad]\r\nIni=*\r\n");
  const std::wstring &Exe() const { return FExe; }
  std::wstring File(const std::wstring &AName) const { return FDir.File(AName); }
  const std::wstring &Folder() const { return FDir.Path(); }
  // Copies a file beside the program.
  bool Add(const std::wstring &ASource, const std::wstring &AName) const;

private:
  TTempDir FDir;
  std::wstring FExe;
};

// How long a wait for something that should happen may take: generous, for
// a loaded machine; a wait that runs out fails at the assertion after it.
constexpr DWORD kWaitLimit = 15000;

// Pumps until the condition holds or the time is up; returns the condition
// (through the application's loop, so shortcuts and dialog keys work as in
// the program).
bool PumpUntil(const std::function<bool()> &ACondition, DWORD ATimeout = kWaitLimit);
// Pumps until this thread's queue holds no input, posted or sent messages.
void PumpIdle();

// Text of a window.
std::wstring WindowText(HWND AWnd);
std::wstring ClassName(HWND AWnd);
// Visible top-level windows of this thread (or of any thread for 0).
std::vector<HWND> TopLevelWindows(DWORD AThreadId = GetCurrentThreadId());
// Child windows in z-order, all levels.
std::vector<HWND> ChildWindows(HWND AParent);
// Texts of the visible child windows of a class (e.g. "Button"; empty:
// every class), in z-order.
std::vector<std::wstring> ChildTexts(HWND AParent, const std::wstring &AClass);

// A dialog window: the platform's dialog class, or a modal form of ours
// (the emulated task dialog).
bool IsDialog(HWND AWnd);

// While alive, looks every 50 ms for a new visible top-level window of this
// thread that is a dialog and hands it to the answer, once per window. Use
// it around calls that show a modal dialog.
class TDialogWatcher {
public:
  using TAnswer = std::function<void(HWND ADialog)>;
  explicit TDialogWatcher(TAnswer AAnswer);
  ~TDialogWatcher();
  int Seen() const { return FSeen; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  TAnswer FAnswer;
  std::vector<HWND> FKnown;
  UINT_PTR FTimer = 0;
  int FSeen = 0;
};

// The real mouse (through the platform's input queue): moves to a point of
// a window's client area, presses and releases the left button there. Each
// returns once a window of this thread has taken the input and handled what
// followed from it.
void MouseTo(HWND AWnd, int X, int Y);
void MouseButton(bool ADown);

// Presses and releases a button in one go: a click that the platform
// follows in a loop of its own (a close box) gets its release as well.
void MouseClick(bool ARight = false);

// The real keyboard: presses and releases a key while the modifier keys
// (VK_CONTROL, VK_MENU, VK_SHIFT) are held, then handles what follows, as
// the mouse helpers do.
void SendKey(WORD AKey, std::initializer_list<WORD> AModifiers = {});

// Runs the action once, from this thread's message loop, after the delay
// (for driving a modal window from inside its own loop).
void Later(DWORD AMilliseconds, std::function<void()> AAction);

// Runs the action from this thread's message loop once the form is shown
// and active (for driving a modal form from inside its own loop).
void WhenActive(TForm *AForm, std::function<void()> AAction);

// Presses the button with the control identifier inside a dialog.
void ClickDialogButton(HWND ADialog, int AId);

// Starts a program with arguments and its own environment additions;
// returns the process handle (caller closes) or null.
HANDLE StartProcess(const std::wstring &AExe, const std::wstring &AArgs = L"");
// As StartProcess, with variables ("NAME=value") added to or replacing
// those of this process's environment.
HANDLE StartProcessWithEnvironment(const std::wstring &AExe, const std::wstring &AArgs,
                                   const std::vector<std::wstring> &AVariables);
// Visible top-level windows of a process.
std::vector<HWND> ProcessWindows(DWORD AProcessId);
// Exit code, or STILL_ACTIVE when the process has not ended in time.
DWORD WaitExit(HANDLE AProcess, DWORD ATimeout);
// A started program that is ended at the latest when the object goes, so
// a failing test leaves nothing running.
class TProcess {
public:
  explicit TProcess(const std::wstring &AExe, const std::wstring &AArgs = L"");
  ~TProcess();
  TProcess(const TProcess &) = delete;
  TProcess &operator=(const TProcess &) = delete;
  HANDLE Handle() const { return FHandle; }
  DWORD Pid() const;
  // The program's main window "kalverin Tastenfang", waiting for it.
  HWND MainWindow(DWORD ATimeout = kWaitLimit) const;
  // Closes the main window as the user does; returns the exit code.
  DWORD Close(DWORD ATimeout = kWaitLimit);

private:
  HANDLE FHandle;
};

// The visible top-level window with this caption owned by the process.
HWND FindProcessWindow(DWORD AProcessId, const std::wstring &ACaption,
                       DWORD ATimeout = kWaitLimit);

// While alive, http and https addresses opened through the shell go to the test's
// stand-in browser, which appends them to a log file instead of showing
// them. The previous handler comes back at the end.
class TUrlRecorder {
public:
  TUrlRecorder();
  ~TUrlRecorder();
  // The addresses recorded so far, one per open.
  std::vector<std::wstring> Addresses() const;
  // Waits until at least ACount addresses were recorded.
  bool WaitFor(size_t ACount, DWORD ATimeout = kWaitLimit) const;

private:
  TTempDir FDir;
  std::wstring FLog;
  bool FHadOld = false, FHadOldHttps = false;
  std::wstring FOld, FOldHttps;
};

} // namespace test
