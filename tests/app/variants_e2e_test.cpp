// End to end: the variants window of the real program, driven from this
// process as a user would, with the shell's stand-in browser recording
// what the search opens, over three starts of the program.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "query_variants.h"
#include "test_support.h"
#include "typo/search_address.h"

namespace {

// The list view of another process: its texts are read through memory of
// that process, as tools that read windows do.
class TRemoteList {
public:
  TRemoteList(HWND AList, DWORD APid)
      : FList(AList), FProcess(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                               PROCESS_VM_WRITE,
                                           FALSE, APid)) {
    REQUIRE(FProcess);
    FMemory = static_cast<char *>(
        VirtualAllocEx(FProcess, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    REQUIRE(FMemory);
  }
  ~TRemoteList() {
    VirtualFreeEx(FProcess, FMemory, 0, MEM_RELEASE);
    CloseHandle(FProcess);
  }
  int Count() const { return int(SendMessageW(FList, LVM_GETITEMCOUNT, 0, 0)); }
  bool Checked(int ARow) const {
    return (SendMessageW(FList, LVM_GETITEMSTATE, WPARAM(ARow), LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  std::wstring Text(int ARow) const {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t *>(FMemory + sizeof(LVITEMW));
    item.cchTextMax = 512;
    REQUIRE(WriteProcessMemory(FProcess, FMemory, &item, sizeof(item), nullptr));
    const LRESULT n = SendMessageW(FList, LVM_GETITEMTEXTW, WPARAM(ARow), LPARAM(FMemory));
    std::wstring text(size_t(n), L'\0');
    REQUIRE(ReadProcessMemory(FProcess, item.pszText, text.data(), text.size() * 2, nullptr));
    return text;
  }
  // The rows' texts, ticked or not.
  std::vector<std::wstring> Rows(bool ATicked) const {
    std::vector<std::wstring> rows;
    for (int i = 0; i < Count(); ++i)
      if (Checked(i) == ATicked) rows.push_back(Text(i));
    return rows;
  }

private:
  HWND FList;
  HANDLE FProcess;
  char *FMemory = nullptr;
};

HWND Child(HWND AParent, const wchar_t *AClass, const wchar_t *AText = nullptr) {
  for (HWND w : test::ChildWindows(AParent))
    if (test::ClassName(w) == AClass && (!AText || test::WindowText(w) == AText)) return w;
  return nullptr;
}

void Press(HWND AWnd, WORD AKey) {
  PostMessageW(AWnd, WM_KEYDOWN, AKey, 1);
  PostMessageW(AWnd, WM_KEYUP, AKey, 0xC0000001);
}

// The term typed into the search box; Enter, or Shift+Enter on the real
// keyboard, which the program reads the Shift key's state from.
void Search(HWND AMain, const std::wstring &ATerm, bool AShift) {
  HWND edit = Child(Child(AMain, L"ComboBox"), L"Edit");
  REQUIRE(edit);
  SendMessageW(edit, WM_SETTEXT, 0, LPARAM(ATerm.c_str()));
  if (!AShift) return Press(edit, VK_RETURN);
  SetForegroundWindow(AMain);
  test::PumpUntil([&] { return GetForegroundWindow() == AMain; });
  PostMessageW(edit, WM_SETFOCUS, 0, 0);
  INPUT keys[4] = {};
  const WORD order[4] = {VK_SHIFT, VK_RETURN, VK_RETURN, VK_SHIFT};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

// Waits until the list shows what the predicate wants (it changes after
// each key, once the program has handled it).
bool Until(const std::function<bool()> &ACondition) { return test::PumpUntil(ACondition, 10000); }

std::vector<std::wstring> Encoded(const std::vector<std::wstring> &AVariants) {
  std::vector<std::wstring> encoded;
  for (const std::wstring &v : AVariants) encoded.push_back(typo::EncodeQueryValue(v));
  return encoded;
}

bool Holds(const std::vector<std::wstring> &AList, const std::wstring &AItem) {
  return std::find(AList.begin(), AList.end(), AItem) != AList.end();
}

} // namespace

TEST_CASE("the variants window: untick two, add one, search; remembered after a restart; reset") {
  test::TProgramCopy copy;
  test::TUrlRecorder browser;
  const std::wstring term = L"Lego Technik";
  std::vector<std::wstring> shown, unticked;

  {
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    Search(main, term, true);
    HWND window = test::FindProcessWindow(program.Pid(), L"Tippfehler-Varianten", 15000);
    REQUIRE(window);
    // Owned by the main window, which it keeps disabled while open.
    CHECK(GetWindow(window, GW_OWNER) == main);
    CHECK_FALSE(IsWindowEnabled(main));
    HWND listWindow = Child(window, WC_LISTVIEWW);
    REQUIRE(listWindow);
    TRemoteList list(listWindow, program.Pid());
    // The model's variants, all ticked, as the search would run without
    // the window.
    const int count = list.Count();
    REQUIRE(count > 5);
    CHECK(list.Rows(true) == typo::BuildTypoQuery(term).Variants);

    // Space on the first row, Del on the third: both stay, unticked, and
    // two others come in at the end.
    unticked = {list.Text(0), list.Text(2)};
    Press(listWindow, VK_HOME);
    Press(listWindow, VK_SPACE);
    REQUIRE(Until([&] { return !list.Checked(0); }));
    Press(listWindow, VK_DOWN);
    Press(listWindow, VK_DOWN);
    Press(listWindow, VK_DELETE);
    REQUIRE(Until([&] { return !list.Checked(2); }));
    CHECK(list.Rows(false) == unticked);
    CHECK(list.Rows(true).size() >= size_t(count - 2));

    // An own misspelling that is no word's is refused beside the field;
    // the own one then goes first.
    HWND own = Child(window, L"Edit");
    REQUIRE(own);
    HWND add = Child(window, L"Button", L"&Hinzufügen");
    REQUIRE(add);
    SendMessageW(own, WM_SETTEXT, 0, LPARAM(L"Technik"));
    PostMessageW(add, BM_CLICK, 0, 0);
    REQUIRE(Until([&] {
      return Holds(test::ChildTexts(window, L""), L"Das ist das Wort selbst, keine Variante.");
    }));
    SendMessageW(own, WM_SETTEXT, 0, LPARAM(L"Tehcnik"));
    PostMessageW(add, BM_CLICK, 0, 0);
    REQUIRE(Until([&] { return list.Text(0) == L"Lego Tehcnik"; }));
    CHECK(list.Checked(0));
    shown = list.Rows(true);

    // Enter in the list searches: the address holds exactly the ticked rows.
    Press(listWindow, VK_RETURN);
    REQUIRE(browser.WaitFor(1));
    CHECK(QueryVariants(browser.Addresses()[0]) == Encoded(shown));
    CHECK(program.Close() == 0);
  }
  const std::string ini = test::ReadFileBytes(copy.File(L"Tastenfang.ini"));
  CHECK(ini.find("[Varianten]") != std::string::npos);
  CHECK(ini.find("technik,+Tehcnik,-") != std::string::npos);

  {
    // Without the window: the choices shape the search all the same.
    test::TProcess program(copy.Exe());
    HWND main = program.MainWindow();
    REQUIRE(main);
    Search(main, term, false);
    REQUIRE(browser.WaitFor(2));
    const std::vector<std::wstring> variants = QueryVariants(browser.Addresses()[1]);
    CHECK(variants == Encoded(shown));
    for (const std::wstring &out : Encoded(unticked)) CHECK_FALSE(Holds(variants, out));

    // The window again: the two show unticked at the end. Escape leaves
    // without a search and without remembering the untick.
    Search(main, term, true);
    HWND window = test::FindProcessWindow(program.Pid(), L"Tippfehler-Varianten", 15000);
    REQUIRE(window);
    HWND listWindow = Child(window, WC_LISTVIEWW);
    TRemoteList list(listWindow, program.Pid());
    CHECK(list.Rows(false).size() == 2);
    CHECK(list.Rows(true) == shown);
    Press(listWindow, VK_HOME);
    Press(listWindow, VK_DELETE);
    REQUIRE(Until([&] { return !list.Checked(0); }));
    Press(listWindow, VK_ESCAPE);
    REQUIRE(Until([&] { return !IsWindow(window); }));

    // Reset: the model's variants again, and only they.
    Search(main, term, true);
    window = test::FindProcessWindow(program.Pid(), L"Tippfehler-Varianten", 15000);
    REQUIRE(window);
    TRemoteList again(Child(window, WC_LISTVIEWW), program.Pid());
    CHECK(again.Rows(false).size() == 2);
    CHECK(again.Text(0) == L"Lego Tehcnik");
    PostMessageW(Child(window, L"Button", L"&Zurücksetzen"), BM_CLICK, 0, 0);
    REQUIRE(Until([&] { return again.Rows(false).empty(); }));
    CHECK(again.Rows(true) == typo::BuildTypoQuery(term).Variants);
    PostMessageW(Child(window, L"Button", L"Suchen"), BM_CLICK, 0, 0);
    REQUIRE(browser.WaitFor(3));
    CHECK(QueryVariants(browser.Addresses()[2]) == Encoded(typo::BuildTypoQuery(term).Variants));
    CHECK(browser.Addresses().size() == 3);
    CHECK(program.Close() == 0);
  }
  CHECK(test::ReadFileBytes(copy.File(L"Tastenfang.ini")).find("[Varianten]") ==
        std::string::npos);
}
