#pragma once
// The common buttons of the emulated window: control name, caption and
// result, by the member's position in TCommonButton.
#include <string>

#include "taskdialog/task_dialog.h"

struct TCommonButtonInfo {
  std::wstring Name;
  std::wstring Caption;
  int Result;
};

constexpr int kCommonButtonCount = 6;
const TCommonButtonInfo &CommonButtonInfo(TCommonButton AButton);

// Start step of the task-dialog module: binds the captions to the German
// message-dialog texts. Before it runs the captions are empty.
void BindTaskDialogButtonCaptions();
