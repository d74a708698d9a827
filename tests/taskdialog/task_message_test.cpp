// Message boxes through ShowTaskMessage, answered on screen. Under Wine the
// version rule takes the emulated window; the platform's own dialog is
// asked for where a case is about it.
#include <doctest.h>

#include "dialog_probe.h"
#include "native_seam.h"
#include "taskdialog/common_buttons.h"
#include "taskdialog/native_config.h"
#include "taskdialog/task_message.h"
#include "taskdialog/task_message_fill.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/platform.h"

namespace {
// Shows a message and presses the button with the identifier.
int Press(uint16_t AButtons, int AID, tdtest::TSeenDialog *ASeen = nullptr,
          uint8_t AKind = mtConfirmation, int AHelpContext = 0) {
  return tdtest::Answering(
      [&] { return ShowTaskMessage(L"Frage", L"Text", AKind, AButtons, AHelpContext); },
      [&](const tdtest::TSeenDialog &s) { tdtest::Click(s, AID); }, ASeen);
}

struct THelpRecorder {
  std::vector<DWORD_PTR> Contexts;
  std::wstring OldFile;
  THelpRecorder() : OldFile(Application->HelpFile()) {
    Application->SetHelpFile(L"C:\\Tastenfang.chm");
    HtmlHelpHook = [this](HWND, const std::wstring &, UINT, DWORD_PTR AData) -> HWND {
      Contexts.push_back(AData);
      return nullptr;
    };
  }
  ~THelpRecorder() {
    HtmlHelpHook = nullptr;
    Application->SetHelpFile(OldFile);
  }
};
} // namespace

TEST_CASE("message kinds give caption and icon") {
  struct TCase {
    uint8_t Kind;
    TTaskDialogIcon Icon;
    std::wstring Title;
    PCWSTR Resource;
  } cases[] = {{mtWarning, tiWarning, L"Warnung", MAKEINTRESOURCEW(84)},
               {mtError, tiError, L"Fehler", MAKEINTRESOURCEW(98)},
               {mtInformation, tiInformation, L"Informationen", MAKEINTRESOURCEW(81)},
               {mtConfirmation, tiQuestion, L"Best\u00e4tigen", MAKEINTRESOURCEW(99)},
               {mtCustom, tiBlank, L"", MAKEINTRESOURCEW(17)},
               {200, tiBlank, L"", MAKEINTRESOURCEW(17)}};
  for (const TCase &c : cases) {
    TAdvTaskDialog d(nullptr);
    PrepareTaskMessage(d, L"I", L"M", c.Kind, mbOK, 0, 0);
    CHECK(d.Icon() == c.Icon);
    CHECK(d.Title() == c.Title);
    CHECK(TTaskDialogConfig(d).Record().pszMainIcon == c.Resource);
    CHECK(d.Instruction() == L"I");
    CHECK(d.Content() == L"M");
    CHECK(d.Options() == TTaskDialogOptions{doAllowDialogCancel});
  }
  // On screen, as the program shows its error message.
  tdtest::TSeenDialog seen;
  int r = tdtest::Answering(
      [] {
        return ShowTaskMessage(L"Fehlender Suchbegriff", L"Bitte einen Begriff eingeben.", mtError,
                               mbOK, 0);
      },
      [](const tdtest::TSeenDialog &s) { tdtest::Click(s, IDOK); }, &seen);
  CHECK(r == mrOk);
  CHECK(seen.Caption == L"Fehler");
  CHECK(tdtest::HasStatic(seen, L"Fehlender Suchbegriff"));
  CHECK(tdtest::HasStatic(seen, L"Bitte einen Begriff eingeben."));
  REQUIRE(seen.Buttons.size() == 1);
  CHECK(seen.Buttons[0].ID == IDOK);
  // Wine resolves no icon for these identifiers without a module (Windows
  // takes them from its icon library), so the icon is checked in the record.
}

TEST_CASE("button sets become common and custom buttons with their identifiers") {
  TAdvTaskDialog d(nullptr);
  TTaskMessageButtons b =
      PrepareTaskMessage(d, L"", L"", mtCustom, 0xFFFF & ~(mbYesToAll | mbHelp), 0, 0);
  CHECK(d.CommonButtons() == TCommonButtons{cbYes, cbNo, cbOK, cbCancel, cbClose, cbRetry});
  CHECK(d.CustomButtons().Count() == 3);
  CHECK(b.Results == std::array<int, 4>{mrIgnore, mrAll, mrNoToAll, 0});
  CHECK(b.HelpButtonID == -1);

  tdtest::TSeenDialog seen;
  CHECK(Press(mbYes | mbNo | mbCancel | mbRetry | mbAbort | mbIgnore | mbAll | mbHelp | 0xF800,
              IDCANCEL, &seen) == mrCancel);
  for (int id : {IDYES, IDNO, IDCANCEL, IDRETRY, kEmulatedCloseButtonID})
    CHECK(tdtest::HasButton(seen, id));
  CHECK(tdtest::ButtonText(seen, kEmulatedCloseButtonID) == L"&Abbrechen");
  CHECK(tdtest::ButtonText(seen, IDCANCEL) == L"Abbrechen");
  CHECK_FALSE(tdtest::HasButton(seen, IDOK));
  CHECK(tdtest::ButtonText(seen, 100) == L"&Ignorieren");
  CHECK(tdtest::ButtonText(seen, 101) == L"&Alle");
  CHECK(tdtest::ButtonText(seen, 102) == L"&Hilfe");
  CHECK_FALSE(tdtest::HasButton(seen, 103));
}

TEST_CASE("default buttons") {
  struct TCase {
    uint8_t Selector;
    int Default;
  } cases[] = {{dbYes, 6},   {dbNo, 7},     {dbOK, 1}, {dbCancel, 2}, {dbAbort, 3},
               {dbRetry, 4}, {dbIgnore, 5}, {7, 0},    {255, 0}};
  for (const TCase &c : cases) {
    TAdvTaskDialog d(nullptr);
    PrepareTaskMessage(d, L"", L"", mtWarning, mbOK, 0, c.Selector);
    CHECK(d.DefaultButton() == c.Default);
  }
  // Yes is the default of a confirmation, No when asked for.
  tdtest::TSeenDialog seen;
  tdtest::Answering(
      [] { return ShowTaskMessage(L"Wirklich?", L"", mtConfirmation, mbYes | mbNo, 0); },
      [](const tdtest::TSeenDialog &s) { tdtest::Click(s, IDNO); }, &seen);
  CHECK(seen.Focused == IDYES);
  CHECK(seen.Caption == L"Best\u00e4tigen");
  tdtest::Answering(
      [] { return ShowTaskMessage(L"Wirklich?", L"", mtConfirmation, mbYes | mbNo, 0, dbNo); },
      [](const tdtest::TSeenDialog &s) { tdtest::Click(s, IDNO); }, &seen);
  CHECK(seen.Focused == IDNO);
}

TEST_CASE("the result mapping, pressed on screen") {
  CHECK(Press(mbOK, IDOK) == mrOk);
  CHECK(Press(mbYes | mbNo, IDYES) == mrYes);
  CHECK(Press(mbYes | mbNo, IDNO) == mrNo);
  CHECK(Press(mbOK | mbCancel, IDCANCEL) == mrCancel);
  CHECK(Press(mbRetry | mbCancel, IDRETRY) == mrRetry);
  // Abort is the Close button: 3 in the emulated window, mapped to Abort;
  // the platform's dialog reports 8, which is not mapped.
  CHECK(Press(mbAbort, kEmulatedCloseButtonID) == mrAbort);
  {
    tdtest::TNativePlatform native;
    CHECK(Press(mbAbort, kNativeCloseButtonID) == mrNone);
  }
  CHECK(Press(mbIgnore | mbAll, 100) == mrIgnore);
  CHECK(Press(mbIgnore | mbAll, 101) == mrAll);
  CHECK(Press(mbAll | mbNoToAll | mbYesToAll, 101) == mrNoToAll);
  CHECK(Press(mbAll | mbNoToAll | mbYesToAll, 102) == mrYesToAll);
  // The fourth custom button is recorded and shown, so it gives its result.
  CHECK(Press(mbIgnore | mbAll | mbNoToAll | mbYesToAll, 103) == mrYesToAll);

  // Escape presses OK, the cancel button of a message with OK alone; with
  // Cancel it presses Cancel; the close box cancels.
  int r = tdtest::Answering([] { return ShowTaskMessage(L"E", L"", mtError, mbOK, 0); },
                            [](const tdtest::TSeenDialog &s) { tdtest::PressKey(s, VK_ESCAPE); });
  CHECK(r == mrOk);
  r = tdtest::Answering([] { return ShowTaskMessage(L"E", L"", mtError, mbOK | mbCancel, 0); },
                        [](const tdtest::TSeenDialog &s) { tdtest::PressKey(s, VK_ESCAPE); });
  CHECK(r == mrCancel);
  r = tdtest::Answering([] { return ShowTaskMessage(L"E", L"", mtError, mbOK, 0); },
                        [](const tdtest::TSeenDialog &s) { PostMessageW(s.Wnd, WM_CLOSE, 0, 0); });
  CHECK(r == mrCancel);

  TTaskMessageButtons none;
  for (int pressed : {-1, 0, 5, 8, 9, 104, 200})
    CHECK(TaskMessageResult(none, pressed, 3) == mrNone);
}

TEST_CASE("the help button closes the message and opens the help") {
  THelpRecorder help;
  CHECK(Press(mbOK | mbHelp, 100, nullptr, mtInformation, 3) == mrNone);
  CHECK(help.Contexts == std::vector<DWORD_PTR>{3});
  CHECK(Press(mbOK | mbIgnore | mbHelp, 101, nullptr, mtInformation, 0) == mrNone);
  CHECK(help.Contexts.size() == 1); // no help context, no help
  CHECK(Press(mbOK | mbIgnore | mbHelp, 100, nullptr, mtInformation, 3) == mrIgnore);
  CHECK(help.Contexts.size() == 1);
}

TEST_CASE("all five extra buttons: shown, four results recorded, Help still helps") {
  THelpRecorder help;
  const uint16_t all = mbIgnore | mbAll | mbNoToAll | mbYesToAll | mbHelp;
  TAdvTaskDialog d(nullptr);
  TTaskMessageButtons b = PrepareTaskMessage(d, L"", L"", mtWarning, all, 3, 0);
  CHECK(b.Results == std::array<int, 4>{mrIgnore, mrAll, mrNoToAll, mrYesToAll});
  CHECK(b.HelpButtonID == 104);

  tdtest::TSeenDialog seen;
  CHECK(Press(all, 104, &seen, mtWarning, 3) == mrNone);
  CHECK(help.Contexts == std::vector<DWORD_PTR>{3});
  CHECK(tdtest::ButtonText(seen, 103) == L"A&lle Ja");
  CHECK(tdtest::ButtonText(seen, 104) == L"&Hilfe");
  CHECK(Press(all, 100, nullptr, mtWarning, 3) == mrIgnore);
  CHECK(Press(all, 103, nullptr, mtWarning, 3) == mrYesToAll);
  CHECK(help.Contexts.size() == 1);
}

TEST_CASE("the message belongs to the form that has the focus") {
  TForm *form = TForm::Create<TForm>(nullptr);
  form->SetCaption(L"Hauptfenster");
  form->Show();
  SetFocus(form->Handle());
  test::PumpUntil([&] { return GetFocus() == form->Handle(); });
  test::PumpIdle();
  HWND owner = nullptr;
  CHECK(Press(mbOK, IDOK) == mrOk);
  tdtest::Answering([] { return ShowTaskMessage(L"x", L"", mtError, mbOK, 0); },
                    [&](const tdtest::TSeenDialog &s) {
                      owner = GetWindow(s.Wnd, GW_OWNER);
                      tdtest::Click(s, IDOK);
                    });
  CHECK(owner == form->Handle());
  // The temporary component is gone again.
  CHECK(form->ComponentCount() == 0);
  delete form;
}

TEST_CASE("the emulated buttons carry the captions the framework's own dialog shows") {
  BindTaskDialogButtonCaptions();
  VisualStylesEnabledHook = [] { return true; };
  tdtest::TSeenDialog seen;
  int r = tdtest::Answering([] { return TaskMessageDlg(L"Frage", L"Text", mtConfirmation, mbYes | mbNo); },
                            [](const tdtest::TSeenDialog &s) { tdtest::Click(s, IDNO); }, &seen);
  VisualStylesEnabledHook = nullptr;
  CHECK(r == mrNo);
  CHECK(tdtest::ButtonText(seen, IDYES) == CommonButtonInfo(cbYes).Caption);
  CHECK(tdtest::ButtonText(seen, IDNO) == CommonButtonInfo(cbNo).Caption);
  CHECK(CommonButtonInfo(cbYes).Caption == L"&Ja");
}
