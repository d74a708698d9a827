#pragma once
// The command link of the emulated task dialog, and its expand button: a
// picture that follows the state (normal, hot, pressed, disabled), a bold
// heading line with optional note lines below it, and a rounded border
// while hot, pressed or focused. A click ends its form with ModalResult.
#include <memory>
#include <string>

#include "ui/bitmap.h"
#include "ui/forms.h"

class TTaskDialogButton : public TControl {
public:
  explicit TTaskDialogButton(TComponent *AOwner);
  ~TTaskDialogButton() override;

  // The pictures are the button's own: the setters copy. Picture and
  // PictureDisabled repaint whenever their bitmap changes, also later
  // through the bitmap itself; PictureHot and PictureDown show at the next
  // change of state.
  TBitmap &Picture() { return *FGlyph; }
  void SetPicture(TBitmap *AValue);
  TBitmap &PictureHot() { return *FGlyphHot; }
  void SetPictureHot(TBitmap *AValue);
  TBitmap &PictureDown() { return *FGlyphDown; }
  void SetPictureDown(TBitmap *AValue);
  TBitmap &PictureDisabled() { return *FGlyphDisabled; }
  void SetPictureDisabled(TBitmap *AValue);

  // The first line's font; further lines use the control's font.
  TFont &HeadingFont() { return FHeadingFont; }
  void SetHeadingFont(const TFont &AValue);

  // clNone: not drawn. BorderColor is kept but not drawn.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor AValue) { FBorderColor = AValue; }
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor AValue);
  TColor BorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor AValue);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor AValue);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
  // Takes the focus when the mouse enters.
  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool AValue) { FAutoFocus = AValue; }

  // A canvas with the button's font, for measuring its lines before it
  // is shown.
  TCanvas &Canvas();

  // The visual state.
  bool MouseInControl() const { return FMouseInControl; }
  bool MouseIsDown() const { return FMouseDown; }

  void Click() override;
  // Enter is the focused link's own click, not the form's default button.
  bool WantsKey(WORD AKey) override { return AKey == VK_RETURN; }
  LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL) override;

protected:
  void Paint(TCanvas &ACanvas) override;
  void DoEnter() override;
  void DoExit() override;
  void KeyPress(wchar_t &AKey) override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  void PictureChanged(TGraphic *ASender);
  void PaintCaption(TCanvas &ACanvas, TRect R);

  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FGlyphDisabled;
  std::unique_ptr<TBitmap> FGlyphDown;
  std::unique_ptr<TBitmap> FGlyphHot;
  bool FMouseInControl = false;
  bool FMouseDown = false;
  TColor FBorderColorDown = clNone;
  TColor FBorderColorHot = clNone;
  TColor FBorderColor = clNone;
  TModalResult FModalResult = mrNone;
  TFont FHeadingFont;
  bool FAutoFocus = false;
  TColor FBackColor = clNone;
  std::unique_ptr<TMemoryCanvas> FCanvas;
};

// Loads the normal, hot and pressed pictures from bitmaps of the program,
// magenta transparent.
void LoadButtonPictures(TTaskDialogButton &AButton, const wchar_t *ANormal, const wchar_t *AHot,
                        const wchar_t *ADown);
// A bitmap of the program with magenta transparent.
void LoadDialogBitmap(TBitmap &ABitmap, const wchar_t *AName);

// The text colour of a disabled command link.
constexpr TColor TaskDialogButtonDisabledText = RGBColor(192, 192, 192);
