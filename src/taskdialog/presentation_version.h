#pragma once
// What chooses between the platform's own task dialog and the emulated
// window: the platform's and the common-controls library's versions (read,
// and answered by tests, through ui/task_dialog_platform.h) and the
// component's wish.
#include "taskdialog/task_dialog.h"
#include "ui/task_dialog_platform.h"

// True when the dialog must be emulated: an old platform, a common-controls
// library of major version 5 or below, or emulation asked for. A failed
// library lookup (-1) does not force emulation.
bool NeedsEmulatedPresentation(int APlatformMajor, int AComCtlVersionHigh,
                               TNonNativeDialog ANonNative);
