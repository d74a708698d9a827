#include "ui/accessible_text.h"

TAccessibleText::TAccessibleText(TComponent *AOwner) : TControl(AOwner) {}

void TAccessibleText::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"STATIC";
  AParams.Style |= SS_LEFT | SS_NOPREFIX;
}

void TAccessibleText::InitWnd() {
  // The window owns the region from here on.
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  if (!SetWindowRgn(FHandle, empty, FALSE)) DeleteObject(empty);
}
