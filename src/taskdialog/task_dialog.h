#pragma once
// The task dialog component: a message with instruction, content, details,
// footer, verification check box, radio buttons, custom and common buttons,
// progress bar and timer. Execute shows it through the platform's own task
// dialog where the platform has a new enough one, else through the emulated
// window, modally, and returns the identifier of the pressed button.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/component.h"
#include "base/exception.h"
#include "base/strings.h"
#include "taskdialog/enum_set.h"
#include "ui/colors.h"
#include "ui/icon.h"

class TControl;
class TForm;

enum TNonNativeDialog { nndAuto, nndAlways };

enum TTaskDialogOption {
  doHyperlinks,
  doCommandLinks,
  doCommandLinksNoIcon,
  doExpandedDefault,
  doExpandedFooter,
  doAllowMinimize,
  doVerifyChecked,
  doProgressBar,
  doProgressBarMarquee,
  doTimer,
  doNoDefaultRadioButton,
  doAllowDialogCancel
};
using TTaskDialogOptions = TEnumSet<TTaskDialogOption, uint16_t>;

enum TTaskDialogIcon {
  tiBlank,
  tiWarning,
  tiQuestion,
  tiError,
  tiInformation,
  tiNotUsed,
  tiShield
};
enum TTaskDialogFooterIcon {
  tfiBlank,
  tfiWarning,
  tfiQuestion,
  tfiError,
  tfiInformation,
  tfiShield
};
enum TTaskDialogProgressState { psNormal, psError, psPaused };
enum TTaskDialogPosition { dpScreenCenter, dpOwnerFormCenter };

enum TCommonButton { cbOK, cbYes, cbNo, cbCancel, cbRetry, cbClose };
using TCommonButtons = TEnumSet<TCommonButton, uint8_t>;

// Button identifiers of both presentations and of all events.
constexpr int kCustomButtonBase = 100; // custom button i is 100 + i
constexpr int kRadioButtonBase = 200;  // radio button i is 200 + i
constexpr int kNativeCloseButtonID = 8;
constexpr int kEmulatedCloseButtonID = 3;

using TTaskDialogButtonClickEvent = std::function<void(TComponent *Sender, int ButtonID)>;
using TTaskDialogHyperlinkClickEvent =
    std::function<void(TComponent *Sender, const std::wstring &HRef)>;
using TTaskDialogVerifyClickEvent = std::function<void(TComponent *Sender, bool Checked)>;
using TTaskDialogCloseEvent = std::function<void(TComponent *Sender, bool &CanClose)>;
using TTaskDialogProgressEvent =
    std::function<void(TComponent *Sender, int &Pos, TTaskDialogProgressState &State)>;

// What the component asks of its emulated window while that is shown.
class TEmulatedDialogWindow {
public:
  // Re-measures and re-arranges after a text changed.
  virtual void UpdateDialog() = 0;
  virtual void CloseDialog(int AResult) = 0;
  virtual void ClickButton(int AButtonID) = 0;
  virtual void EnableButton(int AButtonID, bool AEnabled) = 0;

protected:
  ~TEmulatedDialogWindow() = default;
};

class TAdvMessageForm;

class TCustomAdvTaskDialog : public TComponent {
public:
  explicit TCustomAdvTaskDialog(TComponent *AOwner);
  ~TCustomAdvTaskDialog() override;

  // The emulated window makes and configures its buttons only through
  // these, so a descendant can substitute other control classes.
  virtual TControl *CreateButton(TComponent *AOwner);
  virtual TControl *CreateRadioButton(TComponent *AOwner);
  virtual void InitRadioButton(TForm *AWindow, TControl *ARadioButton, TNotifyEvent AClick,
                               int AIndex);
  virtual void SetRadioButtonChecked(TControl *ARadioButton, bool AChecked);
  virtual void SetControlText(TControl *AControl, const std::wstring &AText);
  // The button operations act on push buttons only.
  virtual void SetButtonCaption(TControl *AControl, const std::wstring &AText);
  virtual void SetButtonCancel(TControl *AControl, bool AValue);
  virtual void SetButtonDefault(TControl *AControl, bool AValue);
  virtual void SetButtonModalResult(TControl *AControl, int AValue);
  // 0 when the control is no push button or missing.
  virtual int GetButtonModalResult(TControl *AControl);
  // The identifier of the pressed button; -1 when the dialog cannot be shown.
  virtual int Execute();

  void Clear();
  // Operations on the open dialog (native or emulated).
  void Close();
  void ClickButton(int ButtonID);
  void EnableButton(int ButtonID, bool Enabled);
  void ElevateButton(int ButtonID, bool Enabled);

  // The notification procedure of the native dialog.
  static HRESULT CALLBACK TaskDialogCallback(HWND AWnd, UINT ANotification, WPARAM AW, LPARAM AL,
                                             LONG_PTR AData);

  bool ApplicationIsParent() const { return FApplicationIsParent; }
  void SetApplicationIsParent(bool AValue) { FApplicationIsParent = AValue; }
  bool AlwaysOnTop() const { return FAlwaysOnTop; }
  void SetAlwaysOnTop(bool AValue) { FAlwaysOnTop = AValue; }
  // The open dialog's window; null before it exists and after it is gone.
  HWND hWnd() const { return FhWnd; }
  int RadioButtonResult() const { return FButtonResult; }
  bool VerifyResult() const { return FVerifyResult; }
  HWND ModalParent() const { return FModalParent; }
  void SetModalParent(HWND AValue) { FModalParent = AValue; }
  TColor FooterColor() const { return FFooterColor; }
  void SetFooterColor(TColor AValue) { FFooterColor = AValue; }
  TColor FooterLineColor() const { return FFooterLineColor; }
  void SetFooterLineColor(TColor AValue) { FFooterLineColor = AValue; }
  // The last Execute reached the platform's own dialog.
  bool IsNative() const { return FIsNative; }
  // Whether Execute takes the emulated presentation, by the platform's and
  // the common-controls library's versions and NonNativeDialog.
  bool UsesEmulatedPresentation() const;

  // The settings, readable by all; a descendant publishes their setters.
  bool AutoClose() const { return FAutoClose; }
  int AutoCloseTimeOut() const { return FAutoCloseTimeout; }
  const TStringList &CustomButtons() const { return FCustomButtons; }
  const TIcon &CustomIcon() const { return FCustomIcon; }
  const TStringList &RadioButtons() const { return FRadioButtons; }
  TCommonButtons CommonButtons() const { return FCommonButtons; }
  int DefaultButton() const { return FDefaultButton; }
  int DefaultRadioButton() const { return FDefaultRadioButton; }
  TTaskDialogPosition DialogPosition() const { return FDlgPosition; }
  const std::wstring &ExpandedText() const { return FExpandedText; }
  const std::wstring &Footer() const { return FFooter; }
  TTaskDialogFooterIcon FooterIcon() const { return FFooterIcon; }
  int HelpContext() const { return FHelpContext; }
  TTaskDialogIcon Icon() const { return FIcon; }
  const std::wstring &Title() const { return FTitle; }
  const std::wstring &Instruction() const { return FInstruction; }
  const std::wstring &Content() const { return FContent; }
  const std::wstring &ExpandControlText() const { return FExpandControlText; }
  const std::wstring &CollapsControlText() const { return FCollapsControlText; }
  TTaskDialogOptions Options() const { return FOptions; }
  const std::wstring &VerificationText() const { return FVerifyText; }
  TNonNativeDialog NonNativeDialog() const { return FNonNativeDialog; }
  int NonNativeMinFormWidth() const { return FMinFormWidth; }
  int ProgressBarMin() const { return FProgressBarMin; }
  int ProgressBarMax() const { return FProgressBarMax; }
  std::wstring Version() const { return L"1.7.1.4"; }

  // A built emulated window for the component, not yet shown; the caller
  // frees it. With a Cancel button, Options gains doAllowDialogCancel and
  // keeps it.
  TAdvMessageForm *CreateDialogForm();

  // The emulated window reports through these while it is shown: they keep
  // the results and raise the events.
  void DoDialogButtonClick(int ButtonID);
  void DoDialogRadioClick(int ButtonID);
  void DoDialogVerifyClick(bool Checked);
  // Without a handler the address is opened.
  void DoDialogHyperlinkClick(const std::wstring &HRef);
  void DoDialogTimer();
  // False without a handler; Pos and State are then unchanged.
  bool DoDialogProgress(int &Pos, TTaskDialogProgressState &State);
  // Whether the handler lets the dialog close.
  bool DoDialogClose();
  // Before any click: the default radio button, none with
  // doNoDefaultRadioButton.
  void ResetRadioButtonResult();
  // Timer events, a progress bar or auto-close need the dialog's timer.
  bool NeedsTimer() const {
    return FOptions.Contains(doTimer) || FOptions.Contains(doProgressBar) ||
           FOptions.Contains(doProgressBarMarquee) || FAutoClose;
  }
  // Counts time towards AutoCloseTimeOut and closes the dialog once past.
  void AdvanceAutoClose(int Milliseconds);

protected:
  void SetAutoClose(bool AValue) { FAutoClose = AValue; }
  void SetAutoCloseTimeOut(int AValue) { FAutoCloseTimeout = AValue; }
  TStringList &CustomButtons() { return FCustomButtons; }
  void SetCustomButtons(const TStringList &AValue) { FCustomButtons.Assign(AValue); }
  void SetCustomIcon(const TIcon &AValue) { FCustomIcon.Assign(AValue); }
  TStringList &RadioButtons() { return FRadioButtons; }
  void SetRadioButtons(const TStringList &AValue) { FRadioButtons.Assign(AValue); }
  void SetCommonButtons(TCommonButtons AValue) { FCommonButtons = AValue; }
  void SetDefaultButton(int AValue) { FDefaultButton = AValue; }
  void SetDefaultRadioButton(int AValue) { FDefaultRadioButton = AValue; }
  void SetDialogPosition(TTaskDialogPosition AValue) { FDlgPosition = AValue; }
  void SetExpandedText(const std::wstring &AValue);
  void SetFooter(const std::wstring &AValue);
  void SetFooterIcon(TTaskDialogFooterIcon AValue) { FFooterIcon = AValue; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; }
  void SetIcon(TTaskDialogIcon AValue) { FIcon = AValue; }
  void SetTitle(const std::wstring &AValue) { FTitle = AValue; }
  void SetInstruction(const std::wstring &AValue);
  void SetContent(const std::wstring &AValue);
  void SetExpandControlText(const std::wstring &AValue) { FExpandControlText = AValue; }
  void SetCollapsControlText(const std::wstring &AValue) { FCollapsControlText = AValue; }
  void SetOptions(TTaskDialogOptions AValue) { FOptions = AValue; }
  void SetVerificationText(const std::wstring &AValue) { FVerifyText = AValue; }
  void SetNonNativeDialog(TNonNativeDialog AValue) { FNonNativeDialog = AValue; }
  void SetNonNativeMinFormWidth(int AValue) { FMinFormWidth = AValue; }
  void SetProgressBarMin(int AValue) { FProgressBarMin = AValue; }
  void SetProgressBarMax(int AValue) { FProgressBarMax = AValue; }
  void SetVersion(const std::wstring &) {}

  TNotifyEvent OnDialogCreated;
  TTaskDialogCloseEvent OnDialogClose;
  TTaskDialogButtonClickEvent OnDialogButtonClick;
  TTaskDialogButtonClickEvent OnDialogRadioClick;
  TTaskDialogHyperlinkClickEvent OnDialogHyperlinkClick;
  TNotifyEvent OnDialogTimer;
  TTaskDialogVerifyClickEvent OnDialogVerifyClick;
  TTaskDialogProgressEvent OnDialogProgress;

private:
  // Shows the dialog through TaskDialogIndirect.
  int ExecuteNative();
  // Shows the dialog through the emulated window at X, Y (negative: the
  // placement rule decides).
  int ExecuteEmulated(int X, int Y);
  // Sends to the open native dialog; nothing once it is gone.
  LRESULT SendToDialog(UINT AMsg, WPARAM AW, LPARAM AL);
  // Stores a live text and tells the open dialog.
  void UpdateElementText(std::wstring &AField, const std::wstring &AValue, int AElement);
  HRESULT HandleNotification(HWND AWnd, UINT ANotification, WPARAM AW, LPARAM AL);
  // A timer notification of the native dialog, AElapsed ms after creation.
  void TimerTick(DWORD AElapsed);
  void CloseWhenTimedOut();
  void OpenHelp();
  // What the native dialog shows as its default when DefaultButton is 0.
  int ShownDefaultButton() const;

  std::wstring FTitle;
  std::wstring FContent;
  std::wstring FFooter;
  std::wstring FInstruction;
  bool FIsNative = false;
  TCommonButtons FCommonButtons;
  std::wstring FExpandedText;
  std::wstring FCollapsControlText;
  std::wstring FExpandControlText;
  int32_t FButtonResult = 0;
  bool FVerifyResult = false;
  std::wstring FVerifyText;
  TStringList FCustomButtons;
  TIcon FCustomIcon;
  TTaskDialogOptions FOptions;
  TStringList FRadioButtons;
  HWND FhWnd = nullptr;
  int32_t FHelpContext = 0;
  int32_t FProgressBarMin = 0;
  int32_t FProgressBarMax = 100;
  bool FAutoClose = false;
  int32_t FAutoCloseTimeout = 0;
  int32_t FAutoCloseCounter = 0;
  TTaskDialogIcon FIcon = tiBlank;
  TTaskDialogFooterIcon FFooterIcon = tfiBlank;
  int32_t FDefaultButton = 0;
  int32_t FDefaultRadioButton = kRadioButtonBase;
  // The emulated window (TAdvMessageForm) while it is shown; not owned.
  TEmulatedDialogWindow *FDialogForm = nullptr;
  TTaskDialogPosition FDlgPosition = dpScreenCenter;
  bool FApplicationIsParent = false;
  bool FAlwaysOnTop = false;
  HWND FModalParent = nullptr;
  int32_t FMinFormWidth = 350;
  TNonNativeDialog FNonNativeDialog = nndAuto;
  TColor FFooterColor = RGB(240, 240, 240);
  TColor FFooterLineColor = RGB(223, 223, 223);
};

// The component with its setters and events published.
class TAdvTaskDialog : public TCustomAdvTaskDialog {
public:
  using TCustomAdvTaskDialog::TCustomAdvTaskDialog;

  // The button lists, changeable in place.
  using TCustomAdvTaskDialog::CustomButtons;
  using TCustomAdvTaskDialog::RadioButtons;

  using TCustomAdvTaskDialog::SetAutoClose;
  using TCustomAdvTaskDialog::SetAutoCloseTimeOut;
  using TCustomAdvTaskDialog::SetCollapsControlText;
  using TCustomAdvTaskDialog::SetCommonButtons;
  using TCustomAdvTaskDialog::SetContent;
  using TCustomAdvTaskDialog::SetCustomButtons;
  using TCustomAdvTaskDialog::SetCustomIcon;
  using TCustomAdvTaskDialog::SetDefaultButton;
  using TCustomAdvTaskDialog::SetDefaultRadioButton;
  using TCustomAdvTaskDialog::SetDialogPosition;
  using TCustomAdvTaskDialog::SetExpandControlText;
  using TCustomAdvTaskDialog::SetExpandedText;
  using TCustomAdvTaskDialog::SetFooter;
  using TCustomAdvTaskDialog::SetFooterIcon;
  using TCustomAdvTaskDialog::SetHelpContext;
  using TCustomAdvTaskDialog::SetIcon;
  using TCustomAdvTaskDialog::SetInstruction;
  using TCustomAdvTaskDialog::SetNonNativeDialog;
  using TCustomAdvTaskDialog::SetNonNativeMinFormWidth;
  using TCustomAdvTaskDialog::SetOptions;
  using TCustomAdvTaskDialog::SetProgressBarMax;
  using TCustomAdvTaskDialog::SetProgressBarMin;
  using TCustomAdvTaskDialog::SetRadioButtons;
  using TCustomAdvTaskDialog::SetTitle;
  using TCustomAdvTaskDialog::SetVerificationText;
  using TCustomAdvTaskDialog::SetVersion;

  using TCustomAdvTaskDialog::OnDialogButtonClick;
  using TCustomAdvTaskDialog::OnDialogClose;
  using TCustomAdvTaskDialog::OnDialogCreated;
  using TCustomAdvTaskDialog::OnDialogHyperlinkClick;
  using TCustomAdvTaskDialog::OnDialogProgress;
  using TCustomAdvTaskDialog::OnDialogRadioClick;
  using TCustomAdvTaskDialog::OnDialogTimer;
  using TCustomAdvTaskDialog::OnDialogVerifyClick;
};

// Line markers (backslash + "n") as the native dialog needs them: a doubled
// backslash keeps one literal marker, else each marker becomes a line feed.
std::wstring ConvertLineMarkers(const std::wstring &AText);

// Shows a failure of the help viewer: error icon, the application title.
void ShowHelpException(const Exception &E);
