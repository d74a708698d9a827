#pragma once
// Process-wide start and end steps of the program's modules. They are not
// static initialisers (whose order C++ leaves open): the entry runs the
// start steps in module order before any window exists and the end steps in
// reverse order after every window is gone.
#include <functional>
#include <string>
#include <vector>

#include "ui/application.h"

struct TModuleStep {
  std::wstring Name;
  std::function<void()> Start;
  std::function<void()> Stop;
};

class TModuleSteps {
public:
  void Add(TModuleStep AStep) { FSteps.push_back(std::move(AStep)); }
  const std::vector<TModuleStep> &Steps() const { return FSteps; }
  // Runs the start steps in order; a failing one stops the rest and the
  // end steps of the modules started before it run.
  void StartAll();
  // Runs the end steps of the started modules, last started first.
  void StopAll();

private:
  std::vector<TModuleStep> FSteps;
  size_t FStarted = 0;
};

// The program's modules in their order.
TModuleSteps &ProgramModules();

// Starts the modules, runs ABody with a fresh application object, destroys
// the application with every window, then stops the modules. Returns the
// exit code (that of a halt, else 0).
int RunApplication(TModuleSteps &AModules, const std::function<void(TApplication &)> &ABody);
