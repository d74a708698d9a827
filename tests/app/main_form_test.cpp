// The main window in a real window: layout, search, history and options.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>
#include <htmlhelp.h>

#include "app/main_form.h"
#include "app/program.h"
#include "typo/search_address.h"
#include "info/info_form.h"
#include "settings/settings_path.h"
#include "taskdialog/message_form.h"
#include "main_window_fixture.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/platform.h"

namespace {
RECT ClientRectOf(HWND AWnd, HWND AParent) {
  RECT rc;
  GetWindowRect(AWnd, &rc);
  MapWindowPoints(nullptr, AParent, reinterpret_cast<POINT *>(&rc), 2);
  return rc;
}

const std::wstring kTypo = L"" TYPO_SEARCH_URL "/search.php?ASearchText=";
const std::wstring kPlain = L"https://www.ebay.de/sch/i.html?_nkw=";
const std::wstring kOptions = L"&_sop=1";

std::wstring OwnTypoSearchAddress(const std::wstring &ATerm) {
  typo::TSearchRequest request;
  request.Term = ATerm;
  return typo::SearchAddresses(request).front();
}
const std::wstring kClear = kClearHistoryEntry;
} // namespace

TEST_CASE("the main window is laid out as designed") {
  TMainWindow w;
  HWND wnd = w.Form->Handle();
  CHECK(test::WindowText(wnd) == L"kalverin Tastenfang");
  RECT rc;
  GetClientRect(wnd, &rc);
  CHECK(rc.right == 328);
  CHECK(rc.bottom == 147);
  LONG style = GetWindowLongW(wnd, GWL_STYLE);
  CHECK((style & WS_SYSMENU) != 0);
  CHECK((style & WS_MINIMIZEBOX) != 0);
  CHECK((style & WS_MAXIMIZEBOX) == 0);

  struct TExpect {
    TControl *Control;
    int Left, Top, Width, Height;
    const wchar_t *Caption;
  } expected[] = {
      {w.Form->Label1, 49, 11, 236, 25, L"Tippfehlersuche bei eBay"},
      {w.Form->RadTippfehler, 8, 52, 136, 17, L"Auktionen mit Tippfehler"},
      {w.Form->RadNormal, 173, 52, 147, 17, L"Auktionen ohne Tippfehler"},
      {w.Form->BtnSearch, 247, 73, 75, 25, L"Suchen"},
      {w.Form->ChkStayOnTop, 8, 102, 136, 17, L"Immer im Vordergrund"},
      {w.Form->SpeedButton3, 256, 118, 23, 22, L""},
      {w.Form->SpeedButton1, 278, 118, 23, 22, L""},
      {w.Form->SpeedButton2, 300, 118, 23, 22, L""},
      {w.Form->Label2, 8, 127, 110, 13, L"Mehr Auktionstools auf"},
      {w.Form->UrlLbl1, 125, 127, 122, 13, kMakerUrl},
  };
  for (const TExpect &e : expected) {
    CAPTURE(e.Control->Name());
    RECT r = ClientRectOf(e.Control->Handle(), wnd);
    CHECK(r.left == e.Left);
    CHECK(r.top == e.Top);
    int width = e.Width;
    if (dynamic_cast<TLabel *>(e.Control)) {
      // Labels widen to their caption when it does not fit. Wine's Tahoma
      // (fonts-wine) is wider than Windows' own, so some labels grow here.
      HDC dc = GetDC(nullptr);
      HGDIOBJ old = SelectObject(dc, e.Control->Font().Handle());
      SIZE text{};
      GetTextExtentPoint32W(dc, e.Caption, int(wcslen(e.Caption)), &text);
      SelectObject(dc, old);
      ReleaseDC(nullptr, dc);
      width = std::max<int>(width, text.cx);
    }
    CHECK(r.right - r.left == width);
    CHECK(r.bottom - r.top == e.Height);
    CHECK(e.Control->Caption() == e.Caption);
  }
  // The combo box's visible height follows its font; position and width are fixed.
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  REQUIRE(GetComboBoxInfo(w.Form->Cbx->Handle(), &info));
  RECT cbx = ClientRectOf(w.Form->Cbx->Handle(), wnd);
  CHECK(cbx.left == 8);
  CHECK(cbx.top == 75);
  CHECK(cbx.right - cbx.left == 233);
  CHECK((GetWindowLongW(w.Form->Cbx->Handle(), GWL_STYLE) & 3) == CBS_DROPDOWN);
  CHECK((GetWindowLongW(w.Form->Cbx->Handle(), GWL_STYLE) & CBS_SORT) == 0);

  CHECK(w.Form->Label1->Font().Height() == -21);
  CHECK(w.Form->Font().Name() == L"Tahoma");
  CHECK(w.Form->Font().Height() == -11);
  CHECK(w.Form->Color() == RGBColor(166, 202, 240));
  CHECK(w.Form->RadTippfehler->Checked());
  CHECK_FALSE(w.Form->RadNormal->Checked());
  CHECK_FALSE(w.Form->ChkStayOnTop->Checked());
  CHECK(w.History() == std::vector<std::wstring>{kClear});

  // The combo box has the focus at opening; Tab follows the designed order.
  CHECK(w.Form->Cbx->Focused());
  HWND order[] = {w.Form->BtnSearch->Handle(), w.Form->ChkStayOnTop->Handle(),
                  w.Form->RadTippfehler->Handle(), w.Form->RadNormal->Handle(), w.Edit()};
  for (HWND next : order) {
    w.PressKey(GetFocus(), VK_TAB);
    CHECK(GetFocus() == next);
  }

  // The outer size cannot change.
  int width = w.Form->Width(), height = w.Form->Height();
  SetWindowPos(wnd, nullptr, 0, 0, width + 50, height + 50, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(wnd, &rc);
  CHECK(rc.right - rc.left == width);
  CHECK(rc.bottom - rc.top == height);

  // The flat buttons carry their pictures and tooltips from the actions.
  CHECK(w.Form->SpeedButton3->Glyph() != nullptr);
  CHECK(w.Form->SpeedButton3->Hint() == L"Nach Updates suchen");
  CHECK(w.Form->SpeedButton1->Hint() == L"Info/Einstellungen");
  CHECK(w.Form->SpeedButton2->Hint() == L"Hilfe");
}

TEST_CASE("the open history list shows 15 terms at a time") {
  std::string settings = "[Cbx]\r\n";
  for (int i = 0; i < 20; ++i)
    settings += std::to_string(i) + "=Begriff " + std::to_string(i) + "\r\n";
  TMainWindow w(settings.c_str());
  REQUIRE(w.History().size() == 21);
  HWND combo = w.Form->Cbx->Handle();
  RECT rc;
  GetWindowRect(combo, &rc);
  CHECK(rc.bottom - rc.top == 21);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  REQUIRE(GetComboBoxInfo(combo, &info));
  test::PumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; });
  RECT list;
  GetClientRect(info.hwndList, &list);
  const int row = int(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  REQUIRE(row > 0);
  CHECK(list.bottom / row == 15);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  test::PumpIdle();
}

TEST_CASE("a search opens the address of the trimmed term and puts new terms on top") {
  TMainWindow w;
  // The typo-search service's address, as when the variants are not made here.
  FrmInfo->ChkOwnTypos->SetChecked(false);
  w.Type(L"  Lego Technik  ");
  w.Search();
  REQUIRE(w.Opened.size() == 1);
  CHECK(w.Opened[0].File == kTypo + L"Lego%20Technik");
  CHECK(w.Opened[0].Verb == std::optional<std::wstring>(L"open"));
  CHECK(w.Opened[0].Owner == w.Form->Handle());
  CHECK(w.Opened[0].ShowCmd == SW_SHOWNORMAL);
  CHECK_FALSE(w.Opened[0].Parameters);
  CHECK_FALSE(w.Opened[0].Directory);
  CHECK(w.History() == std::vector<std::wstring>{L"Lego Technik", kClear});
  CHECK(w.Form->Cbx->Text() == L"  Lego Technik  ");

  SUBCASE("the plain search uses + for blanks") {
    w.Form->RadNormal->SetChecked(true);
    CHECK_FALSE(w.Form->RadTippfehler->Checked());
    w.Search();
    CHECK(w.LastAddress() == kPlain + L"Lego+Technik" + kOptions);
  }
  SUBCASE("characters that would change the address are encoded, others kept") {
    w.Type(L"\tA&B #1 50% c++ Gartenstühle/?\r\n");
    w.Search();
    CHECK(w.LastAddress() == kTypo + L"A%26B%20%231%2050%25%20c%2B%2B%20Gartenstühle/?");
    w.Form->RadNormal->SetChecked(true);
    w.Search();
    CHECK(w.LastAddress() ==
          kPlain + L"A%26B+%231+50%25+c%2B%2B+Gartenst%C3%BChle%2F%3F" + kOptions);
  }
  SUBCASE("with the option checked the typo search opens the auction site with variants") {
    FrmInfo->ChkOwnTypos->SetChecked(true);
    w.Type(L"C&A Jacke");
    w.Search();
    CHECK(w.LastAddress() == OwnTypoSearchAddress(L"C&A Jacke"));
    CHECK(w.LastAddress().find(L"?_nkw=%28C%26A+Jake%2C") != std::wstring::npos);
    w.Form->RadNormal->SetChecked(true);
    w.Search();
    CHECK(w.LastAddress() == kPlain + L"C%26A+Jacke" + kOptions);
  }
  SUBCASE("a term in the history in another letter case adds nothing and moves nothing") {
    w.Type(L"Playmobil");
    w.Search();
    w.Type(L"lego technik");
    w.Search();
    CHECK(w.LastAddress() == kTypo + L"lego%20technik");
    CHECK(w.History() == std::vector<std::wstring>{L"Playmobil", L"Lego Technik", kClear});
    w.Type(L"LEGO TECHNIK");
    w.Search();
    CHECK(w.History() == std::vector<std::wstring>{L"Playmobil", L"Lego Technik", kClear});
  }
  SUBCASE("Enter with the list closed searches like the button") {
    w.Type(L"Modellbahn");
    w.PressKey(w.Edit(), VK_RETURN);
    CHECK(w.LastAddress() == kTypo + L"Modellbahn");
    CHECK(w.History().front() == L"Modellbahn");
  }
  SUBCASE("the clear entry's text in another case searches and adds nothing") {
    w.Type(L"[einträge LÖSCHEN]");
    w.Search();
    CHECK(w.LastAddress() == kTypo + L"[einträge%20LÖSCHEN]");
    CHECK(w.History() == std::vector<std::wstring>{L"Lego Technik", kClear});
  }
}

TEST_CASE("an empty term shows the error message and opens nothing") {
  TMainWindow w;
  std::vector<std::wstring> captions, texts;
  bool emulated = true;
  test::TDialogWatcher watcher([&](HWND dlg) {
    captions.push_back(test::WindowText(dlg));
    emulated &= dynamic_cast<TAdvMessageForm *>(TControl::FromHandle(dlg)) != nullptr;
    for (const std::wstring &t : test::ChildTexts(dlg, L"")) texts.push_back(t);
    // Escape presses OK, the only button.
    if (captions.size() == 1) {
      test::PumpUntil([&] { return GetForegroundWindow() == dlg; });
      test::SendKey(VK_ESCAPE);
    } else {
      test::ClickDialogButton(dlg, IDOK);
    }
  });
  for (const wchar_t *text : {L"", L"   \t "}) {
    w.Type(text);
    w.PressKey(w.Edit(), VK_RETURN);
  }
  w.Type(L"");
  w.Search();
  CHECK(watcher.Seen() == 3);
  CHECK(w.Opened.empty());
  CHECK(w.History() == std::vector<std::wstring>{kClear});
  REQUIRE_FALSE(captions.empty());
  CHECK(captions[0] == L"Fehler");
  bool hasInstruction = false;
  for (const std::wstring &t : texts) hasInstruction |= t.find(L"Fehlender Suchbegriff") != std::wstring::npos;
  CHECK(hasInstruction);
  CHECK(emulated);
  CHECK(w.Form->Cbx->Focused());
}

TEST_CASE("choosing the clear entry asks before clearing the history") {
  TMainWindow w;
  for (const wchar_t *term : {L"Alpha", L"Beta"}) {
    w.Type(term);
    w.Search();
  }
  REQUIRE(w.History() == std::vector<std::wstring>{L"Beta", L"Alpha", kClear});
  int answer = IDNO; // or a key pressed on the real keyboard
  bool escape = false, emulated = true;
  std::vector<std::wstring> captions;
  test::TDialogWatcher watcher([&](HWND dlg) {
    captions.push_back(test::WindowText(dlg));
    // Under Wine the version rule shows the program's own window.
    emulated &= dynamic_cast<TAdvMessageForm *>(TControl::FromHandle(dlg)) != nullptr;
    if (escape) {
      test::PumpUntil([&] { return GetForegroundWindow() == dlg; });
      test::SendKey(VK_ESCAPE);
    } else {
      test::ClickDialogButton(dlg, answer);
    }
  });

  SUBCASE("No keeps every item and empties the edit field") {
    w.CloseUpWithSelection(2);
    CHECK(watcher.Seen() == 1);
    CHECK(w.History() == std::vector<std::wstring>{L"Beta", L"Alpha", kClear});
    CHECK(w.Form->Cbx->ItemIndex() == -1);
    CHECK(w.Form->Cbx->Text() == L"");
  }
  SUBCASE("Yes leaves only the clear entry and keeps the edit text") {
    answer = IDYES;
    w.CloseUpWithSelection(2);
    CHECK(watcher.Seen() == 1);
    CHECK(w.History() == std::vector<std::wstring>{kClear});
    CHECK(w.Form->Cbx->Text() == kClear);
  }
  SUBCASE("Escape answers as No does") {
    escape = true;
    w.CloseUpWithSelection(2);
    CHECK(watcher.Seen() == 1);
    CHECK(w.History() == std::vector<std::wstring>{L"Beta", L"Alpha", kClear});
    CHECK(w.Form->Cbx->ItemIndex() == -1);
  }
  SUBCASE("closing the list on another item asks nothing") {
    w.CloseUpWithSelection(1);
    CHECK(watcher.Seen() == 0);
    CHECK(w.History().size() == 3);
  }
  SUBCASE("typing the clear entry by hand does not search, asks only when it is selected") {
    w.Form->Cbx->SetItemIndex(-1);
    w.Type(kClear);
    w.PressKey(w.Edit(), VK_RETURN);
    CHECK(watcher.Seen() == 0);
    CHECK(w.Opened.size() == 2);
    CHECK(w.Form->Cbx->Text() == L"");
    CHECK(w.History().size() == 3);

    w.Form->Cbx->SetItemIndex(2);
    w.PressKey(w.Edit(), VK_RETURN);
    CHECK(watcher.Seen() == 1);
    CHECK(w.Opened.size() == 2);
    CHECK(w.Form->Cbx->Text() == L"");
  }
  SUBCASE("Enter on the clear entry's text in another letter case searches for it") {
    w.Form->Cbx->SetItemIndex(-1);
    w.Type(L"[einträge LÖSCHEN]");
    w.PressKey(w.Edit(), VK_RETURN);
    CHECK(watcher.Seen() == 0);
    REQUIRE(w.Opened.size() == 3);
    CHECK(w.LastAddress() == OwnTypoSearchAddress(L"[einträge LÖSCHEN]"));
    // It matches the clear entry without regard to case: nothing is added.
    CHECK(w.History().size() == 3);
  }
  if (!captions.empty()) CHECK(captions[0] == L"Bestätigen");
  CHECK(emulated);
}

TEST_CASE("stay on top switches the window's topmost style in place") {
  TMainWindow w;
  HWND wnd = w.Form->Handle();
  RECT before;
  GetWindowRect(wnd, &before);
  SendMessageW(w.Form->ChkStayOnTop->Handle(), BM_CLICK, 0, 0);
  CHECK(w.Form->ChkStayOnTop->Checked());
  CHECK((GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  w.Form->ChkStayOnTop->SetChecked(false);
  CHECK((GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
  RECT after;
  GetWindowRect(wnd, &after);
  CHECK(EqualRect(&before, &after));
}

TEST_CASE("F1 opens help context 3 of the program's .CHM wherever the focus is") {
  TMainWindow w;
  std::vector<std::pair<std::wstring, DWORD_PTR>> calls;
  HtmlHelpHook = [&](HWND, const std::wstring &AFile, UINT ACommand, DWORD_PTR AData) {
    if (ACommand == HH_HELP_CONTEXT) calls.emplace_back(AFile, AData);
    return HWND(nullptr);
  };
  w.PressKey(w.Edit(), VK_F1);
  w.Form->BtnSearch->SetFocus();
  w.PressKey(w.Form->BtnSearch->Handle(), VK_F1);
  SendMessageW(w.Form->SpeedButton2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(w.Form->SpeedButton2->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  HtmlHelpHook = nullptr;
  REQUIRE(calls.size() == 3);
  for (auto &call : calls) {
    CHECK(call.second == 3);
    std::wstring expected = test::SourcePath(L"");
    CHECK(call.first.size() > 4);
    CHECK(call.first.substr(call.first.size() - 4) == L".CHM");
    CHECK(call.first.find(L"test_app") != std::wstring::npos);
  }
}

TEST_CASE("the web address label opens the maker's site") {
  TMainWindow w;
  HWND label = w.Form->UrlLbl1->Handle();
  SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  REQUIRE(w.Opened.size() == 1);
  CHECK(w.Opened[0].File == kMakerUrl);
  CHECK(w.Opened[0].Verb == std::optional<std::wstring>(L"open"));
}

TEST_CASE("a flat button shows its tooltip when the mouse rests on it") {
  // An application of its own, so that no earlier test has made its
  // tooltip window.
  TApplication app;
  TApplication *outer = Application;
  Application = &app;
  app.SetTitle(outer->Title());
  // The mouse starts away from the window.
  test::MouseTo(GetDesktopWindow(), GetSystemMetrics(SM_CXSCREEN) - 5,
                GetSystemMetrics(SM_CYSCREEN) - 5);
  {
    TMainWindow w;
    test::MouseTo(w.Form->Label1->Handle(), 5, 5);
    // Nothing of the tooltips is made while nobody points at a button.
    CHECK(app.HintWindow() == nullptr);

    auto shownText = [&] {
      HWND hint = app.HintWindow();
      if (!hint || !IsWindowVisible(hint)) return std::wstring();
      wchar_t text[80] = {};
      TTTOOLINFOW ti{};
      ti.cbSize = sizeof(ti);
      ti.lpszText = text;
      if (!SendMessageW(hint, TTM_GETCURRENTTOOLW, 0, LPARAM(&ti))) return std::wstring();
      return std::wstring(text);
    };
    test::MouseTo(w.Form->SpeedButton3->Handle(), 10, 10);
    CHECK(test::PumpUntil([&] { return shownText() == L"Nach Updates suchen"; }));
    test::MouseTo(w.Form->SpeedButton2->Handle(), 10, 10);
    CHECK(test::PumpUntil([&] { return shownText() == L"Hilfe"; }));
    test::MouseTo(GetDesktopWindow(), GetSystemMetrics(SM_CXSCREEN) - 5,
                  GetSystemMetrics(SM_CYSCREEN) - 5);
  }
  Application = outer;
}
