#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include <windows.h>

#include "ui/application.h"

// Each test program has one application object, as the program has.
int main(int argc, char **argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  TApplication app;
  Application = &app;
  app.Initialize();
  app.SetTitle(L"kalverin Tastenfang");
  doctest::Context context(argc, argv);
  return context.run();
}
