#include "ui/image_control.h"

TImage::TImage(TComponent *AOwner) : TControl(AOwner) {
  FPicture.OnChange = [this](TPicture *) { PictureChanged(); };
}

void TImage::SetAutoSize(bool AValue) {
  if (AValue == FAutoSize) return;
  FAutoSize = AValue;
  PictureChanged();
}

void TImage::SetTransparent(bool AValue) {
  if (AValue == FTransparent) return;
  FTransparent = AValue;
  PictureChanged();
}

void TImage::SetStretch(bool AValue) {
  if (AValue == FStretch) return;
  FStretch = AValue;
  Invalidate();
}

void TImage::PictureChanged() {
  if (FAutoSize && FPicture.Width() > 0 && FPicture.Height() > 0)
    SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
  // Setting the flag may report a change again; by then it holds.
  if (TGraphic *graphic = FPicture.Graphic()) graphic->SetTransparent(FTransparent);
  if (HandleAllocated()) Invalidate();
}

void TImage::Paint(TCanvas &ACanvas) {
  if (FTransparent && Parent()) {
    ACanvas.SetBrushColor(Parent()->Color());
    ACanvas.SetBrushStyle(bsSolid);
    ACanvas.FillRect(ClientRect());
  }
  TGraphic *graphic = FPicture.Graphic();
  if (!graphic || graphic->Empty()) return;
  if (FStretch)
    ACanvas.StretchDraw(ClientRect(), graphic);
  else
    ACanvas.Draw(0, 0, graphic);
}
