#pragma once
// Drawing helpers of the markup: colour gradients, system icons, scaled
// bitmaps and rotated fonts.
#include <windows.h>

#include <string>

#include "markup/markup_state.h"
#include "ui/bitmap.h"
#include "ui/graphics.h"

// Fills ARect with ABands bands (0 counts as 1) running from AFrom to ATo,
// left to right when AHorizontal, else top to bottom. Each band reaches one
// pixel into the next, so rounding leaves no gaps. The canvas keeps the
// last band's colour as pen and brush. When AFrame is not clNone the brush
// is switched off and ARect is outlined in AFrame. System colours count by
// their current value; clNone counts as white.
void FillGradient(TCanvas &ACanvas, TColor AFrom, TColor ATo, bool AHorizontal,
                  const TRect &ARect, int ABands, TColor AFrame);

// A system icon, named by its index in the system image list, or by a file,
// folder or extension whose icon the shell knows (an empty name is icon 0).
// ALarge chooses the large icons. With ADraw the icon is drawn at (X, Y):
// transparently at its own size, or with AStretch scaled by AFactor onto a
// background of the canvas's brush colour. An icon the shell cannot name
// or the list does not hold draws nothing. Returns the system icon size.
SIZE DrawSystemIcon(TCanvas &ACanvas, int X, int Y, const std::wstring &AName, bool ALarge,
                    bool ADraw, bool AStretch, double AFactor);

// Copies the bitmap's pixels into ARect, scaled to fill it, replacing what
// is there.
void StretchBitmap(TCanvas &ACanvas, const TRect &ARect, TBitmap &ABitmap);

// The path names an existing folder.
bool FolderExists(const std::wstring &APath);

// Turns the canvas font by AAngle degrees (counter-clockwise) and
// remembers in AState the font it replaced.
void SelectRotatedFont(TCanvas &ACanvas, int AAngle, TMarkupState &AState);
// Puts the remembered font back; nothing when none is remembered.
void RestoreRotatedFont(TCanvas &ACanvas, TMarkupState &AState);
