// The tags that shape lines: breaks, paragraphs, indents and offsets, list
// items and rules.
#include "base/convert.h"
#include "markup/markup_drawing.h"
#include "markup/markup_helpers.h"
#include "markup/markup_renderer.h"
#include "ui/handles.h"

// ---- lines and paragraphs

void TMarkupRenderer::LineBreak() {
  FMetrics->LineEnd = true;
  if (FFirstPass) R.PlainText += L'\r';
}

void TMarkupRenderer::Paragraph(const TMarkupTag &ATag) {
  if (!ATag.Closed()) return;
  if (ATag.Has(L"ALIGN")) {
    const std::wstring align = ATag.UpperValue(L"ALIGN");
    if (align.find(L"RIGHT") != std::wstring::npos) S.Align = maRight;
    if (align.find(L"LEFT") != std::wstring::npos) S.Align = maLeft;
    if (align.find(L"CENTER") != std::wstring::npos) S.Align = maCenter;
  }
  if (ATag.Has(L"INDENT")) S.Indent = ClampPixels(StrToIntLoose(ATag.UpperValue(L"INDENT")));
  if (!Drawing() || !ATag.Has(L"BGCOLOR")) return;
  const TColor color = MarkupColor(ATag.UpperValue(L"BGCOLOR"));
  if (color == clNone) return;
  S.ParagraphBand = true;
  if (!ATag.Has(L"BGCOLORTO")) {
    S.ParagraphSavedBack = Back();
    SetBack(color);
    FCanvas.SetPenColor(color);
    FCanvas.Rectangle(TRect(A.Bounds.left, FLine.top, A.Bounds.right, Coordinate(TextBottom())));
    return;
  }
  FCanvas.SetPenColor(color);
  FillGradient(FCanvas, color, MarkupColor(ATag.UpperValue(L"BGCOLORTO")), true,
               TRect(A.Bounds.left, FLine.top, A.Bounds.right, Coordinate(TextBottom() + 2)), 64,
               clNone);
  SetBack(clNone);
}

void TMarkupRenderer::ParagraphEnd() {
  FMetrics->LineEnd = true;
  if (!Drawing()) return;
  SetBack(S.ParagraphSavedBack);
  S.ParagraphBand = false;
}

void TMarkupRenderer::IndentTo(const TMarkupTag &ATag) {
  const std::optional<int> value = TryStrToInt(ATag.LetterValue(L'X'));
  if (!value) return;
  const int v = ClampPixels(*value);
  if (FMetrics->WidthSoFar < v) {
    FMetrics->WidthSoFar = v;
    FDrawPos = (long long)A.Bounds.left + v;
  }
}

void TMarkupRenderer::OffsetStart(const TMarkupTag &ATag) {
  const int v = ClampPixels(StrToIntLoose(ATag.LetterValue(L'X')));
  S.Offset = v;
  FMetrics->WidthSoFar = v;
  FDrawPos = (long long)FLine.left + v;
}

// ---- lists

void TMarkupRenderer::ListItem(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  if (FFirstPass && m.ListItemSeen) {
    m.LineFull = true; // this item begins the next line
    return;
  }
  m.ListItemSeen = true;
  std::wstring type;
  TColor color = clNone;
  if (ATag.Closed()) {
    type = ATag.UpperValue(L"TYPE");
    color = MarkupColor(ATag.UpperValue(L"COLOR"));
  }
  const long long level = S.ListLevel;
  m.WidthSoFar += 12 * level;
  FDrawPos += 12 * (level - 1);
  if (Drawing() && !S.Hidden) {
    const int x = Coordinate(FDrawPos), y = FLine.top;
    if (!ATag.Has(L"TYPE")) {
      TFont &f = FCanvas.Font();
      const TColor savedColor = f.Color();
      const std::wstring savedFace = f.Name();
      if (color != clNone) f.SetColor(color);
      f.SetName(L"Symbol");
      // The Symbol font's bullet, and a small circle for every other level.
      DrawTextIn(level % 2 ? L"\u00B7" : L"o", TRect(x, y, x + 1000, y + 1000),
                 DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP, f.Color());
      f.SetName(savedFace);
      f.SetColor(savedColor);
    } else {
      // Shapes without a colour of their own take the text's.
      const TColor shape = color != clNone ? color : TextColor();
      const TColor savedBack = Back();
      const bool square = type == L"SQUARE", circle = type == L"CIRCLE";
      if (square || circle) {
        FCanvas.SetPenColor(shape);
        SetBack(shape);
        const TRect box(x, y + 2, x + 8, y + 10);
        if (square)
          FCanvas.Rectangle(box);
        else
          EllipseIn(box);
        SetBack(savedBack);
      }
      SetBack(clNone);
    }
  }
  FDrawPos += 12;
}

void TMarkupRenderer::EllipseIn(const TRect &ABox) {
  TGdiObject pen(CreatePen(PS_SOLID, FCanvas.PenWidth(), ColorToRGB(FCanvas.PenColor())));
  TGdiObject brush(Back() == clNone ? nullptr : CreateSolidBrush(ColorToRGB(Back())));
  HDC dc = FCanvas.Handle();
  TSelectedObject selectedPen(dc, pen.Get());
  TSelectedObject selectedBrush(dc, brush.Get() ? brush.Get() : GetStockObject(NULL_BRUSH));
  Ellipse(dc, ABox.left, ABox.top, ABox.right, ABox.bottom);
}

// ---- rules

void TMarkupRenderer::Rule(const TMarkupTag &ATag) {
  FMetrics->LineEnd = true;
  if (!Drawing()) return;
  TColor color = clBlack;
  if (ATag.Has(L"COLOR")) {
    // Read as written; hexadecimal digits count in either case.
    const TColor given = MarkupColor(ATag.Value(L"COLOR"));
    if (given != clNone) color = given;
  }
  const TColor saved = FCanvas.PenColor();
  FCanvas.SetPenColor(color);
  const int y = Coordinate(TextBottom() + 1);
  FCanvas.MoveTo(FLine.left, y);
  FCanvas.LineTo(FLine.right, y);
  FCanvas.SetPenColor(saved);
}
