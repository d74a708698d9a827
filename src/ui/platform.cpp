#include "ui/platform.h"

#include <shellapi.h>

#include "base/system_library.h"

std::function<HINSTANCE(const TShellExecuteRequest &)> ShellExecuteHook;
std::function<int(HWND, const std::wstring &, const std::wstring &, UINT)> MessageBoxHook;
std::function<HWND(HWND, const std::wstring &, UINT, DWORD_PTR)> HtmlHelpHook;
std::function<void(UINT)> MessageBeepHook;

namespace {
const wchar_t *OrNull(const std::optional<std::wstring> &AText) {
  return AText ? AText->c_str() : nullptr;
}
} // namespace

bool IsWebAddress(const std::wstring &AAddress) {
  for (const wchar_t *scheme : {L"http://", L"https://", L"mailto:"}) {
    const size_t n = wcslen(scheme);
    if (AAddress.size() > n && _wcsnicmp(AAddress.c_str(), scheme, n) == 0) return true;
  }
  return false;
}

HINSTANCE PlatformShellExecute(const TShellExecuteRequest &ARequest) {
  if (ShellExecuteHook) return ShellExecuteHook(ARequest);
  return ShellExecuteW(ARequest.Owner, OrNull(ARequest.Verb), ARequest.File.c_str(),
                       OrNull(ARequest.Parameters), OrNull(ARequest.Directory), ARequest.ShowCmd);
}

void ShellOpen(HWND AOwner, const std::wstring &AFile, std::optional<std::wstring> AVerb,
               std::optional<std::wstring> AParameters) {
  TShellExecuteRequest request;
  request.Owner = AOwner;
  request.Verb = std::move(AVerb);
  request.File = AFile;
  request.Parameters = std::move(AParameters);
  request.ShowCmd = SW_SHOWNORMAL;
  PlatformShellExecute(request);
}

int PlatformMessageBox(HWND AOwner, const std::wstring &AText, const std::wstring &ACaption,
                       UINT AType) {
  if (MessageBoxHook) return MessageBoxHook(AOwner, AText, ACaption, AType);
  return MessageBoxW(AOwner, AText.c_str(), ACaption.c_str(), AType);
}

void PlatformMessageBeep(UINT AType) {
  if (MessageBeepHook) return MessageBeepHook(AType);
  MessageBeep(AType);
}

HWND PlatformHtmlHelp(HWND ACaller, const std::wstring &AFile, UINT ACommand, DWORD_PTR AData) {
  if (HtmlHelpHook) return HtmlHelpHook(ACaller, AFile, ACommand, AData);
  using THtmlHelpW = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);
  // Loaded once and kept: the viewer's windows live on after the call.
  static HMODULE module = LoadSystemLibrary(L"hhctrl.ocx");
  static auto htmlHelp =
      module ? GetProcAddressAs<THtmlHelpW>(module, "HtmlHelpW") : nullptr;
  if (!htmlHelp) return nullptr;
  return htmlHelp(ACaller, AFile.c_str(), ACommand, AData);
}
