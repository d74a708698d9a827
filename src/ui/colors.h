#pragma once
// Colour values: 0x00BBGGRR for plain colours, 0xFF000000 + index for the
// platform's system colours, and clNone for "transparent" or "not set".
#include <cstdint>

using TColor = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clGray = 0x808080;

constexpr TColor SystemColor(int AIndex) { return 0xFF000000u | uint32_t(AIndex); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clInfoBk = SystemColor(24);

constexpr TColor RGBColor(uint8_t R, uint8_t G, uint8_t B) {
  return TColor(R) | (TColor(G) << 8) | (TColor(B) << 16);
}
constexpr bool IsSystemColor(TColor AColor) { return (AColor & 0x80000000u) != 0; }

// A system colour becomes its current value; other colours stay.
TColor ColorToRGB(TColor AColor);
