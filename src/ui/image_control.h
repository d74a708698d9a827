#pragma once
// A picture control: shows the graphic of its picture at its top left
// corner (or centred, or stretched), optionally sizing itself to it. A
// picture drawn for another density than the screen's is shown at the size
// the screen's asks for. A picture that
// waits for its loader (TPicture::LoadWhenNeeded) is read when the control's
// window is made or the control is scaled, whichever comes first; until
// then the control keeps the bounds it was given.
#include "ui/controls.h"
#include "ui/picture.h"

class TImage : public TControl {
public:
  explicit TImage(TComponent *AOwner);

  TPicture &Picture() { return FPicture; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool AValue);
  // Transparent: the parent's colour shows where the graphic leaves the
  // background uncovered; also handed to the graphic.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool AValue);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool AValue);
  bool Center() const { return FCenter; }
  void SetCenter(bool AValue);
  // The density the picture's pixels are drawn for; 0, the default, shows
  // them one to one. An image sized to such a picture keeps its centre.
  int PictureDensity() const { return FPictureDensity; }
  void SetPictureDensity(int APixelsPerInch);
  // Where the picture is drawn within the control.
  TRect PictureRect();

  // An image sized to its picture keeps its centre and the picture's size
  // at the screen's density.
  void ScaleBy(int M, int D) override;
  bool SizedByContent() const override { return FAutoSize; }

protected:
  void Paint(TCanvas &ACanvas) override;
  void CreateWnd() override;
  void InitWnd() override;

private:
  void PictureChanged();
  void UpdateRegion();
  SIZE PictureSize();
  void FitToPicture();
  TPicture FPicture;
  bool FAutoSize = false;
  bool FTransparent = false;
  bool FStretch = false;
  bool FCenter = false;
  int FPictureDensity = 0;
};
