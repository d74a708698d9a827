#include "taskdialog/common_buttons.h"

#include <array>

#include "ui/dialogs.h"

namespace {
// The message-dialog button each common button stands for; the Close
// button is the Abort one, so its result is the emulated Close identifier.
constexpr TMsgDlgBtn kButtons[kCommonButtonCount] = {mbOK,     mbYes,   mbNo,
                                                     mbCancel, mbRetry, mbAbort};
static_assert(mrAbort == kEmulatedCloseButtonID);

std::array<TCommonButtonInfo, kCommonButtonCount> &Table() {
  static std::array<TCommonButtonInfo, kCommonButtonCount> table{{
      {L"OK", L"", mrOk},
      {L"Yes", L"", mrYes},
      {L"No", L"", mrNo},
      {L"Cancel", L"", mrCancel},
      {L"Retry", L"", mrRetry},
      {L"Abort", L"", mrAbort},
  }};
  return table;
}
} // namespace

const TCommonButtonInfo &CommonButtonInfo(TCommonButton AButton) {
  return Table().at(size_t(AButton));
}

void BindTaskDialogButtonCaptions() {
  for (size_t i = 0; i < Table().size(); ++i)
    Table()[i].Caption = MsgDlgButtonCaption(kButtons[i]);
}
