// At another screen density the window's font follows the density, and
// positions and sizes follow the font's new text height.
#include <doctest.h>

#include "test_support.h"

namespace {
const wchar_t kDesktop[] = L"Control Panel\\Desktop";

// Sets the density new processes start with; the old one comes back.
struct TDensity {
  DWORD Old = 0;
  bool HadOld = false;
  explicit TDensity(DWORD APixelsPerInch) {
    DWORD size = sizeof(Old);
    HadOld = RegGetValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                          &Old, &size) == ERROR_SUCCESS;
    Set(APixelsPerInch);
  }
  ~TDensity() {
    if (HadOld)
      Set(Old);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
  }
  static void Set(DWORD AValue) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &AValue,
                    sizeof(AValue));
  }
};

// The text height of Tahoma at AHeight pixels, as the platform measures it.
int TextHeight(int AHeight) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(-AHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, L"0", 1, &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size.cy;
}
} // namespace

TEST_CASE("at 144 DPI the main window grows with its font") {
  test::TProgramCopy copy;
  REQUIRE(FileExists(copy.Exe()));
  REQUIRE(TextHeight(11) == 13); // the designed text height at 96 DPI
  TDensity density(144);
  test::TProcess program(copy.Exe());
  HWND main = program.MainWindow();
  REQUIRE(main);
  RECT client;
  GetClientRect(main, &client);
  // 8 points at 144 DPI are 17 pixels; the ratio is the new text height to 13.
  int m = TextHeight(17);
  CAPTURE(m);
  if (client.right == 328) {
    MESSAGE("this Wine did not apply the density to the new process; skipped");
  } else {
    CHECK(client.right == MulDiv(328, m, 13));
    CHECK(client.bottom == MulDiv(147, m, 13));
  }
  CHECK(program.Close() == 0);
}
