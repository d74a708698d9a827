// The framework's smaller pieces in real windows: labels as window text,
// accelerators and Escape, timers, progress bars, the clipboard, window
// identifiers and text for screen readers.
#include <windows.h>

#include <commctrl.h>
#include <doctest.h>

#include <string>
#include <thread>

#include "test_support.h"
#include "ui/accessible_text.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/comctrls.h"
#include "ui/stdctrls.h"
#include "ui/timer.h"

namespace {
struct TTestForm {
  TForm *Form = TForm::Create<TForm>(nullptr);
  TTestForm() {
    Form->SetBorderStyle(bsDialog);
    Form->SetBounds(100, 100, 100, 100);
    Form->SetClientSize(300, 150);
  }
  ~TTestForm() { delete Form; }
  void Show() {
    Form->Show();
    test::PumpUntil([&] { return GetForegroundWindow() == Form->Handle(); });
    test::PumpIdle();
  }
};

} // namespace

TEST_CASE("a label's window text is its caption; a wrapping label takes its text's height") {
  TTestForm t;
  auto *label = NewControl<TLabel>(t.Form, t.Form, L"Label", 10, 10, 80, 13);
  label->SetCaption(L"Erste Zeile");
  t.Show();
  CHECK(test::WindowText(label->Handle()) == L"Erste Zeile");
  label->SetCaption(L"Zweite");
  CHECK(test::WindowText(label->Handle()) == L"Zweite");
  CHECK(label->Caption() == L"Zweite");

  const int line = label->Height();
  label->SetWordWrap(true);
  label->SetCaption(L"ein Text, der in achtzig Pixeln Breite mehrere Zeilen braucht");
  CHECK(label->Width() == 80);
  CHECK(label->Height() >= 3 * line);
  label->SetCaption(L"kurz");
  CHECK(label->Height() == line);

  // Without accelerators every "&" shows: the autosized label is wider by one.
  auto *plain = NewControl<TLabel>(t.Form, t.Form, L"Plain", 10, 60, 1, 13);
  auto *accel = NewControl<TLabel>(t.Form, t.Form, L"Accel", 10, 80, 1, 13);
  plain->SetShowAccelChar(false);
  plain->SetCaption(L"A&&B");
  accel->SetCaption(L"A&&B");
  CHECK(plain->Width() - accel->Width() == t.Form->Canvas().TextWidth(L"&"));
}

TEST_CASE("typed accelerators press buttons and check boxes; edits keep their letters") {
  TTestForm t;
  auto *yes = NewControl<TButton>(t.Form, t.Form, L"Yes", 10, 10, 75, 25);
  yes->SetCaption(L"&Ja");
  auto *other = NewControl<TButton>(t.Form, t.Form, L"Other", 90, 10, 75, 25);
  other->SetCaption(L"Andere");
  auto *check = NewControl<TCheckBox>(t.Form, t.Form, L"Check", 10, 40, 150, 17);
  check->SetCaption(L"&Merken");
  auto *edit = NewControl<TEdit>(t.Form, t.Form, L"Edit", 10, 70, 150, 21);
  int yesClicks = 0, otherClicks = 0;
  yes->OnClick = [&](TComponent *) { ++yesClicks; };
  other->OnClick = [&](TComponent *) { ++otherClicks; };
  t.Show();

  other->SetFocus();
  test::SendKey('J');
  CHECK(yesClicks == 1);
  test::SendKey('M', {VK_MENU}); // Alt+M
  CHECK(check->Checked());
  CHECK(check->Focused());
  test::SendKey('X'); // no accelerator: nothing
  CHECK(otherClicks == 0);

  edit->SetFocus();
  test::SendKey('J');
  CHECK(test::WindowText(edit->Handle()) == L"j");
  CHECK(yesClicks == 1);
  test::SendKey('J', {VK_MENU}); // Alt takes the accelerator also from an edit
  CHECK(yesClicks == 2);

  yes->SetEnabled(false);
  other->SetFocus();
  test::SendKey('J');
  CHECK(yesClicks == 2);
}

TEST_CASE("Escape ends a modal form without a cancel button, unless the form decides itself") {
  TTestForm t;
  auto *button = NewControl<TButton>(t.Form, t.Form, L"Button", 10, 10, 75, 25);
  button->SetCaption(L"Weiter");
  std::wstring seenChar;
  t.Form->OnKeyPress = [&](TComponent *, wchar_t &AKey) { seenChar += AKey; };
  test::WhenActive(t.Form, [] { test::SendKey(VK_ESCAPE); });
  CHECK(t.Form->ShowModal() == mrCancel);

  t.Form->SetEscapeCancels(false);
  bool stillOpen = false;
  test::WhenActive(t.Form, [&] {
    test::SendKey(VK_ESCAPE);
    stillOpen = IsWindowVisible(t.Form->Handle()) != FALSE;
    t.Form->SetModalResult(mrOk);
  });
  CHECK(t.Form->ShowModal() == mrOk);
  CHECK(stillOpen);
}

TEST_CASE("turning a button's default or cancel mark off leaves another button's alone") {
  TTestForm t;
  auto *a = NewControl<TButton>(t.Form, t.Form, L"A", 10, 10, 75, 25);
  auto *b = NewControl<TButton>(t.Form, t.Form, L"B", 90, 10, 75, 25);
  a->SetDefault(true);
  a->SetCancel(true);
  b->SetDefault(false);
  b->SetCancel(false);
  CHECK(t.Form->DefaultButton() == a);
  CHECK(t.Form->CancelButton() == a);
  a->SetDefault(false);
  CHECK(t.Form->DefaultButton() == nullptr);
}

TEST_CASE("a key preview sees each key once, also keys of the form's own window") {
  TTestForm t;
  t.Form->SetKeyPreview(true);
  auto *button = NewControl<TButton>(t.Form, t.Form, L"Button", 10, 10, 75, 25);
  int seen = 0;
  t.Form->OnKeyDown = [&](TComponent *, WORD &AKey, TShiftState) { seen += AKey == VK_F5; };
  t.Show();
  button->SetFocus();
  test::SendKey(VK_F5);
  CHECK(seen == 1);
  SetFocus(t.Form->Handle());
  test::SendKey(VK_F5);
  CHECK(seen == 2);
}

TEST_CASE("a timer ticks while enabled and never after it is stopped or gone") {
  int ticks = 0;
  auto *timer = new TTimer(nullptr);
  timer->SetInterval(50);
  timer->OnTimer = [&](TComponent *) { ++ticks; };
  CHECK(test::PumpUntil([&] { return ticks >= 3; }));
  // Silence is shown by a second timer of the same interval ticking on:
  // by its fourth tick the first would have ticked too.
  auto quietFor = [](int ATicks) {
    int other = 0;
    TTimer witness(nullptr);
    witness.SetInterval(50);
    witness.OnTimer = [&](TComponent *) { ++other; };
    return test::PumpUntil([&] { return other >= ATicks; });
  };
  timer->SetEnabled(false);
  const int stopped = ticks;
  CHECK(quietFor(4));
  CHECK(ticks == stopped);
  timer->SetEnabled(true);
  CHECK(test::PumpUntil([&] { return ticks > stopped; }));
  delete timer;
  const int gone = ticks;
  CHECK(quietFor(4));
  CHECK(ticks == gone);
}

TEST_CASE("a progress bar keeps range, position and marquee style across its window") {
  TTestForm t;
  auto *bar = NewControl<TProgressBar>(t.Form, t.Form, L"Bar", 10, 10, 200, 12);
  bar->SetMin(10);
  bar->SetMax(60);
  bar->SetPosition(35);
  t.Show();
  PBRANGE range{};
  SendMessageW(bar->Handle(), PBM_GETRANGE, 0, LPARAM(&range));
  CHECK(range.iLow == 10);
  CHECK(range.iHigh == 60);
  CHECK(bar->Position() == 35);
  bar->SetPosition(50);
  CHECK(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0) == 50);
  CHECK((GetWindowLongW(bar->Handle(), GWL_STYLE) & PBS_MARQUEE) == 0);
  bar->SetStyle(pbstMarquee);
  CHECK((GetWindowLongW(bar->Handle(), GWL_STYLE) & PBS_MARQUEE) != 0);
}

TEST_CASE("clipboard text, and a clipboard held elsewhere") {
  SetClipboardText(L"Zeile 1\r\nÄrger & Ölpreis");
  CHECK(test::ClipboardText() == L"Zeile 1\r\nÄrger & Ölpreis");

  // Another thread holds the clipboard open: nothing is copied, and the
  // failure says why in German.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(owner);
    SetEvent(opened);
    WaitForSingleObject(release, 10000);
    CloseClipboard();
    DestroyWindow(owner);
  });
  WaitForSingleObject(opened, 5000);
  std::wstring message;
  try {
    SetClipboardText(L"neu");
  } catch (const EClipboardException &E) {
    message = E.Message();
  }
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);
  CHECK(message.rfind(L"Zwischenablage kann nicht geöffnet werden: ", 0) == 0);
  CHECK(test::ClipboardText() == L"Zeile 1\r\nÄrger & Ölpreis");
}

TEST_CASE("window identifiers, and painted text readable by tools without taking paint or mouse") {
  TTestForm t;
  t.Form->SetColor(RGBColor(0, 128, 0));
  auto *button = NewControl<TButton>(t.Form, t.Form, L"Button", 10, 10, 75, 25);
  button->SetWindowID(101);
  auto *text = NewControl<TAccessibleText>(t.Form, t.Form, L"Text", 100, 50, 150, 60);
  text->SetCaption(L"Gemalter Text");
  t.Show();
  CHECK(GetDlgCtrlID(button->Handle()) == 101);
  button->SetWindowID(102);
  CHECK(GetDlgCtrlID(button->Handle()) == 102);

  CHECK(test::ClassName(text->Handle()) == L"Static");
  CHECK(test::WindowText(text->Handle()) == L"Gemalter Text");
  CHECK(IsWindowVisible(text->Handle()));
  POINT middle{175, 80};
  ClientToScreen(t.Form->Handle(), &middle);
  CHECK(WindowFromPoint(middle) == t.Form->Handle());
  HDC dc = GetDC(t.Form->Handle());
  CHECK(GetPixel(dc, 175, 80) == RGB(0, 128, 0));
  ReleaseDC(t.Form->Handle(), dc);
}
