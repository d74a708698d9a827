#include "app/modules.h"

#include <objbase.h>

#include "gdiplus/image_modules.h"
#include "settings/settings_path.h"
#include "taskdialog/common_buttons.h"

void TModuleSteps::StartAll() {
  FStarted = 0;
  for (const TModuleStep &step : FSteps) {
    if (step.Start) {
      try {
        step.Start();
      } catch (...) {
        StopAll();
        throw;
      }
    }
    ++FStarted;
  }
}

void TModuleSteps::StopAll() {
  while (FStarted > 0) {
    const TModuleStep &step = FSteps[--FStarted];
    if (step.Stop) step.Stop();
  }
}

TModuleSteps &ProgramModules() {
  static TModuleSteps modules = [] {
    TModuleSteps m;
    // The settings path; its end step releases IniFileName.
    m.Add({L"kalGlobals", nullptr, [] { ReleaseSettingsPath(); }});
    // Binds the emulated task dialog's button captions.
    m.Add({L"TaskDialog", BindTaskDialogButtonCaptions, nullptr});
    // The XML service of the update check needs COM on this thread.
    m.Add({L"kalUpdateCheck", [] { CoInitialize(nullptr); }, [] { CoUninitialize(); }});
    // Image support: loads and starts GDI+, registers the PNG picture classes.
    m.Add({L"dxCore", dxCoreModuleStart, dxCoreModuleStop});
    m.Add({L"dxGDIPlusAPI", dxGDIPlusAPIModuleStart, dxGDIPlusAPIModuleStop});
    m.Add({L"dxGDIPlusClasses", dxGDIPlusClassesModuleStart, dxGDIPlusClassesModuleStop});
    return m;
  }();
  return modules;
}

int RunApplication(TModuleSteps &AModules, const std::function<void(TApplication &)> &ABody) {
  AModules.StartAll();
  int exitCode = 0;
  TApplication *outer = Application;
  try {
    TApplication app;
    Application = &app;
    try {
      ABody(app);
    } catch (const TProgramHalt &halt) {
      exitCode = halt.ExitCode;
    }
  } catch (...) {
    Application = outer;
    AModules.StopAll();
    throw;
  }
  Application = outer;
  AModules.StopAll();
  return exitCode;
}
