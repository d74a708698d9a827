// The program's load configuration. Its DependentLoadFlags make the loader
// of Windows 10 1607 and later resolve the whole static import graph (what
// the program imports and what those libraries import in turn) from the
// system folder only; RestrictLibrarySearch in wWinMain comes too late for
// that, since imports are resolved before it runs.
//
// The linker of this toolchain does not fill in the header's load
// configuration entry by itself, so the record sits in a section of its own
// that cmake/set_load_config.py finds after linking and enters there.
#include <windows.h>

// The mingw-w64 headers call DependentLoadFlags "Reserved1", and their record
// is the first published one (72 bytes for x86, 112 for x86-64): every
// Windows since XP reads it, and the flags field lies within it.
static_assert(sizeof(IMAGE_LOAD_CONFIG_DIRECTORY) == (sizeof(void *) == 8 ? 112 : 72));

// Constant data: the loader reads it before any code of the program runs.
// The fields not named are zero: no lock prefixes, security cookie, SEH
// table or heap settings of its own.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
extern "C" __attribute__((section(".loadcfg"), used))
constinit const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = {
    .Size = sizeof(IMAGE_LOAD_CONFIG_DIRECTORY),
    .Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32,
};
