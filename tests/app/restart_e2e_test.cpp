// End to end: the real program keeps its state across a restart.
#include <doctest.h>

#include "app/program.h"
#include "test_support.h"

namespace {
HWND ChildWithText(HWND AParent, const std::wstring &AText) {
  for (HWND w : test::ChildWindows(AParent))
    if (test::WindowText(w) == AText) return w;
  return nullptr;
}

bool IsChecked(HWND AMain, const std::wstring &ACaption) {
  HWND button = ChildWithText(AMain, ACaption);
  return button && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> History(HWND AMain) {
  HWND combo = FindWindowExW(AMain, nullptr, L"ComboBox", nullptr);
  std::vector<std::wstring> items;
  int n = int(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t buf[512] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, LPARAM(buf));
    items.push_back(buf);
  }
  return items;
}
} // namespace

TEST_CASE("the real program restores placement, options and history after a restart") {
  test::TProgramCopy copy("[Pfad]\r\nIni=*\\Daten\r\n");
  const std::wstring &exe = copy.Exe();
  std::wstring settings = copy.File(L"Daten\\Tastenfang.ini");
  CreateDirectoryW(copy.File(L"Daten").c_str(), nullptr);
  test::WriteFileBytes(settings, "[FrmMain]\r\nWindowState=0\r\nLeft=210\r\nTop=130\r\n"
                                 "RadNormal=1\r\nChkStayOnTop=0\r\n[Cbx]\r\n0=Gartenst\xC3\xBChle\r\n"
                                 "1=Lego Technik\r\n");
  test::TUrlRecorder browser;
  {
    test::TProcess program(exe);
    HWND main = program.MainWindow();
    REQUIRE(main);
    RECT rc;
    GetWindowRect(main, &rc);
    CHECK(rc.left == 210);
    CHECK(rc.top == 130);
    CHECK(IsChecked(main, L"Auktionen ohne Tippfehler"));
    CHECK_FALSE(IsChecked(main, L"Auktionen mit Tippfehler"));
    CHECK(History(main) ==
          std::vector<std::wstring>{L"Gartenstühle", L"Lego Technik", kClearHistoryEntry});

    // The user moves the window, chooses stay-on-top and searches a new term.
    SetWindowPos(main, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND stayOnTop = ChildWithText(main, L"Immer im Vordergrund");
    REQUIRE(stayOnTop);
    SendMessageW(stayOnTop, BM_CLICK, 0, 0);
    HWND edit = FindWindowExW(FindWindowExW(main, nullptr, L"ComboBox", nullptr), nullptr,
                              L"Edit", nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L"Modellbahn"));
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    REQUIRE(browser.WaitFor(1));
    CHECK(browser.Addresses()[0] == L"https://www.ebay.de/sch/i.html?_nkw=Modellbahn&_sop=1");
    CHECK(program.Close() == 0);
  }
  std::string file = test::ReadFileBytes(settings);
  CHECK(file.find("Left=300") != std::string::npos);
  CHECK(file.find("ChkStayOnTop=1") != std::string::npos);
  {
    test::TProcess program(exe);
    HWND main = program.MainWindow();
    REQUIRE(main);
    RECT rc;
    GetWindowRect(main, &rc);
    CHECK(rc.left == 300);
    CHECK(rc.top == 200);
    CHECK(IsChecked(main, L"Immer im Vordergrund"));
    CHECK((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    CHECK(IsChecked(main, L"Auktionen ohne Tippfehler"));
    CHECK(History(main) == std::vector<std::wstring>{L"Modellbahn", L"Gartenstühle",
                                                     L"Lego Technik", kClearHistoryEntry});
    CHECK(program.Close() == 0);
  }
}
