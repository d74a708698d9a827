#include "markup/markup_colors.h"

#include <windows.h>

namespace {
int DigitValue(wchar_t C) {
  if (C >= L'0' && C <= L'9') return C - L'0';
  if (C >= L'A' && C <= L'F') return C - L'A' + 10;
  if (C >= L'a' && C <= L'f') return C - L'a' + 10;
  // Not a digit: counts as 0, so that a pair stays a byte.
  return 0;
}

struct TNamedColor {
  const wchar_t *Name;
  TColor Color;
};

const TNamedColor kColors[] = {
    {L"clred", RGBColor(255, 0, 0)},
    {L"clblack", RGBColor(0, 0, 0)},
    {L"clblue", RGBColor(0, 0, 255)},
    {L"clgreen", RGBColor(0, 128, 0)},
    {L"claqua", RGBColor(0, 255, 255)},
    {L"clyellow", RGBColor(255, 255, 0)},
    {L"clfuchsia", RGBColor(255, 0, 255)},
    {L"clwhite", RGBColor(255, 255, 255)},
    {L"cllime", RGBColor(0, 255, 0)},
    {L"clsilver", RGBColor(192, 192, 192)},
    {L"clgray", RGBColor(128, 128, 128)},
    {L"clolive", RGBColor(128, 128, 0)},
    {L"clnavy", RGBColor(0, 0, 128)},
    {L"clpurple", RGBColor(128, 0, 128)},
    {L"clteal", RGBColor(0, 128, 128)},
    {L"clmaroon", RGBColor(128, 0, 0)},
    {L"clbackground", SystemColor(COLOR_BACKGROUND)},
    {L"clactivecaption", SystemColor(COLOR_ACTIVECAPTION)},
    {L"clinactivecaption", SystemColor(COLOR_INACTIVECAPTION)},
    {L"clmenu", SystemColor(COLOR_MENU)},
    {L"clwindow", SystemColor(COLOR_WINDOW)},
    {L"clwindowframe", SystemColor(COLOR_WINDOWFRAME)},
    {L"clmenutext", SystemColor(COLOR_MENUTEXT)},
    {L"clwindowtext", SystemColor(COLOR_WINDOWTEXT)},
    {L"clcaptiontext", SystemColor(COLOR_CAPTIONTEXT)},
    {L"clactiveborder", SystemColor(COLOR_ACTIVEBORDER)},
    {L"clinactiveborder", SystemColor(COLOR_INACTIVEBORDER)},
    {L"clappworkspace", SystemColor(COLOR_APPWORKSPACE)},
    {L"clhighlight", SystemColor(COLOR_HIGHLIGHT)},
    {L"clhighlighttext", SystemColor(COLOR_HIGHLIGHTTEXT)},
    {L"clbtnface", SystemColor(COLOR_BTNFACE)},
    {L"clbtnshadow", SystemColor(COLOR_BTNSHADOW)},
    {L"clgraytext", SystemColor(COLOR_GRAYTEXT)},
    {L"clbtntext", SystemColor(COLOR_BTNTEXT)},
    {L"clinactivecaptiontext", SystemColor(COLOR_INACTIVECAPTIONTEXT)},
    {L"clbtnhighlight", SystemColor(COLOR_BTNHIGHLIGHT)},
    {L"cl3ddkshadow", SystemColor(COLOR_3DDKSHADOW)},
    {L"cl3dlight", SystemColor(COLOR_3DLIGHT)},
    {L"clinfotext", SystemColor(COLOR_INFOTEXT)},
    {L"clinfobk", SystemColor(COLOR_INFOBK)},
};
} // namespace

int HexByte(const std::wstring &AText) {
  if (AText.size() < 2) return 0;
  return 16 * DigitValue(AText[0]) + DigitValue(AText[1]);
}

TColor ColorFromHex(const std::wstring &AText) {
  auto pair = [&](size_t AIndex) {
    return AIndex < AText.size() ? HexByte(AText.substr(AIndex, 2)) : 0;
  };
  return RGBColor(uint8_t(pair(1)), uint8_t(pair(3)), uint8_t(pair(5)));
}

TColor ColorFromName(const std::wstring &AName) {
  for (const TNamedColor &c : kColors)
    if (AName == c.Name) return c.Color;
  return clBlack;
}
