// Filling the platform's task dialog record from the component, without
// showing anything.
#include <doctest.h>

#include <cwchar>

#include "taskdialog/native_config.h"
#include "taskdialog/task_dialog.h"
#include "ui/application.h"

namespace {
std::wstring Text(PCWSTR AText) {
  return AText ? std::wstring(AText) : L"<null>";
}
DWORD FlagsOf(TAdvTaskDialog &ADialog) {
  return TTaskDialogConfig(ADialog).Record().dwFlags;
}
} // namespace

TEST_CASE("line markers: a doubled backslash keeps one marker, else markers break lines") {
  CHECK(ConvertLineMarkers(L"Zeile eins\\nZeile zwei") == L"Zeile eins\nZeile zwei");
  CHECK(ConvertLineMarkers(L"a\\nb\\nc") == L"a\nb\nc");
  CHECK(ConvertLineMarkers(L"Pfad C:\\\\neu") == L"Pfad C:\\neu");
  // With a doubled marker anywhere, single markers stay as they are.
  CHECK(ConvertLineMarkers(L"x\\\\ny\\nz") == L"x\\ny\\nz");
  CHECK(ConvertLineMarkers(L"C:\\temp\\x") == L"C:\\temp\\x");
  CHECK(ConvertLineMarkers(L"") == L"");
  CHECK(ConvertLineMarkers(L"ends with \\") == L"ends with \\");
}

TEST_CASE("the record carries the texts, markers converted only where they belong") {
  TAdvTaskDialog d(nullptr);
  TTaskDialogConfig empty(d);
#if defined(_WIN64)
  CHECK(empty.Record().cbSize == 160);
#else
  CHECK(empty.Record().cbSize == 96);
#endif
  for (PCWSTR t : {empty.Record().pszWindowTitle, empty.Record().pszMainInstruction,
                   empty.Record().pszContent, empty.Record().pszFooter,
                   empty.Record().pszExpandedInformation, empty.Record().pszVerificationText,
                   empty.Record().pszExpandedControlText, empty.Record().pszCollapsedControlText})
    CHECK(t == nullptr);
  CHECK(empty.Record().cButtons == 0);
  CHECK(empty.Record().pButtons == nullptr);
  CHECK(empty.Record().cRadioButtons == 0);

  d.SetTitle(L"T\\nitel");
  d.SetInstruction(L"I\\nnstruktion");
  d.SetContent(L"In\\nhalt");
  d.SetFooter(L"Fu\\\\nss");
  d.SetExpandedText(L"De\\ntails");
  d.SetVerificationText(L"Nicht\\nmehr");
  d.SetExpandControlText(L"Weniger\\n");
  d.SetCollapsControlText(L"Mehr\\n");
  d.CustomButtons().Add(L"Eins\\nzwei");
  d.CustomButtons().Add(L"Drei");
  d.RadioButtons().Add(L"R\\n0");
  d.SetCommonButtons({cbOK, cbCancel, cbClose});
  d.SetDefaultButton(101);
  d.SetDefaultRadioButton(200);
  TTaskDialogConfig c(d);
  const TASKDIALOGCONFIG &r = c.Record();
  CHECK(Text(r.pszWindowTitle) == L"T\nitel");
  CHECK(Text(r.pszMainInstruction) == L"I\nnstruktion");
  CHECK(Text(r.pszContent) == L"In\nhalt");
  CHECK(Text(r.pszFooter) == L"Fu\\nss");
  CHECK(Text(r.pszExpandedInformation) == L"De\\ntails");
  CHECK(Text(r.pszVerificationText) == L"Nicht\\nmehr");
  CHECK(Text(r.pszExpandedControlText) == L"Weniger\\n");
  CHECK(Text(r.pszCollapsedControlText) == L"Mehr\\n");
  REQUIRE(r.cButtons == 2);
  CHECK(r.pButtons[0].nButtonID == 100);
  CHECK(Text(r.pButtons[0].pszButtonText) == L"Eins\nzwei");
  CHECK(r.pButtons[1].nButtonID == 101);
  REQUIRE(r.cRadioButtons == 1);
  CHECK(r.pRadioButtons[0].nButtonID == 200);
  CHECK(Text(r.pRadioButtons[0].pszButtonText) == L"R\n0");
  CHECK(r.dwCommonButtons == (TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON | TDCBF_CLOSE_BUTTON));
  CHECK(r.nDefaultButton == 101);
  CHECK(r.nDefaultRadioButton == 200);
  CHECK(r.cxWidth == 0);
  CHECK(r.hInstance == nullptr);
  CHECK(bool(r.pfCallback == &TCustomAdvTaskDialog::TaskDialogCallback));
  CHECK(r.lpCallbackData == LONG_PTR(&d));

  d.SetCommonButtons({cbYes, cbNo, cbRetry});
  CHECK(TTaskDialogConfig(d).Record().dwCommonButtons ==
        (TDCBF_YES_BUTTON | TDCBF_NO_BUTTON | TDCBF_RETRY_BUTTON));
}

TEST_CASE("button captions longer than their slot are cut without overrunning it") {
  TAdvTaskDialog d(nullptr);
  const std::wstring longCaption(2000, L'x');
  d.CustomButtons().Add(longCaption);
  d.CustomButtons().Add(std::wstring(1023, L'y'));
  d.RadioButtons().Add(std::wstring(1024, L'z'));
  const std::wstring longContent(5000, L'c');
  d.SetContent(longContent);
  TTaskDialogConfig c(d);
  CHECK(std::wcslen(c.Record().pButtons[0].pszButtonText) == 1023);
  CHECK(std::wcslen(c.Record().pButtons[1].pszButtonText) == 1023);
  CHECK(std::wcslen(c.Record().pRadioButtons[0].pszButtonText) == 1023);
  // The neighbouring slot is untouched by the long first caption.
  CHECK(c.Record().pButtons[1].pszButtonText[0] == L'y');
  // Only button captions have slots; the content goes whole.
  CHECK(std::wcslen(c.Record().pszContent) == longContent.size());
}

TEST_CASE("native flags follow the options") {
  TAdvTaskDialog d(nullptr);
  CHECK(FlagsOf(d) == 0);

  SUBCASE("command links only with custom buttons") {
    d.SetOptions({doCommandLinks});
    CHECK((FlagsOf(d) & TDF_USE_COMMAND_LINKS) == 0);
    d.CustomButtons().Add(L"Weiter");
    CHECK(FlagsOf(d) == TDF_USE_COMMAND_LINKS);
    d.SetOptions({doCommandLinks, doCommandLinksNoIcon});
    CHECK(FlagsOf(d) == TDF_USE_COMMAND_LINKS_NO_ICON);
  }
  SUBCASE("the timer flag from each of its four causes") {
    for (TTaskDialogOption o : {doProgressBar, doProgressBarMarquee, doTimer}) {
      d.SetOptions({o});
      CHECK((FlagsOf(d) & TDF_CALLBACK_TIMER) != 0);
    }
    d.SetOptions({});
    d.SetAutoClose(true);
    CHECK(FlagsOf(d) == TDF_CALLBACK_TIMER);
    d.SetOptions({doProgressBar});
    CHECK(FlagsOf(d) == (TDF_CALLBACK_TIMER | TDF_SHOW_PROGRESS_BAR));
  }
  SUBCASE("cancellation, relative position and the rest, one each") {
    struct TCase {
      TTaskDialogOption Option;
      DWORD Flag;
    } cases[] = {{doHyperlinks, TDF_ENABLE_HYPERLINKS},
                 {doExpandedDefault, TDF_EXPANDED_BY_DEFAULT},
                 {doExpandedFooter, TDF_EXPAND_FOOTER_AREA},
                 {doAllowMinimize, TDF_CAN_BE_MINIMIZED},
                 {doVerifyChecked, TDF_VERIFICATION_FLAG_CHECKED},
                 {doNoDefaultRadioButton, TDF_NO_DEFAULT_RADIO_BUTTON},
                 {doAllowDialogCancel, TDF_ALLOW_DIALOG_CANCELLATION}};
    for (const TCase &c : cases) {
      d.SetOptions({c.Option});
      CHECK(FlagsOf(d) == c.Flag);
    }
    d.SetOptions({doProgressBarMarquee});
    CHECK(FlagsOf(d) == (TDF_SHOW_MARQUEE_PROGRESS_BAR | TDF_CALLBACK_TIMER));
    d.SetOptions({});
    d.SetDialogPosition(dpOwnerFormCenter);
    CHECK(FlagsOf(d) == TDF_POSITION_RELATIVE_TO_WINDOW);
  }
}

TEST_CASE("main and footer icons are platform identifiers or the custom icon") {
  TAdvTaskDialog d(nullptr);
  struct TMain {
    TTaskDialogIcon Icon;
    PCWSTR Resource;
  } mains[] = {{tiBlank, MAKEINTRESOURCEW(17)},
               {tiWarning, MAKEINTRESOURCEW(84)},
               {tiQuestion, MAKEINTRESOURCEW(99)},
               {tiError, MAKEINTRESOURCEW(98)},
               {tiInformation, MAKEINTRESOURCEW(81)},
               {tiShield, MAKEINTRESOURCEW(78)},
               {tiNotUsed, nullptr}};
  for (const TMain &m : mains) {
    d.SetIcon(m.Icon);
    CHECK(TTaskDialogConfig(d).Record().pszMainIcon == m.Resource);
  }
  struct TFooter {
    TTaskDialogFooterIcon Icon;
    PCWSTR Resource;
  } footers[] = {{tfiBlank, nullptr},
                 {tfiWarning, MAKEINTRESOURCEW(84)},
                 {tfiQuestion, MAKEINTRESOURCEW(99)},
                 {tfiError, MAKEINTRESOURCEW(98)},
                 {tfiInformation, TD_INFORMATION_ICON},
                 {tfiShield, TD_SHIELD_ICON}};
  for (const TFooter &f : footers) {
    d.SetFooterIcon(f.Icon);
    CHECK(TTaskDialogConfig(d).Record().pszFooterIcon == f.Resource);
  }

  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  d.SetIcon(tiError);
  d.SetCustomIcon(icon);
  TTaskDialogConfig c(d);
  CHECK((c.Record().dwFlags & TDF_USE_HICON_MAIN) != 0);
  // A copy of the given icon, owned by the component.
  CHECK(c.Record().hMainIcon != nullptr);
  CHECK(c.Record().hMainIcon != icon.Handle());
}

TEST_CASE("the parent window: explicit, application, or the owning form") {
  TForm *form = TForm::Create<TForm>(nullptr);
  {
    TAdvTaskDialog owned(form);
    CHECK(TTaskDialogConfig(owned).Record().hwndParent == form->Handle());
    owned.SetApplicationIsParent(true);
    CHECK(TTaskDialogConfig(owned).Record().hwndParent == Application->Handle());
    owned.SetModalParent(HWND(0x1234));
    CHECK(TTaskDialogConfig(owned).Record().hwndParent == HWND(0x1234));
  }
  {
    TAdvTaskDialog byApplication(Application);
    CHECK(TTaskDialogConfig(byApplication).Record().hwndParent == Application->Handle());
    TAdvTaskDialog alone(nullptr);
    CHECK(TTaskDialogConfig(alone).Record().hwndParent == Application->Handle());
  }
  delete form;
}

TEST_CASE("defaults and Clear") {
  TAdvTaskDialog d(nullptr);
  CHECK(d.DefaultRadioButton() == 200);
  CHECK(d.DefaultButton() == 0);
  CHECK(d.ProgressBarMax() == 100);
  CHECK(d.NonNativeMinFormWidth() == 350);
  CHECK(d.FooterColor() == RGB(240, 240, 240));
  CHECK(d.FooterLineColor() == RGB(223, 223, 223));
  CHECK(d.NonNativeDialog() == nndAuto);
  CHECK(d.DialogPosition() == dpScreenCenter);
  CHECK(d.Version() == L"1.7.1.4");
  d.SetVersion(L"9");
  CHECK(d.Version() == L"1.7.1.4");

  d.SetTitle(L"T");
  d.SetInstruction(L"I");
  d.SetContent(L"C");
  d.SetFooter(L"F");
  d.SetExpandedText(L"E");
  d.SetVerificationText(L"V");
  d.CustomButtons().Add(L"x");
  d.RadioButtons().Add(L"y");
  d.SetCommonButtons({cbOK});
  d.SetIcon(tiError);
  d.SetFooterIcon(tfiError);
  d.SetDefaultButton(7);
  d.SetDefaultRadioButton(201);
  d.SetOptions({doTimer});
  d.Clear();
  CHECK(d.Title().empty());
  CHECK(d.Instruction().empty());
  CHECK(d.Content().empty());
  CHECK(d.Footer().empty());
  CHECK(d.ExpandedText().empty());
  CHECK(d.VerificationText().empty());
  CHECK(d.CustomButtons().Empty());
  CHECK(d.RadioButtons().Empty());
  CHECK(d.CommonButtons().Empty());
  CHECK(d.Icon() == tiBlank);
  CHECK(d.FooterIcon() == tfiBlank);
  CHECK(d.DefaultButton() == 0);
  CHECK(d.DefaultRadioButton() == 200);
  CHECK(d.Options().Empty());
}
