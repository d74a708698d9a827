// A real form's placement loaded from and saved to a settings file.
#include <doctest.h>

#include <memory>

#include "settings/form_placement.h"
#include "settings/kal_ini_file.h"
#include "test_support.h"
#include "ui/screen.h"

namespace {
struct TPlacement {
  test::TTempDir Dir;
  std::wstring Path = Dir.File(L"Tastenfang.ini");
  std::unique_ptr<TForm> Form;

  explicit TPlacement(TFormBorderStyle AStyle = bsSizeable) {
    Form.reset(TForm::Create<TForm>(nullptr));
    Form->SetName(L"FrmMain");
    Form->SetBorderStyle(AStyle);
    Form->SetBounds(100, 120, 300, 200);
  }
  ~TPlacement() {
    if (Form) Form->Hide();
  }
  void Load(const std::string &AKeys) {
    test::WriteFileBytes(Path, "[FrmMain]\r\n" + AKeys);
    TkalIniFile ini(Path);
    LoadFormPlacement(*Form, ini);
  }
  void Save() {
    TkalIniFile ini(Path);
    SaveFormPlacement(*Form, ini);
  }
  std::string Bytes() const { return test::ReadFileBytes(Path); }
};

TRect WorkArea() {
  std::vector<TMonitor> monitors = Screen->Monitors();
  REQUIRE(monitors.size() == 1);
  return monitors[0].WorkareaRect;
}
} // namespace

TEST_CASE("missing keys put the form at the top-left corner in its own size") {
  TPlacement p;
  p.Load("");
  CHECK(p.Form->BoundsRect() == TRect(0, 0, 300, 200));
  CHECK(p.Form->WindowState() == wsNormal);
  p.Form->Show();
  CHECK(test::PumpUntil([&] { return IsWindowVisible(p.Form->Handle()) != 0; }));
  RECT rc;
  GetWindowRect(p.Form->Handle(), &rc);
  CHECK(TRect(rc) == TRect(0, 0, 300, 200));
}

TEST_CASE("the stored position is kept on the work area") {
  const TRect work = WorkArea();
  TPlacement p;
  SUBCASE("far right: the right edge at the work area's right, the size as it was") {
    p.Load("Left=5000\r\nTop=40\r\nWidth=400\r\nHeight=250\r\n");
    CHECK(p.Form->BoundsRect() == TRect(work.right - 300, 40, work.right, 290));
  }
  SUBCASE("far down") {
    p.Load("Left=10\r\nTop=5000\r\n");
    CHECK(p.Form->BoundsRect() == TRect(10, work.bottom - 200, 310, work.bottom));
  }
  SUBCASE("left of and above the only monitor") {
    p.Load("Left=-500\r\nTop=-500\r\n");
    CHECK(p.Form->BoundsRect() == TRect(0, 0, 300, 200));
  }
  SUBCASE("hexadecimal values") {
    p.Load("Left=0x20\r\nTop=$10\r\n");
    CHECK(p.Form->BoundsRect() == TRect(32, 16, 332, 216));
  }
  SUBCASE("a size that just fits") {
    p.Load("Left=0\r\nTop=0\r\nWidth=" + std::to_string(work.right) +
           "\r\nHeight=" + std::to_string(work.bottom) + "\r\n");
    CHECK(p.Form->BoundsRect() == TRect(0, 0, work.right, work.bottom));
  }
  SUBCASE("garbage and numbers at the edge of the range") {
    p.Load("Left=2147483647\r\nTop=ja\r\nWidth=-5\r\nHeight=0\r\nWindowState=x\r\n");
    CHECK(p.Form->BoundsRect() == TRect(work.right - 300, 0, work.right, 200));
    CHECK(p.Form->WindowState() == wsNormal);
  }
}

TEST_CASE("the size is read only for sizeable frames") {
  SUBCASE("sizeable") {
    TPlacement p(bsSizeable);
    p.Load("Left=1\r\nTop=2\r\nWidth=400\r\nHeight=250\r\n");
    CHECK(p.Form->BoundsRect() == TRect(1, 2, 401, 252));
  }
  SUBCASE("sizeable tool window") {
    TPlacement p(bsSizeToolWin);
    p.Load("Left=1\r\nTop=2\r\nWidth=400\r\nHeight=250\r\n");
    CHECK(p.Form->BoundsRect() == TRect(1, 2, 401, 252));
  }
  SUBCASE("fixed frame") {
    TPlacement p(bsSingle);
    p.Load("Left=1\r\nTop=2\r\nWidth=400\r\nHeight=250\r\n");
    CHECK(p.Form->BoundsRect() == TRect(1, 2, 301, 202));
  }
  SUBCASE("sizeable but held at a fixed size by its constraints") {
    TPlacement p(bsSizeable);
    p.Form->SetConstraints({300, 200, 300, 200});
    p.Load("Left=1\r\nTop=2\r\nWidth=800\r\nHeight=600\r\n");
    CHECK(p.Form->BoundsRect() == TRect(1, 2, 301, 202));
  }
}

TEST_CASE("a stored minimised state is never restored") {
  TPlacement p;
  SUBCASE("1 opens normal") {
    p.Load("WindowState=1\r\n");
    p.Form->Show();
    CHECK_FALSE(IsIconic(p.Form->Handle()));
    CHECK(p.Form->WindowState() == wsNormal);
  }
  SUBCASE("2 opens maximised") {
    p.Load("WindowState=2\r\n");
    p.Form->Show();
    CHECK(test::PumpUntil([&] { return IsZoomed(p.Form->Handle()) != 0; }));
  }
  SUBCASE("other numbers leave the state alone") {
    p.Form->SetWindowState(wsMaximized);
    p.Load("WindowState=3\r\n");
    CHECK(p.Form->WindowState() == wsMaximized);
    p.Load("WindowState=0\r\n");
    CHECK(p.Form->WindowState() == wsNormal);
  }
}

TEST_CASE("saving writes the placement only in normal state") {
  TPlacement p;
  p.Form->Show();
  REQUIRE(test::PumpUntil([&] { return IsWindowVisible(p.Form->Handle()) != 0; }));
  p.Form->SetBounds(50, 60, 320, 210);
  p.Save();
  CHECK(p.Bytes() ==
        "[FrmMain]\r\nWindowState=0\r\nLeft=50\r\nTop=60\r\nWidth=320\r\nHeight=210\r\n");

  SUBCASE("minimised: only the state, over the last normal placement") {
    p.Form->SetWindowState(wsMinimized);
    REQUIRE(test::PumpUntil([&] { return IsIconic(p.Form->Handle()) != 0; }));
    p.Save();
    CHECK(p.Bytes() ==
          "[FrmMain]\r\nWindowState=1\r\nLeft=50\r\nTop=60\r\nWidth=320\r\nHeight=210\r\n");
    DeleteFileW(p.Path.c_str());
    p.Save();
    CHECK(p.Bytes() == "[FrmMain]\r\nWindowState=1\r\n");
  }
  SUBCASE("maximised") {
    p.Form->SetWindowState(wsMaximized);
    REQUIRE(test::PumpUntil([&] { return IsZoomed(p.Form->Handle()) != 0; }));
    DeleteFileW(p.Path.c_str());
    p.Save();
    CHECK(p.Bytes() == "[FrmMain]\r\nWindowState=2\r\n");
  }
  SUBCASE("what was saved loads back") {
    p.Form->SetBounds(0, 0, 300, 200);
    TkalIniFile ini(p.Path);
    LoadFormPlacement(*p.Form, ini);
    CHECK(p.Form->BoundsRect() == TRect(50, 60, 370, 270));
  }
}

TEST_CASE("the section is the form's name") {
  TPlacement p;
  p.Form->SetName(L"FrmInfo");
  p.Load("Left=7\r\n[FrmInfo]\r\nLeft=9\r\n");
  CHECK(p.Form->Left() == 9);
}
