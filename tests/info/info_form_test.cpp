// The info dialog in real windows: its content, links, pictures and pages.
#include <doctest.h>

#include <windows.h>

#include <algorithm>

#include <commctrl.h>
#include <htmlhelp.h>

#include "gdiplus/gp_image.h"
#include "info/info_form.h"
#include "info/maker.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/platform.h"

namespace {
struct TInfoDialog {
  TFrmInfo *Form;
  test::TShellRequests Shell;
  std::vector<TShellExecuteRequest> &Opened = Shell.Calls;
  TInfoDialog() {
    Form = TForm::Create<TFrmInfo>(nullptr);
  }
  ~TInfoDialog() {
    delete Form;
  }
  void Click(TControl *AControl) {
    SendMessageW(AControl->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(AControl->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  // Shows the dialog modally, runs AWhileShown once it is up, then lets
  // AClose end it; returns the modal result.
  TModalResult ShowModal(std::function<void()> AWhileShown, std::function<void()> AClose) {
    test::WhenActive(Form, [AWhileShown, AClose] {
      AWhileShown();
      AClose();
    });
    return Form->ShowModal();
  }
};

RECT PageRectOf(TControl *AControl) {
  RECT rc;
  GetWindowRect(AControl->Handle(), &rc);
  MapWindowPoints(nullptr, GetParent(AControl->Handle()), reinterpret_cast<POINT *>(&rc), 2);
  return rc;
}
} // namespace

TEST_CASE("the info dialog shows name, version and notice as designed") {
  TInfoDialog d;
  HWND wnd = d.Form->Handle();
  CHECK(test::WindowText(wnd) == L"Info/Einstellungen");
  RECT rc;
  GetClientRect(wnd, &rc);
  CHECK(rc.right == 278);
  CHECK(rc.bottom == 406);
  LONG style = GetWindowLongW(wnd, GWL_STYLE);
  CHECK((style & WS_SYSMENU) != 0);
  CHECK((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
  CHECK(d.Form->HelpContext() == 3);

  CHECK(d.Form->LblVersion->Caption() == L"Version 2.00");
  CHECK(d.Form->LblProductName->Caption() == L"kalverin Tastenfang");
  CHECK(d.Form->LblCopyRight->Caption() == kMakerCopyright);
  CHECK(d.Form->LblCopyRight->Font().Color() == RGBColor(128, 0, 64));
  CHECK(d.Form->LblEMail->Caption() == kMakerEmail);
  CHECK(d.Form->LblUrl->Caption() == kMakerUrl);
  CHECK(d.Form->ChkAutoCheckUpdates->Caption() == L"Bei Programmstart auf Updates prüfen");
  CHECK_FALSE(d.Form->ChkAutoCheckUpdates->Checked());
  CHECK(d.Form->ChkOwnTypos->Caption() == L"Tippfehler selbst erzeugen");
  CHECK(d.Form->ChkOwnTypos->Checked());
  CHECK(d.Form->BtnOK->Caption() == L"OK");
  CHECK(d.Form->BtnOK->Default());
  CHECK(d.Form->BtnOK->ModalResult() == mrOk);
  CHECK(d.Form->PageControl->ActivePage() == d.Form->TabInfo);
  CHECK(d.Form->TabInfo->Caption() == L"Info");
  CHECK(d.Form->TabOptions->Caption() == L"Einstellungen");

  RECT ok = PageRectOf(d.Form->BtnOK);
  CHECK(ok.left == 102);
  CHECK(ok.top == 6);
  CHECK(ok.right - ok.left == 75);
  RECT bevel = PageRectOf(d.Form->Bevel1);
  CHECK(bevel.left == 3);
  CHECK(bevel.top == 123);
  // Designed 271 wide, it ends where the page does.
  CHECK(bevel.right - bevel.left == std::min(271, d.Form->TabInfo->ClientWidth() - 3));
  // The two options one under the other, aligned.
  RECT update = PageRectOf(d.Form->ChkAutoCheckUpdates), own = PageRectOf(d.Form->ChkOwnTypos);
  CHECK(own.left == update.left);
  CHECK(own.top >= update.bottom);
}

TEST_CASE("the pictures are the stored ones, at their sizes") {
  TInfoDialog d;
  // The stored PNG pictures are drawn at twice their size and shown at half.
  struct TExpect {
    TImage *Image;
    int Left, Top, Width, Height, Stored;
  } expected[] = {{d.Form->Image2, 18, 13, 32, 32, 1},
                  {d.Form->Image1, 8, 145, 60, 45, 2},
                  {d.Form->Image3, 95, 162, 145, 20, 1},
                  {d.Form->Image7, 44, 248, 188, 80, 2}};
  for (const TExpect &e : expected) {
    CAPTURE(e.Image->Name());
    REQUIRE(e.Image->Picture().Graphic() != nullptr);
    CHECK(e.Image->Picture().Width() == e.Width * e.Stored);
    CHECK(e.Image->Picture().Height() == e.Height * e.Stored);
    RECT r = PageRectOf(e.Image);
    CHECK(r.left == e.Left);
    CHECK(r.top == e.Top);
    CHECK(r.right - r.left == e.Width);
    CHECK(r.bottom - r.top == e.Height);
  }
  CHECK(d.Form->Image1->Picture().Graphic()->ClassName() == L"TdxPNGImage");
  CHECK(d.Form->Image7->Picture().Graphic()->ClassName() == L"TdxPNGImage");
  CHECK(d.Form->Image1->Picture().Graphic()->Transparent());
  CHECK_FALSE(d.Form->Image7->Picture().Graphic()->Transparent());
  for (TImage *link : {d.Form->Image1, d.Form->Image3, d.Form->Image7})
    CHECK(link->Cursor() == crHandPoint);

  // Transparent pictures let what lies beneath show where they draw nothing:
  // the logo's right margin and the lettering's background are not theirs.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  REQUIRE(GetWindowRgn(d.Form->Image1->Handle(), region) != ERROR);
  CHECK(PtInRegion(region, 30, 22));
  CHECK_FALSE(PtInRegion(region, 58, 22));
  REQUIRE(GetWindowRgn(d.Form->Image3->Handle(), region) != ERROR);
  CHECK_FALSE(PtInRegion(region, 0, 19));
  DeleteObject(region);
  // The opaque logo has no region at all.
  HRGN none = CreateRectRgn(0, 0, 0, 0);
  CHECK(GetWindowRgn(d.Form->Image7->Handle(), none) == ERROR);
  DeleteObject(none);
}

TEST_CASE("the pictures are read when the window is first made, not with the dialog") {
  // The dialog is made at start-up and shown much later, if at all.
  TInfoDialog d;
  for (TImage *image : {d.Form->Image2, d.Form->Image1, d.Form->Image3, d.Form->Image7})
    CHECK(image->Picture().Pending());
  d.Form->HandleNeeded();
  for (TImage *image : {d.Form->Image2, d.Form->Image1, d.Form->Image3, d.Form->Image7}) {
    CAPTURE(image->Name());
    CHECK_FALSE(image->Picture().Pending());
    CHECK(image->HandleAllocated());
  }
}

TEST_CASE("the mail link, the address links and the recommended tool open their addresses") {
  TInfoDialog d;
  d.Click(d.Form->LblEMail);
  REQUIRE(d.Opened.size() == 1);
  CHECK(d.Opened[0].File ==
        std::wstring(L"mailto:") + kMakerEmail + L"?subject=kalverin%20Tastenfang%202.00");
  CHECK_FALSE(d.Opened[0].Verb);
  CHECK(d.Opened[0].ShowCmd == SW_SHOWNORMAL);

  for (TControl *link : std::initializer_list<TControl *>{d.Form->Image1, d.Form->Image3,
                                                          d.Form->LblUrl})
    d.Click(link);
  REQUIRE(d.Opened.size() == 4);
  for (size_t i = 1; i < 4; ++i) CHECK(d.Opened[i].File == kMakerUrl);

  d.Click(d.Form->Image7);
  REQUIRE(d.Opened.size() == 5);
  CHECK(d.Opened[4].File == kMakerProductUrl);
}

TEST_CASE("the page shown last is shown again, and F1 gives context 3") {
  TInfoDialog d;
  std::vector<DWORD_PTR> contexts;
  Application->SetHelpFile(L"C:\\Tastenfang.CHM");
  HtmlHelpHook = [&](HWND, const std::wstring &, UINT ACommand, DWORD_PTR AData) {
    if (ACommand == HH_HELP_CONTEXT) contexts.push_back(AData);
    return HWND(nullptr);
  };
  TModalResult result = d.ShowModal(
      [&] {
        CHECK(IsWindowVisible(d.Form->Handle()));
        // The user clicks the second tab.
        RECT tab;
        HWND tabs = d.Form->PageControl->Handle();
        SendMessageW(tabs, TCM_GETITEMRECT, 1, LPARAM(&tab));
        test::MouseTo(tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        test::MouseButton(true);
        test::MouseButton(false);
        CHECK(d.Form->PageControl->ActivePage() == d.Form->TabOptions);
        CHECK(IsWindowVisible(d.Form->ChkAutoCheckUpdates->Handle()));
        CHECK(IsWindowVisible(d.Form->ChkOwnTypos->Handle()));
        SetFocus(d.Form->BtnOK->Handle());
        PostMessageW(d.Form->BtnOK->Handle(), WM_KEYDOWN, VK_F1, 1);
        test::PumpUntil([&] { return !contexts.empty(); });
      },
      [&] { SendMessageW(d.Form->BtnOK->Handle(), BM_CLICK, 0, 0); });
  HtmlHelpHook = nullptr;
  Application->SetHelpFile(L"");
  CHECK(result == mrOk);
  CHECK(contexts == std::vector<DWORD_PTR>{3});

  // Closed by the close box this time; the page stays.
  result = d.ShowModal([&] { CHECK(d.Form->PageControl->ActivePage() == d.Form->TabOptions); },
                       [&] { PostMessageW(d.Form->Handle(), WM_CLOSE, 0, 0); });
  CHECK(result == mrCancel);
  CHECK(d.Form->PageControl->ActivePage() == d.Form->TabOptions);
}

TEST_CASE("the dialog opens centred each time, also after the user moved it") {
  TInfoDialog d;
  for (int opening = 0; opening < 2; ++opening) {
    RECT shown{};
    d.ShowModal([&] { GetWindowRect(d.Form->Handle(), &shown); },
                [&] {
                  SetWindowPos(d.Form->Handle(), nullptr, 20, 30, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                  PostMessageW(d.Form->Handle(), WM_CLOSE, 0, 0);
                });
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    CHECK(shown.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    CHECK(shown.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  }
}

TEST_CASE("without GDI+ the dialog shows empty pictures and says nothing") {
  // What a missing gdiplus.dll leaves: no GDI+ picture class registered.
  GdiPlusClassesFinalize();
  test::TMessageBoxes boxes;
  {
    TInfoDialog d;
    CHECK(d.Form->Image1->Picture().Graphic() == nullptr);
    CHECK(d.Form->Image7->Picture().Graphic() == nullptr);
    // The others are the framework's own.
    CHECK(d.Form->Image3->Picture().Graphic() != nullptr);
    TModalResult result = d.ShowModal([&] { UpdateWindow(d.Form->Handle()); },
                                      [&] { PostMessageW(d.Form->Handle(), WM_CLOSE, 0, 0); });
    CHECK(result == mrCancel);
  }
  GdiPlusClassesInitialize();
  CHECK(boxes.Calls.empty());
}

TEST_CASE("the search group: every option inside it, none overlapping, in tab order") {
  TInfoDialog d;
  TFrmInfo &f = *d.Form;
  f.PageControl->SetActivePage(f.TabOptions);
  f.Show();
  test::PumpIdle();
  CHECK(test::WindowText(f.GrpSearch->Handle()) == L"Suche");
  const std::vector<TControl *> tabOrder = {f.ChkShowVariants, f.CbxSite, f.CbxListingType,
                                            f.CbxSortOrder,
                                            f.EdtPriceFrom, f.EdtPriceTo,     f.ChkDescriptions,
                                            f.CbxResultPages};
  const RECT group = PageRectOf(f.GrpSearch);
  RECT page;
  GetClientRect(f.TabOptions->Handle(), &page);
  CHECK(group.right <= page.right);
  CHECK(group.bottom <= page.bottom);
  CHECK(PageRectOf(f.ChkShowVariants).top >= PageRectOf(f.ChkOwnTypos).bottom);
  CHECK(group.top >= PageRectOf(f.ChkShowVariants).bottom);
  std::vector<RECT> placed;
  for (TControl *c : std::initializer_list<TControl *>{
           f.LblSite, f.CbxSite, f.LblListingType, f.CbxListingType, f.LblSortOrder,
           f.CbxSortOrder, f.LblPriceFrom, f.EdtPriceFrom, f.LblPriceTo, f.EdtPriceTo,
           f.ChkDescriptions, f.LblResultPages, f.CbxResultPages}) {
    CAPTURE(test::WindowText(c->Handle()));
    RECT r;
    GetWindowRect(c->Handle(), &r);
    MapWindowPoints(nullptr, f.GrpSearch->Handle(), reinterpret_cast<POINT *>(&r), 2);
    if (dynamic_cast<TComboBox *>(c)) r.bottom = r.top + 21; // without the list
    CHECK(r.left >= 2);
    CHECK(r.right <= group.right - group.left - 2);
    CHECK(r.bottom <= group.bottom - group.top - 2);
    RECT overlap;
    for (const RECT &other : placed) CHECK_FALSE(IntersectRect(&overlap, &r, &other));
    placed.push_back(r);
  }
  // Tab goes from the update options through the group in reading order.
  f.ChkOwnTypos->SetFocus();
  for (TControl *next : tabOrder) {
    f.SelectNext(f.ActiveControl(), true);
    test::PumpIdle();
    CHECK(f.ActiveControl() == next);
  }
  CHECK(f.CbxSite->Items().Count() == 3);
  CHECK(f.CbxSortOrder->Items()[3] == L"Niedrigster Preis inkl. Versand");
  f.Hide();
}
