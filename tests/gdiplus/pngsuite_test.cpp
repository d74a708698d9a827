// Every picture of the PNG suite through the image class. The expected
// answers come from the files' own chunks, read here, not from GDI+.
#include <doctest.h>

#include <set>
#include <string>
#include <vector>

#include "base/streams.h"
#include "gdiplus/gp_image.h"
#include "image_test_support.h"
#include "test_support.h"

namespace {
struct TPngFacts {
  bool Ok = false;
  int Width = 0, Height = 0, ColorType = -1;
  bool HasTrns = false;
};

uint32_t Be32(const std::string &S, size_t P) {
  return (uint32_t(uint8_t(S[P])) << 24) | (uint32_t(uint8_t(S[P + 1])) << 16) |
         (uint32_t(uint8_t(S[P + 2])) << 8) | uint32_t(uint8_t(S[P + 3]));
}

TPngFacts ReadFacts(const std::string &ABytes) {
  TPngFacts f;
  if (ABytes.size() < 33 || ABytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return f;
  size_t p = 8;
  while (p + 8 <= ABytes.size()) {
    uint32_t length = Be32(ABytes, p);
    std::string kind = ABytes.substr(p + 4, 4);
    if (kind == "IHDR" && length >= 13) {
      f.Width = int(Be32(ABytes, p + 8));
      f.Height = int(Be32(ABytes, p + 12));
      f.ColorType = uint8_t(ABytes[p + 17]);
      f.Ok = true;
    } else if (kind == "tRNS") {
      f.HasTrns = true;
    }
    p += 12 + size_t(length);
  }
  return f;
}

std::vector<std::wstring> SuiteFiles(const std::wstring &AFolder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((AFolder + L"\\*.png").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do
    names.push_back(fd.cFileName);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

// Wine's PNG decoder does not check chunk checksums, so it accepts these
// two corrupt files (a wrong IDAT and a wrong IHDR checksum) that Windows
// refuses. Everything else, alpha answers included, agrees.
const std::set<std::wstring> kWineAcceptsCorrupt = {L"xcsn0g01.png", L"xhdn0g08.png"};

bool RunningOnWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
} // namespace

TEST_CASE("the PNG suite: valid pictures load with their size, corrupt ones fail cleanly") {
  std::wstring folder = test::TestDataPath(L"pngsuite");
  imgtest::StartImageModules();
  int valid = 0, corrupt = 0;
  for (const std::wstring &name : SuiteFiles(folder)) {
    std::string bytes = test::ReadFileBytes(folder + L"\\" + name);
    CAPTURE(WideToUtf8(name));
    TdxPNGImage image;
    TMemoryStream stream(bytes);
    if (name[0] == L'x') {
      ++corrupt;
      if (RunningOnWine() && kWineAcceptsCorrupt.count(name)) {
        try {
          image.LoadFromStream(stream);
        } catch (const EdxGdipException &) {
        }
        continue;
      }
      // Refused, empty, and the bytes are still there.
      CHECK_THROWS_AS(image.LoadFromStream(stream), EdxGdipException);
      CHECK(image.GetEmpty());
      CHECK(image.Handle() == nullptr);
      CHECK(image.ImageData().FData.Get() != nullptr);
      CHECK(image.ImageDataFormat() == dxImageUnknown);
      continue;
    }
    ++valid;
    TPngFacts facts = ReadFacts(bytes);
    REQUIRE(facts.Ok);
    REQUIRE_NOTHROW(image.LoadFromStream(stream));
    CHECK(image.GetWidth() == facts.Width);
    CHECK(image.GetHeight() == facts.Height);
    CHECK(image.ImageDataFormat() == dxImagePng);
    // Alpha channels and transparency chunks are the only sources of
    // pixels below full opacity; every suite file that has one uses it.
    bool expected = facts.ColorType == 4 || facts.ColorType == 6 || facts.HasTrns;
    CHECK(image.IsAlphaUsed() == expected);
    CHECK(image.Transparent() == expected);
  }
  MESSAGE("PNG suite: " << valid << " valid, " << corrupt << " corrupt files");
  CHECK(valid > 150);
  CHECK(corrupt == 14);
}

TEST_CASE("truncated PNG files raise and keep their bytes, never crash") {
  imgtest::StartImageModules();
  std::string bytes = test::ReadFileBytes(test::TestDataPath(L"pngsuite\\basn6a08.png"));
  for (size_t cut :
       {size_t(1), size_t(8), size_t(20), size_t(40), bytes.size() / 2, bytes.size() - 13}) {
    CAPTURE(cut);
    TdxPNGImage image;
    int changes = 0;
    image.OnChange = [&](TGraphic *) { ++changes; };
    TMemoryStream stream(bytes.substr(0, cut));
    try {
      image.LoadFromStream(stream);
      // A decoder may accept a picture cut inside its data, not in its header.
      CHECK(cut > 40);
      CHECK(image.GetWidth() == 32);
    } catch (const EdxGdipException &) {
      CHECK(image.GetEmpty());
      CHECK(changes == 0);
      CHECK(GlobalSize(image.ImageData().FData.Get()) == cut);
    }
  }
}
