#include "emulated_probe.h"

#include <doctest.h>

#include <utility>

#include "taskdialog/emulated_dialog.h"
#include "test_support.h"

namespace emtest {

TDialogUnits UnitsOf(const TFont &AFont) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, AFont.Handle());
  SIZE size{};
  const wchar_t *letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32W(dc, letters, 52, &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  const int cx = size.cx / 52, cy = size.cy;
  TDialogUnits u;
  u.HorzMargin = MulDiv(8, cx, 4);
  u.VertMargin = MulDiv(8, cy, 8);
  u.HorzSpacing = MulDiv(10, cx, 4);
  u.VertSpacing = MulDiv(10, cy, 8);
  u.ButtonHeight = MulDiv(14, cy, 8);
  u.ButtonSpacing = MulDiv(4, cx, 4);
  return u;
}

int Run(TAdvTaskDialog &ADialog, const std::function<void(TAdvMessageForm &)> &AAct) {
  ADialog.SetNonNativeDialog(nndAlways);
  bool acted = false;
  test::TDialogWatcher watcher([&](HWND AWnd) {
    if (acted) return;
    acted = true;
    auto *form = dynamic_cast<TAdvMessageForm *>(TControl::FromHandle(AWnd));
    CHECK(form);
    if (!form) return;
    test::PumpUntil([&] { return GetForegroundWindow() == AWnd && GetFocus(); });
    test::PumpIdle();
    AAct(*form);
    if (!test::PumpUntil([&] { return form->ModalResult() != mrNone; })) {
      FAIL_CHECK("the dialog stayed open");
      form->SetModalResult(mrCancel);
    }
  });
  return ADialog.Execute();
}

namespace {
// The emulated window behind a handle, while it exists.
TAdvMessageForm *FormAt(HWND AWnd) {
  return IsWindow(AWnd) ? dynamic_cast<TAdvMessageForm *>(TControl::FromHandle(AWnd)) : nullptr;
}

void RunStep(HWND AWnd, std::shared_ptr<std::vector<TStep>> ASteps, size_t AIndex) {
  TAdvMessageForm *form = FormAt(AWnd);
  if (!form) return;
  if (AIndex == ASteps->size()) {
    FAIL_CHECK("the dialog stayed open");
    form->SetModalResult(mrCancel);
    return;
  }
  (*ASteps)[AIndex](*form);
  // A timer comes only when the window's loop has nothing else to do.
  test::Later(AIndex + 1 == ASteps->size() ? test::kWaitLimit : USER_TIMER_MINIMUM,
              [=] { RunStep(AWnd, ASteps, AIndex + 1); });
}
} // namespace

TStepWatcher::TStepWatcher(std::vector<TStep> ASteps)
    : FSteps(std::make_shared<std::vector<TStep>>(std::move(ASteps))),
      FWatcher([this](HWND AWnd) {
        if (std::exchange(FStarted, true) || !FormAt(AWnd)) return;
        if (FSteps->empty()) {
          test::Later(test::kWaitLimit, [AWnd, steps = FSteps] { RunStep(AWnd, steps, 0); });
          return;
        }
        test::PumpUntil([&] { return GetForegroundWindow() == AWnd && GetFocus(); });
        test::PumpIdle();
        RunStep(AWnd, FSteps, 0);
      }) {}

int RunSteps(TAdvTaskDialog &ADialog, std::vector<TStep> ASteps) {
  ADialog.SetNonNativeDialog(nndAlways);
  TStepWatcher watcher(std::move(ASteps));
  return ADialog.Execute();
}

std::unique_ptr<TAdvMessageForm> Build(TAdvTaskDialog &ADialog) {
  return std::unique_ptr<TAdvMessageForm>(CreateDialogForm(ADialog));
}

POINT LinkPoint(TAdvMessageForm &AForm, const TRect &AArea) {
  for (int y = AArea.top + 1; y < AArea.bottom; y += 2)
    for (int x = AArea.left + 1; x < AArea.right; x += 2)
      if (!AForm.AnchorAt(x, y).empty()) return {x, y};
  return {-1, -1};
}

TControl *Child(TAdvMessageForm &AForm, const std::wstring &AName) {
  return dynamic_cast<TControl *>(AForm.FindComponent(AName));
}

TRect BoundsOf(TAdvMessageForm &AForm, const std::wstring &AName) {
  TControl *c = Child(AForm, AName);
  return c ? c->BoundsRect() : TRect(-1, -1, -1, -1);
}

void ClickAt(TAdvMessageForm &AForm, POINT APoint, bool ARight) {
  test::MouseTo(AForm.Handle(), APoint.x, APoint.y);
  test::MouseClick(ARight);
}

} // namespace emtest
