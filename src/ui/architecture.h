#pragma once
// What differs between the 32-bit program and its x86-64 build, said once.
// Both are built from the same sources; records the program hands to the
// platform must have the layout that platform expects.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#if defined(_WIN64)
inline constexpr size_t TaskDialogConfigSize = 160; // pointers and handles are 8 bytes
#elif defined(_WIN32) && defined(__i386__)
inline constexpr size_t TaskDialogConfigSize = 96; // packed to 1 byte, 4-byte pointers
#else
#error "Tastenfang is built for 32-bit (i386) or x86-64 Windows"
#endif

static_assert(sizeof(TASKDIALOGCONFIG) == TaskDialogConfigSize,
              "the task-dialog record has the platform's layout");
// Records of the same size on both.
static_assert(sizeof(OSVERSIONINFOW) == 276, "the version record is the 276-byte one");
static_assert(sizeof(NONCLIENTMETRICSW) == 504, "the non-client metrics include the padded border");
