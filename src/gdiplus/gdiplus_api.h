#pragma once
// The GDI+ binding: the library is loaded by name and its entry points are
// bound at run time, so that the program still runs where it is missing.
#include <string>

#include "base/exception.h"
#include "gdiplus/gdiplus_entries.h"
#include "gdiplus/gdiplus_types.h"
#include "ui/colors.h"

// The image support's failures.
class EdxException : public Exception {
public:
  using Exception::Exception;
};

// A failed GDI+ call, with its status.
class EdxGdipException : public EdxException {
public:
  explicit EdxGdipException(Status AStatus);
  Status FStatus;
};

// True while the library is loaded, every entry point is bound and GDI+
// runs. Loads it when it is not yet available; with AShowErrorMessage a
// failed load tells the user and ends the program.
bool IsGdiPlusAvailable(bool AShowErrorMessage = false);
// The availability flag as it stands, without trying to load.
bool GdiPlusStarted();
void LoadGdiPlusLibrary();
void FreeGdiPlusLibrary();

// Binds the entry points in their order through AResolve, stopping at the
// first name it cannot resolve (later ones stay unbound and unasked).
// Returns whether all were bound.
bool BindGdiPlusEntries(void *(*AResolve)(const char *AName, void *AContext), void *AContext);

// Raises EdxGdipException for any status but Ok.
void CheckGpStatus(Status AStatus);
// Raises EdxGdipException(InvalidParameter) when the condition is false.
void CheckGpCondition(bool ACondition);

// Platform colour to 0xAARRGGBB; system colours take their current value.
ARGB ColorToARGBValue(TColor AColor, BYTE AAlpha = 255);
// As ColorToARGBValue, but clNone gives 0 (transparent black).
ARGB ColorToGpColor(TColor AColor, BYTE AAlpha = 255);

// Encoders by MIME type, looked up once and cached.
Status FindEncoderClsid(const std::wstring &AMimeType, CLSID &AClsid);
void InitEncoderClsid(const std::wstring &AMimeType, CLSID &AClsid);
void InitEncoders();

struct TdxEncoderCache {
  CLSID Bmp, Png, Jpeg, Tiff, Gif;
};
extern TdxEncoderCache dxEncoders;

// The binding module's start and end procedures for the units loader.
void GdiPlusAPIInitialize();
void GdiPlusAPIFinalize();
