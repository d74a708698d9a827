#include "ui/controls.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/forms.h"

// A control's place among others, its properties, and what changing them
// passes on to its window and its children.

TControl::TControl(TComponent *AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this] {
    if (!FCreating) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  // Owned controls go first, while our window still exists.
  DestroyComponents();
  LeaveForm();
  for (TControl *child : FControls) child->FParent = nullptr;
  FControls.clear();
  if (FParent) {
    auto &list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  DestroyWnd();
}

void TControl::SetParent(TControl *AParent) {
  if (AParent == FParent) return;
  LeaveForm();
  if (FParent) {
    auto &list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  FParent = AParent;
  if (!FParent) {
    DestroyWnd();
    return;
  }
  if (FTabOrder < 0) FTabOrder = int(FParent->FControls.size());
  FParent->FControls.push_back(this);
  if (FParentFont) ParentFontChanged();
  if (FHandle)
    ::SetParent(FHandle, FParent->Handle());
  else if (FParent->HandleAllocated())
    CreateHandle();
}

void TControl::LeaveForm() {
  if (TForm *form = ParentForm(); form && form != this) form->ControlRemoved(this);
}

bool TControl::Contains(const TControl *AControl) const {
  for (const TControl *c = AControl; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TForm *TControl::ParentForm() {
  TControl *c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TForm *>(c);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect TControl::ClientRect() {
  if (FHandle) {
    RECT rc;
    GetClientRect(FHandle, &rc);
    return rc;
  }
  return TRect(0, 0, FWidth, FHeight);
}

std::wstring TControl::Caption() {
  if (FHandle) {
    int n = GetWindowTextLengthW(FHandle);
    std::wstring text(size_t(n) + 1, L'\0');
    n = GetWindowTextW(FHandle, text.data(), n + 1);
    text.resize(size_t(std::max(n, 0)));
    return text;
  }
  return FCaption;
}

void TControl::SetCaption(const std::wstring &AValue) {
  FCaption = AValue;
  if (FHandle) {
    SetWindowTextW(FHandle, AValue.c_str());
    Invalidate();
  }
}

void TControl::SetParentFont(bool AValue) {
  FParentFont = AValue;
  if (AValue) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent) return;
  FCreating = true;
  FFont = FParent->FFont;
  FCreating = false;
}

void TControl::FontChanged() {
  if (FHandle) {
    SendMessageW(FHandle, WM_SETFONT, WPARAM(FFont.Handle()), TRUE);
    Invalidate();
  }
  for (TControl *child : FControls)
    if (child->FParentFont) child->ParentFontChanged();
}

TColor TControl::Color() const {
  if (FParentColor && FParent) return FParent->Color();
  return FColor;
}

void TControl::SetColor(TColor AValue) {
  FColor = AValue;
  FParentColor = false;
  ParentColorChanged();
}

void TControl::SetParentColor(bool AValue) {
  FParentColor = AValue;
  ParentColorChanged();
}

void TControl::ParentColorChanged() {
  Invalidate();
  for (TControl *child : FControls)
    if (child->FParentColor) child->ParentColorChanged();
}

void TControl::SetVisible(bool AValue) {
  FVisible = AValue;
  if (FHandle) ShowWindow(FHandle, AValue ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool AValue) {
  FEnabled = AValue;
  if (FHandle) EnableWindow(FHandle, AValue);
}

void TControl::SetCursor(TCursor AValue) {
  FCursor = AValue;
  POINT pt;
  if (FHandle && GetCursorPos(&pt) && WindowFromPoint(pt) == FHandle)
    SendMessageW(FHandle, WM_SETCURSOR, WPARAM(FHandle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TControl::SetHint(const std::wstring &AValue) {
  FHint = AValue;
  ApplyHint();
}

void TControl::SetShowHint(bool AValue) {
  FShowHint = AValue;
  ApplyHint();
}

void TControl::ApplyHint() {
  if (FHandle && FShowHint && !FHint.empty()) Application->AddHint(FHandle, FHint);
}

void TControl::SetTabStop(bool AValue) {
  FTabStop = AValue;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    style = AValue ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP));
    SetWindowLongPtrW(FHandle, GWL_STYLE, style);
  }
}

void TControl::SetTabOrder(int AValue) { FTabOrder = AValue; }

void TControl::SetWindowID(int AValue) {
  FWindowID = AValue;
  if (FHandle && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD))
    SetWindowLongPtrW(FHandle, GWLP_ID, LONG_PTR(AValue));
}

bool TControl::Focused() {
  HWND focus = GetFocus();
  return FHandle && (focus == FHandle || IsChild(FHandle, focus));
}

bool TControl::CanFocus() {
  for (TControl *c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  return true;
}

void TControl::SetFocus() {
  if (TForm *form = ParentForm(); form && form != this) form->SetActiveControl(this);
  ::SetFocus(Handle());
}

void TControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Repaint() {
  if (FHandle) {
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
  }
}

void TControl::BringToFront() {
  if (FHandle) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::ScaleBy(int M, int D) {
  SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D),
            MulDiv(FHeight, M, D));
  if (!FParentFont) {
    FCreating = true;
    FFont.SetHeight(MulDiv(FFont.Height(), M, D));
    FCreating = false;
  }
  for (TControl *child : FControls) child->ScaleBy(M, D);
}
