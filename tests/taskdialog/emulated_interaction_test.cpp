// The emulated window at work, driven with the real keyboard and mouse:
// default and cancel buttons, copying, closing, links, the timer, the
// events and the component's operations on the open window.
#include <windows.h>

#include <commctrl.h>
#include <doctest.h>

#include "emulated_probe.h"
#include "screen_shot.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/comctrls.h"
#include "ui/platform.h"
#include "ui/stdctrls.h"

namespace {
// Runs a dialog of common buttons and answers it with one key.
int AnswerWithKey(TCommonButtons AButtons, int ADefaultButton, WORD AKey,
                  TTaskDialogOptions AOptions = {doAllowDialogCancel}) {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Frage");
  d.SetCommonButtons(AButtons);
  d.SetDefaultButton(ADefaultButton);
  d.SetOptions(AOptions);
  return emtest::Run(d, [&](TAdvMessageForm &) { test::SendKey(AKey); });
}

// A point inside the window's close box, from the frame's metrics.
POINT CloseBox(HWND AWnd) {
  RECT window, client;
  GetWindowRect(AWnd, &window);
  GetClientRect(AWnd, &client);
  POINT origin{0, 0};
  ClientToScreen(AWnd, &origin);
  const int caption = origin.y - window.top;
  // Screen to client coordinates of the caption bar's right end.
  return {int(window.right - origin.x) - caption / 2 - 2, -caption / 2 + 1};
}
} // namespace

TEST_CASE("Escape and Enter: the cancel button, the default button, or cancellation") {
  // OK alone, as the program shows its error: OK is also the cancel button.
  CHECK(AnswerWithKey({cbOK}, 6, VK_ESCAPE) == mrOk);
  // Yes and No, the dialog choosing: Yes is the default, No the cancel button.
  CHECK(AnswerWithKey({cbYes, cbNo}, 0, VK_ESCAPE) == mrNo);
  CHECK(AnswerWithKey({cbYes, cbNo}, 0, VK_RETURN) == mrYes);
  // Yes and No with Yes named: no cancel button; Escape cancels the dialog.
  CHECK(AnswerWithKey({cbYes, cbNo}, 6, VK_ESCAPE) == mrCancel);
  CHECK(AnswerWithKey({cbYes, cbNo}, 7, VK_RETURN) == mrNo);
  // Without doAllowDialogCancel Escape does nothing at all.
  TAdvTaskDialog d(nullptr);
  d.SetCommonButtons({cbYes, cbNo});
  d.SetDefaultButton(6);
  bool stayed = false;
  CHECK(emtest::Run(d, [&](TAdvMessageForm &f) {
          test::SendKey(VK_ESCAPE);
          stayed = f.ModalResult() == mrNone && IsWindowVisible(f.Handle());
          test::SendKey('N'); // the accelerator of "&Nein"
        }) == mrNo);
  CHECK(stayed);
}

TEST_CASE("the fallback OK closes with 1 without a button event") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Nur Text");
  int events = 0;
  d.OnDialogButtonClick = [&](TComponent *, int) { ++events; };
  CHECK(emtest::Run(d, [](TAdvMessageForm &f) {
          const TRect ok = emtest::BoundsOf(f, L"OK");
          emtest::ClickAt(f, {(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
        }) == mrOk);
  CHECK(events == 0);
}

TEST_CASE("Ctrl+C copies title, instruction and content; only plain Ctrl+C beeps") {
  test::TBeeps beeps;
  TAdvTaskDialog d(nullptr);
  d.SetTitle(L"Titel");
  d.SetInstruction(L"Anweisung");
  d.SetContent(L"Inhalt mit <b>Markup</b>");
  d.SetFooter(L"Fußzeile");
  d.CustomButtons().Add(L"Knopf");
  std::wstring copied[2];
  int beepsAfter[2] = {};
  emtest::Run(d, [&](TAdvMessageForm &f) {
    SetClipboardText(L"vorher");
    test::SendKey('C', {VK_CONTROL});
    copied[0] = test::ClipboardText();
    beepsAfter[0] = beeps.Count;
    SetClipboardText(L"vorher");
    test::SendKey('C', {VK_CONTROL, VK_SHIFT});
    copied[1] = test::ClipboardText();
    beepsAfter[1] = beeps.Count;
    f.CloseDialog(mrOk);
  });
  CHECK(copied[0] == L"Titel\r\nAnweisung\r\nInhalt mit <b>Markup</b>");
  CHECK(copied[1] == copied[0]);
  CHECK(beepsAfter[0] == 1);
  CHECK(beepsAfter[1] == 1);

  d.SetTitle(L"");
  emtest::Run(d, [&](TAdvMessageForm &f) {
    test::SendKey('C', {VK_CONTROL});
    copied[0] = test::ClipboardText();
    f.CloseDialog(mrOk);
  });
  CHECK(copied[0] == L"\r\nAnweisung\r\nInhalt mit <b>Markup</b>");
}

TEST_CASE("Alt+F4 does not close the window; its close box does, with 2") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Schließen?");
  d.SetCommonButtons({cbOK});
  d.SetOptions({doAllowDialogCancel});
  int closes = 0;
  d.OnDialogClose = [&](TComponent *, bool &) { ++closes; };
  bool afterAltF4 = false, hasCloseBox = false;
  // After the swallowed Alt+F4 the window still answers its keys.
  CHECK(emtest::RunSteps(d, {[&](TAdvMessageForm &) { test::SendKey(VK_F4, {VK_MENU}); },
                             [&](TAdvMessageForm &f) {
                               afterAltF4 = IsWindowVisible(f.Handle()) != FALSE;
                               test::SendKey(VK_RETURN);
                             }}) == mrOk);
  CHECK(afterAltF4);
  CHECK(closes == 1);
  CHECK(emtest::Run(d, [&](TAdvMessageForm &f) {
          hasCloseBox = (GetWindowLongW(f.Handle(), GWL_STYLE) & WS_SYSMENU) != 0;
          emtest::ClickAt(f, CloseBox(f.Handle()));
        }) == mrCancel);
  CHECK(hasCloseBox);
  CHECK(closes == 2);

  // Without doAllowDialogCancel there is no close box.
  TAdvTaskDialog plain(nullptr);
  plain.SetCommonButtons({cbOK});
  emtest::Run(plain, [&](TAdvMessageForm &f) {
    hasCloseBox = (GetWindowLongW(f.Handle(), GWL_STYLE) & WS_SYSMENU) != 0;
    test::SendKey(VK_RETURN);
  });
  CHECK_FALSE(hasCloseBox);
}

TEST_CASE("links: hand cursor, any button opens, in the footer too") {
  test::TShellRequests shell;
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Verweise");
  d.SetOptions({doHyperlinks});
  d.SetContent(L"Siehe <a href=\"http://www.example.com/inhalt\">Inhaltslink</a> und "
               L"<a href=\"kein-schema\">Fehllink</a>");
  d.SetFooter(L"<a href=\"http://www.example.com/fuss\">Fußlink</a> am Anfang");
  d.SetFooterIcon(tfiInformation);
  d.SetCommonButtons({cbOK});
  bool hand = false, arrowAway = false, iconIsNoLink = false;
  std::vector<std::wstring> handled;
  emtest::Run(d, [&](TAdvMessageForm &f) {
    const POINT content = emtest::LinkPoint(f, f.ContentRect());
    REQUIRE(content.x >= 0);
    test::MouseTo(f.Handle(), content.x, content.y);
    hand = GetCursor() == LoadCursorW(nullptr, IDC_HAND);
    emtest::ClickAt(f, content);
    emtest::ClickAt(f, content, true); // the right button opens it as well
    test::MouseTo(f.Handle(), 2, 2);
    arrowAway = GetCursor() == LoadCursorW(nullptr, IDC_ARROW);

    // The footer's link starts after its icon: the icon is no link.
    const TRect footer = f.FooterRect();
    iconIsNoLink = f.AnchorAt(footer.left + 8, footer.top + 6).empty();
    const POINT foot = emtest::LinkPoint(f, footer);
    REQUIRE(foot.x >= footer.left + 20);
    emtest::ClickAt(f, foot);

    // An address without a scheme opens nothing.
    TRect rest = f.ContentRect();
    rest.left = content.x + f.Canvas().TextWidth(L"Inhaltslink und");
    const POINT bad = emtest::LinkPoint(f, rest);
    REQUIRE(bad.x >= 0);
    CHECK(f.AnchorAt(bad.x, bad.y) == L"kein-schema");
    emtest::ClickAt(f, bad);

    // A handler takes every address instead of the shell.
    d.OnDialogHyperlinkClick = [&](TComponent *, const std::wstring &A) { handled.push_back(A); };
    emtest::ClickAt(f, bad);
    emtest::ClickAt(f, content);
    f.CloseDialog(mrOk);
  });
  CHECK(hand);
  CHECK(arrowAway);
  CHECK(iconIsNoLink);
  REQUIRE(shell.Calls.size() == 3);
  for (const TShellExecuteRequest &call : shell.Calls) {
    // Opened by the desktop's default handler, never elevated.
    CHECK(call.Verb == std::optional<std::wstring>(L"open"));
    CHECK_FALSE(call.Parameters.has_value());
  }
  CHECK(shell.Calls[0].File == L"http://www.example.com/inhalt");
  CHECK(shell.Calls[1].File == L"http://www.example.com/inhalt");
  CHECK(shell.Calls[2].File == L"http://www.example.com/fuss");
  CHECK(handled == std::vector<std::wstring>{L"kein-schema", L"http://www.example.com/inhalt"});

  // Without doHyperlinks content and details are painted as plain text:
  // link markup there is no target. The footer is always markup.
  TAdvTaskDialog plain(nullptr);
  plain.SetInstruction(L"Verweise");
  plain.SetOptions({doExpandedDefault});
  plain.SetContent(L"<a href=\"http://www.example.com/inhalt\">Inhaltslink</a> am Anfang");
  plain.SetExpandedText(L"<a href=\"http://www.example.com/mehr\">Mehrlink</a> am Anfang");
  plain.SetFooter(L"<a href=\"http://www.example.com/fuss\">Fußlink</a> am Anfang");
  plain.SetCommonButtons({cbOK});
  POINT inContent{}, inDetails{}, inFooter{};
  emtest::Run(plain, [&](TAdvMessageForm &f) {
    inContent = emtest::LinkPoint(f, f.ContentRect());
    inDetails = emtest::LinkPoint(f, f.ExpandedTextRect());
    inFooter = emtest::LinkPoint(f, f.FooterRect());
    f.CloseDialog(mrOk);
  });
  CHECK(inContent.x == -1);
  CHECK(inDetails.x == -1);
  CHECK(inFooter.x >= 0);
}

TEST_CASE("the timer: AutoClose on the eleventh tick, timer and progress events") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Warten");
  d.SetOptions({doTimer, doProgressBar});
  d.SetAutoClose(true);
  d.SetAutoCloseTimeOut(1000);
  d.SetCommonButtons({cbOK});
  int ticks = 0;
  std::vector<int> positions;
  d.OnDialogTimer = [&](TComponent *) { ++ticks; };
  d.OnDialogProgress = [&](TComponent *, int &Pos, TTaskDialogProgressState &State) {
    positions.push_back(Pos);
    Pos += 10;
    State = psError;
  };
  int barState = -1, barPos = -1;
  d.OnDialogCreated = [&](TComponent *) {};
  test::TDialogWatcher watcher([&](HWND AWnd) {
    auto *f = dynamic_cast<TAdvMessageForm *>(TControl::FromHandle(AWnd));
    test::PumpUntil([&] { return positions.size() >= 3; });
    HWND bar = emtest::Child(*f, L"ProgressBar")->Handle();
    barState = int(SendMessageW(bar, PBM_GETSTATE, 0, 0));
    barPos = int(SendMessageW(bar, PBM_GETPOS, 0, 0));
  });
  d.SetNonNativeDialog(nndAlways);
  CHECK(d.Execute() == mrCancel);
  CHECK(ticks == 11);
  REQUIRE(positions.size() == 11);
  CHECK(positions[1] == 10);
  CHECK(positions[10] == 100);
  // psError is not shown by the emulated bar.
  CHECK(barState == PBST_NORMAL);
  CHECK(barPos >= 30);

  // Without a time-out nothing closes the window.
  d.SetAutoCloseTimeOut(0);
  ticks = 0;
  CHECK(emtest::Run(d, [&](TAdvMessageForm &) {
          test::PumpUntil([&] { return ticks >= 14; });
          test::SendKey(VK_RETURN);
        }) == mrOk);
  CHECK(ticks >= 14);
}

TEST_CASE("button, radio and verification events, a refusing close handler, and the focus") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Auswahl");
  d.CustomButtons().Add(L"&Weiter");
  d.CustomButtons().Add(L"&Später");
  d.RadioButtons().Add(L"&Erste");
  d.RadioButtons().Add(L"&Zweite");
  d.SetVerificationText(L"&Nicht mehr fragen");
  d.SetCommonButtons({cbCancel});
  d.SetDefaultButton(101);
  std::vector<std::wstring> log;
  bool refuse = true;
  d.OnDialogButtonClick = [&](TComponent *, int ID) { log.push_back(L"button " + std::to_wstring(ID)); };
  d.OnDialogRadioClick = [&](TComponent *, int ID) { log.push_back(L"radio " + std::to_wstring(ID)); };
  d.OnDialogVerifyClick = [&](TComponent *, bool C) { log.push_back(C ? L"verify 1" : L"verify 0"); };
  d.OnDialogClose = [&](TComponent *, bool &CanClose) {
    log.push_back(L"close");
    CanClose = !refuse;
  };
  std::wstring focused;
  bool openAfterRefusal = false;
  const int r = emtest::RunSteps(
      d, {[&](TAdvMessageForm &) {
            // The default custom button has the focus.
            if (TControl *c = TControl::FromHandle(GetFocus())) focused = c->Name();
            log.clear();
            test::SendKey('Z', {VK_MENU});
            test::SendKey('N', {VK_MENU});
            test::SendKey('W', {VK_MENU});
          },
          [&](TAdvMessageForm &f) {
            openAfterRefusal = IsWindowVisible(f.Handle()) != FALSE;
            refuse = false;
            test::SendKey(VK_ESCAPE); // the Cancel button
          }});
  CHECK(focused == L"CSButton1");
  CHECK(r == mrCancel);
  CHECK(openAfterRefusal);
  CHECK(log == std::vector<std::wstring>{L"radio 201", L"verify 1", L"button 100", L"close",
                                         L"button 2", L"close"});
  CHECK(d.RadioButtonResult() == 201);
  CHECK(d.VerifyResult());
}

TEST_CASE("the component clicks, enables and closes buttons of the open window") {
  TAdvTaskDialog d(nullptr);
  d.CustomButtons().Add(L"Eins");
  d.CustomButtons().Add(L"Zwei");
  d.SetCommonButtons({cbOK, cbClose});
  bool disabled = false, enabledAgain = false;
  CHECK(emtest::Run(d, [&](TAdvMessageForm &f) {
          d.EnableButton(101, false);
          disabled = !IsWindowEnabled(emtest::Child(f, L"CSButton1")->Handle());
          d.EnableButton(101, true);
          enabledAgain = IsWindowEnabled(emtest::Child(f, L"CSButton1")->Handle()) != FALSE;
          d.ClickButton(101);
        }) == 101);
  CHECK(disabled);
  CHECK(enabledAgain);
  CHECK(emtest::Run(d, [&](TAdvMessageForm &) { d.ClickButton(kEmulatedCloseButtonID); }) ==
        kEmulatedCloseButtonID);
  CHECK(emtest::Run(d, [&](TAdvMessageForm &) { d.Close(); }) == mrCancel);
  // Gone: the operations touch nothing.
  d.ClickButton(100);
  d.Close();
  CHECK(d.hWnd() == nullptr);
}

TEST_CASE("F1 opens the help of the dialog's help context") {
  std::vector<DWORD_PTR> contexts;
  const std::wstring oldFile = Application->HelpFile();
  Application->SetHelpFile(L"C:\\Tastenfang.chm");
  HtmlHelpHook = [&](HWND, const std::wstring &, UINT, DWORD_PTR AData) -> HWND {
    contexts.push_back(AData);
    return nullptr;
  };
  TAdvTaskDialog d(nullptr);
  d.SetCommonButtons({cbOK});
  d.SetHelpContext(7);
  emtest::Run(d, [](TAdvMessageForm &) {
    test::SendKey(VK_F1);
    test::SendKey(VK_RETURN);
  });
  d.SetHelpContext(0);
  emtest::Run(d, [](TAdvMessageForm &) {
    test::SendKey(VK_F1);
    test::SendKey(VK_RETURN);
  });
  HtmlHelpHook = nullptr;
  Application->SetHelpFile(oldFile);
  CHECK(contexts == std::vector<DWORD_PTR>{7});
}

TEST_CASE("activated again, the window gives the keyboard back to its control") {
  TForm *other = TForm::Create<TForm>(nullptr);
  other->SetBounds(0, 0, 200, 100);
  TAdvTaskDialog d(nullptr);
  d.SetCommonButtons({cbYes, cbNo});
  d.SetDefaultButton(7);
  std::wstring focused;
  CHECK(emtest::Run(d, [&](TAdvMessageForm &f) {
          // Another program's window takes the activation for a while.
          EnableWindow(other->Handle(), TRUE);
          other->Show();
          test::PumpUntil([&] { return GetForegroundWindow() == other->Handle(); });
          SetForegroundWindow(f.Handle());
          test::PumpUntil([&] {
            return GetForegroundWindow() == f.Handle() && IsChild(f.Handle(), GetFocus());
          });
          test::PumpIdle();
          if (TControl *c = TControl::FromHandle(GetFocus())) focused = c->Name();
          test::SendKey(VK_RETURN);
        }) == mrNo);
  CHECK(focused == L"No");
  delete other;
}

TEST_CASE("what the window paints: white above, the footer band and its lines below") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Farben");
  d.SetContent(L"Inhalt");
  d.SetFooter(L"Fußzeile");
  d.SetCommonButtons({cbOK});
  d.SetFooterColor(RGBColor(200, 220, 240));
  d.SetFooterLineColor(RGBColor(10, 120, 10));
  emtest::Run(d, [&](TAdvMessageForm &f) {
    const TShot shot(f.Handle());
    const int vs = emtest::UnitsOf(f.Font()).VertSpacing;
    const int band = f.WhiteWindowHeight() - vs / 2;
    CHECK(shot.At(3, 3) == ColorToRGB(clWindow));
    CHECK(shot.At(3, band - 1) == ColorToRGB(clWindow));
    CHECK(shot.At(3, band) == RGBColor(10, 120, 10));
    CHECK(shot.At(3, band + 2) == RGBColor(200, 220, 240));
    CHECK(shot.At(shot.Width() - 2, shot.Height() - 2) == RGBColor(200, 220, 240));
    // The footer's separator: grey, then white, from x = 2 to width - 3.
    const int line = f.FooterRect().top - vs;
    CHECK(shot.At(2, line) == RGBColor(223, 223, 223));
    CHECK(shot.At(shot.Width() - 4, line + 1) == RGBColor(255, 255, 255));
    CHECK(shot.At(1, line) == RGBColor(200, 220, 240));
    // Ink of the content's text in its rectangle.
    const TRect content = f.ContentRect();
    CHECK(shot.Count([](TColor C) { return R(C) < 100 && G(C) < 100 && B(C) < 100; }, content) >
          10);
    f.CloseDialog(mrOk);
  });
}
