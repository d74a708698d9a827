// The main window loads its state at creation and saves it when it closes.
#include <doctest.h>

#include "main_window_fixture.h"

namespace {
std::string Settings() { return test::ReadFileBytes(TMainWindow::SettingsFile()); }

bool Contains(const std::string &AText, const std::string &APart) {
  return AText.find(APart) != std::string::npos;
}
} // namespace

TEST_CASE("the first start uses the defaults and the first close writes every section") {
  TMainWindow w;
  RECT rc;
  GetWindowRect(w.Form->Handle(), &rc);
  CHECK(rc.left == 0);
  CHECK(rc.top == 0);
  CHECK(w.Form->RadTippfehler->Checked());
  CHECK_FALSE(w.Form->ChkStayOnTop->Checked());
  CHECK(w.History() == std::vector<std::wstring>{kClearHistoryEntry});
  CHECK_FALSE(FrmInfo->ChkAutoCheckUpdates->Checked());
  CHECK(FrmInfo->ChkOwnTypos->Checked());

  w.Type(L"Gartenstühle");
  w.Search();
  SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
  std::string file = Settings();
  CHECK(Contains(file, "[FrmMain]"));
  CHECK(Contains(file, "WindowState=0"));
  CHECK(Contains(file, "Left=0"));
  CHECK(Contains(file, "Top=0"));
  CHECK(Contains(file, "Width=" + std::to_string(w.Form->Width())));
  CHECK(Contains(file, "Height=" + std::to_string(w.Form->Height())));
  CHECK(Contains(file, "RadNormal=0"));
  CHECK(Contains(file, "ChkStayOnTop=0"));
  CHECK(Contains(file, "[Cbx]"));
  CHECK(Contains(file, "0=Gartenst\xC3\xBChle\r\n")); // UTF-8
  CHECK_FALSE(Contains(file, "Eintr"));
  CHECK(Contains(file, "[FrmInfo]"));
  CHECK(Contains(file, "ChkAutoCheckUpdates=0"));
  CHECK(Contains(file, "ChkOwnTypos=1"));
}

TEST_CASE("a stored state comes back: placement, options, history and the update option") {
  TMainWindow w("[FrmMain]\r\nWindowState=0\r\nLeft=120\r\nTop=80\r\nWidth=999\r\nHeight=5\r\n"
                "RadNormal=1\r\nChkStayOnTop=1\r\n[Cbx]\r\n0=  Lego Technik  \r\n1=\"Playmobil\"\r\n"
                "3=Dropped\r\n[FrmInfo]\r\nChkAutoCheckUpdates=1\r\nChkOwnTypos=0\r\n");
  RECT rc;
  GetWindowRect(w.Form->Handle(), &rc);
  CHECK(rc.left == 120);
  CHECK(rc.top == 80);
  // The fixed size wins over stored sizes.
  RECT client;
  GetClientRect(w.Form->Handle(), &client);
  CHECK(client.right == 328);
  CHECK(client.bottom == 147);
  CHECK(w.Form->RadNormal->Checked());
  CHECK_FALSE(w.Form->RadTippfehler->Checked());
  CHECK(w.Form->ChkStayOnTop->Checked());
  CHECK((GetWindowLongW(w.Form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  // Blanks and one pair of quotes go; the history stops at the first gap.
  CHECK(w.History() ==
        std::vector<std::wstring>{L"Lego Technik", L"Playmobil", kClearHistoryEntry});
  CHECK(FrmInfo->ChkAutoCheckUpdates->Checked());
  CHECK_FALSE(FrmInfo->ChkOwnTypos->Checked());

  // The next save drops what was not loaded, renumbered from 0.
  w.Form->RadTippfehler->SetChecked(true);
  SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
  std::string file = Settings();
  CHECK(Contains(file, "0=Lego Technik\r\n1=Playmobil\r\n"));
  CHECK_FALSE(Contains(file, "Dropped"));
  CHECK(Contains(file, "RadNormal=0"));
  CHECK(Contains(file, "ChkStayOnTop=1"));
  CHECK(Contains(file, "ChkOwnTypos=0"));
}

TEST_CASE("odd stored values give the defaults where they cannot be read") {
  TMainWindow w("[FrmMain]\r\nWindowState=1\r\nLeft=0x20\r\nTop=ja\r\nRadNormal=ja\r\n"
                "ChkStayOnTop=2\r\n[Cbx]\r\n0=\xFC\r\n[FrmInfo]\r\nChkOwnTypos=nein\r\n");
  RECT rc;
  GetWindowRect(w.Form->Handle(), &rc);
  CHECK(rc.left == 32);
  CHECK(rc.top == 0);
  CHECK(w.Form->WindowState() == wsNormal);
  CHECK(w.Form->RadTippfehler->Checked());
  CHECK(w.Form->ChkStayOnTop->Checked());
  CHECK(w.History() == std::vector<std::wstring>{L"\uFFFD", kClearHistoryEntry});
  CHECK(FrmInfo->ChkOwnTypos->Checked()); // unknown means checked
}

TEST_CASE("any stored number but 0 counts as checked") {
  TMainWindow w("[FrmMain]\r\nRadNormal=2\r\nChkStayOnTop=-1\r\n");
  CHECK(w.Form->RadNormal->Checked());
  CHECK_FALSE(w.Form->RadTippfehler->Checked());
  CHECK(w.Form->ChkStayOnTop->Checked());
}

TEST_CASE("an empty history at close leaves no history section") {
  TMainWindow w("[Cbx]\r\n0=Alt\r\n");
  test::TDialogWatcher watcher([](HWND dlg) { test::ClickDialogButton(dlg, IDYES); });
  w.CloseUpWithSelection(1);
  REQUIRE(w.History() == std::vector<std::wstring>{kClearHistoryEntry});
  SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
  std::string file = Settings();
  CHECK_FALSE(Contains(file, "[Cbx]"));
  CHECK(Contains(file, "[FrmMain]"));
}

TEST_CASE("closing while minimised writes only the window state") {
  TMainWindow w("[FrmMain]\r\nLeft=200\r\nTop=150\r\n");
  w.Form->SetWindowState(wsMinimized);
  REQUIRE(test::PumpUntil([&] { return IsIconic(w.Form->Handle()) != FALSE; }));
  REQUIRE(w.Form->WindowState() == wsMinimized);
  SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
  std::string file = Settings();
  CHECK(Contains(file, "WindowState=1"));
  CHECK(Contains(file, "Left=200"));
  CHECK(Contains(file, "Top=150"));
}

TEST_CASE("a settings file that cannot be written keeps the window open until a close succeeds") {
  TMainWindow w("[FrmMain]\r\nLeft=10\r\n");
  test::TMessageBoxes boxes;
  w.Form->Hide();
  w.Form->Show();
  {
    // Another program holds the file open without sharing.
    HANDLE lock = CreateFileW(TMainWindow::SettingsFile().c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    REQUIRE(lock != INVALID_HANDLE_VALUE);
    SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
    CloseHandle(lock);
  }
  REQUIRE(boxes.Calls.size() == 1);
  CHECK(boxes.Calls[0].Text ==
        L"In " + TMainWindow::SettingsFile() + L" kann nicht geschrieben werden.");
  CHECK(IsWindowVisible(w.Form->Handle()));

  SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
  CHECK(boxes.Calls.size() == 1);
  CHECK_FALSE(IsWindowVisible(w.Form->Handle()));
  CHECK(Contains(Settings(), "[FrmInfo]"));
}

TEST_CASE("the search options are stored under the controls' names and shown again") {
  struct TCase {
    const char *Stored;
    int Site, ListingType, Order, Pages;
    std::string From, To; // ASCII
    bool Descriptions;
  };
  // Unknown choices and prices that are none read as the defaults.
  const TCase cases[] = {
      {"CbxSite=2\r\nCbxListingType=1\r\nCbxSortOrder=3\r\nCbxResultPages=2\r\n"
       "EdtPriceFrom=12,50\r\nEdtPriceTo= 99 \r\nChkDescriptions=1\r\n",
       2, 1, 3, 2, "12,50", "99", true},
      {"CbxSite=3\r\nCbxListingType=-1\r\nCbxSortOrder=ja\r\nCbxResultPages=0x7FFFFFFF\r\n"
       "EdtPriceFrom=1e9\r\nEdtPriceTo=\xFF\xFE\r\nChkDescriptions=vielleicht\r\n",
       0, 0, 0, 0, "", "", false},
      {"", 0, 0, 0, 0, "", "", false},
  };
  for (const TCase &c : cases) {
    CAPTURE(std::string(c.Stored));
    TMainWindow w((std::string("[FrmInfo]\r\n") + c.Stored).c_str());
    CHECK(FrmInfo->CbxSite->ItemIndex() == c.Site);
    CHECK(FrmInfo->CbxListingType->ItemIndex() == c.ListingType);
    CHECK(FrmInfo->CbxSortOrder->ItemIndex() == c.Order);
    CHECK(FrmInfo->CbxResultPages->ItemIndex() == c.Pages);
    CHECK(FrmInfo->EdtPriceFrom->Text() == std::wstring(c.From.begin(), c.From.end()));
    CHECK(FrmInfo->EdtPriceTo->Text() == std::wstring(c.To.begin(), c.To.end()));
    CHECK(FrmInfo->ChkDescriptions->Checked() == c.Descriptions);
    SendMessageW(w.Form->Handle(), WM_CLOSE, 0, 0);
    const std::string file = Settings();
    CHECK(Contains(file, "CbxSite=" + std::to_string(c.Site) + "\r\n"));
    CHECK(Contains(file, "CbxResultPages=" + std::to_string(c.Pages) + "\r\n"));
    CHECK(Contains(file, "EdtPriceTo=" + c.To + "\r\n"));
    CHECK(Contains(file, std::string("ChkDescriptions=") + (c.Descriptions ? "1" : "0")));
  }
}
