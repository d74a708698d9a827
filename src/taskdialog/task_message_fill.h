#pragma once
// The two halves of ShowTaskMessage around showing the dialog: filling the
// component from kind and button set, and mapping the pressed button.
#include <array>
#include <cstdint>
#include <string>

#include "taskdialog/task_dialog.h"

struct TTaskMessageButtons {
  // Result codes of the custom buttons, by position.
  std::array<int, 4> Results{};
  // Identifier of the help button, or -1.
  int HelpButtonID = -1;
};

TTaskMessageButtons PrepareTaskMessage(TAdvTaskDialog &ADialog, const std::wstring &AInstruction,
                                       const std::wstring &AMessage, uint8_t AKind,
                                       uint16_t AButtons, int AHelpContext, uint8_t ADefaultButton);

// The result code of a pressed button; opens the help for the help button.
int TaskMessageResult(const TTaskMessageButtons &AButtons, int APressed, int AHelpContext);
