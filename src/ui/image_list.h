#pragma once
// A list of images of one size, drawn by index (the platform's image list).
#include <windows.h>

#include <commctrl.h>

#include "ui/bitmap.h"
#include "ui/graphics.h"

class TCustomImageList {
public:
  TCustomImageList(int AWidth, int AHeight);
  TCustomImageList(const TCustomImageList &) = delete;
  TCustomImageList &operator=(const TCustomImageList &) = delete;

  HIMAGELIST Handle() const { return FHandle.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const;

  // Appends a copy of the bitmap; pixels of AMaskColor become transparent
  // unless it is clNone. Returns the new index, -1 when it failed.
  int Add(TBitmap &ABitmap, TColor AMaskColor = clNone);
  // Draws image AIndex at its own size; nothing for an index outside.
  void Draw(TCanvas &ACanvas, int X, int Y, int AIndex) const;
  // The image drawn onto a bitmap of the list's size filled with
  // ABackground; false for an index outside the list.
  bool GetBitmap(int AIndex, TBitmap &ABitmap, TColor ABackground = clWindow) const;

private:
  TImageListHandle FHandle;
  int FWidth, FHeight;
};
