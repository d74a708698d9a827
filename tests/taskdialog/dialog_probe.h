#pragma once
// Reading a task dialog that is really on screen.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tdtest {

struct TSeenButton {
  int ID;
  std::wstring Text;
  HWND Wnd;
};

struct TSeenDialog {
  HWND Wnd = nullptr;
  std::wstring Caption;
  std::vector<TSeenButton> Buttons; // visible push buttons, radio buttons, check boxes
  // Static texts (the emulated window's instruction label and its painted
  // texts among them).
  std::vector<std::wstring> Statics;
  bool HasSystemMenu = false;
  int Focused = 0;      // control id of the focused button
  bool HasIcon = false; // a static control or picture showing an icon
};

TSeenDialog Inspect(HWND ADialog);
bool HasButton(const TSeenDialog &ADialog, int AID);
std::wstring ButtonText(const TSeenDialog &ADialog, int AID);
bool HasStatic(const TSeenDialog &ADialog, const std::wstring &AText);

// Runs AShow while the first task dialog it opens (native or emulated) is
// inspected and handed to AAnswer, which closes it (a click, a key).
// Returns AShow's value.
int Answering(const std::function<int()> &AShow,
              const std::function<void(const TSeenDialog &)> &AAnswer,
              TSeenDialog *ASeen = nullptr);

// Sends a key to the control of the dialog that has the focus, once the
// dialog has set it.
void PressKey(const TSeenDialog &ADialog, WORD AKey);

// Clicks the dialog's button with the identifier.
void Click(const TSeenDialog &ADialog, int AID);

} // namespace tdtest
