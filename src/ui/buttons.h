#pragma once
// A flat picture button: shows its glyph and a frame only while the mouse
// is over it; runs its action when clicked. Never takes the focus.
#include "ui/actions.h"
#include "ui/controls.h"

class TSpeedButton : public TControl {
public:
  explicit TSpeedButton(TComponent *AOwner);

  // A bitmap resource of the program, in the version drawn for the
  // screen's density (ui/density.h); its bottom-left pixel's colour is
  // drawn transparent.
  void LoadGlyph(const std::wstring &AResourceName);
  HBITMAP Glyph() const { return static_cast<HBITMAP>(FGlyph.Get()); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool AValue);
  // The action's hint becomes the tooltip; a click runs the action.
  void SetAction(TAction *AAction);
  TAction *Action() const { return FAction; }
  void Click() override;

protected:
  void Paint(TCanvas &ACanvas) override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  TGdiObject FGlyph;
  bool FFlat = true;
  bool FDown = false;
  TAction *FAction = nullptr;
};
