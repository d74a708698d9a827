#pragma once
// The few platform calls that tests observe or answer. The program always
// calls the real thing; a test sets a hook to stand in for it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/system_library.h"

struct TShellExecuteRequest {
  HWND Owner = nullptr;
  std::optional<std::wstring> Verb; // none = the default action
  std::wstring File;
  std::optional<std::wstring> Parameters;
  std::optional<std::wstring> Directory;
  int ShowCmd = SW_SHOWNORMAL;
};

// ShellExecuteW. A hook receives the request instead of the shell.
extern std::function<HINSTANCE(const TShellExecuteRequest &)> ShellExecuteHook;
HINSTANCE PlatformShellExecute(const TShellExecuteRequest &ARequest);

// The one rule for addresses taken from text (dialog links, a downloaded
// document) before they go to the shell: http, https and mailto, in any
// case. Anything else (file:, UNC paths, other protocol handlers) could
// start a program or reach into a file share.
bool IsWebAddress(const std::wstring &AAddress);

// Hands a file or an address to the shell, shown normally (no verb: the
// default action). What the shell makes of it is not examined.
void ShellOpen(HWND AOwner, const std::wstring &AFile,
               std::optional<std::wstring> AVerb = std::nullopt,
               std::optional<std::wstring> AParameters = std::nullopt);

// MessageBoxW. A hook answers instead of the user.
extern std::function<int(HWND AOwner, const std::wstring &AText, const std::wstring &ACaption,
                         UINT AType)>
    MessageBoxHook;
int PlatformMessageBox(HWND AOwner, const std::wstring &AText, const std::wstring &ACaption,
                       UINT AType);

// MessageBeep. A hook hears it instead of the speaker.
extern std::function<void(UINT AType)> MessageBeepHook;
void PlatformMessageBeep(UINT AType);

// HtmlHelpW of "hhctrl.ocx", loaded when first needed. A hook sees the call.
extern std::function<HWND(HWND ACaller, const std::wstring &AFile, UINT ACommand,
                          DWORD_PTR AData)>
    HtmlHelpHook;
HWND PlatformHtmlHelp(HWND ACaller, const std::wstring &AFile, UINT ACommand, DWORD_PTR AData);
