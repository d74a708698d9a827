#include "dialog_probe.h"

#include <commctrl.h>

#include "test_support.h"
#include "ui/image_control.h"
#include "ui/stdctrls.h"

namespace tdtest {

TSeenDialog Inspect(HWND ADialog) {
  TSeenDialog d;
  d.Wnd = ADialog;
  d.Caption = test::WindowText(ADialog);
  d.HasSystemMenu = (GetWindowLongW(ADialog, GWL_STYLE) & WS_SYSMENU) != 0;
  HWND focus = GetFocus();
  for (HWND w : test::ChildWindows(ADialog)) {
    if (!IsWindowVisible(w)) continue;
    const std::wstring cls = test::ClassName(w);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
      d.Buttons.push_back({GetDlgCtrlID(w), test::WindowText(w), w});
      if (w == focus) d.Focused = GetDlgCtrlID(w);
    } else if (auto *label = dynamic_cast<TLabel *>(TControl::FromHandle(w))) {
      d.Statics.push_back(label->Caption()); // the emulated window's instruction
    } else if (auto *image = dynamic_cast<TImage *>(TControl::FromHandle(w))) {
      if (image->Picture().Graphic() && !image->Picture().Graphic()->Empty()) d.HasIcon = true;
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
      if ((GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
          SendMessageW(w, STM_GETICON, 0, 0) != 0)
        d.HasIcon = true;
      else
        d.Statics.push_back(test::WindowText(w));
    }
  }
  return d;
}

bool HasButton(const TSeenDialog &ADialog, int AID) {
  for (const TSeenButton &b : ADialog.Buttons)
    if (b.ID == AID) return true;
  return false;
}

std::wstring ButtonText(const TSeenDialog &ADialog, int AID) {
  for (const TSeenButton &b : ADialog.Buttons)
    if (b.ID == AID) return b.Text;
  return L"<none>";
}

bool HasStatic(const TSeenDialog &ADialog, const std::wstring &AText) {
  for (const std::wstring &s : ADialog.Statics)
    if (s == AText) return true;
  return false;
}

int Answering(const std::function<int()> &AShow,
              const std::function<void(const TSeenDialog &)> &AAnswer, TSeenDialog *ASeen) {
  bool answered = false;
  test::TDialogWatcher watcher([&](HWND ADialog) {
    if (answered) return;
    answered = true;
    TSeenDialog seen = Inspect(ADialog);
    if (ASeen) *ASeen = seen;
    AAnswer(seen);
  });
  return AShow();
}

void PressKey(const TSeenDialog &ADialog, WORD AKey) {
  auto focusInDialog = [&] {
    HWND f = GetFocus();
    return f && IsChild(ADialog.Wnd, f);
  };
  test::PumpUntil(focusInDialog);
  HWND target = focusInDialog() ? GetFocus() : ADialog.Wnd;
  PostMessageW(target, WM_KEYDOWN, AKey, 0);
  PostMessageW(target, WM_KEYUP, AKey, 0);
}

void Click(const TSeenDialog &ADialog, int AID) {
  test::ClickDialogButton(ADialog.Wnd, AID);
}

} // namespace tdtest
