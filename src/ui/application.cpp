#include "ui/application.h"

#include <commctrl.h>
#include <htmlhelp.h>
#include <windowsx.h>

#include "ui/platform.h"

TApplication *Application = nullptr;

std::wstring WithFullStop(const std::wstring &AMessage) {
  if (!AMessage.empty() && AMessage.back() > L'.') return AMessage + L".";
  return AMessage;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  DestroyComponents(); // the forms, while the hint window still exists
  if (FHintWindow) DestroyWindow(FHintWindow);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                            ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
}

HWND TApplication::Handle() const {
  return FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
}

bool TApplication::HelpContext(int AContext) {
  if (FHelpFile.empty()) return false;
  PlatformHtmlHelp(GetDesktopWindow(), FHelpFile, HH_HELP_CONTEXT, DWORD_PTR(AContext));
  return true;
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::DispatchOne(MSG &AMsg) {
  if (AMsg.message == WM_KEYDOWN || AMsg.message == WM_SYSKEYDOWN) {
    HWND root = GetAncestor(AMsg.hwnd, GA_ROOT);
    if (auto *form = dynamic_cast<TForm *>(TControl::FromHandle(root))) {
      try {
        if (form->PreProcessKey(AMsg)) return;
      } catch (...) {
        HandleBoundaryException();
        return;
      }
    }
  }
  TranslateMessage(&AMsg);
  DispatchMessageW(&AMsg);
}

void TApplication::HaltLater(int AExitCode) {
  if (FHaltPending) return;
  FHaltPending = true;
  FHaltExitCode = AExitCode;
  // Message boxes and dialogs of the platform leave their loops on it.
  PostQuitMessage(AExitCode);
}

void TApplication::RaisePendingHalt() {
  if (!FHaltPending) return;
  FHaltPending = false;
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  throw TProgramHalt{FHaltExitCode};
}

void TApplication::HandleMessage() {
  RaisePendingHalt();
  MSG msg;
  BOOL r = GetMessageW(&msg, nullptr, 0, 0);
  if (r == 0 || r == -1) {
    RaisePendingHalt();
    FTerminated = true;
    return;
  }
  DispatchOne(msg);
  RaisePendingHalt();
}

void TApplication::ProcessMessages() {
  MSG msg;
  RaisePendingHalt();
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      RaisePendingHalt();
      FTerminated = true;
      return;
    }
    DispatchOne(msg);
    RaisePendingHalt();
  }
}

void HandleBoundaryException() noexcept {
  try {
    throw;
  } catch (const TProgramHalt &halt) {
    if (Application) Application->HaltLater(halt.ExitCode);
  } catch (const std::exception &E) {
    if (Application) Application->HandleException(E);
  } catch (...) {
    if (Application) Application->HandleException(Exception(L"Unbekannter Fehler"));
  }
}

void TApplication::HandleException(const std::exception &E) {
  if (auto *e = dynamic_cast<const Exception *>(&E))
    ShowException(e->Message());
  else
    ShowException(Utf8ToWide(E.what()));
}

void TApplication::ShowException(const std::wstring &AMessage) {
  PlatformMessageBox(GetActiveWindow(), WithFullStop(AMessage), FTitle,
                     MB_OK | MB_ICONERROR);
}

bool TApplication::RegisterHint(HWND AWnd, const std::wstring &AText, bool AAdd) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(AWnd);
  ti.uId = UINT_PTR(AWnd);
  ti.lpszText = const_cast<wchar_t *>(AText.c_str());
  SendMessageW(FHintWindow, TTM_DELTOOLW, 0, LPARAM(&ti));
  return !AAdd || SendMessageW(FHintWindow, TTM_ADDTOOLW, 0, LPARAM(&ti));
}

void TApplication::AddHint(HWND AWnd, const std::wstring &AText) {
  if (!FHintWindow) {
    RemoveHint(AWnd);
    FWaitingHints.emplace_back(AWnd, AText);
    return;
  }
  RegisterHint(AWnd, AText, true);
}

void TApplication::RemoveHint(HWND AWnd) {
  if (FHintWindow) {
    RegisterHint(AWnd, L"", false);
    return;
  }
  std::erase_if(FWaitingHints, [AWnd](const auto &AHint) { return AHint.first == AWnd; });
}

void TApplication::HintMouseMove(HWND AWnd, UINT AMsg, WPARAM AW, LPARAM AL) {
  if (FHintWindow || FWaitingHints.empty()) return;
  FHintWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!FHintWindow) return;
  for (const auto &[wnd, text] : std::exchange(FWaitingHints, {})) RegisterHint(wnd, text, true);
  // The tooltip watches its windows from now on; this move it has missed.
  MSG msg{AWnd, AMsg, AW, AL, DWORD(GetMessageTime()), {}};
  DWORD pos = GetMessagePos();
  msg.pt = POINT{GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos))};
  SendMessageW(FHintWindow, TTM_RELAYEVENT, 0, LPARAM(&msg));
}
