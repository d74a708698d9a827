#include "ui/graphics.h"

#include "ui/graphic.h"

TColor ColorToRGB(TColor AColor) {
  if (IsSystemColor(AColor)) return TColor(GetSysColor(int(AColor & 0xFF)));
  return AColor;
}

int ScreenPixelsPerInch() {
  TScreenDC screen;
  return GetDeviceCaps(screen.DC(), LOGPIXELSY);
}

// ---- TFont

TFont::TFont() = default;

TFont::TFont(const TFont &AOther)
    : FName(AOther.FName), FHeight(AOther.FHeight), FColor(AOther.FColor),
      FStyle(AOther.FStyle), FOrientation(AOther.FOrientation), FCharSet(AOther.FCharSet) {}

TFont &TFont::operator=(const TFont &AOther) {
  if (this == &AOther) return *this;
  FName = AOther.FName;
  FHeight = AOther.FHeight;
  FColor = AOther.FColor;
  FStyle = AOther.FStyle;
  FOrientation = AOther.FOrientation;
  FCharSet = AOther.FCharSet;
  Changed();
  return *this;
}

bool TFont::operator==(const TFont &AOther) const {
  return FName == AOther.FName && FHeight == AOther.FHeight && FColor == AOther.FColor &&
         FStyle == AOther.FStyle && FOrientation == AOther.FOrientation &&
         FCharSet == AOther.FCharSet;
}

void TFont::Changed() {
  FHandle.Reset();
  if (OnChange) OnChange();
}

void TFont::SetName(const std::wstring &AName) {
  if (AName == FName) return;
  FName = AName;
  Changed();
}

void TFont::SetHeight(int AHeight) {
  if (AHeight == FHeight) return;
  FHeight = AHeight;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int APoints) { SetHeight(-MulDiv(APoints, ScreenPixelsPerInch(), 72)); }

void TFont::SetColor(TColor AColor) {
  if (AColor == FColor) return;
  FColor = AColor;
  // The colour is not part of the platform font; only observers care.
  if (OnChange) OnChange();
}

void TFont::SetStyle(TFontStyles AStyle) {
  if (AStyle == FStyle) return;
  FStyle = AStyle;
  Changed();
}

void TFont::SetOrientation(int AValue) {
  if (AValue == FOrientation) return;
  FOrientation = AValue;
  Changed();
}

void TFont::SetCharSet(int AValue) {
  if (AValue == FCharSet) return;
  FCharSet = AValue;
  Changed();
}

HFONT TFont::Handle() const {
  if (!FHandle.Get()) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    lf.lfEscapement = lf.lfOrientation = FOrientation;
    lf.lfCharSet = BYTE(FCharSet);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle.Reset(CreateFontIndirectW(&lf));
  }
  return static_cast<HFONT>(FHandle.Get());
}

// ---- TCanvas

void TCanvas::FillRect(const TRect &R) {
  if (FBrushStyle == bsClear) return;
  TGdiObject brush(CreateSolidBrush(ColorToRGB(FBrushColor)));
  ::FillRect(FHandle, &R, static_cast<HBRUSH>(brush.Get()));
}

void TCanvas::FrameRect(const TRect &R) {
  TGdiObject brush(CreateSolidBrush(ColorToRGB(FBrushColor)));
  ::FrameRect(FHandle, &R, static_cast<HBRUSH>(brush.Get()));
}

void TCanvas::Rectangle(const TRect &R) {
  TGdiObject pen(CreatePen(PS_SOLID, FPenWidth, ColorToRGB(FPenColor)));
  TGdiObject brush(FBrushStyle == bsClear ? nullptr : CreateSolidBrush(ColorToRGB(FBrushColor)));
  TSelectedObject p(FHandle, pen.Get());
  TSelectedObject b(FHandle, brush.Get() ? brush.Get() : GetStockObject(NULL_BRUSH));
  ::Rectangle(FHandle, R.left, R.top, R.right, R.bottom);
}

void TCanvas::RoundRect(const TRect &R, int ACornerWidth, int ACornerHeight) {
  TGdiObject pen(CreatePen(PS_SOLID, FPenWidth, ColorToRGB(FPenColor)));
  TGdiObject brush(FBrushStyle == bsClear ? nullptr : CreateSolidBrush(ColorToRGB(FBrushColor)));
  TSelectedObject p(FHandle, pen.Get());
  TSelectedObject b(FHandle, brush.Get() ? brush.Get() : GetStockObject(NULL_BRUSH));
  ::RoundRect(FHandle, R.left, R.top, R.right, R.bottom, ACornerWidth, ACornerHeight);
}

void TCanvas::MoveTo(int X, int Y) { FPenPos = {X, Y}; }

void TCanvas::LineTo(int X, int Y) {
  TGdiObject pen(CreatePen(PS_SOLID, FPenWidth, ColorToRGB(FPenColor)));
  TSelectedObject p(FHandle, pen.Get());
  ::MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  ::LineTo(FHandle, X, Y);
  FPenPos = {X, Y};
}

void TCanvas::Polyline(const POINT *APoints, int ACount) {
  if (ACount < 2) return;
  TGdiObject pen(CreatePen(PS_SOLID, FPenWidth, ColorToRGB(FPenColor)));
  TSelectedObject p(FHandle, pen.Get());
  ::Polyline(FHandle, APoints, ACount);
  FPenPos = APoints[ACount - 1];
}

void TCanvas::TextOut(int X, int Y, const std::wstring &AText) {
  TSelectedObject f(FHandle, FFont.Handle());
  SetTextColor(FHandle, ColorToRGB(FFont.Color()));
  if (FBrushStyle == bsClear) {
    SetBkMode(FHandle, TRANSPARENT);
  } else {
    SetBkMode(FHandle, OPAQUE);
    SetBkColor(FHandle, ColorToRGB(FBrushColor));
  }
  ::TextOutW(FHandle, X, Y, AText.c_str(), int(AText.size()));
}

int TCanvas::TextRect(TRect &R, const std::wstring &AText, UINT AFlags) {
  TSelectedObject f(FHandle, FFont.Handle());
  SetTextColor(FHandle, ColorToRGB(FFont.Color()));
  SetBkMode(FHandle, TRANSPARENT);
  return ::DrawTextW(FHandle, AText.c_str(), int(AText.size()), &R, AFlags);
}

SIZE TCanvas::TextExtent(const std::wstring &AText) {
  TSelectedObject f(FHandle, FFont.Handle());
  SIZE size{0, 0};
  GetTextExtentPoint32W(FHandle, AText.c_str(), int(AText.size()), &size);
  return size;
}

void TCanvas::Draw(int X, int Y, TGraphic *AGraphic) {
  if (!AGraphic || AGraphic->Empty()) return;
  AGraphic->Draw(*this, TRect(X, Y, X + AGraphic->Width(), Y + AGraphic->Height()));
}

void TCanvas::StretchDraw(const TRect &R, TGraphic *AGraphic) {
  if (!AGraphic || AGraphic->Empty()) return;
  AGraphic->Draw(*this, R);
}

TMemoryCanvas::TMemoryCanvas() { SetHandle(FDC.Get()); }
