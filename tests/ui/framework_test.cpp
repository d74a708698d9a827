// The window framework's rules that the whole program stands on.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/streams.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/extctrls.h"
#include "ui/platform.h"
#include "ui/stdctrls.h"
#include "ui/timer.h"

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

TEST_CASE("the form's canvas keeps its platform font until the form's font changes") {
  auto *form = TForm::Create<TForm>(nullptr);
  const HFONT first = form->Canvas().Font().Handle();
  // Each call used to make the font anew, deleting the one handed out.
  form->Canvas();
  CHECK(GetObjectType(first) == OBJ_FONT);
  CHECK(form->Canvas().Font().Handle() == first);
  // The canvas still follows the form: a caller's change is undone, and a
  // change of the form's font is taken over.
  form->Canvas().Font().SetStyle(fsBold);
  CHECK(form->Canvas().Font().Style() == 0);
  const int before = form->Canvas().TextHeight(L"0");
  form->Font().SetHeight(form->Font().Height() * 2);
  CHECK(form->Canvas().Font().Height() == form->Font().Height());
  CHECK(form->Canvas().TextHeight(L"0") > before);
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

namespace {
// A control or form whose painting fails while asked to.
template <class TBase> class TFailingPaint : public TBase {
public:
  using TBase::TBase;
  bool Fail = true;
  int Paints = 0;

protected:
  void Paint(TCanvas &) override {
    ++Paints;
    if (Fail) throw Exception(L"Zeichnen fehlgeschlagen");
  }
};

// Handles what is waiting, a bounded number of messages: a region that
// stays invalid would bring WM_PAINT back for ever.
void PumpBounded() {
  MSG msg;
  for (int i = 0; i < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int GdiObjects() { return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }
} // namespace

TEST_CASE("a failing paint ends its paint and is reported once until a paint succeeds") {
  auto *form = TForm::Create<TFailingPaint<TForm>>(nullptr);
  form->SetBounds(10, 10, 200, 120);
  auto *control = new TFailingPaint<TControl>(form);
  control->SetBounds(0, 0, 50, 20);
  control->SetParent(form);
  form->Show();
  test::TMessageBoxes boxes;
  PumpBounded();
  const size_t first = boxes.Calls.size();
  CHECK(first == 2); // the form's paint and the control's
  const int objects = GdiObjects();
  for (int round = 0; round < 3; ++round) {
    InvalidateRect(form->Handle(), nullptr, TRUE);
    InvalidateRect(control->Handle(), nullptr, TRUE);
    PumpBounded();
  }
  // Each invalidation painted once: the regions were made valid again.
  CHECK(control->Paints == 4);
  CHECK(form->Paints == 4);
  RECT update;
  CHECK_FALSE(GetUpdateRect(control->Handle(), &update, FALSE));
  CHECK(boxes.Calls.size() == first);
  if (!boxes.Calls.empty()) CHECK(boxes.Calls[0].Text == L"Zeichnen fehlgeschlagen.");
  // Nothing of the failed paints is kept (Wine counts no GDI objects: 0).
  CHECK(GdiObjects() <= objects);

  // After a paint that works, the next failure is reported again.
  control->Fail = false;
  InvalidateRect(control->Handle(), nullptr, TRUE);
  PumpBounded();
  control->Fail = true;
  InvalidateRect(control->Handle(), nullptr, TRUE);
  PumpBounded();
  CHECK(boxes.Calls.size() == first + 1);
  delete form;
}

TEST_CASE("a form forgets controls that go away or move to another form") {
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetClientSize(200, 100);
  auto *panel = NewControl<TPanel>(form, form, L"Panel", 0, 0, 200, 100);
  auto *ok = NewControl<TButton>(form, panel, L"Ok", 10, 10, 75, 25);
  ok->SetDefault(true);
  auto *cancel = NewControl<TButton>(form, form, L"Cancel", 100, 10, 75, 25);
  cancel->SetCancel(true);
  auto *edit = NewControl<TCheckBox>(form, form, L"Check", 10, 50, 100, 21);
  edit->SetTabStop(true);
  form->Show();
  edit->SetFocus();
  REQUIRE(form->ActiveControl() == edit);
  REQUIRE(form->DefaultButton() == ok);

  delete cancel;
  CHECK(form->CancelButton() == nullptr);
  // The panel goes first; the default button on it, owned by the form,
  // is no longer on the form.
  delete panel;
  CHECK(form->DefaultButton() == nullptr);

  auto *other = TForm::Create<TForm>(nullptr);
  edit->SetParent(other);
  CHECK(form->ActiveControl() == nullptr);

  // Enter and Escape on the form now press nothing that is gone.
  MSG msg{form->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  CHECK_FALSE(form->PreProcessKey(msg));
  msg.wParam = VK_ESCAPE;
  CHECK_FALSE(form->PreProcessKey(msg));
  delete ok;
  delete form;
  delete other;
}

TEST_CASE("a page control forgets pages that go away or move to another page control") {
  auto *form = TForm::Create<TForm>(nullptr);
  form->SetClientSize(300, 200);
  auto *pages = NewControl<TPageControl>(form, form, L"Pages", 0, 0, 300, 200);
  auto *other = NewControl<TPageControl>(form, form, L"Other", 0, 0, 10, 10);
  TTabSheet *sheet[3];
  for (int i = 0; i < 3; ++i) {
    sheet[i] = new TTabSheet(form);
    sheet[i]->SetPageControl(pages);
    sheet[i]->SetCaption(L"Seite " + std::to_wstring(i + 1));
  }
  form->Show();
  pages->SetActivePage(sheet[1]);
  auto tabs = [&] { return int(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0)); };
  REQUIRE(tabs() == 3);

  // The active page goes: the first that is left becomes active.
  delete sheet[1];
  CHECK(pages->PageCount() == 2);
  CHECK(tabs() == 2);
  CHECK(pages->ActivePage() == sheet[0]);
  CHECK(sheet[0]->Visible());

  sheet[2]->SetPageControl(other);
  CHECK(pages->PageCount() == 1);
  CHECK(tabs() == 1);
  CHECK(other->PageCount() == 1);
  CHECK(sheet[2]->PageControl() == other);

  // Selecting the remaining tab by hand picks a page that exists.
  NMHDR change{pages->Handle(), 0, UINT(TCN_SELCHANGE)};
  SendMessageW(form->Handle(), WM_NOTIFY, 0, LPARAM(&change));
  CHECK(pages->ActivePage() == sheet[0]);

  // A page control that goes first leaves its pages without one.
  delete other;
  CHECK(sheet[2]->PageControl() == nullptr);
  delete form;
}

TEST_CASE("a halt raised in an event handler passes the window procedure as a halt") {
  test::TMessageBoxes boxes;
  auto *form = TForm::Create<TForm>(nullptr);
  auto *control = NewControl<TControl>(form, form, L"Halter", 0, 0, 50, 20);
  control->OnClick = [](TComponent *) { Application->Halt(5); };
  form->Show();
  HWND wnd = control->Handle();
  PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  int code = -1;
  try {
    for (int i = 0; i < 50; ++i) Application->ProcessMessages();
  } catch (const TProgramHalt &halt) {
    code = halt.ExitCode;
  }
  CHECK(code == 5);
  CHECK(boxes.Calls.empty());
  CHECK_FALSE(Application->HaltPending());
  MSG quit;
  CHECK_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  CHECK_FALSE(Application->Terminated());
  delete form;
}

TEST_CASE("a bitmap file is checked against its own length before it is read") {
  // A BMP of 2 x 2 pixels, 8 bits, four colours; the header fields given
  // as patches (offset, value, bytes) and bytes cut off the end.
  struct TPatch {
    size_t At;
    uint32_t Value, Bytes;
  };
  auto bmp = [](std::vector<TPatch> APatches, size_t ACut) {
    std::string b("BM\0\0\0\0\0\0\0\0\x46\0\0\0\x28\0\0\0\2\0\0\0\2\0\0\0\1\0\x08\0", 30);
    b += std::string(16, '\0') + std::string("\4\0\0\0\0\0\0\0", 8) + std::string(24, '\1');
    for (const TPatch &p : APatches) std::memcpy(b.data() + p.At, &p.Value, p.Bytes);
    return b.substr(0, b.size() - ACut);
  };
  const struct {
    const char *What;
    std::vector<TPatch> Patches;
    size_t Cut;
  } cases[] = {
      {"as written", {}, 0},
      {"header cut", {}, 50},
      {"header larger than the file", {{14, 4000, 4}}, 0},
      {"palette beyond the end", {{46, 200, 4}}, 0},
      {"more colours than the bits hold", {{46, 257, 4}}, 0},
      {"masks beyond the end", {{30, BI_BITFIELDS, 4}, {28, 32, 2}, {46, 0, 4}}, 20},
      {"rows that wrap round 32 bits", {{18, 0x40000000, 4}, {22, 1, 4}, {28, 32, 2}}, 0},
      {"height that cannot be negated", {{22, 0x80000000, 4}}, 0},
      {"compressed rows beyond the end", {{30, BI_RLE8, 4}, {34, 4000, 4}}, 0},
      {"huge compressed picture", {{18, 100000, 4}, {22, 100000, 4}, {30, BI_RLE8, 4}, {34, 8, 4}}, 0},
      {"no such depth", {{28, 7, 2}}, 0},
      {"rows cut", {}, 1},
  };
  for (const auto &c : cases) {
    const std::string what = c.What;
    CAPTURE(what);
    TBitmap bitmap;
    TMemoryStream data(bmp(c.Patches, c.Cut));
    if (what == "as written") {
      CHECK_NOTHROW(bitmap.LoadFromStream(data));
      CHECK(bitmap.Width() == 2);
    } else {
      CHECK_THROWS_AS(bitmap.LoadFromStream(data), EInvalidGraphic);
    }
  }
  // Real files: a good one compressed, and one cut short.
  for (const wchar_t *name : {L"misc\\bmp\\g\\pal8rle.bmp", L"misc\\bmp\\b\\shortfile.bmp"}) {
    const std::wstring path = test::TestDataPath(name);
    TBitmap bitmap;
    TMemoryStream data(test::ReadFileBytes(path));
    if (std::wstring(name).find(L"\\g\\") != std::wstring::npos)
      CHECK_NOTHROW(bitmap.LoadFromStream(data));
    else
      CHECK_THROWS_AS(bitmap.LoadFromStream(data), EInvalidGraphic);
  }
}

TEST_CASE("timers on several threads at once: each fires on its own thread, none is lost") {
  // Threads start and stop timers while the others' fire: the running
  // timers of one thread must neither disturb nor see another's.
  std::atomic<int> lost{0}, foreign{0};
  auto work = [&] {
    const DWORD me = GetCurrentThreadId();
    for (int round = 0; round < 40; ++round) {
      std::vector<std::unique_ptr<TTimer>> timers;
      std::vector<int> ticks(8, 0);
      for (size_t i = 0; i < ticks.size(); ++i) {
        timers.push_back(std::make_unique<TTimer>(nullptr));
        timers.back()->OnTimer = [&ticks, i, me, &foreign](TComponent *) {
          ++ticks[i];
          if (GetCurrentThreadId() != me) ++foreign;
        };
        timers.back()->SetInterval(1);
      }
      const DWORD start = GetTickCount();
      auto allTicked = [&] { return std::count(ticks.begin(), ticks.end(), 0) == 0; };
      while (!allTicked() && GetTickCount() - start < test::kWaitLimit) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      }
      if (!allTicked()) ++lost;
    }
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < 3; ++i) threads.emplace_back(work);
  for (std::thread &t : threads) t.join();
  CHECK(lost == 0);
  CHECK(foreign == 0);
}
