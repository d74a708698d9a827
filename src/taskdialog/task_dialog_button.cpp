#include "taskdialog/task_dialog_button.h"

#include "taskdialog/dialog_text.h"
#include "ui/density.h"

namespace {
// The dialog has no reading order of its own: lines read left to right.
constexpr UINT kReadingOrderFlags = 0;

// A copy of the source, or an empty bitmap for none.
void CopyBitmap(TBitmap &ADest, TBitmap *ASource) {
  if (ASource)
    ADest.Assign(ASource);
  else
    ADest.SetHandle(nullptr);
}
} // namespace

void LoadDialogBitmap(TBitmap &ABitmap, const wchar_t *AName) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  ABitmap.LoadFromResourceName(module, FindDensityVersion(module, AName, RT_BITMAP).Name);
  ABitmap.SetTransparentColor(RGBColor(255, 0, 255));
}

void LoadButtonPictures(TTaskDialogButton &AButton, const wchar_t *ANormal, const wchar_t *AHot,
                        const wchar_t *ADown) {
  TBitmap bitmap;
  LoadDialogBitmap(bitmap, ANormal);
  AButton.SetPicture(&bitmap);
  LoadDialogBitmap(bitmap, AHot);
  AButton.SetPictureHot(&bitmap);
  LoadDialogBitmap(bitmap, ADown);
  AButton.SetPictureDown(&bitmap);
}

TTaskDialogButton::TTaskDialogButton(TComponent *AOwner)
    : TControl(AOwner), FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()), FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TGraphic *ASender) { PictureChanged(ASender); };
  FGlyphDisabled->OnChange = [this](TGraphic *ASender) { PictureChanged(ASender); };
  FHeadingFont.OnChange = [this] { Invalidate(); };
  SetBounds(0, 0, 23, 22);
  SetShowHint(false);
}

TTaskDialogButton::~TTaskDialogButton() = default;

void TTaskDialogButton::PictureChanged(TGraphic *) {
  Invalidate();
}

TCanvas &TTaskDialogButton::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TMemoryCanvas>();
  FCanvas->Font() = Font();
  return *FCanvas;
}

void TTaskDialogButton::SetPicture(TBitmap *AValue) {
  CopyBitmap(*FGlyph, AValue);
  Invalidate();
}

void TTaskDialogButton::SetPictureHot(TBitmap *AValue) {
  CopyBitmap(*FGlyphHot, AValue);
}

void TTaskDialogButton::SetPictureDown(TBitmap *AValue) {
  CopyBitmap(*FGlyphDown, AValue);
}

void TTaskDialogButton::SetPictureDisabled(TBitmap *AValue) {
  CopyBitmap(*FGlyphDisabled, AValue);
  Invalidate();
}

void TTaskDialogButton::SetHeadingFont(const TFont &AValue) {
  FHeadingFont = AValue;
}

void TTaskDialogButton::SetBorderColorHot(TColor AValue) {
  FBorderColorHot = AValue;
  Invalidate();
}

void TTaskDialogButton::SetBorderColorDown(TColor AValue) {
  FBorderColorDown = AValue;
  Invalidate();
}

void TTaskDialogButton::SetBackColor(TColor AValue) {
  FBackColor = AValue;
  Invalidate();
}

void TTaskDialogButton::Paint(TCanvas &ACanvas) {
  TRect client = ClientRect();
  TRect r = client;
  if (FBackColor != clNone) {
    ACanvas.SetBrushStyle(bsSolid);
    ACanvas.SetBrushColor(FBackColor);
    ACanvas.SetPenColor(FBackColor);
    ACanvas.Rectangle(r);
  }

  TColor border = clNone;
  if (FMouseDown)
    border = FBorderColorDown;
  else if (FMouseInControl)
    border = FBorderColorHot;
  if (!Enabled()) border = clNone;
  if (Focused()) border = FBorderColorDown;

  TBitmap *picture = FGlyph.get();
  if (FMouseDown && !FGlyphDown->Empty())
    picture = FGlyphDown.get();
  else if (FMouseInControl && !FGlyphHot->Empty())
    picture = FGlyphHot.get();
  if (!Enabled() && !FGlyphDisabled->Empty()) picture = FGlyphDisabled.get();

  std::wstring caption = Caption();
  if (picture->Empty()) {
    r.left += 2;
  } else {
    int w = picture->Width(), h = picture->Height();
    int x = caption.empty() ? (client.Width() - w) / 2 : 4;
    int y = (client.Height() - h) / 2;
    picture->DrawTransparent(ACanvas, TRect(x, y, x + w, y + h));
    r.left = w + x + 3;
  }

  if (!caption.empty()) PaintCaption(ACanvas, r);

  if (border != clNone) {
    ACanvas.SetBrushStyle(bsClear);
    ACanvas.SetPenColor(border);
    ACanvas.RoundRect(client, 2, 2);
  }
}

void TTaskDialogButton::PaintCaption(TCanvas &ACanvas, TRect R) {
  std::wstring caption = Caption();
  auto useFont = [&](const TFont &AFont) {
    ACanvas.Font() = AFont;
    if (!Enabled()) ACanvas.Font().SetColor(TaskDialogButtonDisabledText);
  };
  ACanvas.SetBrushStyle(bsClear);
  if (!HasLineMarker(caption) && caption.find(L'\r') == std::wstring::npos) {
    useFont(FHeadingFont);
    ACanvas.TextRect(R, caption, DT_SINGLELINE | DT_VCENTER | kReadingOrderFlags);
    return;
  }

  TStringList lines;
  SplitLines(caption, &lines);
  SIZE size = MeasureLines(&ACanvas, caption, FHeadingFont, Font(), kReadingOrderFlags, true);
  int top = (ClientHeight() - size.cy) / 2 + 2;
  if (!lines.Empty() && !lines[0].empty()) {
    useFont(FHeadingFont);
    TRect line(R.left, top, R.right, R.bottom);
    ACanvas.TextRect(line, lines[0], DT_SINGLELINE | kReadingOrderFlags);
    top += ACanvas.TextHeight(L"gh") + 4;
  }
  useFont(Font());
  int step = ACanvas.TextHeight(L"gh") + 2;
  for (int i = 1; i < lines.Count(); ++i) {
    TRect line(R.left, top, R.right, R.bottom);
    ACanvas.TextRect(line, lines[i], DT_SINGLELINE | kReadingOrderFlags);
    top += step;
  }
}

void TTaskDialogButton::Click() {
  if (TForm *form = ParentForm()) form->SetModalResult(FModalResult);
  TControl::Click();
}

LRESULT TTaskDialogButton::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  switch (AMsg) {
  case WM_ENABLE:
    Invalidate();
    break;
  case WM_CAPTURECHANGED:
    // Capture taken away mid-press (disabled, another window took it): the
    // release will not come here, so the pressed look ends now.
    if (FMouseDown && HWND(AL) != FHandle) {
      FMouseDown = false;
      Invalidate();
    }
    break;
  default:
    break;
  }
  return TControl::WndProc(AMsg, AW, AL);
}

void TTaskDialogButton::DoEnter() {
  TControl::DoEnter();
  Invalidate();
}

void TTaskDialogButton::DoExit() {
  TControl::DoExit();
  Invalidate();
}

void TTaskDialogButton::KeyPress(wchar_t &AKey) {
  TControl::KeyPress(AKey);
  if (AKey == L' ' || AKey == L'\r') Click();
}

void TTaskDialogButton::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TControl::MouseDown(AButton, AShift, X, Y);
  if (AButton == mbLeft) {
    FMouseDown = true;
    Repaint();
  }
}

void TTaskDialogButton::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TControl::MouseUp(AButton, AShift, X, Y);
  FMouseDown = false;
  Repaint();
}

void TTaskDialogButton::MouseEnter() {
  FMouseInControl = true;
  // Only within the active window: hovering never activates a window.
  if (FAutoFocus && CanFocus() && GetActiveWindow() == GetAncestor(Handle(), GA_ROOT)) SetFocus();
  Repaint();
  TControl::MouseEnter();
}

void TTaskDialogButton::MouseLeave() {
  FMouseInControl = false;
  Repaint();
  TControl::MouseLeave();
}
