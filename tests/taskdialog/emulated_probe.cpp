#include "emulated_probe.h"

#include <doctest.h>

#include <string>
#include <utility>
#include <vector>

#include "taskdialog/emulated_dialog.h"
#include "test_support.h"

namespace emtest {

namespace {
INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

TDialogUnits UnitsOf(const TFont &AFont) {
  LOGFONTW font{};
  GetObjectW(AFont.Handle(), sizeof(font), &font);
  HDC screen = GetDC(nullptr);
  const WORD points = WORD(MulDiv(-font.lfHeight, 72, GetDeviceCaps(screen, LOGPIXELSY)));
  ReleaseDC(nullptr, screen);
  // A dialog template with the font: no menu, class or title, then the
  // point size and the face name.
  std::vector<WORD> memory(sizeof(DLGTEMPLATE) / sizeof(WORD) + 4 + LF_FACESIZE, 0);
  auto *tmpl = reinterpret_cast<DLGTEMPLATE *>(memory.data());
  tmpl->style = WS_POPUP | DS_SETFONT;
  WORD *p = memory.data() + sizeof(DLGTEMPLATE) / sizeof(WORD) + 3;
  *p = points;
  wcsncpy(reinterpret_cast<wchar_t *>(p + 1), font.lfFaceName, LF_FACESIZE - 1);
  HWND dialog = CreateDialogIndirectParamW(nullptr, tmpl, nullptr, &PlainDialog, 0);
  REQUIRE(dialog);
  LOGFONTW used{};
  GetObjectW(HFONT(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(used), &used);
  CHECK(used.lfHeight == font.lfHeight);
  CHECK(std::wstring(used.lfFaceName) == font.lfFaceName);
  // Margins 8 and spacings 10 dialog units; buttons 4 apart and 14 high.
  RECT spacing{8, 8, 10, 10}, button{4, 14, 0, 0};
  MapDialogRect(dialog, &spacing);
  MapDialogRect(dialog, &button);
  DestroyWindow(dialog);
  return {spacing.left, spacing.top, spacing.right, spacing.bottom, button.top, button.left};
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
  return std::unique_ptr<TAdvMessageForm>(ADialog.CreateDialogForm());
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
