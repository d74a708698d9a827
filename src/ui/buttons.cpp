#include "ui/buttons.h"

TSpeedButton::TSpeedButton(TComponent *AOwner) : TControl(AOwner) {}

TSpeedButton::~TSpeedButton() {
  if (FGlyph) DeleteObject(FGlyph);
}

void TSpeedButton::LoadGlyph(const std::wstring &AResourceName) {
  if (FGlyph) DeleteObject(FGlyph);
  FGlyph = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), AResourceName.c_str(),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  Invalidate();
}

void TSpeedButton::SetFlat(bool AValue) {
  FFlat = AValue;
  Invalidate();
}

void TSpeedButton::SetAction(TAction *AAction) {
  FAction = AAction;
  if (FAction) {
    SetHint(FAction->Hint());
    SetShowHint(true);
  }
}

void TSpeedButton::Click() {
  if (FAction && !OnClick)
    FAction->Execute();
  else
    TControl::Click();
}

void TSpeedButton::Paint(TCanvas &ACanvas) {
  RECT rc = ClientRect();
  HDC dc = ACanvas.Handle();
  if (FDown && FMouseInside)
    DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
  else if (FMouseInside || !FFlat)
    DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
  if (!FGlyph) return;
  BITMAP bm{};
  GetObjectW(FGlyph, sizeof(bm), &bm);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, FGlyph);
  COLORREF transparent = GetPixel(mem, 0, bm.bmHeight - 1);
  int offset = FDown && FMouseInside ? 1 : 0;
  int x = (rc.right - bm.bmWidth) / 2 + offset, y = (rc.bottom - bm.bmHeight) / 2 + offset;
  TransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                 transparent);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void TSpeedButton::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (AButton == mbLeft) {
    FDown = true;
    Repaint();
  }
  TControl::MouseDown(AButton, AShift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (AButton == mbLeft) {
    FDown = false;
    Invalidate();
  }
  TControl::MouseUp(AButton, AShift, X, Y);
}

void TSpeedButton::MouseEnter() {
  Invalidate();
  TControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  Invalidate();
  TControl::MouseLeave();
}
