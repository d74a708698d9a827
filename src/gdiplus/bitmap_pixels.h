#pragma once
// Reading a platform bitmap as 32-bit pixels.
#include <windows.h>

class TBitmap;
class TRGBColors;

// Fills APixels with the bitmap's pixels (top row first when asked);
// false when the bitmap has no area or a row could not be read.
bool ReadBitmapPixels(HBITMAP ABitmap, TRGBColors &APixels, bool ATopDownOrder);
// Bits per pixel of the bitmap's format (15-bit counts as 16).
int BitmapBitsPerPixel(TBitmap &ABitmap);
