// Entry of Tastenfang.exe. The command line is not read.
#include <windows.h>

#include "app/main_form.h"
#include "app/modules.h"
#include "app/program.h"
#include "base/system_library.h"
#include "ui/platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearch();
  try {
    return RunApplication(ProgramModules(), [](TApplication &app) {
      app.Initialize();
      app.SetTitle(kApplicationTitle);
      app.SetHelpFile(L"Tastenfang.chm");
      app.CreateForm(FrmMain);
      app.Run();
    });
  } catch (const std::exception &E) {
    // A module that cannot start leaves nothing to run.
    const auto *e = dynamic_cast<const Exception *>(&E);
    PlatformMessageBox(nullptr, WithFullStop(e ? e->Message() : Utf8ToWide(E.what())),
                       kApplicationTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
}
