// Binding and lifetime of GDI+: colours, the status rule, the units
// loader's order, the entry-point binding, the GDI+ allocator.
#include <doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gdiplus/gdiplus_api.h"
#include "gdiplus/gp_canvas.h"
#include "gdiplus/units_loader.h"
#include "image_test_support.h"

TEST_CASE("platform colours become GDI+ colours with the alpha on top") {
  CHECK(ColorToGpColor(clNone, 255) == 0u);
  CHECK(ColorToGpColor(clNone, 0) == 0u);
  CHECK(ColorToGpColor(0x000000FF, 255) == 0xFFFF0000u);
  CHECK(ColorToGpColor(0x00FF0000, 128) == 0x800000FFu);
  CHECK(ColorToGpColor(RGBColor(0x12, 0x34, 0x56), 0x78) == 0x78123456u);
  // A system colour takes its current value.
  COLORREF window = GetSysColor(COLOR_WINDOW);
  CHECK(ColorToARGBValue(clWindow, 255) ==
        (0xFF000000u | (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window)));
}

TEST_CASE("a status other than Ok raises with its number in the message") {
  CHECK_NOTHROW(CheckGpStatus(Ok));
  try {
    CheckGpStatus(InvalidParameter);
    FAIL("no exception");
  } catch (const EdxGdipException &E) {
    CHECK(E.FStatus == InvalidParameter);
    CHECK(E.Message() == L"Invalid operation in GDI+ (Code: 2)");
  }
  try {
    CheckGpCondition(false);
    FAIL("no exception");
  } catch (const EdxException &E) {
    REQUIRE(dynamic_cast<const EdxGdipException *>(&E));
    CHECK(static_cast<const EdxGdipException &>(E).FStatus == InvalidParameter);
  }
  CHECK_NOTHROW(CheckGpCondition(true));
  CHECK(EdxGdipException(PropertyNotSupported).Message() ==
        L"Invalid operation in GDI+ (Code: 20)");
}

namespace {
std::vector<int> Calls;
void Init1() {
  Calls.push_back(1);
}
void Init2() {
  Calls.push_back(2);
}
void Fin1() {
  Calls.push_back(-1);
}
void Fin2() {
  Calls.push_back(-2);
}
void Fin3() {
  Calls.push_back(-3);
}
} // namespace

TEST_CASE("the units loader starts at once in a program and ends in reverse") {
  Calls.clear();
  {
    TdxUnitsLoader loader;
    loader.AddUnit(Init1, Fin1);
    loader.AddUnit(nullptr, Fin2);
    loader.AddUnit(Init2, Fin3);
    // A program runs start procedures as they are added.
    CHECK(Calls == std::vector<int>{1, 2});
    CHECK(loader.InitializeList().empty());
    CHECK(dxUnitsInitialized());
    loader.Finalize();
    CHECK(Calls == std::vector<int>{1, 2, -3, -2, -1});
    CHECK(!dxUnitsInitialized());
    CHECK(loader.FinalizeList().empty());

    // Without the initialised flag nothing ends.
    Calls.clear();
    loader.AddUnit(nullptr, Fin1);
    loader.Finalize();
    CHECK(Calls.empty());
  }
  CHECK(Calls.empty()); // destroying an empty loader runs nothing
}

TEST_CASE("removing a unit runs its end procedure once per registration") {
  Calls.clear();
  TdxUnitsLoader loader;
  loader.RemoveUnit(Fin1); // never added: nothing runs
  CHECK(Calls.empty());
  loader.AddUnit(Init1, Fin1);
  loader.AddUnit(nullptr, Fin1);
  loader.AddUnit(nullptr, Fin2);
  Calls.clear();
  loader.RemoveUnit(Fin1);
  CHECK(Calls == std::vector<int>{-1});
  CHECK(loader.FinalizeList().size() == 2);
  loader.RemoveUnit(Fin1);
  loader.RemoveUnit(Fin1);
  CHECK(Calls == std::vector<int>{-1, -1});
  loader.Finalize();
  CHECK(Calls == std::vector<int>{-1, -1, -2});
}

namespace {
struct TResolveLog {
  std::vector<std::string> Asked;
  const char *Missing;
};
void *LoggingResolve(const char *AName, void *AContext) {
  auto *log = static_cast<TResolveLog *>(AContext);
  log->Asked.push_back(AName);
  if (log->Missing && std::strcmp(AName, log->Missing) == 0) return nullptr;
  return reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"gdiplus.dll"), AName));
}
} // namespace

TEST_CASE("binding stops at the first missing entry and leaves the rest unbound") {
  imgtest::StartImageModules();
  REQUIRE(IsGdiPlusAvailable(false));

  TResolveLog log{{}, "GdipCreatePen1"};
  CHECK(!BindGdiPlusEntries(&LoggingResolve, &log));
  REQUIRE(log.Asked.size() == 21);
  CHECK(log.Asked.back() == "GdipCreatePen1");
  CHECK(bool(GdipCreateSolidFill)); // before the gap
  CHECK(!GdipCreatePen1);
  CHECK(!GdipGetImageRawFormat); // after it: not even asked

  // An entry the program never calls counts as much as any other.
  TResolveLog unused{{}, "GdipGetPenDashStyle"};
  CHECK(!BindGdiPlusEntries(&LoggingResolve, &unused));

  // Wine's gdiplus exports every name the program binds.
  TResolveLog all{{}, nullptr};
  CHECK(BindGdiPlusEntries(&LoggingResolve, &all));
  CHECK(bool(GdipGetImageRawFormat));
}

TEST_CASE("a second load while GDI+ runs changes nothing") {
  imgtest::StartImageModules();
  REQUIRE(IsGdiPlusAvailable(false));
  HMODULE library = GetModuleHandleW(L"gdiplus.dll");
  auto alloc = GdipAlloc;
  CLSID png = dxEncoders.Png;
  LoadGdiPlusLibrary();
  CHECK(GdiPlusStarted());
  CHECK(bool(GdipAlloc == alloc));
  CHECK(GetModuleHandleW(L"gdiplus.dll") == library);
  CHECK(std::memcmp(&dxEncoders.Png, &png, sizeof(CLSID)) == 0);
  // Still working after it.
  auto image = imgtest::Load(imgtest::MakeSolidPng(3, 2, 0xFF00FF00));
  CHECK(image->GetWidth() == 3);
}

TEST_CASE("canvas objects take GDI+ memory while it runs and give it back there") {
  imgtest::StartImageModules();
  REQUIRE(IsGdiPlusAvailable(false));
  int before = dxGPLiveObjects.GdiPlus;
  auto *canvas = new TdxGPPaintCanvas(static_cast<GpGraphics *>(nullptr));
  CHECK(canvas->IsGPUsed());
  CHECK(TdxGPBase::IsFromGdiPlus(canvas));
  CHECK(dxGPLiveObjects.GdiPlus == before + 1);
  delete canvas;
  CHECK(dxGPLiveObjects.GdiPlus == before);
}

TEST_CASE("the encoders of the five formats are found and cached") {
  imgtest::StartImageModules();
  for (const CLSID *clsid :
       {&dxEncoders.Bmp, &dxEncoders.Png, &dxEncoders.Jpeg, &dxEncoders.Tiff, &dxEncoders.Gif})
    CHECK((clsid->Data1 | clsid->Data2 | clsid->Data3) != 0);
  CLSID found{};
  CHECK(FindEncoderClsid(L"IMAGE/PNG", found) == Ok); // letter case does not count
  CHECK(std::memcmp(&found, &dxEncoders.Png, sizeof(CLSID)) == 0);
  CHECK(FindEncoderClsid(L"image/x-unknown", found) == GenericError);
  CHECK_THROWS_AS(dxGetImageEncoder(dxImageUnknown), EdxException);
}
