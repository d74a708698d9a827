#pragma once
// The GDI+ flat interface's types, as the library publishes them. The
// program binds the library at run time and does not include its headers.
#include <windows.h>

#include <objidl.h>

#include <cstdint>

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20
};

// Opaque GDI+ objects.
struct GpGraphics;
struct GpImage;
struct GpBrush;
struct GpPen;
struct GpPath;
struct GpImageAttributes;
using GpBitmap = GpImage;
using GpSolidFill = GpBrush;

using ARGB = uint32_t;
using REAL = float;

struct GpPoint {
  INT X, Y;
};

struct GdiplusStartupInput {
  UINT32 GdiplusVersion;
  void *DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};

using TNotificationHookProc = Status(WINAPI *)(ULONG_PTR *AToken);
using TNotificationUnhookProc = void(WINAPI *)(ULONG_PTR AToken);

struct GdiplusStartupOutput {
  TNotificationHookProc NotificationHook;
  TNotificationUnhookProc NotificationUnhook;
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR *CodecName;
  const WCHAR *DllName;
  const WCHAR *FormatDescription;
  const WCHAR *FilenameExtension;
  const WCHAR *MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE *SigPattern;
  const BYTE *SigMask;
};

struct ColorMatrix {
  REAL m[5][5];
};

struct EncoderParameters;

// Numbers of the GDI+ enumerations the program passes.
constexpr int UnitPixel = 2;
constexpr int FillModeAlternate = 0;
constexpr int FillModeWinding = 1;
constexpr int ColorAdjustTypeBitmap = 1;
constexpr int ColorMatrixFlagsDefault = 0;
constexpr INT PixelFormat32bppPARGB = 0xE200B;
constexpr int DashStyleSolid = 0;
constexpr int DashStyleDash = 1;
constexpr int DashStyleDot = 2;
constexpr int DashStyleDashDot = 3;
constexpr int DashStyleDashDotDot = 4;
constexpr int DashStyleCustom = 5;

using DrawImageAbort = BOOL(WINAPI *)(void *);
