#pragma once
// The two version lookups that choose between the platform's own task
// dialog and the emulated window. The program always calls the real ones; a
// test sets a hook to stand in for them.
#include <functional>
#include <string>

#include "taskdialog/task_dialog.h"

// The platform's major version (GetVersionExW).
extern std::function<int()> PlatformMajorVersionHook;
int PlatformMajorVersion();

// High 32 bits of a file's version (major * 65536 + minor) from its version
// resource, or -1 when it cannot be read.
extern std::function<int(const std::wstring &AFileName)> FileVersionHighHook;
int FileVersionHigh(const std::wstring &AFileName);

// True when the dialog must be emulated: an old platform, a common-controls
// library of major version 5 or below, or emulation asked for. A failed
// library lookup (-1) does not force emulation.
bool NeedsEmulatedPresentation(int APlatformMajor, int AComCtlVersionHigh,
                               TNonNativeDialog ANonNative);
