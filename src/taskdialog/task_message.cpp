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

struct TExtraButton {
  uint16_t Bit;
  const wchar_t *Caption;
  int Result;
};
constexpr TExtraButton kExtraButtons[] = {{mbIgnore, L"&Ignorieren", tmrIgnore},
                                          {mbAll, L"&Alle", tmrAll},
                                          {mbNoToAll, L"&Alle Nein", tmrNoToAll},
                                          {mbYesToAll, L"A&lle Ja", tmrYesToAll},
                                          {mbHelp, L"&Hilfe", tmrNone}};

int DefaultButtonFor(uint8_t ASelector) {
  switch (ASelector) {
  case dbYes:
    return tmrYes;
  case dbNo:
    return tmrNo;
  case dbOK:
    return tmrOK;
  case dbCancel:
    return tmrCancel;
  case dbAbort:
    return tmrAbort;
  case dbRetry:
    return tmrRetry;
  case dbIgnore:
    return tmrIgnore;
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
  for (const TExtraButton &extra : kExtraButtons) {
    if (!(AButtons & extra.Bit)) continue;
    const int position = ADialog.CustomButtons().Count();
    if (size_t(position) < buttons.Results.size()) buttons.Results[size_t(position)] = extra.Result;
    if (extra.Bit == mbHelp) buttons.HelpButtonID = kCustomButtonBase + position;
    ADialog.CustomButtons().Add(extra.Caption);
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
  case tmrOK:
  case tmrCancel:
  case tmrAbort:
  case tmrRetry:
  case tmrYes:
  case tmrNo:
    return APressed;
  default:
    break;
  }
  // The help button closes the dialog, then the help opens.
  if (APressed == AButtons.HelpButtonID) {
    if (AHelpContext > 0 && Application) Application->HelpContext(AHelpContext);
    return tmrNone;
  }
  // The first three custom buttons map to their recorded results; later
  // ones (Yes to all behind three others) and all else to none.
  if (APressed >= kCustomButtonBase && APressed <= kCustomButtonBase + 2)
    return AButtons.Results[size_t(APressed - kCustomButtonBase)];
  return tmrNone;
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
