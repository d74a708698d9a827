#include "taskdialog/task_message.h"

#include "taskdialog/task_message_fill.h"
#include "ui/application.h"
#include "ui/forms.h"

namespace {
struct TKindInfo {
  TTaskDialogIcon Icon;
  std::wstring Title;
};

// The caption is the framework's message-dialog text of the kind.
TKindInfo KindInfo(uint8_t AKind) {
  static const TTaskDialogIcon kIcons[] = {tiWarning, tiError, tiInformation, tiQuestion};
  if (AKind >= mtCustom) return {tiBlank, L""};
  return {kIcons[AKind], MsgDlgCaption(TMsgDlgType(AKind))};
}

// The buttons that become custom buttons, in this order.
constexpr TMsgDlgBtn kExtraButtons[] = {mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

int DefaultButtonFor(uint8_t ASelector) {
  switch (ASelector) {
  case dbYes:
    return mrYes;
  case dbNo:
    return mrNo;
  case dbOK:
    return mrOk;
  case dbCancel:
    return mrCancel;
  case dbAbort:
    return mrAbort;
  case dbRetry:
    return mrRetry;
  case dbIgnore:
    return mrIgnore;
  default:
    return 0;
  }
}

// The form that holds the keyboard focus, if any.
TForm *FocusedForm() {
  for (HWND w = GetFocus(); w; w = GetParent(w))
    if (TControl *control = TControl::FromHandle(w)) return control->ParentForm();
  return nullptr;
}
} // namespace

TTaskMessageButtons PrepareTaskMessage(TAdvTaskDialog &ADialog, const std::wstring &AInstruction,
                                       const std::wstring &AMessage, uint8_t AKind,
                                       uint16_t AButtons, int AHelpContext,
                                       uint8_t ADefaultButton) {
  ADialog.SetInstruction(AInstruction);
  ADialog.SetContent(AMessage);
  const TKindInfo kind = KindInfo(AKind);
  ADialog.SetIcon(kind.Icon);
  ADialog.SetTitle(kind.Title);

  TCommonButtons common;
  if (AButtons & mbYes) common.Include(cbYes);
  if (AButtons & mbNo) common.Include(cbNo);
  if (AButtons & mbOK) common.Include(cbOK);
  if (AButtons & mbCancel) common.Include(cbCancel);
  if (AButtons & mbAbort) common.Include(cbClose);
  if (AButtons & mbRetry) common.Include(cbRetry);
  ADialog.SetCommonButtons(common);

  // Only four result positions exist: a fifth extra button (all five asked
  // for) is shown but recorded nowhere; the help button is known by its
  // identifier wherever it lands.
  TTaskMessageButtons buttons;
  for (TMsgDlgBtn extra : kExtraButtons) {
    if (!(AButtons & extra)) continue;
    const int position = ADialog.CustomButtons().Count();
    if (size_t(position) < buttons.Results.size())
      buttons.Results[size_t(position)] = MsgDlgButtonResult(extra);
    if (extra == mbHelp) buttons.HelpButtonID = kCustomButtonBase + position;
    ADialog.CustomButtons().Add(MsgDlgButtonCaption(extra));
  }

  ADialog.SetDefaultButton(DefaultButtonFor(ADefaultButton));
  ADialog.SetHelpContext(AHelpContext);
  TTaskDialogOptions options = ADialog.Options();
  options.Include(doAllowDialogCancel);
  ADialog.SetOptions(options);
  return buttons;
}

int TaskMessageResult(const TTaskMessageButtons &AButtons, int APressed, int AHelpContext) {
  switch (APressed) {
  case mrOk:
  case mrCancel:
  case mrAbort:
  case mrRetry:
  case mrYes:
  case mrNo:
    return APressed;
  default:
    break;
  }
  // The help button closes the dialog, then the help opens.
  if (APressed == AButtons.HelpButtonID) {
    if (AHelpContext > 0 && Application) Application->HelpContext(AHelpContext);
    return mrNone;
  }
  // Every recorded custom button gives its result: a fourth one (Yes to
  // all behind three others) is shown, so its press must not read as none.
  const int position = APressed - kCustomButtonBase;
  if (position >= 0 && size_t(position) < AButtons.Results.size())
    return AButtons.Results[size_t(position)];
  return mrNone;
}

int ShowTaskMessage(const std::wstring &AInstruction, const std::wstring &AMessage, uint8_t AKind,
                    uint16_t AButtons, int AHelpContext, uint8_t ADefaultButton) {
  TForm *form = FocusedForm();
  TTaskMessageButtons buttons;
  int pressed = 0;
  {
    // One component for exactly this message, freed also on failure.
    TAdvTaskDialog dialog(form ? static_cast<TComponent *>(form)
                               : static_cast<TComponent *>(Application));
    dialog.SetApplicationIsParent(form == nullptr);
    buttons = PrepareTaskMessage(dialog, AInstruction, AMessage, AKind, AButtons, AHelpContext,
                                 ADefaultButton);
    pressed = dialog.Execute();
  }
  return TaskMessageResult(buttons, pressed, AHelpContext);
}
