#include "ui/controls.h"

#include <utility>

#include "ui/forms.h"
#include "ui/screen.h"

// The mouse and the keyboard: what the platform reports, turned into a
// control's events.

namespace {
TMouseButton ButtonOf(UINT AMsg) {
  switch (AMsg) {
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
    return mbRight;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
    return mbMiddle;
  default:
    return mbLeft;
  }
}
} // namespace

HCURSOR CursorHandle(TCursor ACursor) {
  switch (ACursor) {
  case crHourGlass:
    return LoadCursorW(nullptr, IDC_WAIT);
  case crHandPoint:
    return LoadCursorW(nullptr, IDC_HAND);
  default:
    return LoadCursorW(nullptr, IDC_ARROW);
  }
}

bool IsAccel(wchar_t AKey, const std::wstring &ACaption) {
  for (size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&') continue;
    wchar_t next = ACaption[++i];
    if (next == L'&') continue; // a plain "&"
    wchar_t a[2] = {next, 0}, b[2] = {AKey, 0};
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, 1, b, 1) == CSTR_EQUAL;
  }
  return false;
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool TControl::OfferDialogChar(wchar_t AKey, bool ASystem) {
  // Controls that take typed characters (edits) keep them.
  if (!ASystem && (DefaultHandler(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) return false;
  TForm *form = ParentForm();
  return form && form->DialogChar(AKey);
}

bool TControl::ApplyCursor() {
  TCursor cursor = Screen->Cursor() != crDefault ? Screen->Cursor() : FCursor;
  if (cursor == crDefault) return false;
  ::SetCursor(CursorHandle(cursor));
  return true;
}

void TControl::TrackMouse(UINT AMsg, int X, int Y) {
  if (AMsg == WM_MOUSELEAVE) {
    FMouseInside = false;
    MouseLeave();
    return;
  }
  // While the mouse is captured, moves outside arrive too: not an entry.
  RECT rc;
  GetClientRect(FHandle, &rc);
  if (!FMouseInside && PtInRect(&rc, POINT{X, Y})) {
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&tme);
    FMouseInside = true;
    MouseEnter();
  }
}

void TControl::MouseButtonMessage(UINT AMsg, int X, int Y) {
  const TMouseButton button = ButtonOf(AMsg);
  if (AMsg == WM_LBUTTONDBLCLK) {
    SetCapture(FHandle);
    FDoubleClicked = true;
    DblClick();
    MouseDown(button, KeyboardShiftState(), X, Y);
    return;
  }
  const bool down = AMsg == WM_LBUTTONDOWN || AMsg == WM_RBUTTONDOWN || AMsg == WM_MBUTTONDOWN;
  if (down) {
    if (button == mbLeft) SetCapture(FHandle);
    MouseDown(button, KeyboardShiftState(), X, Y);
    return;
  }
  // A click is a left press and release inside the control; the release
  // of a double click's second press is not another click.
  if (button == mbLeft && GetCapture() == FHandle) {
    ReleaseCapture();
    RECT rc;
    GetClientRect(FHandle, &rc);
    if (!std::exchange(FDoubleClicked, false) && PtInRect(&rc, POINT{X, Y})) Click();
  }
  MouseUp(button, KeyboardShiftState(), X, Y);
}

void TControl::ChildKeyDown(WORD &AKey, TShiftState AShift) { KeyDown(AKey, AShift); }

void TControl::KeyDown(WORD &AKey, TShiftState AShift) {
  if (OnKeyDown) OnKeyDown(this, AKey, AShift);
}

void TControl::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, AButton, AShift, X, Y);
}

void TControl::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, AButton, AShift, X, Y);
}

void TControl::MouseMove(TShiftState AShift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, AShift, X, Y);
}

void TControl::KeyPress(wchar_t &AKey) {
  if (OnKeyPress) OnKeyPress(this, AKey);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
