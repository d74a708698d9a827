#pragma once
// A label that looks and reacts like a link of a web page. It opens
// nothing itself: the window that places it handles its click.
#include "ui/stdctrls.h"

class TUrlLbl : public TLabel {
public:
  explicit TUrlLbl(TComponent *AOwner);

  bool ActiveLbl() const { return FActiveLbl; }
  void SetActiveLbl(bool AValue);
  TColor FontColorActiveLbl() const { return FFontColorActiveLbl; }
  void SetFontColorActiveLbl(TColor AValue);
  TColor FontColorMouseDown() const { return FFontColorMouseDown; }
  void SetFontColorMouseDown(TColor AValue);
  TColor FontColorMouseMove() const { return FFontColorMouseMove; }
  void SetFontColorMouseMove(TColor AValue);

protected:
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  void SetColorField(TColor &AField, TColor AValue);

  bool FActiveLbl = false;
  TColor FFontColorActiveLbl = RGBColor(128, 0, 128);
  TColor FFontColorMouseDown = RGBColor(255, 255, 255);
  TColor FFontColorMouseMove = RGBColor(255, 0, 0);
  bool FMouseEnter = false;
  // The colour to return to, taken once at construction: a label whose
  // description sets another colour still returns to blue.
  TColor FOldColor;
};
