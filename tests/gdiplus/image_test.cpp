// The GDI+ picture classes: stored values, transparency, saving by codec,
// pixels in and out, comparison, composition, bad input.
#include <doctest.h>

#include <tuple>

#include <cstring>

#include "base/streams.h"
#include "gdiplus/gp_canvas.h"
#include "gdiplus/gp_image.h"
#include "image_test_support.h"
#include "test_support.h"
#include "ui/picture.h"

using imgtest::Channel;

namespace {
std::string StoredValue(const std::string &AClass, const std::string &AData) {
  return std::string(1, char(AClass.size())) + AClass + AData;
}

std::string Signature(const std::string &ABytes) {
  return ABytes.substr(0, 4);
}
const std::string kPngSignature("\x89PNG", 4);

std::string SavedBy(TdxGPImage &AImage) {
  TMemoryStream out;
  AImage.SaveToStream(out);
  return out.Bytes();
}
} // namespace

TEST_CASE("stored picture values create the registered class by name") {
  imgtest::StartImageModules();
  std::string png = imgtest::MakeSolidPng(188, 80, 0xFF336699);
  TPicture picture;
  TMemoryStream stored(StoredValue("TdxPNGImage", png));
  picture.ReadStoredValue(stored);
  auto *image = dynamic_cast<TdxPNGImage *>(picture.Graphic());
  REQUIRE(image);
  CHECK(image->GetWidth() == 188);
  CHECK(image->GetHeight() == 80);
  CHECK(image->ImageDataFormat() == dxImagePng);
  CHECK(picture.Width() == 188);

  // An unknown class name leaves the picture empty without an error.
  TMemoryStream unknown(StoredValue("TJPEGImage", png));
  picture.ReadStoredValue(unknown);
  CHECK(picture.Graphic() == nullptr);

  // Written back: the same prefix and a fresh PNG.
  picture.SetGraphic(imgtest::Load<TdxPNGImage>(png));
  TMemoryStream written;
  picture.WriteStoredValue(written);
  CHECK(written.Bytes().substr(0, 12) == std::string("\x0BTdxPNGImage"));
  CHECK(written.Bytes().substr(12, 4) == kPngSignature);
}

TEST_CASE("the program's two stored pictures: palette without and PNG with transparency") {
  imgtest::StartImageModules();
  TPicture logo7, logo1;
  logo7.LoadFromStoredResource(L"IMAGE7_PNG");
  logo1.LoadFromStoredResource(L"IMAGE1_PNG");
  REQUIRE(dynamic_cast<TdxPNGImage *>(logo7.Graphic()));
  REQUIRE(dynamic_cast<TdxPNGImage *>(logo1.Graphic()));
  // Both drawn at twice their size at 96 DPI.
  CHECK(logo7.Width() == 376);
  CHECK(logo7.Height() == 160);
  CHECK(!logo7.Graphic()->Transparent());
  CHECK(logo1.Width() == 120);
  CHECK(logo1.Height() == 90);
  CHECK(logo1.Graphic()->Transparent());
  // Setting the flag does not change what the picture is.
  logo7.Graphic()->SetTransparent(true);
  CHECK(!logo7.Graphic()->Transparent());
}

TEST_CASE("registration: the classes and the two graphic formats") {
  imgtest::StartImageModules();
  CHECK(FindGraphicClass(L"TdxPNGImage") != nullptr);
  CHECK(FindGraphicClass(L"TdxSmartImage") != nullptr);
  CHECK(TPicture::GraphicFilter().find(L"PNG graphics (*.PNG)|*.PNG") != std::wstring::npos);
  CHECK(TPicture::GraphicFilter().find(L"All graphics (*.TIF;*.GIF;*.PNG)|*.TIF;*.GIF;*.PNG") !=
        std::wstring::npos);
}

TEST_CASE("empty input gives an empty image without an error") {
  imgtest::StartImageModules();
  TdxPNGImage image;
  int changes = 0;
  image.OnChange = [&](TGraphic *) { ++changes; };
  std::string png = imgtest::MakeSolidPng(2, 2, 0xFF000000);
  TMemoryStream stream(png);
  stream.Seek(0, soEnd);
  CHECK_NOTHROW(image.LoadFromStream(stream));
  CHECK(image.GetEmpty());
  CHECK(image.GetWidth() == 0);
  CHECK(image.ImageDataFormat() == dxImageUnknown);
  CHECK(changes == 1);
  CHECK(SavedBy(image).empty());
  CHECK(!image.IsAlphaUsed());
  CHECK_THROWS_AS(image.GetAsBitmap(), EdxGdipException);

  // Bytes that are no picture at all.
  TMemoryStream junk(std::string("definitely not a picture"));
  CHECK_THROWS_AS(image.LoadFromStream(junk), EdxGdipException);
  CHECK(image.GetEmpty());
  CHECK(changes == 1);
}

TEST_CASE("saving: PNG images write PNG, others keep the format they came from") {
  imgtest::StartImageModules();
  std::string jpeg = test::ReadFileBytes(test::TestDataPath(L"misc\\jpeg\\hopper.jpg"));
  auto png = imgtest::Load<TdxPNGImage>(jpeg);
  CHECK(png->ImageDataFormat() == dxImageJpeg);
  CHECK(Signature(SavedBy(*png)) == kPngSignature);

  auto smart = imgtest::Load<TdxSmartImage>(jpeg);
  CHECK(SavedBy(*smart).substr(0, 3) == std::string("\xFF\xD8\xFF"));

  TRGBColors bits(4 * 3);
  auto fromBits = TdxGPImage::CreateFromBits(4, 3, bits, false);
  CHECK(fromBits->ImageDataFormat() == dxImageBitmap);
  CHECK(SavedBy(*fromBits).substr(0, 2) == "BM");

  // Explicitly by codec, and no codec for an unknown format.
  TMemoryStream gif;
  smart->SaveToStreamByCodec(gif, dxImageGif);
  CHECK(gif.Bytes().substr(0, 3) == "GIF");
  TMemoryStream none;
  CHECK_THROWS_AS(smart->SaveToStreamByCodec(none, dxImageUnknown), EdxException);
  CHECK(none.Size() == 0);
}

TEST_CASE("pixels: shared with the caller, alpha filled when there is none") {
  imgtest::StartImageModules();
  TRGBColors bits(3 * 2);
  for (size_t i = 0; i < bits.size(); ++i)
    bits[i] = RGBQUAD{10, 20, 30, 0};
  TdxGPImage image;
  int changes = 0;
  image.OnChange = [&](TGraphic *) { ++changes; };
  image.LoadFromBits(3, 2, bits, false);
  CHECK(changes == 1);
  CHECK(image.ImageData().FBits.SharesWith(bits));
  CHECK(bits[5].rgbReserved == 255); // the caller sees it in its own array
  CHECK(!image.IsAlphaUsed());
  TRGBColors back = image.GetBitmapBits();
  REQUIRE(back.size() == 6);
  CHECK(back[4].rgbBlue == 10);
  CHECK(back[4].rgbRed == 30);

  // With an alpha channel it stays as given.
  TRGBColors alpha(2 * 2);
  for (size_t i = 0; i < alpha.size(); ++i)
    alpha[i] = RGBQUAD{0, 0, 64, 128};
  image.LoadFromBits(2, 2, alpha, true);
  CHECK(alpha[0].rgbReserved == 128);
  CHECK(image.IsAlphaUsed());

  // Fewer pixels than the size needs: an invalid argument, and the image
  // stays as it was.
  for (auto [w, h, count] : {std::tuple{3, 2, 5}, {2, 3, 1}, {-2, 2, 4}, {2, -1, 4}}) {
    CAPTURE(w);
    CAPTURE(h);
    try {
      image.LoadFromBits(w, h, TRGBColors(size_t(count)), true);
      FAIL("no failure");
    } catch (const EdxGdipException &E) {
      CHECK(E.FStatus == InvalidParameter);
    }
    CHECK(image.GetWidth() == 2);
  }

  // No size: empty, nothing to save.
  image.LoadFromBits(0, 5, TRGBColors(), true);
  CHECK(image.GetEmpty());
  CHECK(SavedBy(image).empty());
}

TEST_CASE("alpha answers are cached until a change, also one without an event") {
  imgtest::StartImageModules();
  auto image = imgtest::Load<TdxSmartImage>(imgtest::MakeSolidPng(4, 4, 0xFFFFFFFF));
  CHECK(!image->IsAlphaUsed());
  image->LoadFromStream(*std::make_unique<TMemoryStream>(imgtest::MakeSolidPng(4, 4, 0x80FFFFFF)));
  CHECK(image->IsAlphaUsed());
  TBitmap opaque(5, 5, pf24bit);
  image->SetBitmap(opaque);
  CHECK(image->GetWidth() == 5);
  CHECK(!image->IsAlphaUsed());
}

TEST_CASE("Clear empties without an event when already empty") {
  imgtest::StartImageModules();
  TdxPNGImage image;
  int changes = 0;
  image.OnChange = [&](TGraphic *) { ++changes; };
  image.Clear();
  CHECK(changes == 0);
  std::string png = imgtest::MakeSolidPng(2, 2, 0xFF00FF00);
  TMemoryStream stream(png);
  image.LoadFromStream(stream);
  changes = 0;
  image.Clear();
  CHECK(changes == 1);
  CHECK(image.GetEmpty());
  CHECK(image.ImageData().FData.Get() != nullptr); // the bytes stay until the next load
}

TEST_CASE("Compare, Clone and Assign") {
  imgtest::StartImageModules();
  auto a = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(6, 4, 0xFF102030));
  auto same = imgtest::Load<TdxSmartImage>(imgtest::MakeSolidPng(6, 4, 0xFF102030));
  auto other = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(6, 4, 0xFF102031));
  auto bigger = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(7, 4, 0xFF102030));
  CHECK(a->Compare(same.get()));
  CHECK(!a->Compare(other.get()));
  CHECK(!a->Compare(bigger.get()));
  TdxPNGImage empty1, empty2;
  CHECK(empty1.Compare(&empty2));

  std::unique_ptr<TdxGPImage> clone = a->Clone();
  CHECK(dynamic_cast<TdxPNGImage *>(clone.get()));
  CHECK(clone->Compare(a.get()));

  TdxSmartImage target;
  target.Assign(a.get());
  CHECK(target.Compare(a.get()));
  TBitmap bitmap;
  a->AssignTo(&bitmap);
  CHECK(bitmap.Width() == 6);
  TdxGPImage fromBitmap;
  fromBitmap.Assign(&bitmap);
  CHECK(fromBitmap.GetWidth() == 6);
  CHECK(fromBitmap.GetHeight() == 4);
}

TEST_CASE("MakeComposition scales the whole overlay over the base") {
  imgtest::StartImageModules();
  auto base = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(10, 10, 0xFF0000FF));
  auto overlay = imgtest::Load<TdxPNGImage>(imgtest::MakeSolidPng(3, 3, 0xFFFF0000));

  std::unique_ptr<TdxGPImage> none = base->MakeComposition(overlay.get(), 0);
  CHECK(none->GetWidth() == 10);
  CHECK(none->Compare(base.get()));

  std::unique_ptr<TdxGPImage> full = base->MakeComposition(overlay.get(), 255);
  TRGBColors bits = full->GetBitmapBits();
  REQUIRE(bits.size() == 100);
  for (size_t i : {size_t(0), size_t(55), size_t(99)}) {
    CAPTURE(i);
    CHECK(bits[i].rgbRed > 200);
    CHECK(bits[i].rgbBlue < 60);
  }
  // The shared canvas is idle again.
  CHECK(SharedPaintCanvas()->Handle() == nullptr);

  TdxPNGImage empty;
  CHECK(empty.MakeComposition(overlay.get(), 255)->GetEmpty());
}
