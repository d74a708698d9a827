#include "ui/icon.h"

void TIcon::SetHandle(HICON AIcon) {
  if (FHandle.Get() == AIcon) return;
  FHandle.Reset(AIcon);
  MeasureSize();
  Changed();
}

HICON TIcon::ReleaseHandle() {
  FWidth = FHeight = 0;
  return FHandle.Release();
}

void TIcon::Assign(const TIcon &ASource) {
  if (&ASource == this) return;
  SetHandle(ASource.FHandle ? CopyIcon(ASource.FHandle.Get()) : nullptr);
}

void TIcon::LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AName, int ASize) {
  SetHandle(
      static_cast<HICON>(LoadImageW(AInstance, AName.c_str(), IMAGE_ICON, ASize, ASize, 0)));
}

void TIcon::MeasureSize() {
  FWidth = FHeight = 0;
  if (!FHandle) return;
  ICONINFO info{};
  if (!GetIconInfo(FHandle.Get(), &info)) return;
  // The info's bitmaps are copies made for us.
  TGdiObject color(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight / 2; // monochrome: mask and image stacked
  }
}

void TIcon::Draw(TCanvas &ACanvas, const TRect &R) {
  if (FHandle)
    DrawIconEx(ACanvas.Handle(), R.left, R.top, FHandle.Get(), R.Width(), R.Height(), 0, nullptr,
               DI_NORMAL);
}
