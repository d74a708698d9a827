#include "info/url_label.h"

TUrlLbl::TUrlLbl(TComponent *AOwner) : TLabel(AOwner) {
  Font().SetName(L"MS Sans Serif");
  Font().SetColor(RGBColor(0, 0, 255));
  Font().SetStyle(fsUnderline);
  Font().SetSize(8);
  SetCursor(crHandPoint);
  FOldColor = Font().Color();
}

void TUrlLbl::SetActiveLbl(bool AValue) {
  FActiveLbl = AValue;
  Font().SetColor(AValue ? FFontColorActiveLbl : FOldColor);
}

void TUrlLbl::SetColorField(TColor &AField, TColor AValue) {
  if (AField == AValue) return;
  AField = AValue;
  Invalidate();
}

void TUrlLbl::SetFontColorActiveLbl(TColor AValue) { SetColorField(FFontColorActiveLbl, AValue); }
void TUrlLbl::SetFontColorMouseDown(TColor AValue) { SetColorField(FFontColorMouseDown, AValue); }
void TUrlLbl::SetFontColorMouseMove(TColor AValue) { SetColorField(FFontColorMouseMove, AValue); }

void TUrlLbl::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TLabel::MouseDown(AButton, AShift, X, Y);
  Font().SetColor(FFontColorMouseDown);
}

void TUrlLbl::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  // The click has run by now, while the label still showed the pressed colour.
  TLabel::MouseUp(AButton, AShift, X, Y);
  Font().SetColor(FMouseEnter ? FFontColorMouseMove : FOldColor);
  if (FActiveLbl) Font().SetColor(FFontColorActiveLbl);
}

void TUrlLbl::MouseEnter() {
  FMouseEnter = true;
  Font().SetColor(FActiveLbl ? FFontColorActiveLbl : FFontColorMouseMove);
  TLabel::MouseEnter();
}

void TUrlLbl::MouseLeave() {
  FMouseEnter = false;
  Font().SetColor(FActiveLbl ? FFontColorActiveLbl : FOldColor);
  TLabel::MouseLeave();
}
