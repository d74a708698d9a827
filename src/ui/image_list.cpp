#include "ui/image_list.h"

#include <algorithm>

TCustomImageList::TCustomImageList(int AWidth, int AHeight)
    : FWidth(std::max(AWidth, 1)), FHeight(std::max(AHeight, 1)) {
  FHandle.Reset(ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4));
}

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle.Get()) : 0; }

int TCustomImageList::Add(TBitmap &ABitmap, TColor AMaskColor) {
  if (!FHandle) return -1;
  HBITMAP bitmap = ABitmap.Handle();
  if (AMaskColor == clNone) return ImageList_Add(FHandle.Get(), bitmap, nullptr);
  return ImageList_AddMasked(FHandle.Get(), bitmap, ColorToRGB(AMaskColor));
}

void TCustomImageList::Draw(TCanvas &ACanvas, int X, int Y, int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) return;
  ImageList_Draw(FHandle.Get(), AIndex, ACanvas.Handle(), X, Y, ILD_TRANSPARENT);
}

bool TCustomImageList::GetBitmap(int AIndex, TBitmap &ABitmap, TColor ABackground) const {
  if (AIndex < 0 || AIndex >= Count()) return false;
  ABitmap.SetSize(FWidth, FHeight);
  TCanvas &canvas = ABitmap.Canvas();
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(ABackground);
  canvas.FillRect(TRect(0, 0, FWidth, FHeight));
  ImageList_Draw(FHandle.Get(), AIndex, canvas.Handle(), 0, 0, ILD_TRANSPARENT);
  return true;
}
