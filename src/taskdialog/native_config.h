#pragma once
// The configuration record of the platform's task dialog, filled from a
// component. It owns the wide copies its pointers refer to, so it stays in
// one place (no copies) and outlives the TaskDialogIndirect call.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "base/strings.h"

class TCustomAdvTaskDialog;

class TTaskDialogConfig {
public:
  // Button captions are cut to this many characters before the terminator.
  static constexpr size_t kSlotLength = 1024;

  explicit TTaskDialogConfig(TCustomAdvTaskDialog &ATaskDialog);
  TTaskDialogConfig(const TTaskDialogConfig &) = delete;
  TTaskDialogConfig &operator=(const TTaskDialogConfig &) = delete;

  const TASKDIALOGCONFIG &Record() const { return FRecord; }
  TASKDIALOGCONFIG *Data() { return &FRecord; }

private:
  using TSlot = std::array<wchar_t, kSlotLength>;
  void FillButtons(const TStringList &ACaptions, int ABaseID, std::vector<TSlot> &ASlots,
                   std::vector<TASKDIALOG_BUTTON> &AButtons);
  const wchar_t *Keep(std::wstring AText);

  TASKDIALOGCONFIG FRecord{};
  std::vector<TSlot> FCustomSlots, FRadioSlots;
  std::vector<TASKDIALOG_BUTTON> FCustomButtons, FRadioButtons;
  std::deque<std::wstring> FTexts; // a deque never moves its elements
};
