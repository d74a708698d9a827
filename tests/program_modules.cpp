// Linked into test programs that need the program's process-wide set-up
// (COM, GDI+ and the picture classes): the module start steps run before
// main, the end steps after it, when every window is gone, as in the
// program.
#include "app/modules.h"

namespace {
struct TProgramModules {
  TProgramModules() { ProgramModules().StartAll(); }
  ~TProgramModules() { ProgramModules().StopAll(); }
} modules;
} // namespace
