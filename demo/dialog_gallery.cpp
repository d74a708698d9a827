// DialogGallery.exe: a developer's tool that shows the emulated task
// dialog's samples one by one. It is built beside the program and not
// installed.
#include <windows.h>

#include "base/system_library.h"
#include "gallery_form.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearch();
  TApplication app;
  StartGallery(app);
  try {
    app.Run();
  } catch (const TProgramHalt &halt) {
    return halt.ExitCode;
  }
  return 0;
}
