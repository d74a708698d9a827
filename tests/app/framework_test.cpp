// The window framework's rules that the whole program stands on.
#include <doctest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "ui/application.h"
#include "ui/platform.h"

namespace {
// Logs its destruction.
class TLogged : public TComponent {
public:
  TLogged(TComponent *AOwner, std::wstring AName, std::vector<std::wstring> &ALog)
      : TComponent(AOwner), FLog(ALog) {
    SetName(std::move(AName));
  }
  ~TLogged() override { FLog.push_back(Name()); }

private:
  std::vector<std::wstring> &FLog;
};
} // namespace

TEST_CASE("owned components die with their owner, last created first") {
  std::vector<std::wstring> log;
  auto *owner = new TLogged(nullptr, L"owner", log);
  new TLogged(owner, L"a", log);
  auto *b = new TLogged(owner, L"b", log);
  new TLogged(b, L"b1", log);
  new TLogged(owner, L"c", log);
  CHECK(owner->ComponentCount() == 3);
  CHECK(owner->FindComponent(L"B") == b);

  delete owner;
  // Each logs before its own components go.
  CHECK(log == std::vector<std::wstring>{L"owner", L"c", L"b", L"b1", L"a"});
}

TEST_CASE("deleting an owned component takes it out of its owner") {
  std::vector<std::wstring> log;
  auto *owner = new TLogged(nullptr, L"owner", log);
  auto *a = new TLogged(owner, L"a", log);
  new TLogged(owner, L"b", log);
  delete a;
  CHECK(owner->ComponentCount() == 1);
  delete owner;
  CHECK(log == std::vector<std::wstring>{L"a", L"owner", L"b"});
}

TEST_CASE("the general error report appends a full stop after codes above '.'") {
  test::TMessageBoxes boxes;
  struct TCase {
    std::wstring Message, Shown;
  } cases[] = {
      {L"In C:\\x.ini kann nicht geschrieben werden", L"In C:\\x.ini kann nicht geschrieben werden."},
      {L"Schon mit Punkt.", L"Schon mit Punkt."},
      {L"Fragezeichen?", L"Fragezeichen?."}, // '?' is 63
      {L"Ausruf!", L"Ausruf!"},              // '!' is 33
      {L"Klammer)", L"Klammer)"},            // ')' is 41
      {L"Strich-", L"Strich-"},              // '-' is 45
      {L"Pfad/", L"Pfad/."},                 // '/' is 47
      {L"Nummer 5", L"Nummer 5."},
      {L"", L""},
  };
  for (const TCase &c : cases) Application->HandleException(Exception(c.Message));
  REQUIRE(boxes.Calls.size() == std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    CAPTURE(i);
    CHECK(boxes.Calls[i].Text == cases[i].Shown);
    CHECK(boxes.Calls[i].Caption == L"kalverin Tastenfang");
    CHECK(boxes.Calls[i].Type == (MB_OK | MB_ICONERROR));
  }
}

TEST_CASE("an exception escaping an event handler is reported and the window lives on") {
  test::TMessageBoxes boxes;
  auto *form = TForm::Create<TForm>(nullptr);
  auto *control = new TControl(form);
  control->SetBounds(0, 0, 50, 20);
  control->SetParent(form);
  int clicks = 0;
  control->OnClick = [&](TComponent *) {
    ++clicks;
    throw Exception(L"Ereignis fehlgeschlagen");
  };
  form->Show();
  HWND wnd = control->Handle();
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CHECK(clicks == 1);
  REQUIRE(boxes.Calls.size() == 1);
  CHECK(boxes.Calls[0].Text == L"Ereignis fehlgeschlagen.");
  CHECK(IsWindow(wnd));
  // A second click works the same way: the program went on.
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  CHECK(clicks == 2);
  delete form;
  CHECK_FALSE(IsWindow(wnd));
}

TEST_CASE("a form gets the client size it asks for and keeps fixed constraints") {
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetClientSize(328, 147);
  RECT rc;
  GetClientRect(form->Handle(), &rc);
  CHECK(rc.right == 328);
  CHECK(rc.bottom == 147);
  int w = form->Width(), h = form->Height();
  form->SetConstraints({w, h, w, h});
  form->SetBounds(10, 20, w + 100, h - 50);
  GetWindowRect(form->Handle(), &rc);
  CHECK(rc.left == 10);
  CHECK(rc.top == 20);
  CHECK(rc.right - rc.left == w);
  CHECK(rc.bottom - rc.top == h);
  delete form;
}

TEST_CASE("stay-on-top switches the existing window in place") {
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetBounds(40, 50, 200, 100);
  form->Show();
  HWND wnd = form->Handle();
  RECT before;
  GetWindowRect(wnd, &before);
  form->SetFormStyle(fsStayOnTop);
  CHECK((GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  form->SetFormStyle(fsNormal);
  CHECK((GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
  RECT after;
  GetWindowRect(wnd, &after);
  CHECK(EqualRect(&before, &after));
  CHECK(form->Handle() == wnd);
  delete form;
}

TEST_CASE("a modal form returns the result that closed it") {
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetBorderStyle(bsDialog);
  form->SetClientSize(100, 60);
  int closes = 0;
  form->OnClose = [&](TComponent *, TCloseAction &) { ++closes; };
  SetTimer(form->Handle(), 1, 50, nullptr);
  form->OnShow = [&](TComponent *) {
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  CHECK(form->ShowModal() == mrCancel);
  CHECK(closes == 1);
  CHECK_FALSE(IsWindowVisible(form->Handle()));
  form->OnShow = [&](TComponent *) { form->SetModalResult(mrOk); };
  CHECK(form->ShowModal() == mrOk);
  delete form;
}
