#include "markup_fuzz.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <random>

#include "base/exception.h"
#include "base/streams.h"
#include "markup/draw_markup.h"
#include "ui/bitmap.h"

namespace mfuzz {

std::vector<std::wstring> MarkupCorpus() {
  return {
      // Opening tags, every row.
      L"<A href=\"http://www.example.com\">Verweis</A>", L"<A>ohne</A>", L"<a href=ohne>x</a>",
      L"<B>fett</B>", L"<BLINK>blinkt</BLINK>", L"<BODY bgcolor=\"clyellow\">",
      L"<BODY background=\"RES://TESTGIF\" bgtopleft=\"IDX:0\" bgtopright=\"SSYS:.txt\">",
      L"<BODY bgcolor=\"#FF0000\" bgcolorto=\"#0000FF\" dir=\"V\">", L"<BR>", L"<BX>",
      L"<E>Fehlr</E>", L"<FONT face=\"Arial\" color=\"clred\" bgcolor=\"clyellow\" size=\"3\">f</FONT>",
      L"<FONT size=3 color=\"clblue\">", L"<FONT size=\"-20\">", L"<FONT size=\"99999999999\">",
      L"<HI>markiert</HI>", L"<HR color=\"#ff00aa\">", L"<HR>", L"<HX>", L"<I>kursiv</I>",
      L"<IND x=\"40\">", L"<IND x=\"2147483647\">", L"<IND x=\"-5\">", L"<IX>",
      L"<IMG src=\"IDX:0\" align=\"top\" wrap>", L"<IMG src=\"IDX:99\">", L"<IMG src=\"IDX:-1\">",
      L"<IMG src=\"logo\" alt=\"logo\" width=\"40\" height=\"30\" align=\"middle\">",
      L"<IMG src=\"RES://TESTGIF\">", L"<IMG src=\"RES://BROKEN\">", L"<IMG src=\"RES://\">",
      L"<IMG src=\"FILE://C:\\gibt\\es\\nicht.gif\">", L"<IMG src=\"FILE://\">",
      L"<IMG src=\"SSYS:3\">", L"<IMG src=\"LSYS:.txt\">", L"<IMG src=\"SSYS:C:\\\">",
      L"<IMG src=\"http://x/y.gif\" width=\"999999999\" height=\"-3\">",
      L"<LI>", L"<LI type=\"square\" color=\"clred\">", L"<LI type=\"circle\">", L"<LI type=\"x\">",
      L"<OFS x=\"30\">", L"</OFS>", L"<OX>", L"<P align=\"right\" indent=\"10\">",
      L"<P align=\"center\" bgcolor=\"clsilver\">", L"<P bgcolor=\"clred\" bgcolorto=\"clwhite\">",
      L"</P>", L"<R a=\"90\">gedreht</R>", L"<R a=\"-99999999\">", L"<S>durch</S>",
      L"<SHAD>Schatten</SHAD>", L"<SUB>2</SUB>", L"<SUP>3</SUP>", L"<SX>", L"<U>unter</U>",
      L"<UL>", L"</UL>", L"<Z>versteckt</Z>", L"<C>", L"<9>", L"<->", L"< >",
      // Closing tags, every row.
      L"</A>", L"</B>", L"</BL>", L"</E>", L"</F>", L"</H>", L"</I>", L"</L>", L"</O>", L"</P>",
      L"</R>", L"</SU>", L"</SH>", L"</S>", L"</U>", L"</UX>", L"</Z>", L"</>", L"</",
      // Attribute forms: unquoted, missing ">", empty values, unclosed quotes.
      L"<FONT size=\"3\"", L"<FONT color=\"\">", L"<P align=>", L"<A href=\"offen>x</A>",
      L"<IMG src=\"\">", L"<LI color=\"#\">", L"<FONT color=\"#F\">",
      // Entities and odd text.
      L"&amp;amp;amp; &AMP; &lt;b&gt; &nbsp;&quot;&euro;", L"<#hash>", L"a & b", L"\r\n", L"\n",
      L"\t", L"Wort ", L"Donaudampfschifffahrtsgesellschaftskapitaen",
  };
}

namespace {

// A top-down 32-bit bitmap in a memory canvas.
class TFuzzCanvas {
public:
  TFuzzCanvas(int AWidth, int AHeight) : FBitmap(CreateDIBSectionOf(AWidth, AHeight, 32)) {
    FCanvas.SetHandle(CreateCompatibleDC(nullptr));
    FOld = SelectObject(FCanvas.Handle(), FBitmap.Get());
    FCanvas.Font().SetName(L"Tahoma");
    FCanvas.Font().SetHeight(-11);
    FCanvas.Font().SetColor(clWindowText);
    FCanvas.SetBrushStyle(bsClear);
    FCanvas.SetBrushColor(clBtnFace);
  }
  ~TFuzzCanvas() {
    SelectObject(FCanvas.Handle(), FOld);
    DeleteDC(FCanvas.Handle());
  }
  TCanvas &Canvas() { return FCanvas; }

private:
  TGdiObject FBitmap;
  HGDIOBJ FOld = nullptr;
  TCanvas FCanvas;
};

class TLogo : public TPictureSource {
public:
  THTMLPicture Picture;
  TLogo() {
    TBitmap bitmap(8, 5, pf24bit);
    bitmap.Canvas().SetBrushColor(RGBColor(200, 0, 0));
    bitmap.Canvas().FillRect(TRect(0, 0, 8, 5));
    TMemoryStream data;
    bitmap.SaveToStream(data);
    data.SetPosition(0);
    Picture.LoadFromStream(data);
  }
  THTMLPicture *PictureByName(const std::wstring &AName) override {
    return AName == L"logo" || AName == L"LOGO" ? &Picture : nullptr;
  }
};

class TGenerator {
public:
  explicit TGenerator(uint32_t ASeed) : FRandom(ASeed), FCorpus(MarkupCorpus()) {}

  std::wstring Next(int AKind) {
    switch (AKind) {
    case 0:
      return Characters(Below(200));
    case 1:
      return Soup();
    default:
      return Mutation();
    }
  }

private:
  int Below(int N) { return N <= 0 ? 0 : int(FRandom() % unsigned(N)); }
  const wchar_t *Pick(std::initializer_list<const wchar_t *> AList) {
    return AList.begin()[Below(int(AList.size()))];
  }

  wchar_t Character() {
    switch (Below(10)) {
    case 0:
      return wchar_t(Below(0x10000)); // anything, surrogate halves included
    case 1:
      return wchar_t(Below(33)); // control characters and the space
    case 2:
      return Pick({L"<", L">", L"&", L"\"", L"/", L"=", L";", L"#", L":"})[0];
    default:
      return wchar_t(32 + Below(95));
    }
  }

  std::wstring Characters(int ALength) {
    std::wstring text;
    for (int i = 0; i < ALength; ++i) text += Character();
    return text;
  }

  std::wstring Value() {
    switch (Below(12)) {
    case 0:
      return L"";
    case 1:
      return std::to_wstring(int(FRandom()));
    case 2:
      return L"-" + std::to_wstring(Below(100000));
    case 3:
      return L"99999999999999999999";
    case 4:
      return Pick({L"clred", L"CLBTNFACE", L"#00FF00", L"#F", L"#", L"clnix", L"#zzzzzz"});
    case 5:
      return Pick({L"IDX:0", L"IDX:7", L"IDX:-3", L"SSYS:.txt", L"LSYS:2", L"logo", L"RES://TESTGIF",
                   L"RES://BROKEN", L"FILE://C:\\fehlt\\x.bmp", L"FILE://", L"http://x/y"});
    case 6:
      return Pick({L"right", L"left", L"center", L"top", L"middle", L"H", L"V", L"square",
                   L"circle"});
    default:
      return std::to_wstring(Below(400) - 50);
    }
  }

  std::wstring Soup() {
    static const wchar_t *const kNames[] = {
        L"A",  L"B",   L"BL", L"BODY", L"BR",  L"E",   L"FONT", L"HI", L"HR", L"I",   L"IND",
        L"IMG", L"LI", L"OFS", L"P",   L"R",   L"S",   L"SHAD", L"SUB", L"SUP", L"U", L"UL",
        L"Z",  L"X",   L"b",  L"font", L"img", L"li",  L"",     L"#"};
    static const wchar_t *const kAttributes[] = {
        L"href", L"face", L"color", L"bgcolor", L"bgcolorto", L"size", L"align", L"indent",
        L"x",    L"a",    L"src",   L"alt",     L"width",     L"height", L"type", L"wrap",
        L"background", L"bgtopleft", L"bgtopright", L"dir"};
    std::wstring text;
    const int items = 1 + Below(30);
    for (int i = 0; i < items; ++i) {
      switch (Below(4)) {
      case 0:
        text += Pick({L"Wort ", L"zwei Worte ", L"&amp;", L"&lt;", L"&nbsp;", L"\r\n", L" ",
                      L"Donaudampfschiff", L"\t", L"& "});
        break;
      case 1:
        text += Characters(Below(8));
        break;
      default: {
        std::wstring tag = L"<";
        if (Below(3) == 0) tag += L"/";
        tag += kNames[Below(int(std::size(kNames)))];
        const int attributes = Below(4);
        for (int k = 0; k < attributes; ++k) {
          tag += L" ";
          tag += kAttributes[Below(int(std::size(kAttributes)))];
          switch (Below(4)) {
          case 0:
            tag += L"=\"" + Value() + L"\"";
            break;
          case 1:
            tag += L"=" + Value();
            break;
          case 2:
            tag += L"=\"" + Value(); // unclosed quote
            break;
          default:
            break;
          }
        }
        if (Below(8) != 0) tag += L">";
        text += tag;
      }
      }
    }
    return text;
  }

  std::wstring Mutation() {
    std::wstring text;
    const int pieces = 1 + Below(3);
    for (int i = 0; i < pieces; ++i) text += FCorpus[Below(int(FCorpus.size()))];
    const int mutations = 1 + Below(8);
    for (int i = 0; i < mutations; ++i) {
      const int at = Below(int(text.size()) + 1);
      switch (Below(7)) {
      case 0:
        text.insert(size_t(at), 1, Character());
        break;
      case 1:
        text.erase(size_t(at), size_t(Below(6)));
        break;
      case 2:
        if (at < int(text.size())) text[size_t(at)] = Character();
        break;
      case 3:
        text.insert(size_t(at), text.substr(size_t(at), size_t(Below(12))));
        break;
      case 4:
        text.resize(size_t(at));
        break;
      case 5:
        text.insert(size_t(at), FCorpus[Below(int(FCorpus.size()))]);
        break;
      default:
        text.insert(size_t(at), Value());
        break;
      }
    }
    return text;
  }

  std::mt19937 FRandom;
  std::vector<std::wstring> FCorpus;
};

double Now() {
  LARGE_INTEGER freq, t;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) / double(freq.QuadPart);
}

// Shows control characters and non-ASCII as escapes.
std::string Printable(const std::wstring &AText) {
  std::string out;
  for (wchar_t c : AText) {
    if (c >= 32 && c < 127 && c != L'\\') {
      out += char(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof(buffer), "\\u%04X", unsigned(c));
      out += buffer;
    }
  }
  return out;
}

const TRect kBounds[] = {
    TRect(10, 10, 310, 230), // normal
    TRect(60, 10, 60, 230),  // zero width
    TRect(200, 10, 100, 230), // negative width
    TRect(60, 10, 61, 230),  // one pixel
};
} // namespace

TFuzzReport RunMarkupFuzz(uint32_t ASeed, long long ACount) {
  TFuzzReport report;
  TFuzzCanvas target(320, 240);
  TCanvas &canvas = target.Canvas();
  TCustomImageList images(16, 16);
  {
    TBitmap bitmap(16, 16);
    bitmap.Canvas().SetBrushColor(RGBColor(0, 128, 0));
    bitmap.Canvas().FillRect(TRect(0, 0, 16, 16));
    images.Add(bitmap);
  }
  TLogo logo;
  std::unique_ptr<TPictureCache> cache;
  TGenerator generator(ASeed);
  const double start = Now();

  for (long long i = 0; i < ACount; ++i) {
    // Addresses differ from input to input; a fresh cache now and then
    // keeps its lookups short.
    if (i % 256 == 0) cache = std::make_unique<TPictureCache>();
    const std::wstring text = generator.Next(int(i % 3));
    const int mode = int(i / 3 % 3);
    TMarkupArgs args;
    args.Canvas = &canvas;
    args.Text = text;
    args.Bounds = kBounds[i / 18 % 4];
    args.WordWrap = i / 9 % 2 == 0;
    args.MeasureOnly = mode == 0;
    args.HitTestOnly = mode == 2;
    args.KeepColors = mode == 2;
    args.BlinkVisible = i % 5 != 0;
    args.Images = &images;
    args.PictureCache = cache.get();
    args.PictureSource = &logo;
    args.FocusIndex = int(i % 4) - 1;
    args.HoverNumber = int(i % 3);
    args.HoverOnly = i % 7 == 0;
    args.HoverBackColor = i % 2 ? RGBColor(255, 255, 0) : clNone;
    args.StretchImages = i % 11 == 0;
    args.ImageScale = 1.5;
    args.PointX = 20 + int(i % 100);
    args.PointY = 15 + int(i % 40);

    const TFont font = canvas.Font();
    const TColor brushColor = canvas.BrushColor();
    const TBrushStyle brushStyle = canvas.BrushStyle();
    canvas.Font().Handle();
    const long objects = LiveGdiObjects();
    std::string failure;
    const double t0 = Now();
    try {
      TMarkupResult result;
      DrawMarkup(args, result);
    } catch (const std::exception &e) {
      failure = std::string("exception: ") + e.what();
    } catch (...) {
      failure = "unknown exception";
    }
    const double ms = (Now() - t0) * 1000.0;
    if (ms > report.SlowestMs) {
      report.SlowestMs = ms;
      report.SlowestInput = Printable(text);
    }
    const TFont &after = canvas.Font();
    if (failure.empty() &&
        (after.Name() != font.Name() || after.Height() != font.Height() ||
         after.Style() != font.Style() || after.Color() != font.Color() ||
         after.Orientation() != font.Orientation() || after.CharSet() != font.CharSet()))
      failure = "font not restored";
    if (failure.empty() && (canvas.BrushColor() != brushColor || canvas.BrushStyle() != brushStyle))
      failure = "background not restored";
    canvas.Font().Handle();
    if (failure.empty() && LiveGdiObjects() != objects)
      failure = "GDI objects left: " + std::to_string(LiveGdiObjects() - objects);
    ++report.Inputs;
    if (!failure.empty()) {
      ++report.Failures;
      if (report.Messages.size() < 10)
        report.Messages.push_back(failure + " (input " + std::to_string(i) + ", mode " +
                                  std::to_string(mode) + "): " + Printable(text));
    }
  }
  report.Seconds = Now() - start;
  return report;
}

} // namespace mfuzz
