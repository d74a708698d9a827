#include "ui/accessible_text.h"

TAccessibleText::TAccessibleText(TComponent *AOwner) : TControl(AOwner) {}

void TAccessibleText::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"STATIC";
  AParams.Style |= SS_LEFT | SS_NOPREFIX;
}

void TAccessibleText::InitWnd() {
  // The window owns the region once it takes it.
  TGdiObject empty(CreateRectRgn(0, 0, 0, 0));
  if (SetWindowRgn(FHandle, static_cast<HRGN>(empty.Get()), FALSE)) empty.Release();
}

LRESULT TAccessibleText::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  // Nothing to paint: the static would still lay out its whole text to
  // draw it into the empty region.
  switch (AMsg) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT: {
    TPaintDC paint(Handle());
    return 0;
  }
  default:
    return TControl::WndProc(AMsg, AW, AL);
  }
}
