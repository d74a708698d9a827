#include "taskdialog/common_buttons.h"

#include <array>

namespace {
std::array<TCommonButtonInfo, kCommonButtonCount> &Table() {
  static std::array<TCommonButtonInfo, kCommonButtonCount> table{{
      {L"OK", L"", 1},
      {L"Yes", L"", 6},
      {L"No", L"", 7},
      {L"Cancel", L"", 2},
      {L"Retry", L"", 4},
      {L"Abort", L"", kEmulatedCloseButtonID},
  }};
  return table;
}
} // namespace

const TCommonButtonInfo &CommonButtonInfo(TCommonButton AButton) {
  return Table().at(size_t(AButton));
}

void BindTaskDialogButtonCaptions() {
  // The German message-dialog button texts.
  static const wchar_t *const captions[kCommonButtonCount] = {
      L"OK", L"&Ja", L"&Nein", L"Abbrechen", L"&Wiederholen", L"&Abbrechen"};
  for (size_t i = 0; i < Table().size(); ++i)
    Table()[i].Caption = captions[i];
}
