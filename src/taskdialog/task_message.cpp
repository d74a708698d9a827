#include "taskdialog/task_message.h"

#include <array>
#include <memory>

#include "taskdialog/task_dialog.h"
#include "ui/application.h"
#include "ui/forms.h"

namespace {
struct TKindInfo {
  TTaskDialogIcon Icon;
  const wchar_t *Title;
};

TKindInfo KindInfo(uint8_t AKind) {
  switch (AKind) {
  case mkWarning: return {tiWarning, L"Warnung"};
  case mkError: return {tiError, L"Fehler"};
  case mkInformation: return {tiInformation, L"Informationen"};
  case mkConfirmation: return {tiQuestion, L"Best\u00e4tigen"};
  default: return {tiBlank, L""};
  }
}

struct TExtraButton {
  uint16_t Bit;
  const wchar_t *Caption;
  int Result;
};
constexpr TExtraButton kExtraButtons[] = {
    {mbIgnore, L"&Ignorieren", tmrIgnore}, {mbAll, L"&Alle", tmrAll},
    {mbNoToAll, L"&Alle Nein", tmrNoToAll}, {mbYesToAll, L"A&lle Ja", tmrYesToAll},
    {mbHelp, L"&Hilfe", tmrNone}};

int DefaultButtonFor(uint8_t ASelector) {
  switch (ASelector) {
  case dbYes: return tmrYes;
  case dbNo: return tmrNo;
  case dbOK: return tmrOK;
  case dbCancel: return tmrCancel;
  case dbAbort: return tmrAbort;
  case dbRetry: return tmrRetry;
  case dbIgnore: return tmrIgnore;
  default: return 0;
  }
}

// The form that holds the keyboard focus, if any.
TForm *FocusedForm() {
  for (HWND w = GetFocus(); w; w = GetParent(w))
    if (TControl *control = TControl::FromHandle(w)) return control->ParentForm();
  return nullptr;
}
} // namespace

int ShowTaskMessage(const std::wstring &AInstruction, const std::wstring &AMessage, uint8_t AKind,
                    uint16_t AButtons, int AHelpContext, uint8_t ADefaultButton) {
  TForm *form = FocusedForm();
  auto dialog = std::make_unique<TAdvTaskDialog>(form ? static_cast<TComponent *>(form)
                                                      : static_cast<TComponent *>(Application));
  dialog->SetApplicationIsParent(form == nullptr);
  dialog->SetInstruction(AInstruction);
  dialog->SetContent(AMessage);
  const TKindInfo kind = KindInfo(AKind);
  dialog->SetIcon(kind.Icon);
  dialog->SetTitle(kind.Title);

  TCommonButtons common;
  if (AButtons & mbYes) common.Include(cbYes);
  if (AButtons & mbNo) common.Include(cbNo);
  if (AButtons & mbOK) common.Include(cbOK);
  if (AButtons & mbCancel) common.Include(cbCancel);
  if (AButtons & mbAbort) common.Include(cbClose);
  if (AButtons & mbRetry) common.Include(cbRetry);
  dialog->SetCommonButtons(common);

  // Results of the custom buttons by position. Only the first three
  // positions are ever read back; a fifth extra button finds no position
  // and is not recorded.
  std::array<int, 4> results{};
  int helpButtonID = -1;
  for (const TExtraButton &extra : kExtraButtons) {
    if (!(AButtons & extra.Bit)) continue;
    const int position = dialog->CustomButtons().Count();
    if (size_t(position) < results.size()) results[size_t(position)] = extra.Result;
    if (extra.Bit == mbHelp) helpButtonID = kCustomButtonBase + position;
    dialog->CustomButtons().Add(extra.Caption);
  }

  dialog->SetDefaultButton(DefaultButtonFor(ADefaultButton));
  dialog->SetHelpContext(AHelpContext);
  TTaskDialogOptions options = dialog->Options();
  options.Include(doAllowDialogCancel);
  dialog->SetOptions(options);

  const int pressed = dialog->Execute();
  dialog.reset();

  switch (pressed) {
  case tmrOK:
  case tmrCancel:
  case tmrAbort:
  case tmrRetry:
  case tmrYes:
  case tmrNo:
    return pressed;
  default:
    break;
  }
  // The help button closes the dialog and then opens the help.
  if (pressed == helpButtonID) {
    if (AHelpContext > 0 && Application) Application->HelpContext(AHelpContext);
    return tmrNone;
  }
  if (pressed >= kCustomButtonBase && pressed <= kCustomButtonBase + 2)
    return results[size_t(pressed - kCustomButtonBase)];
  return tmrNone;
}
