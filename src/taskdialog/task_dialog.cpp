#include "taskdialog/task_dialog.h"

#include <commctrl.h>

#include <utility>

#include "taskdialog/native_config.h"
#include "taskdialog/presentation_version.h"
#include "taskdialog/shell_links.h"
#include "ui/application.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/stdctrls.h"
#include "ui/task_dialog_platform.h"

TCustomAdvTaskDialog::TCustomAdvTaskDialog(TComponent *AOwner) : TComponent(AOwner) {}

TCustomAdvTaskDialog::~TCustomAdvTaskDialog() = default;

TControl *TCustomAdvTaskDialog::CreateButton(TComponent *AOwner) { return new TButton(AOwner); }

TControl *TCustomAdvTaskDialog::CreateRadioButton(TComponent *AOwner) {
  return new TRadioButton(AOwner);
}

void TCustomAdvTaskDialog::SetRadioButtonChecked(TControl *ARadioButton, bool AChecked) {
  if (auto *radio = dynamic_cast<TRadioButton *>(ARadioButton)) radio->SetChecked(AChecked);
}

void TCustomAdvTaskDialog::SetButtonCaption(TControl *AControl, const std::wstring &AText) {
  if (auto *button = dynamic_cast<TButton *>(AControl)) button->SetCaption(AText);
}

void TCustomAdvTaskDialog::SetButtonCancel(TControl *AControl, bool AValue) {
  if (auto *button = dynamic_cast<TButton *>(AControl)) button->SetCancel(AValue);
}

void TCustomAdvTaskDialog::SetButtonDefault(TControl *AControl, bool AValue) {
  if (auto *button = dynamic_cast<TButton *>(AControl)) button->SetDefault(AValue);
}

void TCustomAdvTaskDialog::SetButtonModalResult(TControl *AControl, int AValue) {
  if (auto *button = dynamic_cast<TButton *>(AControl)) button->SetModalResult(AValue);
}

int TCustomAdvTaskDialog::GetButtonModalResult(TControl *AControl) {
  auto *button = dynamic_cast<TButton *>(AControl);
  return button ? button->ModalResult() : 0;
}

void TCustomAdvTaskDialog::InitRadioButton(TForm *AWindow, TControl *ARadioButton,
                                           TNotifyEvent AClick, int AIndex) {
  ARadioButton->SetName(L"Radio" + std::to_wstring(AIndex));
  ARadioButton->SetParent(AWindow);
  ARadioButton->Font().SetName(AWindow->Canvas().Font().Name());
  ARadioButton->Font().SetSize(8);
  ARadioButton->OnClick = std::move(AClick);
}

void TCustomAdvTaskDialog::SetControlText(TControl *AControl, const std::wstring &AText) {
  AControl->SetText(AText);
}

void TCustomAdvTaskDialog::UpdateElementText(std::wstring &AField, const std::wstring &AValue,
                                             int AElement) {
  if (AField == AValue) return;
  AField = AValue;
  SendToDialog(TDM_UPDATE_ELEMENT_TEXT, WPARAM(AElement), LPARAM(AField.c_str()));
  if (FDialogForm) FDialogForm->UpdateDialog();
}

void TCustomAdvTaskDialog::SetContent(const std::wstring &AValue) {
  UpdateElementText(FContent, AValue, TDE_CONTENT);
}
void TCustomAdvTaskDialog::SetExpandedText(const std::wstring &AValue) {
  UpdateElementText(FExpandedText, AValue, TDE_EXPANDED_INFORMATION);
}
void TCustomAdvTaskDialog::SetFooter(const std::wstring &AValue) {
  UpdateElementText(FFooter, AValue, TDE_FOOTER);
}
void TCustomAdvTaskDialog::SetInstruction(const std::wstring &AValue) {
  UpdateElementText(FInstruction, AValue, TDE_MAIN_INSTRUCTION);
}

void TCustomAdvTaskDialog::Clear() {
  FCommonButtons = {};
  FCustomButtons.Clear();
  FRadioButtons.Clear();
  FIcon = tiBlank;
  FFooterIcon = tfiBlank;
  SetInstruction(L"");
  SetContent(L"");
  SetFooter(L"");
  SetExpandedText(L"");
  FTitle.clear();
  FVerifyText.clear();
  FExpandControlText.clear();
  FCollapsControlText.clear();
  FDefaultRadioButton = kRadioButtonBase;
  FDefaultButton = 0;
  FOptions = {};
  FVerifyResult = false;
}

LRESULT TCustomAdvTaskDialog::SendToDialog(UINT AMsg, WPARAM AW, LPARAM AL) {
  // hWnd is cleared when the dialog goes: a later handle of that value may
  // be another window by then.
  return FhWnd ? SendMessageW(FhWnd, AMsg, AW, AL) : 0;
}

void TCustomAdvTaskDialog::Close() {
  // With no default button set the platform's dialog has none of number 0:
  // clicking it would do nothing, so the button the dialog shows as its
  // default is clicked.
  if (FIsNative)
    SendToDialog(TDM_CLICK_BUTTON, WPARAM(FDefaultButton ? FDefaultButton : ShownDefaultButton()),
                 0);
  else if (FDialogForm)
    FDialogForm->CloseDialog(mrCancel);
}

int TCustomAdvTaskDialog::ShownDefaultButton() const {
  if (FCustomButtons.Count() > 0) return kCustomButtonBase;
  // The platform's order of the common buttons.
  static constexpr std::pair<TCommonButton, int> kOrder[] = {
      {cbOK, IDOK},       {cbYes, IDYES},       {cbNo, IDNO},
      {cbRetry, IDRETRY}, {cbCancel, IDCANCEL}, {cbClose, kNativeCloseButtonID}};
  for (const auto &[button, id] : kOrder)
    if (FCommonButtons.Contains(button)) return id;
  return IDOK; // a dialog without buttons shows OK
}

void TCustomAdvTaskDialog::ClickButton(int ButtonID) {
  SendToDialog(TDM_CLICK_BUTTON, WPARAM(ButtonID), 0);
  if (FDialogForm) FDialogForm->ClickButton(ButtonID);
}

void TCustomAdvTaskDialog::EnableButton(int ButtonID, bool Enabled) {
  SendToDialog(TDM_ENABLE_BUTTON, WPARAM(ButtonID), LPARAM(Enabled ? 1 : 0));
  if (FDialogForm) FDialogForm->EnableButton(ButtonID, Enabled);
}

void TCustomAdvTaskDialog::ElevateButton(int ButtonID, bool Enabled) {
  SendToDialog(TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE, WPARAM(ButtonID), LPARAM(Enabled ? 1 : 0));
}

bool TCustomAdvTaskDialog::UsesEmulatedPresentation() const {
  return NeedsEmulatedPresentation(PlatformMajorVersion(), FileVersionHigh(L"COMCTL32.DLL"),
                                   FNonNativeDialog);
}

int TCustomAdvTaskDialog::Execute() {
  // A handler may execute the component again while its dialog is open:
  // each execution keeps its own window, so the outer dialog is still
  // reached once the inner one returns.
  struct TOuterExecution {
    TCustomAdvTaskDialog &Dialog;
    HWND Wnd;
    TEmulatedDialogWindow *Form;
    bool IsNative;
    int32_t AutoCloseCounter;
    ~TOuterExecution() {
      if (!Wnd && !Form) return; // none open: IsNative tells of this execution
      Dialog.FhWnd = Wnd;
      Dialog.FDialogForm = Form;
      Dialog.FIsNative = IsNative;
      Dialog.FAutoCloseCounter = AutoCloseCounter;
    }
  } outer{*this, FhWnd, FDialogForm, FIsNative, FAutoCloseCounter};
  FhWnd = nullptr;
  FDialogForm = nullptr;
  FIsNative = false;
  FVerifyResult = false;
  FAutoCloseCounter = 0;
  if (UsesEmulatedPresentation()) return ExecuteEmulated(-1, -1);
  return ExecuteNative();
}

int TCustomAdvTaskDialog::ExecuteNative() {
  // The platform may not have the library or the entry at all.
  if (!CommonControlsLibrary()) return -1;
  FIsNative = true;
  TTaskDialogIndirectProc taskDialogIndirect = TaskDialogIndirectEntry();
  if (!taskDialogIndirect) return -1;

  TTaskDialogConfig config(*this);
  int button = 0, radio = 0;
  BOOL verify = FALSE;
  const HRESULT shown = taskDialogIndirect(config.Data(), &button, &radio, &verify);
  FhWnd = nullptr;
  // A halt raised by an event handler inside the dialog goes on from here.
  if (Application) Application->RaisePendingHalt();
  // A dialog that could not be shown was not cancelled by the user.
  if (FAILED(shown)) return -1;
  FButtonResult = radio;
  FVerifyResult = verify != FALSE;
  return button;
}

HRESULT CALLBACK TCustomAdvTaskDialog::TaskDialogCallback(HWND AWnd, UINT ANotification, WPARAM AW,
                                                          LPARAM AL, LONG_PTR AData) {
  auto *self = reinterpret_cast<TCustomAdvTaskDialog *>(AData);
  if (!self) return S_OK;
  // Nothing may unwind through the platform's dialog: a failing handler is
  // reported the way every event handler's failure is, and the dialog goes
  // on; a halt ends the dialog and goes on after it.
  try {
    return self->HandleNotification(AWnd, ANotification, AW, AL);
  } catch (...) {
    HandleBoundaryException();
  }
  return S_OK;
}

HRESULT TCustomAdvTaskDialog::HandleNotification(HWND AWnd, UINT ANotification, WPARAM AW,
                                                 LPARAM AL) {
  // The dialog's window from its first notification until it is gone.
  FhWnd = ANotification == TDN_DESTROYED ? nullptr : AWnd;
  switch (ANotification) {
  case TDN_CREATED:
    if (OnDialogCreated) OnDialogCreated(this);
    if (FOptions.Contains(doProgressBar))
      SendToDialog(TDM_SET_PROGRESS_BAR_RANGE, 0,
                   MAKELPARAM(WORD(FProgressBarMin), WORD(FProgressBarMax)));
    if (FOptions.Contains(doProgressBarMarquee)) SendToDialog(TDM_SET_PROGRESS_BAR_MARQUEE, 1, 10);
    break;
  case TDN_BUTTON_CLICKED:
    DoDialogButtonClick(int(AW));
    if (!DoDialogClose()) return S_FALSE;
    break;
  case TDN_HYPERLINK_CLICKED:
    DoDialogHyperlinkClick(AL ? reinterpret_cast<const wchar_t *>(AL) : L"");
    break;
  case TDN_TIMER:
    TimerTick(DWORD(AW));
    break;
  case TDN_RADIO_BUTTON_CLICKED:
    if (OnDialogRadioClick) OnDialogRadioClick(this, int(AW));
    break;
  case TDN_VERIFICATION_CLICKED:
    if (OnDialogVerifyClick) OnDialogVerifyClick(this, AW != 0);
    break;
  case TDN_HELP:
    OpenHelp();
    break;
  default:
    break;
  }
  return S_OK;
}

void TCustomAdvTaskDialog::TimerTick(DWORD AElapsed) {
  DoDialogTimer();
  int pos = 0;
  TTaskDialogProgressState state = psNormal;
  if (DoDialogProgress(pos, state)) {
    SendToDialog(TDM_SET_PROGRESS_BAR_POS, WPARAM(pos), 0);
    const int platformState = state == psError    ? PBST_ERROR
                              : state == psPaused ? PBST_PAUSED
                                                  : PBST_NORMAL;
    SendToDialog(TDM_SET_PROGRESS_BAR_STATE, WPARAM(platformState), 0);
  }
  // The platform's timer comes about every 200 ms, not every 100 ms: the
  // counter takes the time it reports since the dialog was created.
  FAutoCloseCounter = int32_t(AElapsed);
  CloseWhenTimedOut();
}

void TCustomAdvTaskDialog::AdvanceAutoClose(int Milliseconds) {
  FAutoCloseCounter += Milliseconds;
  CloseWhenTimedOut();
}

void TCustomAdvTaskDialog::CloseWhenTimedOut() {
  if (FAutoCloseTimeout > 0 && FAutoClose && FAutoCloseTimeout < FAutoCloseCounter) Close();
}

void TCustomAdvTaskDialog::DoDialogButtonClick(int ButtonID) {
  if (OnDialogButtonClick) OnDialogButtonClick(this, ButtonID);
}

void TCustomAdvTaskDialog::DoDialogRadioClick(int ButtonID) {
  FButtonResult = ButtonID;
  if (OnDialogRadioClick) OnDialogRadioClick(this, FButtonResult);
}

void TCustomAdvTaskDialog::DoDialogVerifyClick(bool Checked) {
  FVerifyResult = Checked;
  if (OnDialogVerifyClick) OnDialogVerifyClick(this, FVerifyResult);
}

void TCustomAdvTaskDialog::DoDialogHyperlinkClick(const std::wstring &HRef) {
  if (OnDialogHyperlinkClick)
    OnDialogHyperlinkClick(this, HRef);
  else
    OpenLinkAddress(nullptr, HRef);
}

void TCustomAdvTaskDialog::DoDialogTimer() {
  if (OnDialogTimer) OnDialogTimer(this);
}

bool TCustomAdvTaskDialog::DoDialogProgress(int &Pos, TTaskDialogProgressState &State) {
  if (!OnDialogProgress) return false;
  OnDialogProgress(this, Pos, State);
  return true;
}

bool TCustomAdvTaskDialog::DoDialogClose() {
  bool canClose = true;
  if (OnDialogClose) OnDialogClose(this, canClose);
  return canClose;
}

void TCustomAdvTaskDialog::ResetRadioButtonResult() {
  FButtonResult = FOptions.Contains(doNoDefaultRadioButton) ? 0 : FDefaultRadioButton;
}

void TCustomAdvTaskDialog::OpenHelp() {
  if (FHelpContext == 0 || !Application) return;
  try {
    Application->HelpContext(FHelpContext);
  } catch (const Exception &E) {
    ShowHelpException(E);
  }
}

void ShowHelpException(const Exception &E) {
  UINT style = MB_ICONERROR;
  if (Application && Application->BiDiMode()) style |= MB_RTLREADING;
  PlatformMessageBox(nullptr, WithFullStop(E.Message()), Application ? Application->Title() : L"",
                     style);
}
