// The dialog gallery's samples, each in the emulated window, answered the
// way a user would and read back from the gallery's result field.
#include <windows.h>

#include <doctest.h>

#include "emulated_probe.h"
#include "gallery_form.h"
#include "gallery_samples.h"
#include "test_support.h"
#include "ui/application.h"

namespace {
struct TGallery {
  TGalleryForm *Form = TForm::Create<TGalleryForm>(nullptr);
  TGallery() {
    Form->Show();
    test::PumpUntil([this] { return GetForegroundWindow() == Form->Handle(); });
    test::PumpIdle();
  }
  ~TGallery() { delete Form; }
  // Presses the sample's button; AAct answers the dialog. Returns the
  // result field's text.
  std::wstring Show(const std::wstring &ACaption, const std::vector<emtest::TStep> &ASteps) {
    TButton *button = nullptr;
    for (TButton *b : Form->SampleButtons)
      if (b->Caption() == ACaption) button = b;
    REQUIRE(button);
    emtest::TStepWatcher watcher(ASteps);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    return test::WindowText(Form->EdtResult->Handle());
  }
};
} // namespace

TEST_CASE("the gallery: one button per sample, each dialog emulated and owned by the gallery") {
  TGallery g;
  CHECK(g.Form->Caption() == L"Dialog-Galerie");
  std::vector<std::wstring> captions;
  for (TButton *b : g.Form->SampleButtons) captions.push_back(b->Caption());
  CHECK(captions == std::vector<std::wstring>{L"Links", L"Befehlslinks", L"Details", L"Fortschritt",
                                              L"Langer Text"});
  CHECK((GetWindowLongW(g.Form->EdtResult->Handle(), GWL_STYLE) & ES_READONLY) != 0);

  HWND owner = nullptr;
  std::wstring link, footerLink;
  CHECK(g.Show(L"Links", {[&](TAdvMessageForm &f) {
          owner = GetWindow(f.Handle(), GW_OWNER);
          const POINT p = emtest::LinkPoint(f, f.ContentRect());
          link = f.AnchorAt(p.x, p.y);
          const POINT q = emtest::LinkPoint(f, f.FooterRect());
          footerLink = f.AnchorAt(q.x, q.y);
          test::SendKey(VK_RETURN);
        }}) == L"Ergebnis: 1; Radio: 0; Bestätigt: 0");
  CHECK(owner == g.Form->Handle());
  CHECK(link == L"http://www.kalverin.de/hilfe");
  CHECK(footerLink == L"http://www.kalverin.de");

  CHECK(g.Show(L"Befehlslinks", {[](TAdvMessageForm &) { test::SendKey('V'); }}) ==
        L"Ergebnis: 101; Radio: 0; Bestätigt: 0");
  CHECK(g.Show(L"Befehlslinks", {[](TAdvMessageForm &) { test::SendKey(VK_ESCAPE); }}) ==
        L"Ergebnis: 2; Radio: 0; Bestätigt: 0");

  bool collapsed = false;
  CHECK(g.Show(L"Details", {[&](TAdvMessageForm &f) {
                              collapsed = !f.Expanded();
                              const TRect r = emtest::BoundsOf(f, L"Radio2");
                              emtest::ClickAt(f, {r.left + 6, (r.top + r.bottom) / 2});
                              test::SendKey('N', {VK_MENU});
                              test::SendKey('E'); // "Details &einblenden"
                            },
                            [](TAdvMessageForm &f) {
                              CHECK(f.Expanded());
                              test::SendKey(VK_RETURN);
                            }}) == L"Ergebnis: 1; Radio: 202; Bestätigt: 1");
  CHECK(collapsed);
  CHECK(g.Show(L"Details", {[](TAdvMessageForm &) { test::SendKey(VK_ESCAPE); }}) ==
        L"Ergebnis: 2; Radio: 201; Bestätigt: 0");

  // The progress sample closes itself after two seconds.
  const DWORD start = GetTickCount();
  CHECK(g.Show(L"Fortschritt", {}) == L"Ergebnis: 2; Radio: 0; Bestätigt: 0");
  CHECK(GetTickCount() - start >= 2000);

  int height = 0;
  CHECK(g.Show(L"Langer Text", {[&](TAdvMessageForm &f) {
          height = f.Height();
          test::SendKey(VK_RETURN);
        }}) == L"Ergebnis: 1; Radio: 0; Bestätigt: 0");
  CHECK(height <= GetSystemMetrics(SM_CYSCREEN));
}
