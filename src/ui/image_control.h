#pragma once
// A picture control: shows the graphic of its picture at its top left
// corner (or stretched), optionally sizing itself to it. A picture that
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

  void ScaleBy(int M, int D) override;

protected:
  void Paint(TCanvas &ACanvas) override;
  void CreateWnd() override;
  void InitWnd() override;

private:
  void PictureChanged();
  void UpdateRegion();
  TPicture FPicture;
  bool FAutoSize = false;
  bool FTransparent = false;
  bool FStretch = false;
};
