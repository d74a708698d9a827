#include "ui/icon.h"

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON AIcon) {
  if (FHandle == AIcon) return;
  if (FHandle) DestroyIcon(FHandle);
  FHandle = AIcon;
  MeasureSize();
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON h = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  return h;
}

void TIcon::Assign(const TIcon &ASource) {
  if (&ASource == this) return;
  SetHandle(ASource.FHandle ? CopyIcon(ASource.FHandle) : nullptr);
}

void TIcon::LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AName) {
  SetHandle(static_cast<HICON>(LoadImageW(AInstance, AName.c_str(), IMAGE_ICON, 0, 0, 0)));
}

void TIcon::MeasureSize() {
  FWidth = FHeight = 0;
  if (!FHandle) return;
  ICONINFO info{};
  if (!GetIconInfo(FHandle, &info)) return;
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight / 2; // monochrome: mask and image stacked
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

void TIcon::Draw(TCanvas &ACanvas, const TRect &R) {
  if (FHandle)
    DrawIconEx(ACanvas.Handle(), R.left, R.top, FHandle, R.Width(), R.Height(), 0, nullptr,
               DI_NORMAL);
}
