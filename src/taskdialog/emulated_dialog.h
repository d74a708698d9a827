#pragma once
// The emulated presentation of the task dialog, used where the platform's
// own task dialog is missing or too old, or when the component asks for it.
#include "taskdialog/task_dialog.h"

// Shows the component through the emulated window at X, Y (negative: the
// placement rule decides) and returns the window's result.
int ExecuteEmulated(TCustomAdvTaskDialog &ATaskDialog, int X, int Y);

// Stand-in until the emulated window is built: shows the dialog through the
// platform's own task dialog, so that every message still appears and can be
// answered. The component then honestly reports the native presentation.
int ShowNativeForEmulated(TCustomAdvTaskDialog &ATaskDialog);
