#include "ui/dialogs.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/application.h"
#include "ui/platform.h" // GetProcAddressAs

std::function<bool()> TaskDialogsAvailableHook;

namespace {
using TTaskDialogIndirect = HRESULT(WINAPI *)(const TASKDIALOGCONFIG *, int *, int *, BOOL *);
using TThemeQuery = BOOL(WINAPI *)();

// The common controls of this program's activation context (version 6 when
// the manifest asks for it). Loaded once and kept.
HMODULE CommonControls() {
  static HMODULE module = LoadLibraryW(L"comctl32.dll");
  return module;
}

TTaskDialogIndirect TaskDialogEntry() {
  HMODULE module = CommonControls();
  return module ? GetProcAddressAs<TTaskDialogIndirect>(module, "TaskDialogIndirect") : nullptr;
}

// Themed windows drawn by common controls 6. Version 6 is told by its task
// dialog: Wine's version 6 library reports itself as 5.81.
bool VisualStylesEnabled() {
  if (!TaskDialogEntry()) return false;
  static HMODULE theme = LoadLibraryW(L"uxtheme.dll");
  if (!theme) return false;
  auto isAppThemed = GetProcAddressAs<TThemeQuery>(theme, "IsAppThemed");
  auto isThemeActive = GetProcAddressAs<TThemeQuery>(theme, "IsThemeActive");
  return isAppThemed && isThemeActive && isAppThemed() && isThemeActive();
}

bool PlatformMajorVersionSixOrLater() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExW(&info) && info.dwMajorVersion >= 6;
}

struct TButtonSpec {
  TMsgDlgBtn Button;
  TModalResult Result;
  const wchar_t *Caption;
};
const TButtonSpec Buttons[] = {
    {mbYes, mrYes, L"&Ja"},
    {mbNo, mrNo, L"&Nein"},
    {mbOK, mrOk, L"OK"},
    {mbCancel, mrCancel, L"Abbrechen"},
};

TModalResult DefaultButton(TMsgDlgButtons AButtons) {
  if (AButtons & mbOK) return mrOk;
  if (AButtons & mbYes) return mrYes;
  for (const TButtonSpec &b : Buttons)
    if (AButtons & b.Button) return b.Result;
  return mrOk;
}

bool ShowAsTaskDialog(const std::wstring &ATitle, const std::wstring &AMsg, TMsgDlgType ADlgType,
                      TMsgDlgButtons AButtons, TModalResult &AResult) {
  TTaskDialogIndirect taskDialog = TaskDialogEntry();
  if (!taskDialog) return false;
  std::vector<TASKDIALOG_BUTTON> buttons;
  for (const TButtonSpec &b : Buttons)
    if (AButtons & b.Button) buttons.push_back({b.Result, b.Caption});
  const std::wstring caption = MsgDlgCaption(ADlgType);

  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof(config);
  config.hwndParent = Application ? Application->Handle() : nullptr;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
  config.pszWindowTitle = caption.c_str();
  // There is no question icon among the task dialog's icons.
  switch (ADlgType) {
  case mtWarning:
    config.pszMainIcon = TD_WARNING_ICON;
    break;
  case mtError:
    config.pszMainIcon = TD_ERROR_ICON;
    break;
  case mtInformation:
  case mtConfirmation:
    config.pszMainIcon = TD_INFORMATION_ICON;
    break;
  case mtCustom:
    break;
  }
  config.pszMainInstruction = ATitle.c_str();
  config.pszContent = AMsg.c_str();
  config.cButtons = UINT(buttons.size());
  config.pButtons = buttons.data();
  config.nDefaultButton = DefaultButton(AButtons);
  int pressed = 0;
  if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr))) return false;
  AResult = pressed;
  return true;
}

bool IsDialogWindow(HWND AWnd) {
  wchar_t name[16];
  return GetClassNameW(AWnd, name, 16) && wcscmp(name, L"#32770") == 0;
}

// Centres the next dialog window this thread activates on the screen.
class TCentreNextDialog {
public:
  TCentreNextDialog() { FHook = SetWindowsHookExW(WH_CBT, &Proc, nullptr, GetCurrentThreadId()); }
  ~TCentreNextDialog() {
    if (FHook) UnhookWindowsHookEx(FHook);
    FHook = nullptr;
  }
  TCentreNextDialog(const TCentreNextDialog &) = delete;
  TCentreNextDialog &operator=(const TCentreNextDialog &) = delete;

private:
  static LRESULT CALLBACK Proc(int ACode, WPARAM AWParam, LPARAM ALParam) {
    HHOOK hook = FHook;
    HWND wnd = reinterpret_cast<HWND>(AWParam);
    if (ACode == HCBT_ACTIVATE && hook && IsDialogWindow(wnd)) {
      RECT r;
      if (GetWindowRect(wnd, &r)) {
        int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(wnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      // Once: dialogs the message box itself opens stay where they are.
      UnhookWindowsHookEx(hook);
      FHook = nullptr;
    }
    return CallNextHookEx(hook, ACode, AWParam, ALParam);
  }
  static thread_local HHOOK FHook;
};
thread_local HHOOK TCentreNextDialog::FHook = nullptr;

TModalResult ShowAsMessageBox(const std::wstring &AMsg, TMsgDlgType ADlgType,
                              TMsgDlgButtons AButtons) {
  UINT type = MB_OK;
  if ((AButtons & (mbYes | mbNo)) && (AButtons & mbCancel))
    type = MB_YESNOCANCEL;
  else if (AButtons & (mbYes | mbNo))
    type = MB_YESNO;
  else if (AButtons & mbCancel)
    type = MB_OKCANCEL;
  switch (ADlgType) {
  case mtWarning:
    type |= MB_ICONWARNING;
    break;
  case mtError:
    type |= MB_ICONERROR;
    break;
  case mtInformation:
    type |= MB_ICONINFORMATION;
    break;
  case mtConfirmation:
    type |= MB_ICONQUESTION;
    break;
  case mtCustom:
    break;
  }
  // The first button of each set is the default: OK, or else Yes.
  type |= MB_DEFBUTTON1;
  TCentreNextDialog centre;
  const std::wstring caption = MsgDlgCaption(ADlgType);
  return MessageBoxW(Application ? Application->Handle() : nullptr, AMsg.c_str(), caption.c_str(),
                     type);
}
} // namespace

std::wstring MsgDlgCaption(TMsgDlgType ADlgType) {
  switch (ADlgType) {
  case mtWarning:
    return L"Warnung";
  case mtError:
    return L"Fehler";
  case mtInformation:
    return L"Informationen";
  case mtConfirmation:
    return L"Bestätigen";
  case mtCustom:
    break;
  }
  return Application ? Application->Title() : std::wstring();
}

bool TaskDialogsAvailable() {
  if (TaskDialogsAvailableHook) return TaskDialogsAvailableHook();
  return PlatformMajorVersionSixOrLater() && VisualStylesEnabled();
}

TModalResult TaskMessageDlg(const std::wstring &ATitle, const std::wstring &AMsg,
                            TMsgDlgType ADlgType, TMsgDlgButtons AButtons) {
  TModalResult result = mrNone;
  if (TaskDialogsAvailable() && ShowAsTaskDialog(ATitle, AMsg, ADlgType, AButtons, result))
    return result;
  return ShowAsMessageBox(AMsg, ADlgType, AButtons);
}
