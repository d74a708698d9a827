#pragma once
// A picture control: shows the graphic of its picture at its top left
// corner (or stretched), optionally sizing itself to it.
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

protected:
  void Paint(TCanvas &ACanvas) override;
  void InitWnd() override;

private:
  void PictureChanged();
  void UpdateRegion();
  TPicture FPicture;
  bool FAutoSize = false;
  bool FTransparent = false;
  bool FStretch = false;
};
