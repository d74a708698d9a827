// End to end: the real program, driven from this process, hands the search
// address to the shell, which starts the (stand-in) browser.
#include <doctest.h>

#include <algorithm>
#include <set>

#include "app/program.h"
#include "query_variants.h"
#include "test_support.h"
#include "typo/search_address.h"
#include "typo/word_list.h"

namespace {
// Types the text into the real program's combo box and presses Enter.
void TypeAndEnter(HWND AMain, const std::wstring &AText) {
  HWND combo = FindWindowExW(AMain, nullptr, L"ComboBox", nullptr);
  REQUIRE(combo);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  REQUIRE(edit);
  SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L""));
  for (wchar_t c : AText) PostMessageW(edit, WM_CHAR, c, 1);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
}

typo::TSearchRequest Typo(const std::wstring &ATerm) {
  typo::TSearchRequest request;
  request.Term = ATerm;
  return request;
}

HWND ChildWithText(HWND AParent, const std::wstring &AText) {
  for (HWND w : test::ChildWindows(AParent))
    if (test::WindowText(w) == AText) return w;
  return nullptr;
}

// The info dialog's search options, found as the user sees them: each
// drop-down list by its first item, the price fields left to right.
struct TOptionControls {
  HWND Site = nullptr, ListingType = nullptr, Order = nullptr, Pages = nullptr;
  HWND Descriptions = nullptr;
  std::vector<HWND> Prices;
  explicit TOptionControls(HWND AInfo) {
    for (HWND w : test::ChildWindows(AInfo)) {
      if (test::ClassName(w) == L"Edit") Prices.push_back(w);
      if (test::ClassName(w) != L"ComboBox") continue;
      wchar_t first[64] = {};
      SendMessageW(w, CB_GETLBTEXT, 0, LPARAM(first));
      const std::wstring item = first;
      (item == L"eBay.de"         ? Site
       : item == L"Alle Angebote" ? ListingType
       : item == L"Bald endend"   ? Order
       : item == L"1"             ? Pages
                                  : Descriptions) = w;
    }
    std::sort(Prices.begin(), Prices.end(), [](HWND A, HWND B) {
      RECT a, b;
      GetWindowRect(A, &a);
      GetWindowRect(B, &b);
      return a.left < b.left;
    });
    Descriptions = ChildWithText(AInfo, L"Auch in Artikelbeschreibungen suchen");
  }
};

HWND OpenInfoDialog(const test::TProcess &AProgram, HWND AMain) {
  HWND infoButton = ChildWindowFromPointEx(AMain, POINT{289, 129}, CWP_SKIPINVISIBLE);
  PostMessageW(infoButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(infoButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  return test::FindProcessWindow(AProgram.Pid(), L"Info/Einstellungen", 15000);
}

// Another process's edit field: GetWindowText does not ask it.
std::wstring FieldText(HWND AField) {
  wchar_t text[64] = {};
  SendMessageW(AField, WM_GETTEXT, 64, LPARAM(text));
  return text;
}

HWND FocusOf(HWND AWindow) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(AWindow, nullptr), &info);
  return info.hwndFocus;
}

// The variants of an address, in no order.
std::set<std::wstring> VariantsOf(const std::wstring &AAddress) {
  const std::vector<std::wstring> variants = QueryVariants(AAddress);
  return {variants.begin(), variants.end()};
}
} // namespace

TEST_CASE("a typo search in the real program, with the variants made here and without") {
  test::TProgramCopy copy;
  REQUIRE(FileExists(copy.Exe()));
  test::TUrlRecorder browser;
  const std::wstring term = L"  Lego Technik & Zubehör ";

  {
    // First start: the option is checked.
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    TypeAndEnter(main, term);
    REQUIRE(browser.WaitFor(1));
    CHECK(browser.Addresses()[0] == typo::SearchAddresses(Typo(L"Lego Technik & Zubehör")).front());
    CHECK(browser.Addresses()[0].find(L"https://www.ebay.de/sch/i.html?_nkw=%28Lego+") == 0);
    CHECK(browser.Addresses()[0].find(L"+%26+Zubeh%C3%B6r%2C") != std::wstring::npos);
    CHECK(program.Close() == 0);
  }
  const std::string ini = test::ReadFileBytes(copy.File(L"Tastenfang.ini"));
  REQUIRE(ini.find("ChkOwnTypos=1") != std::string::npos);
  test::WriteFileBytes(copy.File(L"Tastenfang.ini"),
                       ini.substr(0, ini.find("ChkOwnTypos=1")) + "ChkOwnTypos=0" +
                           ini.substr(ini.find("ChkOwnTypos=1") + 13));
  {
    // Unchecked: the typo-search service as before, "&" kept in the term.
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    TypeAndEnter(main, term);
    REQUIRE(browser.WaitFor(2));
    CHECK(browser.Addresses()[1] ==
          L"" TYPO_SEARCH_URL "/search.php?ASearchText=Lego%20Technik%20%26%20Zubeh\u00F6r");
    CHECK(program.Close() == 0);
  }
}

TEST_CASE("the word file beside the program keeps German words out of the typo search") {
  // «Uhr» gives «Ihr» and «Ohr» unfiltered: words that find ordinary offers.
  const std::wstring words = ExtractFilePath(test::ProgramPath()) + typo::kWordFileName;
  REQUIRE(FileExists(words));
  const typo::TWordList list = typo::TWordList::FromFile(words);
  REQUIRE(!list.Empty());
  const std::wstring unfiltered = typo::SearchAddresses(Typo(L"Uhr")).front();
  REQUIRE(VariantsOf(unfiltered).count(L"Ihr") == 1);
  struct TCase {
    bool WithFile;
    std::wstring Expected;
  };
  const TCase cases[] = {
      {true, typo::SearchAddresses(Typo(L"Uhr"), typo::DefaultWeights(), typo::WordFilter(list))
                 .front()},
      {false, unfiltered},
  };
  for (const TCase &c : cases) {
    CAPTURE(c.WithFile);
    test::TProgramCopy copy;
    if (c.WithFile) REQUIRE(copy.Add(words, typo::kWordFileName));
    test::TUrlRecorder browser;
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    TypeAndEnter(main, L"Uhr");
    REQUIRE(browser.WaitFor(1));
    CHECK(browser.Addresses()[0] == c.Expected);
    const std::set<std::wstring> variants = VariantsOf(browser.Addresses()[0]);
    CHECK(variants.count(L"Ihr") == (c.WithFile ? 0 : 1));
    CHECK(variants.count(L"Ohr") == (c.WithFile ? 0 : 1));
    CHECK(program.Close() == 0);
  }
}

TEST_CASE("the search options set in the dialog reach both searches and survive a restart") {
  test::TProgramCopy copy;
  test::TUrlRecorder browser;
  const std::wstring options = L"&_sop=15&LH_Auction=1&_udlo=5&_udhi=120.50&LH_TitleDesc=1";
  {
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    HWND info = OpenInfoDialog(program, main);
    REQUIRE(info);
    TOptionControls c(info);
    REQUIRE((c.Site && c.ListingType && c.Order && c.Pages && c.Descriptions));
    REQUIRE(c.Prices.size() == 2);
    SendMessageW(c.Site, CB_SETCURSEL, 2, 0);
    SendMessageW(c.ListingType, CB_SETCURSEL, 1, 0);
    SendMessageW(c.Order, CB_SETCURSEL, 3, 0);
    SendMessageW(c.Pages, CB_SETCURSEL, 1, 0);
    SendMessageW(c.Descriptions, BM_CLICK, 0, 0);
    HWND ok = ChildWithText(info, L"OK");
    REQUIRE(ok);

    // A price that is none is refused, names its field, keeps the dialog
    // open on it and loses nothing typed.
    SendMessageW(c.Prices[0], WM_SETTEXT, 0, LPARAM(L"1e9"));
    SendMessageW(c.Prices[1], WM_SETTEXT, 0, LPARAM(L"120,50"));
    PostMessageW(ok, BM_CLICK, 0, 0);
    HWND message = test::FindProcessWindow(program.Pid(), L"Fehler", 15000);
    REQUIRE(message);
    std::wstring texts;
    for (HWND w : test::ChildWindows(message)) texts += test::WindowText(w) + L"\n";
    CHECK(texts.find(L"Ungültiger Preis") != std::wstring::npos);
    CHECK(texts.find(L"„Preis von:“") != std::wstring::npos);
    PostMessageW(message, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(message, WM_KEYUP, VK_RETURN, 0xC0000001);
    CHECK(test::PumpUntil([&] { return !IsWindow(message) || !IsWindowVisible(message); }));
    CHECK(IsWindowVisible(info));
    CHECK(test::PumpUntil([&] { return FocusOf(info) == c.Prices[0]; }, 5000));
    CHECK(FieldText(c.Prices[0]) == L"1e9");
    CHECK(FieldText(c.Prices[1]) == L"120,50");

    SendMessageW(c.Prices[0], WM_SETTEXT, 0, LPARAM(L"5"));
    PostMessageW(ok, BM_CLICK, 0, 0);
    REQUIRE(test::PumpUntil([&] { return !IsWindowVisible(info); }));

    // The typo search opens two result pages with variants of their own.
    TypeAndEnter(main, L"Lego Technik -Duplo");
    REQUIRE(browser.WaitFor(2));
    const std::vector<std::wstring> pages = browser.Addresses();
    for (const std::wstring &page : pages) {
      CAPTURE(page);
      CHECK(page.find(L"https://www.ebay.ch/sch/i.html?_nkw=%28") == 0);
      CHECK(page.find(L"%29+-Duplo" + options + L"&_blrs=spell_auto_correct") !=
            std::wstring::npos);
    }
    const std::set<std::wstring> first = VariantsOf(pages[0]);
    CHECK(first.size() > 3);
    for (const std::wstring &v : VariantsOf(pages[1])) CHECK(first.count(v) == 0);
    CHECK(program.Close() == 0);
  }
  const std::string ini = test::ReadFileBytes(copy.File(L"Tastenfang.ini"));
  CHECK(ini.find("CbxSite=2") != std::string::npos);
  CHECK(ini.find("EdtPriceTo=120,50") != std::string::npos);
  {
    // After a restart the plain search carries the same options.
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    SendMessageW(ChildWithText(main, L"Auktionen ohne Tippfehler"), BM_CLICK, 0, 0);
    TypeAndEnter(main, L"!Lego -Duplo");
    REQUIRE(browser.WaitFor(3));
    CHECK(browser.Addresses()[2] ==
          L"https://www.ebay.ch/sch/i.html?_nkw=Lego+-Duplo" + options);
    CHECK(program.Close() == 0);
  }
}
