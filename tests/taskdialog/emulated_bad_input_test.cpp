// Bad input for the emulated window: it opens within the screen's width,
// can be closed, and nothing crashes or hangs.
#include <windows.h>

#include <doctest.h>

#include "emulated_probe.h"
#include "test_support.h"
#include "ui/screen.h"

namespace {
// Opens the dialog, checks it fits the screen's width, closes it with the
// given key (Escape where the dialog may be cancelled, else Enter).
int OpenAndClose(TAdvTaskDialog &ADialog, WORD AKey = VK_ESCAPE) {
  int width = 0;
  bool visible = false;
  const int r = emtest::Run(ADialog, [&](TAdvMessageForm &f) {
    RECT rc;
    GetWindowRect(f.Handle(), &rc);
    width = rc.right - rc.left;
    visible = IsWindowVisible(f.Handle()) && rc.left >= 0;
    test::SendKey(AKey);
  });
  CHECK(visible);
  CHECK(width <= Screen->Width());
  return r;
}

std::wstring Prose(size_t ALength) {
  std::wstring text;
  while (text.size() < ALength) text += L"Wort und Satz, immer weiter. ";
  return text.substr(0, ALength);
}
} // namespace

TEST_CASE("an empty dialog: the program's name, one OK, nothing else") {
  TAdvTaskDialog d(nullptr);
  CHECK(OpenAndClose(d, VK_RETURN) == mrOk);
}

TEST_CASE("texts and captions of 100,000 characters, with and without words") {
  for (const std::wstring &text : {Prose(100000), std::wstring(100000, L'x')}) {
    TAdvTaskDialog d(nullptr);
    d.SetTitle(text);
    d.SetInstruction(text);
    d.SetContent(text);
    d.SetFooter(text);
    d.SetExpandedText(text);
    d.SetExpandControlText(text);
    d.SetCollapsControlText(text);
    d.SetVerificationText(text);
    d.RadioButtons().Add(text);
    d.CustomButtons().Add(text);
    d.SetOptions({doAllowDialogCancel, doExpandedDefault});
    CHECK(OpenAndClose(d) == mrCancel);
    d.SetOptions({doAllowDialogCancel, doHyperlinks, doCommandLinks});
    CHECK(OpenAndClose(d) == mrCancel);
  }
}

TEST_CASE("fifty custom buttons, fifty command links, fifty radio buttons") {
  TAdvTaskDialog d(nullptr);
  for (int i = 0; i < 50; ++i) {
    d.CustomButtons().Add(L"Knopf " + std::to_wstring(i));
    d.RadioButtons().Add(L"Wahl " + std::to_wstring(i));
  }
  d.SetOptions({doAllowDialogCancel});
  d.SetDefaultButton(149); // beyond the last
  d.SetDefaultRadioButton(-3);
  // A default naming no radio button selects the first, as the platform does.
  CHECK(OpenAndClose(d) == mrCancel);
  CHECK(d.RadioButtonResult() == 200);
  d.SetOptions({doAllowDialogCancel, doCommandLinks});
  d.SetDefaultButton(149);
  d.SetDefaultRadioButton(999);
  CHECK(OpenAndClose(d) == mrCancel);
  CHECK(d.RadioButtonResult() == 200);
  d.SetDefaultRadioButton(249);
  CHECK(OpenAndClose(d) == mrCancel);
  CHECK(d.RadioButtonResult() == 249);
}

TEST_CASE("malformed markup in every text") {
  const std::wstring bad = L"<a href=<b><font color=#zzzzzz size=-99999>&amp;&#;<<<<img "
                           L"src=\"file://nirgends\"><ul><li></a></a>\\n<hr <br";
  TAdvTaskDialog d(nullptr);
  d.SetTitle(bad);
  d.SetInstruction(bad);
  d.SetContent(bad);
  d.SetFooter(bad);
  d.SetFooterIcon(tfiShield);
  d.SetIcon(tiShield);
  d.SetExpandedText(bad);
  d.SetVerificationText(bad);
  d.CustomButtons().Add(bad);
  d.RadioButtons().Add(bad);
  d.SetOptions({doAllowDialogCancel, doHyperlinks, doExpandedDefault, doCommandLinks});
  test::TShellRequests shell; // whatever a click there finds, nothing opens
  CHECK(emtest::Run(d, [](TAdvMessageForm &f) {
          // Every text is hit-tested where the mouse goes and clicks.
          for (const TRect &r : {f.ContentRect(), f.ExpandedTextRect(), f.FooterRect()}) {
            f.AnchorAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            emtest::ClickAt(f, {r.left + 3, r.top + 3});
            emtest::ClickAt(f, {r.left + 3, r.top + 3}, true);
          }
          test::SendKey(VK_ESCAPE);
        }) == mrCancel);
  CHECK(shell.Calls.empty());
}

TEST_CASE("live text changes from the events while the window closes") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Anfang");
  d.SetContent(L"Inhalt");
  d.RadioButtons().Add(L"Eins");
  d.RadioButtons().Add(L"Zwei");
  d.SetVerificationText(L"Merken");
  d.SetCommonButtons({cbOK, cbCancel});
  d.SetOptions({doTimer});
  int ticks = 0;
  d.OnDialogTimer = [&](TComponent *) {
    d.SetContent(L"Tick " + std::to_wstring(++ticks) + L"\\nzweite Zeile");
    d.SetFooter(ticks % 2 ? L"Fuß" : L"");
  };
  d.OnDialogButtonClick = [&](TComponent *, int ID) {
    d.SetInstruction(L"Geklickt: " + std::to_wstring(ID));
  };
  d.OnDialogClose = [&](TComponent *, bool &) {
    d.SetExpandedText(L"spät");
    d.SetContent(Prose(5000));
    d.Clear();
  };
  const int r = emtest::RunSteps(d, {[&](TAdvMessageForm &f) {
                                       test::PumpUntil([&] { return ticks >= 3; });
                                       // The user's choice survives the changes.
                                       const TRect two = emtest::BoundsOf(f, L"Radio1");
                                       emtest::ClickAt(f, {two.left + 6, (two.top + two.bottom) / 2});
                                     },
                                     [&](TAdvMessageForm &) {
                                       test::PumpUntil([&] { return ticks >= 6; });
                                       test::SendKey(VK_RETURN);
                                     }});
  CHECK(r == mrOk);
  CHECK(d.RadioButtonResult() == 201);
  CHECK(d.Instruction().empty()); // cleared while closing
  // Once the window is gone, changes reach nothing.
  d.SetContent(L"danach");
  CHECK(d.hWnd() == nullptr);
}
