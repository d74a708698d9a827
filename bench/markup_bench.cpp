// Markup layout benchmark: word-wrapped measuring of German prose against
// the platform's own word wrapping, its growth from 100 KB to 1 MB, and two
// adversarial megabytes (nested entities, nothing but tags), and the task
// dialog's worst texts painted and hit-tested as the dialog does, over the
// same words without markup. One "name: value" line per figure.
//
//   scripts/wine-env build-x64/bench/markup_bench.exe
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "taskdialog/dialog_text.h"
#include "taskdialog/emulated_dialog.h"
#include "ui/bitmap.h"

using bench::Now;

namespace {
// Sentences of common words, paragraphs now and then.
std::wstring Prose(size_t ALength) {
  static const wchar_t *const kWords[] = {
      L"der",       L"die",        L"das",        L"und",       L"ein",         L"eine",
      L"Käufer",    L"Verkäufer",  L"bietet",     L"Auktion",   L"Tippfehler",  L"gefunden",
      L"für",       L"günstig",    L"ersteigert", L"Angebot",   L"Versand",     L"Zustand",
      L"sehr",      L"gut",        L"leider",     L"nicht",     L"mehr",        L"Suchbegriff",
      L"Übersicht", L"möglich",    L"schnell",    L"zurück",    L"Bewertung",   L"abgelaufen",
      L"mit",       L"ohne",       L"Gebot",      L"Preis",     L"Euro",        L"heute",
      L"Wochenende", L"Sammlung",  L"Eisenbahn",  L"Modell",    L"Spielzeug",   L"Zubehör"};
  std::mt19937 random(42);
  std::wstring text;
  text.reserve(ALength + 64);
  int sentence = 0;
  while (text.size() < ALength) {
    const int words = 5 + int(random() % 11);
    for (int i = 0; i < words; ++i) {
      std::wstring word = kWords[random() % std::size(kWords)];
      if (i == 0) word[0] = wchar_t(towupper(word[0]));
      text += word;
      text += i + 1 < words ? (random() % 9 == 0 ? L", " : L" ") : L". ";
    }
    if (++sentence % 6 == 0) text += L"\r\n";
  }
  text.resize(ALength);
  return text;
}

std::wstring Entities(size_t ALength) {
  static const wchar_t *const kPieces[] = {L"&amp;amp;amp;amp; ", L"&AMP; ", L"&lt;&lt;&lt;&lt; ",
                                           L"&amp;lt;b&amp;gt; ", L"Wort&nbsp;an&nbsp;Wort ",
                                           L"&quot;&euro;&sect; ", L"&amp;amp;&amp;quot; "};
  std::mt19937 random(7);
  std::wstring text;
  while (text.size() < ALength) text += kPieces[random() % std::size(kPieces)];
  text.resize(ALength);
  return text;
}

std::wstring Tags(size_t ALength) {
  static const wchar_t *const kTags[] = {
      L"<B>", L"</B>", L"<I>", L"</I>", L"<U>", L"</U>", L"<FONT color=\"clred\" size=\"3\">",
      L"</FONT>", L"<A href=\"http://example.com/\">", L"</A>", L"<SHAD>", L"</SHAD>", L"<HI>",
      L"</HI>", L"<SUP>", L"</SUP>", L"<P align=\"left\">", L"<BR>", L"<Z>", L"</Z>", L"<X>",
      L"<S>", L"</S>", L"<E>", L"</E>"};
  std::mt19937 random(9);
  std::wstring text;
  while (text.size() < ALength) text += kTags[random() % std::size(kTags)];
  return text;
}

struct TRun {
  double Ms;
  int Height;
};

// The best of a few runs.
template <class F> TRun Best(int ARuns, F AWork) {
  TRun best{1e300, 0};
  for (int i = 0; i < ARuns; ++i) {
    const double t0 = Now();
    const int height = AWork();
    const double ms = Now() - t0;
    if (ms < best.Ms) best = {ms, height};
  }
  return best;
}

TRun Markup(TCanvas &ACanvas, const std::wstring &AText, int ARuns) {
  return Best(ARuns, [&] {
    TMarkupArgs args;
    args.Canvas = &ACanvas;
    args.Text = AText;
    args.Bounds = TRect(0, 0, 400, 1000);
    args.MeasureOnly = true;
    TMarkupResult result;
    DrawMarkup(args, result);
    return result.LaidOutHeight;
  });
}

TRun PlatformWrap(TCanvas &ACanvas, const std::wstring &AText, int ARuns) {
  return Best(ARuns, [&] {
    HDC dc = ACanvas.Handle();
    HGDIOBJ old = SelectObject(dc, ACanvas.Font().Handle());
    RECT r{0, 0, 400, 0};
    DrawTextW(dc, AText.c_str(), int(AText.size()), &r, DT_WORDBREAK | DT_CALCRECT);
    SelectObject(dc, old);
    return int(r.bottom);
  });
}

// One paint of a dialog text and one hit-test in it, as the dialog's
// content does: markup preparation, then the renderer. The visible area is
// a screen's; the text's rectangle is as tall as a long text makes it.
TRun DialogPass(TCanvas &ACanvas, const std::wstring &AText, int ARuns) {
  return Best(ARuns, [&] {
    const TRect bounds(10, 10, 410, 1 << 24);
    TMarkupResult painted, hit;
    DrawMarkup(DialogMarkupArgs(ACanvas, PrepareMarkup(AText), bounds, muPaint), painted);
    DrawMarkup(DialogMarkupArgs(ACanvas, PrepareMarkup(AText, true), bounds, muHitTest, 200, 15),
               hit);
    return painted.LaidOutHeight;
  });
}

// The worst texts and the same words without markup.
struct TWorst {
  const char *Name;
  std::wstring Marked, Plain;
  int FontHeight;
};

std::vector<TWorst> WorstTexts() {
  std::vector<TWorst> texts;
  std::wstring marked, plain;
  for (int i = 0; i < 20000; ++i) {
    marked += L"Zeile\\n";
    plain += L"Zeile ";
  }
  texts.push_back({"markers_over_plain", marked, plain, -11});
  const std::wstring words = Prose(500 * 1024);
  std::wstring address = L"http://example.com/";
  while (address.size() < 500 * 1024)
    address += L"abcdefghij";
  texts.push_back(
      {"long_link_over_plain", L"<a href=\"" + address + L"\">" + words + L"</a>", words, -11});
  const std::wstring word(200000, L'w');
  // Size 400 points at 96 dots per inch.
  texts.push_back({"error_word_over_plain", L"<E>" + word + L"</E>", word, -533});
  return texts;
}

void Print(const char *AName, double AValue) {
  std::printf("%s: %.3f\n", AName, AValue);
}
} // namespace

int wmain() {
  TMemoryCanvas canvas;
  canvas.Font().SetName(L"Tahoma");
  canvas.Font().SetHeight(-11);

  const std::wstring small = Prose(100 * 1024), large = Prose(1024 * 1024);
  // The best of several runs: other work on the machine only slows runs.
  // Runs of the texts compared take turns, so that a busy spell of the
  // machine cannot favour one of them.
  const std::wstring entityText = Entities(1024 * 1024), tagText = Tags(1024 * 1024);
  TRun platform{1e300, 0}, markupSmall{1e300, 0}, markupLarge{1e300, 0}, entities{1e300, 0},
      tags{1e300, 0};
  auto keep = [](TRun &ABest, const TRun &ARun) {
    if (ARun.Ms < ABest.Ms) ABest = ARun;
  };
  for (int round = 0; round < 7; ++round) {
    keep(platform, PlatformWrap(canvas, small, 2));
    keep(markupSmall, Markup(canvas, small, 2));
    keep(markupLarge, Markup(canvas, large, 1));
    keep(entities, Markup(canvas, entityText, 1));
    keep(tags, Markup(canvas, tagText, 1));
  }

  Print("drawtext_100k_ms", platform.Ms);
  Print("markup_100k_ms", markupSmall.Ms);
  Print("markup_1m_ms", markupLarge.Ms);
  Print("entities_1m_ms", entities.Ms);
  Print("tags_1m_ms", tags.Ms);
  Print("drawtext_100k_height", platform.Height);
  Print("markup_100k_height", markupSmall.Height);
  Print("ratio_to_drawtext_100k", markupSmall.Ms / platform.Ms);
  Print("growth_1m_over_100k", markupLarge.Ms / markupSmall.Ms);
  Print("entities_1m_over_plain_1m", entities.Ms / markupLarge.Ms);
  Print("tags_1m_over_plain_1m", tags.Ms / markupLarge.Ms);

  TBitmap screen(1280, 1024);
  for (TWorst &w : WorstTexts()) {
    screen.Canvas().Font().SetName(L"Tahoma");
    screen.Canvas().Font().SetHeight(w.FontHeight);
    TRun marked{1e300, 0}, plain{1e300, 0};
    for (int round = 0; round < 3; ++round) {
      keep(plain, DialogPass(screen.Canvas(), w.Plain, 1));
      keep(marked, DialogPass(screen.Canvas(), w.Marked, 1));
    }
    std::printf("%s_ms: %.3f\n", w.Name, marked.Ms);
    Print(w.Name, marked.Ms / plain.Ms);
  }
  Print("peak_working_set_mib", bench::PeakWorkingSetKiB() / 1024.0);
  return 0;
}
