// The emulated window's construction and placement, read back from its
// real windows: fonts, dialog units, default buttons, widths and heights.
#include <windows.h>

#include <doctest.h>

#include <algorithm>

#include "emulated_probe.h"
#include "taskdialog/dialog_text.h"
#include "taskdialog/emulated_dialog.h"
#include "taskdialog/task_dialog_button.h"
#include "test_support.h"
#include "ui/image_control.h"
#include "ui/screen.h"
#include "ui/stdctrls.h"

namespace {
TRect ClientOf(TAdvMessageForm &AForm) { return AForm.ClientRect(); }


TButton *ButtonOf(TAdvMessageForm &AForm, const std::wstring &AName) {
  return dynamic_cast<TButton *>(emtest::Child(AForm, AName));
}

bool ShowsAsDefault(TButton *AButton) {
  return (GetWindowLongW(AButton->Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}
} // namespace

TEST_CASE("the window font is the message font, and every position comes from its units") {
  TAdvTaskDialog d(nullptr);
  d.SetTitle(L"Titel");
  d.SetIcon(tiInformation);
  d.SetInstruction(L"Anweisung");
  d.SetContent(L"Inhalt");
  d.SetCommonButtons({cbOK, cbCancel});
  auto f = emtest::Build(d);
  f->HandleNeeded();

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  REQUIRE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  CHECK(f->Font().Name() == metrics.lfMessageFont.lfFaceName);
  CHECK(f->Font().Height() == metrics.lfMessageFont.lfHeight);

  const TDialogUnits u = emtest::UnitsOf(f->Font());
  REQUIRE(u.HorzMargin > 0);
  CHECK(emtest::BoundsOf(*f, L"Image") ==
        TRect(u.HorzMargin, u.VertMargin, u.HorzMargin + 32, u.VertMargin + 32));
  const TRect instr = emtest::BoundsOf(*f, L"Instr");
  CHECK(instr.left == u.HorzMargin + 32 + u.HorzSpacing);
  CHECK(instr.top == u.VertMargin);
  const TRect content = f->ContentRect();
  CHECK(content.left == u.HorzMargin + 32 + u.HorzSpacing);
  CHECK(content.top == instr.bottom + u.VertSpacing);
  CHECK(content.right == ClientOf(*f).right - u.HorzMargin);

  const TRect ok = emtest::BoundsOf(*f, L"OK"), cancel = emtest::BoundsOf(*f, L"Cancel");
  CHECK(ok.Height() == u.ButtonHeight);
  CHECK(ok.Width() >= 60);
  CHECK(cancel.left == ok.right + u.ButtonSpacing);
  CHECK(cancel.right == ClientOf(*f).right - u.HorzSpacing - 4);
  CHECK(ok.top == content.bottom + u.VertSpacing);
  CHECK(f->WhiteWindowHeight() == ok.top);
  CHECK(ClientOf(*f).bottom == ok.bottom + u.VertMargin);
  // Nothing asks for more than the minimum width.
  CHECK(ClientOf(*f).right == 350);
}

TEST_CASE("default and cancel buttons follow DefaultButton") {
  struct TCase {
    TCommonButtons Buttons;
    int DefaultButton;
    const wchar_t *Default; // nullptr: none
    const wchar_t *Cancel;
  } cases[] = {
      {{cbOK}, 6, L"OK", L"OK"},
      {{cbYes, cbNo}, 0, L"Yes", L"No"},
      {{cbYes, cbNo}, 6, L"Yes", nullptr},
      {{cbYes, cbNo}, 7, L"No", nullptr},
      {{cbOK, cbCancel}, 2, L"Cancel", L"Cancel"},
      {{cbOK, cbRetry}, 7, L"OK", L"OK"}, // the named button is missing
      {{cbOK, cbCancel}, -1, nullptr, L"Cancel"},
  };
  for (const TCase &c : cases) {
    CAPTURE(c.DefaultButton);
    TAdvTaskDialog d(nullptr);
    d.SetCommonButtons(c.Buttons);
    d.SetDefaultButton(c.DefaultButton);
    d.SetOptions({doAllowDialogCancel});
    auto f = emtest::Build(d);
    f->HandleNeeded();
    CHECK(f->DefaultButton() == (c.Default ? ButtonOf(*f, c.Default) : nullptr));
    CHECK(f->CancelButton() == (c.Cancel ? ButtonOf(*f, c.Cancel) : nullptr));
    if (c.Default) CHECK(ShowsAsDefault(ButtonOf(*f, c.Default)));
    if (c.DefaultButton == -1)
      for (const wchar_t *name : {L"OK", L"Cancel"}) CHECK_FALSE(ButtonOf(*f, name)->TabStop());
  }
}

TEST_CASE("without buttons one OK is shown; the caption is the title or the program's name") {
  TAdvTaskDialog d(nullptr);
  auto f = emtest::Build(d);
  f->HandleNeeded();
  TButton *ok = ButtonOf(*f, L"OK");
  REQUIRE(ok);
  CHECK(ok->Caption() == L"OK");
  CHECK(ok->Width() >= 60);
  CHECK(f->DefaultButton() == ok);
  CHECK(f->CancelButton() == nullptr);
  CHECK(f->Caption() == L"test_taskdialog");
  CHECK(ExeBaseName() == L"test_taskdialog");

  // A caption wider than 1000 pixels wraps in its measure: about 1050.
  std::wstring title;
  while (f->Canvas().TextWidth(title) < 2500) title += L"Fensterüberschrift ";
  d.SetTitle(title);
  auto wide = emtest::Build(d);
  wide->HandleNeeded();
  CHECK(wide->Caption() == title);
  CHECK(wide->ClientWidth() > 1000);
  CHECK(wide->ClientWidth() <= 1050);
}

TEST_CASE("a custom icon without a main icon kind sits at the margin, as does the instruction") {
  TAdvTaskDialog d(nullptr);
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  d.SetCustomIcon(icon);
  d.SetIcon(tiNotUsed);
  d.SetInstruction(L"Eigenes Symbol");
  auto f = emtest::Build(d);
  f->HandleNeeded();
  const TDialogUnits u = emtest::UnitsOf(f->Font());
  CHECK(emtest::BoundsOf(*f, L"Image").left == u.HorzMargin);
  CHECK(emtest::BoundsOf(*f, L"Image").top == u.VertMargin);
  auto *image = dynamic_cast<TImage *>(emtest::Child(*f, L"Image"));
  REQUIRE(image);
  CHECK(image->Picture().Width() == icon.Width());
  CHECK(emtest::BoundsOf(*f, L"Instr").left == u.HorzMargin);

  // No custom icon and no kind: no picture at all.
  TAdvTaskDialog plain(nullptr);
  plain.SetIcon(tiNotUsed);
  auto g = emtest::Build(plain);
  CHECK(emtest::Child(*g, L"Image") == nullptr);
}

TEST_CASE("radio buttons are as tall as the instruction, checked by DefaultRadioButton") {
  TAdvTaskDialog d(nullptr);
  d.SetIcon(tiWarning);
  d.SetInstruction(L"Erste Zeile der Anweisung\nzweite Zeile der Anweisung");
  for (const wchar_t *c : {L"Eins", L"Zwei", L"Drei", L"Vier"}) d.RadioButtons().Add(c);
  d.SetDefaultRadioButton(202);
  std::vector<int> clicked;
  d.OnDialogRadioClick = [&](TComponent *, int ID) { clicked.push_back(ID); };
  auto f = emtest::Build(d);
  f->HandleNeeded();
  const TDialogUnits u = emtest::UnitsOf(f->Font());
  const TRect instr = emtest::BoundsOf(*f, L"Instr");
  TMemoryCanvas canvas;
  canvas.Font() = f->Message->Font();
  CHECK(instr.Height() >= 2 * canvas.TextHeight(L"Wg"));
  int top = -1;
  for (int i = 0; i < 4; ++i) {
    const TRect r = emtest::BoundsOf(*f, L"Radio" + std::to_wstring(i));
    CHECK(r.Height() == instr.Height());
    CHECK(r.left == instr.left + u.HorzMargin);
    CHECK(r.right == f->ClientWidth() - u.HorzMargin);
    if (top >= 0) CHECK(r.top == top + instr.Height() + 4);
    top = r.top;
    CHECK(GetDlgCtrlID(emtest::Child(*f, L"Radio" + std::to_wstring(i))->Handle()) == 200 + i);
  }
  // Checking the default counted as its click, while building.
  CHECK(clicked == std::vector<int>{202});
  CHECK(d.RadioButtonResult() == 202);
  CHECK(dynamic_cast<TRadioButton *>(emtest::Child(*f, L"Radio2"))->Checked());

  // Out of range: the first is checked, as in the platform's dialog.
  d.SetDefaultRadioButton(207);
  auto g = emtest::Build(d);
  for (int i = 0; i < 4; ++i)
    CHECK(dynamic_cast<TRadioButton *>(emtest::Child(*g, L"Radio" + std::to_wstring(i)))
              ->Checked() == (i == 0));
  CHECK(d.RadioButtonResult() == 200);
  d.SetOptions({doNoDefaultRadioButton});
  auto h = emtest::Build(d);
  CHECK(d.RadioButtonResult() == 0);

  // An empty instruction still leaves them a line to stand on.
  TAdvTaskDialog e(nullptr);
  e.RadioButtons().Add(L"Eins");
  auto k = emtest::Build(e);
  TMemoryCanvas radioCanvas;
  radioCanvas.Font() = emtest::Child(*k, L"Radio0")->Font();
  CHECK(emtest::BoundsOf(*k, L"Radio0").Height() == radioCanvas.TextHeight(L"Wg"));
}

TEST_CASE("command links: from the left edge without an icon, from the instruction with one") {
  TAdvTaskDialog d(nullptr);
  d.SetIcon(tiNotUsed);
  d.SetInstruction(L"Wie weiter?");
  d.CustomButtons().Add(L"&Speichern\\nÄnderungen in die Datei schreiben");
  d.CustomButtons().Add(L"&Zurück");
  d.SetOptions({doCommandLinks});
  auto f = emtest::Build(d);
  f->HandleNeeded();
  const TDialogUnits u = emtest::UnitsOf(f->Font());
  const TRect first = emtest::BoundsOf(*f, L"Button0"), second = emtest::BoundsOf(*f, L"Button1");
  CHECK(first.left == 0);
  CHECK(first.right == f->ClientWidth() - u.HorzMargin);
  CHECK(second.top == first.bottom + 2);
  CHECK(first.Height() > second.Height()); // the note line
  CHECK(second.Height() >= u.ButtonHeight);
  CHECK(GetDlgCtrlID(emtest::Child(*f, L"Button1")->Handle()) == 101);
  // No push button below: no band.
  CHECK(f->WhiteWindowHeight() == f->Height());

  d.SetIcon(tiInformation);
  auto g = emtest::Build(d);
  CHECK(emtest::BoundsOf(*g, L"Button0").left == emtest::BoundsOf(*g, L"Instr").left);
}

TEST_CASE("custom push buttons stand right-aligned, HS + 4 from the right edge") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Knöpfe");
  d.CustomButtons().Add(L"&Eins");
  d.CustomButtons().Add(L"Ein längerer zweiter Knopf");
  auto f = emtest::Build(d);
  f->HandleNeeded();
  const TDialogUnits u = emtest::UnitsOf(f->Font());
  const TRect one = emtest::BoundsOf(*f, L"CSButton0"), two = emtest::BoundsOf(*f, L"CSButton1");
  CHECK(two.right == f->ClientWidth() - u.HorzSpacing - 4);
  CHECK(two.left == one.right + u.ButtonSpacing);
  CHECK(two.Width() == f->Canvas().TextWidth(L"Ein längerer zweiter Knopf") + 16);
  CHECK(one.Width() == 60);
  // Without common buttons the first custom button is the default.
  CHECK(f->DefaultButton() == ButtonOf(*f, L"CSButton0"));
  CHECK(GetDlgCtrlID(ButtonOf(*f, L"CSButton1")->Handle()) == 101);
}

TEST_CASE("details: collapsing and expanding change the height by the expanded text") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Datei ersetzen?");
  d.SetExpandedText(L"Quelle: liste.txt\\nZiel: liste.txt\\nGröße: 12 KB");
  d.SetExpandControlText(L"Details &ausblenden");
  d.SetCollapsControlText(L"Details &einblenden");
  d.SetCommonButtons({cbOK});
  int heights[5] = {};
  std::wstring captions[2];
  TRect expanded;
  int lineHeight = 0, spacing = 0;
  emtest::Run(d, [&](TAdvMessageForm &f) {
    const TRect button = emtest::BoundsOf(f, L"ExpandButton");
    lineHeight = f.Canvas().TextHeight(L"Wg");
    spacing = emtest::UnitsOf(f.Font()).VertSpacing;
    heights[0] = f.ClientHeight();
    captions[0] = test::WindowText(emtest::Child(f, L"ExpandCaption")->Handle());
    CHECK_FALSE(f.Expanded());
    emtest::ClickAt(f, {(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    CHECK(f.Expanded());
    heights[1] = f.ClientHeight();
    expanded = f.ExpandedTextRect();
    captions[1] = test::WindowText(emtest::Child(f, L"ExpandCaption")->Handle());
    test::SendKey('A'); // the expand caption's accelerator collapses
    heights[2] = f.ClientHeight();
    test::SendKey('E'); // the collapse caption's accelerator expands
    heights[3] = f.ClientHeight();
    test::SendKey('E'); // no longer the caption's accelerator
    heights[4] = f.ClientHeight();
    test::SendKey(VK_RETURN);
  });
  CHECK(captions[0] == L"Details &einblenden");
  CHECK(captions[1] == L"Details &ausblenden");
  CHECK(expanded.Height() == 3 * lineHeight);
  CHECK(heights[1] - heights[0] == expanded.Height() + spacing);
  CHECK(heights[2] == heights[0]);
  CHECK(heights[3] == heights[1]);
  CHECK(heights[4] == heights[1]);
}

TEST_CASE("a live text change re-measures the open window, within the screen") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Kurz");
  d.SetContent(L"Eine Zeile");
  d.CustomButtons().Add(L"Ein Befehlslink mit einer ziemlich langen Überschrift, die Platz braucht");
  d.SetOptions({doCommandLinks});
  int widths[4] = {}, heights[3] = {};
  int linkNeed = 0;
  emtest::Run(d, [&](TAdvMessageForm &f) {
    widths[0] = f.ClientWidth();
    heights[0] = f.ClientHeight();
    auto *link = dynamic_cast<TTaskDialogButton *>(emtest::Child(f, L"Button0"));
    linkNeed = MeasureLines(&f.Canvas(), link->Caption(), link->HeadingFont(), link->Font(), 0,
                            true)
                   .cx;
    d.SetContent(L"Erste Zeile\\nZweite Zeile\\nDritte Zeile");
    heights[1] = f.ClientHeight();
    widths[1] = f.ClientWidth();
    d.SetInstruction(L"Eine Anweisung, die nun deutlich länger ist als der Befehlslink darunter "
                     L"und deshalb das Fenster verbreitert");
    widths[2] = f.ClientWidth();
    heights[2] = f.ClientHeight();
    d.SetTitle(std::wstring(3000, L'W'));
    d.SetFooter(std::wstring(3000, L'W')); // no word to break at
    widths[3] = f.Width();
    f.CloseDialog(mrOk);
  });
  CHECK(heights[1] > heights[0]);
  // The links keep the width they need.
  CHECK(widths[1] == widths[0]);
  CHECK(widths[0] >= linkNeed);
  CHECK(widths[2] > widths[1]);
  CHECK(heights[2] > heights[1]); // the label now wraps
  CHECK(widths[3] <= Screen->Width());
}

TEST_CASE("a long text widens the window until it fits the screen, which shows its caption") {
  TAdvTaskDialog d(nullptr);
  std::wstring text;
  while (text.size() < 6000) text += L"Ein Satz aus einigen Wörtern, der sich oft wiederholt. ";
  d.SetContent(text);
  d.SetCommonButtons({cbOK});
  RECT window{};
  int clientWidth = 0;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  CHECK(emtest::Run(d, [&](TAdvMessageForm &f) {
          GetWindowRect(f.Handle(), &window);
          clientWidth = f.ClientWidth();
          test::SendKey(VK_RETURN);
        }) == mrOk);
  CHECK(clientWidth > 350);
  CHECK(window.right - window.left <= Screen->Width());
  CHECK(window.bottom - window.top <= info.rcWork.bottom - info.rcWork.top);
  CHECK(window.top >= info.rcWork.top);
  CHECK(window.left >= info.rcWork.left);
}

TEST_CASE("centred on an owner in the screen's corner, the window stays on the work area") {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT work = info.rcWork;
  // Xvfb has one monitor: that the owner's is taken, not the main window's,
  // cannot be seen here.
  TForm owner(nullptr);
  owner.SetBounds(work.right - 60, work.bottom - 40, 400, 300);
  owner.HandleNeeded();
  TAdvTaskDialog d(&owner);
  d.SetDialogPosition(dpOwnerFormCenter);
  d.SetContent(L"Inhalt");
  d.SetCommonButtons({cbOK});
  RECT window{};
  emtest::Run(d, [&](TAdvMessageForm &f) {
    GetWindowRect(f.Handle(), &window);
    f.CloseDialog(mrOk);
  });
  CHECK(window.left >= work.left);
  CHECK(window.top >= work.top);
  CHECK(window.right <= work.right);
  CHECK(window.bottom <= work.bottom);
}

TEST_CASE("the painted texts are window texts for screen readers, markup as the text it shows") {
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Markup & mehr");
  d.SetContent(L"Text mit <b>fett</b> und <a href=\"http://x/\">Link</a>.\\nZweite Zeile");
  d.SetFooter(L"Fuß <i>zeile</i>");
  d.SetOptions({doHyperlinks});
  std::vector<std::wstring> texts;
  emtest::Run(d, [&](TAdvMessageForm &f) {
    texts = test::ChildTexts(f.Handle(), L"");
    f.CloseDialog(mrOk);
  });
  auto has = [&](const std::wstring &AText) {
    return std::find(texts.begin(), texts.end(), AText) != texts.end();
  };
  CHECK(has(L"Markup & mehr"));
  CHECK(has(L"Text mit fett und Link.\r\nZweite Zeile"));
  CHECK(has(L"Fuß zeile"));
  CHECK(has(L"OK"));
}

TEST_CASE("common buttons are measured with each dialog's own font") {
  // The user changes the message font (or the density) between two dialogs.
  struct TMessageFontHeight {
    NONCLIENTMETRICSW Old{};
    explicit TMessageFontHeight(LONG AHeight) {
      Old.cbSize = sizeof(Old);
      REQUIRE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(Old), &Old, 0));
      NONCLIENTMETRICSW changed = Old;
      changed.lfMessageFont.lfHeight = AHeight;
      REQUIRE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(changed), &changed, 0));
    }
    ~TMessageFontHeight() {
      SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(Old), &Old, 0);
    }
  };
  auto retryWidth = [] {
    TAdvTaskDialog d(nullptr);
    d.SetCommonButtons({cbRetry});
    auto f = emtest::Build(d);
    TMemoryCanvas canvas;
    canvas.Font() = f->Font();
    return std::pair{emtest::BoundsOf(*f, L"Retry").Width(),
                     canvas.TextWidth(L"&Wiederholen") + 16};
  };
  const auto [before, measuredBefore] = retryWidth();
  CHECK(before == std::max(measuredBefore, 60));
  TMessageFontHeight large(-32);
  const auto [after, measuredAfter] = retryWidth();
  CHECK(measuredAfter > measuredBefore);
  CHECK(after == measuredAfter);
}
