#pragma once
// Pictures at the screen's density. Layouts are designed at 96 DPI; a
// picture comes in versions drawn for 96, 120, 144 and 192 DPI, the 96-DPI
// one under its plain name and the others as NAME_120, NAME_144, NAME_192.
#include <windows.h>

#include <string>

#include "ui/graphics.h"

// A length designed at 96 DPI, at the given density.
int DensityScaled(int A96Pixels, int APixelsPerInch = ScreenPixelsPerInch());

// The density of the version of a picture nearest the given one, and the
// resource name it has; only versions the module holds count.
struct TDensityVersion {
  std::wstring Name;
  int PixelsPerInch = 96;
};
TDensityVersion FindDensityVersion(HINSTANCE AInstance, const std::wstring &AName,
                                   const wchar_t *AType,
                                   int APixelsPerInch = ScreenPixelsPerInch());
