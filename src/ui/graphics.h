#pragma once
// Fonts, brushes and the canvas over a device context. The platform objects
// behind them are owned and released here, never by the callers.
#include <windows.h>

#include <memory>
#include <string>

#include "base/component.h"
#include "ui/colors.h"
#include "ui/handles.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Height follows the platform's rule: negative = character height in pixels.
class TFont {
public:
  TFont();
  TFont(const TFont &AOther);
  TFont &operator=(const TFont &AOther);

  void Assign(const TFont &ASource) { *this = ASource; }
  // Same face, size, colour and style; the platform font is not compared.
  bool operator==(const TFont &AOther) const;

  const std::wstring &Name() const { return FName; }
  void SetName(const std::wstring &AName);
  int Height() const { return FHeight; }
  void SetHeight(int AHeight);
  // Points at the screen's density.
  int Size() const;
  void SetSize(int APoints);
  TColor Color() const { return FColor; }
  void SetColor(TColor AColor);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles AStyle);
  // Tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int AValue);
  int CharSet() const { return FCharSet; }
  void SetCharSet(int AValue);

  HFONT Handle() const;
  std::function<void()> OnChange;

private:
  void Changed();
  std::wstring FName = L"Tahoma";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  int FOrientation = 0;
  int FCharSet = DEFAULT_CHARSET;
  mutable TGdiObject FHandle;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame,
                 psUserStyle, psAlternate };
enum TBrushStyle { bsSolid, bsClear };

struct TRect : RECT {
  TRect() : RECT{0, 0, 0, 0} {}
  TRect(LONG ALeft, LONG ATop, LONG ARight, LONG ABottom) : RECT{ALeft, ATop, ARight, ABottom} {}
  TRect(const RECT &R) : RECT(R) {}
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  bool operator==(const TRect &O) const {
    return left == O.left && top == O.top && right == O.right && bottom == O.bottom;
  }
};

class TGraphic;

// Drawing on a device context; the canvas selects its font, pen and brush
// for each operation and restores the context's own objects afterwards.
class TCanvas {
public:
  TCanvas() = default;
  explicit TCanvas(HDC ADC) : FHandle(ADC) {}
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas &) = delete;
  TCanvas &operator=(const TCanvas &) = delete;

  HDC Handle() const { return FHandle; }
  void SetHandle(HDC ADC) { FHandle = ADC; }

  TFont &Font() { return FFont; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor AColor) { FBrushColor = AColor; }
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle AStyle) { FBrushStyle = AStyle; }
  TColor PenColor() const { return FPenColor; }
  void SetPenColor(TColor AColor) { FPenColor = AColor; }
  int PenWidth() const { return FPenWidth; }
  void SetPenWidth(int AWidth) { FPenWidth = AWidth; }

  void FillRect(const TRect &R);
  void FrameRect(const TRect &R);
  void Rectangle(const TRect &R);
  // Corners rounded by ellipses of ACornerWidth x ACornerHeight.
  void RoundRect(const TRect &R, int ACornerWidth, int ACornerHeight);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  // Joined lines through the points, with one pen; the pen ends at the last.
  void Polyline(const POINT *APoints, int ACount);
  void TextOut(int X, int Y, const std::wstring &AText);
  // DrawTextW with the given DT_ flags; returns the height drawn.
  int TextRect(TRect &R, const std::wstring &AText, UINT AFlags);
  SIZE TextExtent(const std::wstring &AText);
  int TextWidth(const std::wstring &AText) { return TextExtent(AText).cx; }
  int TextHeight(const std::wstring &AText) { return TextExtent(AText).cy; }
  void Draw(int X, int Y, TGraphic *AGraphic);
  void StretchDraw(const TRect &R, TGraphic *AGraphic);

private:
  HDC FHandle = nullptr;
  TFont FFont;
  TColor FBrushColor = clWhite;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FPenColor = clBlack;
  int FPenWidth = 1;
  POINT FPenPos{0, 0};
};

// A canvas over a memory device context compatible with the screen.
class TMemoryCanvas : public TCanvas {
public:
  TMemoryCanvas();

private:
  TMemoryDC FDC;
};

int ScreenPixelsPerInch();
