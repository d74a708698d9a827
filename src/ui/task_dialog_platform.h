#pragma once
// The platform's task dialog and the facts that decide whether a message
// is shown through it: one loader of the common-controls library, one
// reading of the platform's and the library's versions. The program always
// asks the platform; a test sets a hook to stand in for it.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

using TTaskDialogIndirectProc = HRESULT(WINAPI *)(const TASKDIALOGCONFIG *, int *, int *, BOOL *);

// "comctl32.dll" of this program's activation context (version 6 where the
// manifest asks for it), loaded once and kept; null when it cannot be.
HMODULE CommonControlsLibrary();
// Its TaskDialogIndirect; null where the platform has none. A hook stands
// in for the platform's entry (a test answers with a failure).
extern std::function<HRESULT(const TASKDIALOGCONFIG *, int *, int *, BOOL *)>
    TaskDialogIndirectHook;
TTaskDialogIndirectProc TaskDialogIndirectEntry();

// The platform's major version (GetVersionExW).
extern std::function<int()> PlatformMajorVersionHook;
int PlatformMajorVersion();

// High 32 bits of a file's version (major * 65536 + minor) from its version
// resource, or -1 when it cannot be read.
extern std::function<int(const std::wstring &AFileName)> FileVersionHighHook;
int FileVersionHigh(const std::wstring &AFileName);

// Themed windows drawn by common controls 6 (the application and the
// desktop use visual styles).
extern std::function<bool()> VisualStylesEnabledHook;
bool VisualStylesEnabled();
