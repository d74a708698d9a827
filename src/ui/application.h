#pragma once
// The application object: title, help file, the forms it owns, the message
// loop with its keyboard pre-processing, and the general error report.
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "base/exception.h"
#include "ui/forms.h"

// Ends the program through its normal exit path (thrown by Halt). It is no
// failure: every boundary that reports failures lets it pass as a halt.
struct TProgramHalt {
  int ExitCode;
};

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  const std::wstring &Title() const { return FTitle; }
  void SetTitle(const std::wstring &AValue) { FTitle = AValue; }
  const std::wstring &HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::wstring &AValue) { FHelpFile = AValue; }
  // Opens the help file at the context; false when there is no help file.
  bool HelpContext(int AContext);

  // The first form created becomes the main form.
  template <class T> void CreateForm(T *&AReference) {
    AReference = TForm::Create<T>(this);
    if (!FMainForm) FMainForm = AReference;
  }
  TForm *MainForm() const { return FMainForm; }
  // The window that stands for the application: the main form's.
  HWND Handle() const;

  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  [[noreturn]] void Halt(int AExitCode) { throw TProgramHalt{AExitCode}; }
  // A halt caught where nothing may unwind (a window procedure, a platform
  // callback): kept, the platform's own modal loops are ended, and the
  // message loop raises it again.
  void HaltLater(int AExitCode);
  bool HaltPending() const { return FHaltPending; }
  // Raises the kept halt, if any.
  void RaisePendingHalt();
  // Waits for one message and handles it; raises a kept halt.
  void HandleMessage();
  // Handles every message that is waiting, then returns.
  void ProcessMessages();
  bool BiDiMode() const { return false; }

  // The general error report: error icon, OK, the title as caption.
  void HandleException(const std::exception &E);
  void ShowException(const std::wstring &AMessage);

  // Shows AText as the tooltip of a window. The tooltip window itself is
  // made when the mouse first moves over a window with a tooltip: nobody
  // sees one before, and making it would only delay the start.
  void AddHint(HWND AWnd, const std::wstring &AText);
  // Forgets the window's tooltip (the window goes).
  void RemoveHint(HWND AWnd);
  // The mouse moved over a window with a tooltip: makes the tooltip window
  // if it is still missing and hands it this first move.
  void HintMouseMove(HWND AWnd, UINT AMsg, WPARAM AW, LPARAM AL);
  HWND HintWindow() const { return FHintWindow; }

private:
  void DispatchOne(MSG &AMsg);

  std::wstring FTitle;
  std::wstring FHelpFile;
  TForm *FMainForm = nullptr;
  bool FTerminated = false;
  bool FHaltPending = false;
  int FHaltExitCode = 0;
  bool RegisterHint(HWND AWnd, const std::wstring &AText, bool AAdd);
  HWND FHintWindow = nullptr;
  // Tooltips waiting for the tooltip window.
  std::vector<std::pair<HWND, std::wstring>> FWaitingHints;
};

extern TApplication *Application;

// The message with a full stop appended when its last character's code is
// above that of the full stop.
std::wstring WithFullStop(const std::wstring &AMessage);

// For a catch (...) where nothing may pass (window procedures, platform
// callbacks): a halt is kept for the message loop, a failure goes to the
// general error report.
void HandleBoundaryException() noexcept;
