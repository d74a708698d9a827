#include "ui/dialogs.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/application.h"
#include "ui/platform.h"
#include "ui/task_dialog_platform.h"

namespace {
struct TButtonSpec {
  TMsgDlgBtn Button;
  TModalResult Result;
  const wchar_t *Caption;
};
// Every message-dialog button: its result and the framework's German text.
const TButtonSpec kButtonSpecs[] = {
    {mbYes, mrYes, L"&Ja"},
    {mbNo, mrNo, L"&Nein"},
    {mbOK, mrOk, L"OK"},
    {mbCancel, mrCancel, L"Abbrechen"},
    {mbAbort, mrAbort, L"&Abbrechen"},
    {mbRetry, mrRetry, L"&Wiederholen"},
    {mbIgnore, mrIgnore, L"&Ignorieren"},
    {mbAll, mrAll, L"&Alle"},
    {mbNoToAll, mrNoToAll, L"&Alle Nein"},
    {mbYesToAll, mrYesToAll, L"A&lle Ja"},
    {mbHelp, mrNone, L"&Hilfe"},
};
// The buttons this dialog shows, in this order.
constexpr TMsgDlgBtn kShownButtons[] = {mbYes, mbNo, mbOK, mbCancel};

const TButtonSpec &SpecOf(TMsgDlgBtn AButton) {
  for (const TButtonSpec &b : kButtonSpecs)
    if (b.Button == AButton) return b;
  return kButtonSpecs[2];
}

TModalResult DefaultButton(TMsgDlgButtons AButtons) {
  if (AButtons & mbOK) return mrOk;
  if (AButtons & mbYes) return mrYes;
  for (TMsgDlgBtn b : kShownButtons)
    if (AButtons & b) return SpecOf(b).Result;
  return mrOk;
}

bool ShowAsTaskDialog(const std::wstring &ATitle, const std::wstring &AMsg, TMsgDlgType ADlgType,
                      TMsgDlgButtons AButtons, TModalResult &AResult) {
  TTaskDialogIndirectProc taskDialog = TaskDialogIndirectEntry();
  if (!taskDialog) return false;
  std::vector<TASKDIALOG_BUTTON> buttons;
  for (TMsgDlgBtn b : kShownButtons)
    if (AButtons & b) buttons.push_back({SpecOf(b).Result, SpecOf(b).Caption});
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

bool TaskDialogsAvailable() { return PlatformMajorVersion() >= 6 && VisualStylesEnabled(); }

std::wstring MsgDlgButtonCaption(TMsgDlgBtn AButton) { return SpecOf(AButton).Caption; }

TModalResult MsgDlgButtonResult(TMsgDlgBtn AButton) { return SpecOf(AButton).Result; }

TModalResult TaskMessageDlg(const std::wstring &ATitle, const std::wstring &AMsg,
                            TMsgDlgType ADlgType, TMsgDlgButtons AButtons) {
  TModalResult result = mrNone;
  if (TaskDialogsAvailable() && ShowAsTaskDialog(ATitle, AMsg, ADlgType, AButtons, result))
    return result;
  return ShowAsMessageBox(AMsg, ADlgType, AButtons);
}
