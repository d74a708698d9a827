#include "ui/image_control.h"

#include <vector>

#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/density.h"

TImage::TImage(TComponent *AOwner) : TControl(AOwner) {
  FPicture.OnChange = [this](TPicture *) { PictureChanged(); };
}

void TImage::SetAutoSize(bool AValue) {
  if (AValue == FAutoSize) return;
  FAutoSize = AValue;
  PictureChanged();
}

void TImage::SetTransparent(bool AValue) {
  if (AValue == FTransparent) return;
  FTransparent = AValue;
  PictureChanged();
}

void TImage::SetStretch(bool AValue) {
  if (AValue == FStretch) return;
  FStretch = AValue;
  Invalidate();
}

void TImage::SetCenter(bool AValue) {
  if (AValue == FCenter) return;
  FCenter = AValue;
  PictureChanged();
}

void TImage::SetPictureDensity(int APixelsPerInch) {
  if (APixelsPerInch == FPictureDensity) return;
  FPictureDensity = APixelsPerInch;
  PictureChanged();
}

SIZE TImage::PictureSize() {
  int w = FPicture.Width(), h = FPicture.Height();
  if (FPictureDensity <= 0) return {w, h};
  int screen = ScreenPixelsPerInch();
  return {MulDiv(w, screen, FPictureDensity), MulDiv(h, screen, FPictureDensity)};
}

TRect TImage::PictureRect() {
  TRect client = ClientRect();
  if (FStretch) return client;
  SIZE size = PictureSize();
  int x = FCenter ? (client.Width() - size.cx) / 2 : 0;
  int y = FCenter ? (client.Height() - size.cy) / 2 : 0;
  return TRect(x, y, x + size.cx, y + size.cy);
}

void TImage::PictureChanged() {
  // A waiting picture tells its change once it is read.
  if (FPicture.Pending()) return;
  if (FAutoSize) FitToPicture();
  // Setting the flag may report a change again; by then it holds.
  if (TGraphic *graphic = FPicture.Graphic()) graphic->SetTransparent(FTransparent);
  if (HandleAllocated()) {
    UpdateRegion();
    Invalidate();
  }
}

void TImage::ScaleBy(int M, int D) {
  // Sized to its picture first, then scaled, as if it had been read at once.
  FPicture.LoadPending();
  TControl::ScaleBy(M, D);
  // The layout grows with the font, the picture with the density.
  if (FAutoSize && FPictureDensity > 0) FitToPicture();
}

// A picture drawn for a density keeps the centre of the place it was given,
// which its size at 96 DPI fills; others keep the top left corner.
void TImage::FitToPicture() {
  SIZE size = PictureSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  if (FPictureDensity > 0)
    SetBounds(Left() + (Width() - size.cx) / 2, Top() + (Height() - size.cy) / 2, size.cx,
              size.cy);
  else
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TImage::CreateWnd() {
  // The window takes the picture's size and shape from the start. A picture
  // that cannot be read is reported and stays empty; the window is made all
  // the same, so its form is complete.
  try {
    FPicture.LoadPending();
  } catch (const TProgramHalt &) {
    throw;
  } catch (...) {
    HandleBoundaryException();
  }
  TControl::CreateWnd();
}

void TImage::InitWnd() { UpdateRegion(); }

// A transparent picture is a window only where the graphic draws: what lies
// beneath shows through the rest, as it does under a windowless picture.
void TImage::UpdateRegion() {
  TGraphic *graphic = FPicture.Graphic();
  if (!FTransparent || !graphic || graphic->Empty()) {
    SetWindowRgn(FHandle, nullptr, TRUE);
    return;
  }
  TRect client = ClientRect();
  int w = client.Width(), h = client.Height();
  if (w <= 0 || h <= 0) return;
  constexpr uint32_t kUntouched = 0x00FE00FD; // a colour no picture of ours uses
  void *bits = nullptr;
  TGdiObject dib(CreateDIBSectionOf(w, h, 32, &bits));
  if (!dib.Get() || !bits) return;
  auto *pixels = static_cast<uint32_t *>(bits);
  std::fill(pixels, pixels + size_t(w) * size_t(h), kUntouched);
  {
    TMemoryCanvas canvas;
    TSelectedObject selected(canvas.Handle(), dib.Get());
    canvas.StretchDraw(PictureRect(), graphic);
    GdiFlush();
  }
  TGdiObject region(CreateRectRgn(0, 0, 0, 0));
  const auto united = static_cast<HRGN>(region.Get());
  for (int y = 0; y < h; ++y) {
    const uint32_t *row = pixels + size_t(y) * size_t(w);
    for (int x = 0; x < w;) {
      if ((row[x] & 0x00FFFFFF) == kUntouched) {
        ++x;
        continue;
      }
      int start = x;
      while (x < w && (row[x] & 0x00FFFFFF) != kUntouched) ++x;
      TGdiObject run(CreateRectRgn(start, y, x, y + 1));
      CombineRgn(united, united, static_cast<HRGN>(run.Get()), RGN_OR);
    }
  }
  // The window owns the region once it takes it.
  if (SetWindowRgn(FHandle, united, TRUE)) region.Release();
}

void TImage::Paint(TCanvas &ACanvas) {
  if (FTransparent && Parent()) {
    ACanvas.SetBrushColor(Parent()->Color());
    ACanvas.SetBrushStyle(bsSolid);
    ACanvas.FillRect(ClientRect());
  }
  TGraphic *graphic = FPicture.Graphic();
  if (!graphic || graphic->Empty()) return;
  ACanvas.StretchDraw(PictureRect(), graphic);
}
