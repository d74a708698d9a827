#pragma once
// Runs update checks against the loopback server and records what the user
// would see: plain message boxes, the real task-message dialogs (answered on
// screen) and what was handed to the shell.
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/platform.h"

// A PAD document; an element set to none is left out.
struct TPad {
  std::optional<std::string> Name = "kalverin Tastenfang";
  std::optional<std::string> Version = "2.01";
  std::optional<std::string> Year = "2010";
  std::optional<std::string> Month = "12";
  std::optional<std::string> Day = "24";
  std::optional<std::string> Url = "http://127.0.0.1/download/Tastenfang-Setup.exe";
  std::string Xml() const;
};

struct TSeenDialog {
  std::wstring Caption;
  std::vector<std::wstring> Texts;   // the visible static texts, in z-order
  std::vector<std::wstring> Buttons; // captions of the push buttons
  std::wstring Focused;              // the button that has the focus: the default
  bool Centred = false;              // centred on the screen
};

class TCheckRun {
public:
  // AOwnVersion: the own product version; none = that of the built program.
  explicit TCheckRun(std::optional<std::wstring> AOwnVersion = std::nullopt);
  ~TCheckRun();
  // Serves the document under a fresh name and checks it.
  void CheckPad(const TPad &APad, bool AShowMessages);
  void CheckBytes(const std::string &ADocument, bool AShowMessages);
  void CheckUrl(const std::wstring &AUrl, bool AShowMessages);

  int Answer = IDNO;               // the button pressed on every dialog; IDCANCEL: closed
  std::vector<std::wstring> Boxes; // texts of plain message boxes
  std::vector<std::wstring> BoxCaptions;
  std::vector<UINT> BoxTypes;
  std::vector<TSeenDialog> Dialogs; // task-message dialogs
  std::vector<TShellExecuteRequest> Opened;
  bool Silent() const { return Boxes.empty() && Dialogs.empty() && Opened.empty(); }
};

// Chooses the presentation of the task-message dialog while alive.
class TPresentation {
public:
  explicit TPresentation(bool ATaskDialog);
  ~TPresentation();
};
