#include "ui/buttons.h"

#include "ui/density.h"
#include "ui/handles.h"

TSpeedButton::TSpeedButton(TComponent *AOwner) : TControl(AOwner) {}

void TSpeedButton::LoadGlyph(const std::wstring &AResourceName) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  std::wstring name = FindDensityVersion(module, AResourceName, RT_BITMAP).Name;
  FGlyph.Reset(LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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
  if (!FGlyph.Get()) return;
  BITMAP bm{};
  GetObjectW(FGlyph.Get(), sizeof(bm), &bm);
  TMemoryDC mem(dc);
  TSelectedObject selected(mem.Get(), FGlyph.Get());
  COLORREF transparent = GetPixel(mem.Get(), 0, bm.bmHeight - 1);
  int offset = FDown && FMouseInside ? 1 : 0;
  int x = (rc.right - bm.bmWidth) / 2 + offset, y = (rc.bottom - bm.bmHeight) / 2 + offset;
  GdiTransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, bm.bmWidth, bm.bmHeight,
                    transparent);
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
