#include "gdiplus/gdiplus_api.h"

#include <cstring>
#include <vector>

#include "base/strings.h"
#include "base/system_library.h"
#include "res/resource_ids.h"
#include "ui/platform.h"

#define GDIP_DEFINE_USED(R, N, P) R(WINAPI *N) P = nullptr;
#define GDIP_DEFINE_BOUND(N) void *N = nullptr;
GDIPLUS_ENTRIES(GDIP_DEFINE_USED, GDIP_DEFINE_BOUND)

#define GDIP_NAME_USED(R, N, P) #N,
#define GDIP_NAME_BOUND(N) #N,
const char *const GdiPlusEntryNames[] = {GDIPLUS_ENTRIES(GDIP_NAME_USED, GDIP_NAME_BOUND)};
const int GdiPlusEntryCount = int(sizeof(GdiPlusEntryNames) / sizeof(GdiPlusEntryNames[0]));

TdxEncoderCache dxEncoders{};

namespace {
// Sets the entry of that index to the address (null clears it).
using TEntrySetter = void (*)(void *AAddress);
#define GDIP_SETTER_USED(R, N, P) [](void *p) { N = reinterpret_cast<decltype(N)>(p); },
#define GDIP_SETTER_BOUND(N) [](void *p) { N = p; },
const TEntrySetter kSetters[] = {GDIPLUS_ENTRIES(GDIP_SETTER_USED, GDIP_SETTER_BOUND)};

HMODULE FLibrary = nullptr;
bool FAvailable = false;
ULONG_PTR FStartupToken = 0;
ULONG_PTR FHookToken = 0;
GdiplusStartupOutput FStartupOutput{};
// Version 1, no debug callback, background thread suppressed (the program
// runs the notification hook itself), external codecs allowed.
const GdiplusStartupInput kStartupInput{1, nullptr, TRUE, FALSE};

void *ResolveFromLibrary(const char *AName, void *AContext) {
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(AContext), AName));
}

std::wstring LoadProgramString(UINT AId, const wchar_t *AFallback) {
  const wchar_t *text = nullptr;
  int n = LoadStringW(GetModuleHandleW(nullptr), AId, reinterpret_cast<wchar_t *>(&text), 0);
  return n > 0 ? std::wstring(text, size_t(n)) : std::wstring(AFallback);
}

bool IsEmptyClsid(const CLSID &AClsid) {
  // Only the leading fields count: the last eight bytes are not looked at.
  return AClsid.Data1 == 0 && AClsid.Data2 == 0 && AClsid.Data3 == 0;
}
} // namespace

EdxGdipException::EdxGdipException(Status AStatus)
    : EdxException(Format(
          LoadProgramString(IDS_GDIP_INVALID_OPERATION, L"Invalid operation in GDI+ (Code: %d)"),
          {std::to_wstring(int(AStatus))})),
      FStatus(AStatus) {}

bool BindGdiPlusEntries(void *(*AResolve)(const char *AName, void *AContext), void *AContext) {
  for (TEntrySetter set : kSetters)
    set(nullptr);
  for (int i = 0; i < GdiPlusEntryCount; ++i) {
    void *address = AResolve(GdiPlusEntryNames[i], AContext);
    if (!address) return false;
    kSetters[i](address);
  }
  return true;
}

void LoadGdiPlusLibrary() {
  if (FAvailable) return;
  // A missing library is an expected case: no system error box for it.
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  FLibrary = LoadSystemLibrary(L"gdiplus.dll");
  SetErrorMode(oldMode);
  FAvailable = FLibrary != nullptr;
  if (!FAvailable) return;
  FAvailable = BindGdiPlusEntries(&ResolveFromLibrary, FLibrary);
  if (!FAvailable) return;
  Status status = GdiplusStartup(&FStartupToken, &kStartupInput, &FStartupOutput);
  if (status == Ok) status = FStartupOutput.NotificationHook(&FHookToken);
  if (status != Ok) {
    FAvailable = false;
    FStartupOutput = {};
  }
}

void FreeGdiPlusLibrary() {
  if (FAvailable) {
    FStartupOutput.NotificationUnhook(FHookToken);
    GdiplusShutdown(FStartupToken);
  }
  if (FLibrary) {
    FreeLibrary(FLibrary);
    FLibrary = nullptr;
  }
  FAvailable = false;
  // Nothing may call into the unloaded library.
  for (TEntrySetter set : kSetters)
    set(nullptr);
  dxEncoders = {};
}

bool IsGdiPlusAvailable(bool AShowErrorMessage) {
  if (!FAvailable) LoadGdiPlusLibrary();
  if (!FAvailable && AShowErrorMessage) {
    PlatformMessageBox(
        nullptr,
        L"This application requires the Microsoft GDI+ library to be installed. Gdiplus.dll is "
        L"included with Windows XP and Vista. GDI+ is available as a redistributable file for "
        L"Windows NT 4.0 SP6, Windows 2000, Windows 98, and Windows Me.  To download the latest "
        L"redistributable,  see http://www.microsoft.com/downloads",
        LoadProgramString(IDS_APPLICATION_ERROR, L"Application Error"),
        MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
  }
  return FAvailable;
}

bool GdiPlusStarted() {
  return FAvailable;
}

void CheckGpStatus(Status AStatus) {
  if (AStatus != Ok) throw EdxGdipException(AStatus);
}

void CheckGpCondition(bool ACondition) {
  if (!ACondition) throw EdxGdipException(InvalidParameter);
}

ARGB ColorToARGBValue(TColor AColor, BYTE AAlpha) {
  TColor rgb = ColorToRGB(AColor);
  return (ARGB(AAlpha) << 24) | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

ARGB ColorToGpColor(TColor AColor, BYTE AAlpha) {
  return AColor == clNone ? 0 : ColorToARGBValue(AColor, AAlpha);
}

Status FindEncoderClsid(const std::wstring &AMimeType, CLSID &AClsid) {
  Status result = GenericError;
  if (!IsGdiPlusAvailable(false)) return result;
  UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != Ok || size == 0) return result;
  std::vector<unsigned char> buffer(size);
  auto *codecs = reinterpret_cast<ImageCodecInfo *>(buffer.data());
  if (GdipGetImageEncoders(count, size, codecs) != Ok) return result;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && SameText(codecs[i].MimeType, AMimeType)) {
      AClsid = codecs[i].Clsid;
      return Ok;
    }
  }
  return result;
}

void InitEncoderClsid(const std::wstring &AMimeType, CLSID &AClsid) {
  if (IsEmptyClsid(AClsid)) CheckGpStatus(FindEncoderClsid(AMimeType, AClsid));
}

void InitEncoders() {
  InitEncoderClsid(L"image/bmp", dxEncoders.Bmp);
  InitEncoderClsid(L"image/png", dxEncoders.Png);
  InitEncoderClsid(L"image/jpeg", dxEncoders.Jpeg);
  InitEncoderClsid(L"image/tiff", dxEncoders.Tiff);
  InitEncoderClsid(L"image/gif", dxEncoders.Gif);
}

void GdiPlusAPIInitialize() {
  FAvailable = false;
}

void GdiPlusAPIFinalize() {
  FreeGdiPlusLibrary();
}
