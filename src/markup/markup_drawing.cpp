#include "markup/markup_drawing.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/convert.h"
#include "base/files.h"
#include "ui/handles.h"

namespace {
// Ties to even, as the platform's default rounding does.
int RoundEven(double AValue) { return int(std::nearbyint(AValue)); }

TColor PlainRGB(TColor AColor) { return ColorToRGB(AColor) & 0xFFFFFF; }

int Component(TColor AColor, int AShift) { return int((AColor >> AShift) & 0xFF); }

bool FileOrFolderExists(const std::wstring &APath) {
  return GetFileAttributesW(APath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

UINT IconSizeFlag(bool ALarge) { return ALarge ? SHGFI_LARGEICON : SHGFI_SMALLICON; }

HIMAGELIST SystemImageList(bool ALarge) {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                     SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | IconSizeFlag(ALarge)));
}

// Network shares and device paths: \\server\share, \\?\UNC\server.
bool IsRemotePath(const std::wstring &APath) {
  auto slash = [](wchar_t C) { return C == L'\\' || C == L'/'; };
  return APath.size() >= 2 && slash(APath[0]) && slash(APath[1]);
}

// The system image list index of a path's icon; -1 when the shell does not
// know it. Paths that do not exist are looked up by name and extension, and
// so are network and device paths: a text must never make the program
// reach out to another machine.
int ShellIconIndex(const std::wstring &APath, bool ALarge) {
  SHFILEINFOW info{};
  UINT flags = SHGFI_SYSICONINDEX | IconSizeFlag(ALarge);
  DWORD attributes = 0;
  if (IsRemotePath(APath) || !FileOrFolderExists(APath)) {
    flags |= SHGFI_USEFILEATTRIBUTES;
    attributes = FILE_ATTRIBUTE_NORMAL;
  }
  if (!SHGetFileInfoW(APath.c_str(), attributes, &info, sizeof(info), flags)) return -1;
  return info.iIcon;
}
} // namespace

void FillGradient(TCanvas &ACanvas, TColor AFrom, TColor ATo, bool AHorizontal,
                  const TRect &ARect, int ABands, TColor AFrame) {
  const int n = std::max(ABands, 1);
  const TColor from = PlainRGB(AFrom), to = PlainRGB(ATo);
  double step[3];
  for (int c = 0; c < 3; ++c)
    step[c] = double(Component(to, 8 * c) - Component(from, 8 * c)) / n;
  const double bandSize = double(AHorizontal ? ARect.Width() : ARect.Height()) / n;
  ACanvas.SetBrushStyle(bsSolid);
  for (int i = 0; i < n; ++i) {
    int rgb[3];
    for (int c = 0; c < 3; ++c)
      rgb[c] = std::clamp(Component(from, 8 * c) + RoundEven(i * step[c]), 0, 255);
    TColor color = RGBColor(uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2]));
    ACanvas.SetPenColor(color);
    ACanvas.SetBrushColor(color);
    int p = RoundEven(i * bandSize);
    int reach = p + int(bandSize) + 1;
    TRect band = AHorizontal ? TRect(ARect.left + p, ARect.top,
                                     std::min<LONG>(ARect.left + reach, ARect.right), ARect.bottom)
                             : TRect(ARect.left, ARect.top + p, ARect.right,
                                     std::min<LONG>(ARect.top + reach, ARect.bottom));
    // Bands beyond the last pixel (more bands than pixels) draw nothing.
    if (band.Width() > 0 && band.Height() > 0) ACanvas.Rectangle(band);
  }
  if (AFrame != clNone) {
    ACanvas.SetBrushStyle(bsClear);
    ACanvas.SetPenColor(AFrame);
    ACanvas.Rectangle(ARect);
  }
}

SIZE DrawSystemIcon(TCanvas &ACanvas, int X, int Y, const std::wstring &AName, bool ALarge,
                    bool ADraw, bool AStretch, double AFactor) {
  SIZE size{0, 0};
  HIMAGELIST list = SystemImageList(ALarge);
  if (!list) return size;
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  size = {cx, cy};
  // The size is the list's: only drawing asks the shell about the name.
  if (!ADraw || cx <= 0 || cy <= 0) return size;
  int index = 0;
  if (!AName.empty()) {
    if (std::optional<int> number = TryStrToInt(AName))
      index = *number;
    else
      index = ShellIconIndex(AName, ALarge);
  }
  // An icon the list does not hold draws nothing, but takes its room.
  if (index < 0 || index >= ImageList_GetImageCount(list)) return size;
  if (!AStretch) {
    ImageList_Draw(list, index, ACanvas.Handle(), X, Y, ILD_TRANSPARENT);
    return size;
  }
  TBitmap bitmap(cx, cy, pf32bit);
  TCanvas &canvas = bitmap.Canvas();
  bool opaque = ACanvas.BrushStyle() == bsSolid && ACanvas.BrushColor() != clNone;
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(opaque ? ACanvas.BrushColor() : clWindow);
  canvas.FillRect(TRect(0, 0, cx, cy));
  ImageList_Draw(list, index, canvas.Handle(), 0, 0, ILD_TRANSPARENT);
  StretchBitmap(ACanvas,
                TRect(X, Y, X + RoundEven(cx * AFactor), Y + RoundEven(cy * AFactor)), bitmap);
  return size;
}

void StretchBitmap(TCanvas &ACanvas, const TRect &ARect, TBitmap &ABitmap) {
  if (ABitmap.Empty()) return;
  const int w = ABitmap.Width(), h = ABitmap.Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(size_t(w) * size_t(h));
  HBITMAP handle = ABitmap.Handle();
  int rows = GetDIBits(TScreenDC().DC(), handle, 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS);
  if (rows == 0) return;
  HDC dc = ACanvas.Handle();
  int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, ARect.left, ARect.top, ARect.Width(), ARect.Height(), 0, 0, w, h,
                pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

bool FolderExists(const std::wstring &APath) { return DirectoryExists(APath); }

void SelectRotatedFont(TCanvas &ACanvas, int AAngle, TMarkupState &AState) {
  AState.FontBeforeRotation = ACanvas.Font();
  // Whole turns change nothing; keeping the angle small keeps it in range.
  ACanvas.Font().SetOrientation((AAngle % 360) * 10);
}

void RestoreRotatedFont(TCanvas &ACanvas, TMarkupState &AState) {
  if (!AState.FontBeforeRotation) return;
  ACanvas.Font().Assign(*AState.FontBeforeRotation);
  AState.FontBeforeRotation.reset();
}
