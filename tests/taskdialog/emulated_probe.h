#pragma once
// Driving the emulated task dialog window in tests.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "taskdialog/message_form.h"
#include "test_support.h"

namespace emtest {

// The dialog units of a font as the platform maps them for a dialog.
TDialogUnits UnitsOf(const TFont &AFont);

// Executes the component through the emulated window; once the window is
// shown, active and idle, AAct gets it (from inside its modal loop) and
// closes it. A window AAct leaves open fails the test and is cancelled.
int Run(TAdvTaskDialog &ADialog, const std::function<void(TAdvMessageForm &)> &AAct);

// As Run, with steps that each run from the window's own loop after the
// one before has returned to it (so that closing is decided in between).
using TStep = std::function<void(TAdvMessageForm &)>;
int RunSteps(TAdvTaskDialog &ADialog, std::vector<TStep> ASteps);

// While alive, runs the steps on the next emulated window that opens.
// Without steps the window has test::kWaitLimit to close by itself.
class TStepWatcher {
public:
  explicit TStepWatcher(std::vector<TStep> ASteps);

private:
  std::shared_ptr<std::vector<TStep>> FSteps;
  bool FStarted = false;
  test::TDialogWatcher FWatcher;
};

// The window built for the component, not shown.
std::unique_ptr<TAdvMessageForm> Build(TAdvTaskDialog &ADialog);

// A point of the area where the window finds a link; (-1, -1) for none.
POINT LinkPoint(TAdvMessageForm &AForm, const TRect &AArea);

// A child control of the window by name.
TControl *Child(TAdvMessageForm &AForm, const std::wstring &AName);
TRect BoundsOf(TAdvMessageForm &AForm, const std::wstring &AName);

// Clicks a point of the window's client area with the real mouse.
void ClickAt(TAdvMessageForm &AForm, POINT APoint, bool ARight = false);

} // namespace emtest
