#include "markup/draw_markup.h"

#include <algorithm>
#include <climits>

#include "markup/markup_entities.h"
#include "markup/markup_helpers.h"
#include "markup/markup_renderer.h"
#include "ui/handles.h"

namespace {
constexpr UINT kLineFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;

int ClampInt(long long AValue) {
  return int(std::clamp<long long>(AValue, INT_MIN, INT_MAX));
}

// Sets only what differs, so that an equal font keeps its platform handle.
void AssignFont(TFont &ADest, const TFont &ASource) {
  ADest.SetName(ASource.Name());
  ADest.SetHeight(ASource.Height());
  ADest.SetStyle(ASource.Style());
  ADest.SetOrientation(ASource.Orientation());
  ADest.SetCharSet(ASource.CharSet());
  ADest.SetColor(ASource.Color());
}
} // namespace

// ---- TTextCursor

size_t TTextCursor::Next(wchar_t AChar, size_t &ACache) {
  bool &known = AChar == L'<' ? FLtKnown : AChar == L'>' ? FGtKnown : FSpaceKnown;
  if (!known || (ACache != std::wstring::npos && ACache < Pos)) {
    ACache = FText.find(AChar, Pos);
    known = true;
  }
  return ACache != std::wstring::npos && ACache < End ? ACache : std::wstring::npos;
}

void TTextCursor::Trim() {
  while (Pos < End && FText[Pos] <= 32) ++Pos;
  while (End > Pos && FText[End - 1] <= 32) --End;
}

// ---- entry and line loop

TMarkupRenderer::TMarkupRenderer(const TMarkupArgs &AArgs, TMarkupResult &AResult)
    : A(AArgs), R(AResult), FCanvas(*AArgs.Canvas), FEntryFont(AArgs.Canvas->Font()),
      FEntryBrushColor(AArgs.Canvas->BrushColor()),
      FEntryBrushStyle(AArgs.Canvas->BrushStyle()) {}

TMarkupRenderer::~TMarkupRenderer() {
  AssignFont(FCanvas.Font(), FEntryFont);
  FCanvas.SetBrushColor(FEntryBrushColor);
  FCanvas.SetBrushStyle(FEntryBrushStyle);
}

TMarkupRenderer::TPassStart TMarkupRenderer::Remember() const {
  return {S.InAnchor, S.AnchorAddress, S.ImageCounter, S.Shadow, S.Hidden, S.HoverPending,
          S.HoverRect};
}

void TMarkupRenderer::Restore(const TPassStart &AStart) {
  S.InAnchor = AStart.InAnchor;
  S.AnchorAddress = AStart.AnchorAddress;
  S.ImageCounter = AStart.ImageCounter;
  S.Shadow = AStart.Shadow;
  S.Hidden = AStart.Hidden;
  S.HoverPending = AStart.HoverPending;
  S.HoverRect = AStart.HoverRect;
}

bool TMarkupRenderer::Run() {
  TakeCanvasState();
  ChooseLineFlags();
  std::wstring changed;
  TTextCursor rest(PreparedText(changed));
  TLineLoop loop;
  loop.Top = A.Bounds.top;
  while (!rest.Empty())
    if (!LayOutLine(rest, loop)) break;
  return FinishResult(loop);
}

void TMarkupRenderer::TakeCanvasState() {
  S.BaseFont = FCanvas.Font();
  S.MeasureFont = S.BaseFont;
  S.DrawFont = S.BaseFont;
  S.EntryBack = Back();
  SetBack(clNone);
  SetBkMode(FCanvas.Handle(), TRANSPARENT);
}

void TMarkupRenderer::ChooseLineFlags() {
  FFlags = ReadingOrderFlags(kLineFlags, A.ReadingOrder);
  if (A.Text.find(L" & ") != std::wstring::npos) FFlags |= DT_NOPREFIX;
  if (!A.WordWrap) FFlags |= DT_END_ELLIPSIS;
}

// Each step copies the text only when it has something to change.
const std::wstring &TMarkupRenderer::PreparedText(std::wstring &AChanged) const {
  const std::wstring *text = &A.Text;
  if (text->find(L'&') != std::wstring::npos) text = &(AChanged = ReplaceEntities(*text));
  if (text->find(L"<#") != std::wstring::npos) text = &(AChanged = StripHashTag(*text));
  if (text->find_first_of(L"\r\n") != std::wstring::npos)
    text = &(AChanged = LineBreaksToTags(*text));
  return *text;
}

bool TMarkupRenderer::LayOutLine(TTextCursor &ARest, TLineLoop &ALoop) {
  ARest.Trim();
  AssignFont(FCanvas.Font(), S.MeasureFont);
  TLineMetrics metrics;
  metrics.LineHeight = Facts().Height;
  const int startHeight = metrics.LineHeight;
  S.Superscript = S.Subscript = false;
  const int anchors = S.AnchorCounter, level = S.ListLevel;
  MeasureLine(ARest, ALoop, metrics);
  const long long advance = (long long)metrics.LineHeight + metrics.Drop + metrics.Raise;
  if (!A.MeasureOnly) {
    S.AnchorCounter = anchors;
    S.ListLevel = level;
    const TRect aligned(Coordinate(LineLeft(metrics.WidthSoFar)), Coordinate(ALoop.Top),
                        A.Bounds.right, Coordinate(ALoop.Top + advance));
    RenderConsumedLine(aligned, metrics, ALoop);
  }
  ALoop.Top += advance;
  ALoop.Height += advance;
  // A line is laid out only where it starts with room for a line of text.
  return A.MeasureOnly || ALoop.Top + startHeight <= A.Bounds.bottom;
}

void TMarkupRenderer::MeasureLine(TTextCursor &ARest, TLineLoop &ALoop, TLineMetrics &AMetrics) {
  const TPassStart start = Remember();
  FLineOffset = S.Offset;
  ALoop.Consumed.clear();
  TRect line = A.Bounds;
  line.top = Coordinate(ALoop.Top);
  S.FontBeforeRotation = std::move(ALoop.MeasureRotation);
  // Measuring alone has no second pass to hand the line to.
  RenderLine(rmMeasure, ARest, line, AMetrics, true, A.MeasureOnly ? nullptr : &ALoop.Consumed);
  ALoop.MeasureRotation = std::move(S.FontBeforeRotation);
  S.MeasureFont = FCanvas.Font();
  // Without a second pass what the first one changed carries on to the
  // next line, as a second pass would carry it: measuring and drawing
  // then agree (hidden text over several lines keeps its width out).
  if (!A.MeasureOnly) Restore(start);
  S.Superscript = S.Subscript = false;
  AMetrics.LineHeight += A.LineSpacing;
}

long long TMarkupRenderer::LineLeft(long long AWidth) const {
  long long left = A.Bounds.left;
  if (S.Align == maRight) {
    if (A.Bounds.right - AWidth > A.Bounds.left) left = A.Bounds.right - AWidth;
  } else if (S.Align == maCenter) {
    long long room = (long long)A.Bounds.right - A.Bounds.left - AWidth;
    if (room > 0) left = A.Bounds.left + room / 2;
  }
  return left + S.Indent;
}

void TMarkupRenderer::RenderConsumedLine(const TRect &AAligned, const TLineMetrics &AMetrics,
                                         TLineLoop &ALoop) {
  AssignFont(FCanvas.Font(), S.DrawFont);
  S.FontBeforeRotation = std::move(ALoop.DrawRotation);
  TLineMetrics second = AMetrics;
  TTextCursor again(ALoop.Consumed);
  FLineRegions.clear();
  RenderLine(A.HitTestOnly ? rmHitTest : rmDraw, again, AAligned, second, false, nullptr);
  ALoop.DrawRotation = std::move(S.FontBeforeRotation);
  S.DrawFont = FCanvas.Font();
  // Text is hit within the line's text band.
  const long long bottom = AAligned.bottom - AMetrics.ImageOffset;
  if (A.Regions) ListLineRegions(bottom);
  if (second.ImageHit) {
    ALoop.Hit = true;
  } else if (second.TextHit) {
    if (A.PointY > bottom - Facts().Height && A.PointY < bottom) ALoop.Hit = true;
  }
}

void TMarkupRenderer::ListLineRegions(long long ATextBottom) {
  for (TMarkupRegion &region : FLineRegions) {
    if (!region.Image) {
      region.Rect.top = Coordinate(ATextBottom - Facts().Height);
      region.Rect.bottom = Coordinate(ATextBottom);
    }
    A.Regions->push_back(std::move(region));
  }
}

bool TMarkupRenderer::FinishResult(const TLineLoop &ALoop) {
  const long long height = ALoop.Height == 0 ? Facts().Height : ALoop.Height;
  if (FHitFound) R.HitAddress = FHitAddress ? *FHitAddress : std::wstring();
  if (FFocusFound) R.FocusAddress = FFocusAddress ? *FFocusAddress : std::wstring();
  R.LaidOutHeight = ClampInt(height);
  R.AnchorCount = S.AnchorCounter;
  return ALoop.Hit && !A.MeasureOnly;
}

void TMarkupRenderer::RenderLine(TRenderMode AMode, TTextCursor &AText, const TRect &ALine,
                                 TLineMetrics &AMetrics, bool AFirstPass,
                                 std::wstring *AConsumed) {
  FMode = AMode;
  FFirstPass = AFirstPass;
  FLine = ALine;
  FMetrics = &AMetrics;
  FConsumed = AConsumed;
  TLineMetrics &m = AMetrics;
  m.LineEnd = m.LineFull = m.ListItemSeen = m.TextHit = m.ImageHit = false;
  m.WidthSoFar = 0;
  m.TrailingSpace = 0;
  FOrigin = (long long)ALine.left + FLineOffset;
  FDrawPos = FOrigin;
  FRightEdge = ALine.right;
  if (Drawing() && S.ParagraphBand) {
    FCanvas.SetPenColor(FCanvas.BrushColor());
    FCanvas.Rectangle(TRect(A.Bounds.left, ALine.top, A.Bounds.right,
                            Coordinate((long long)ALine.top + m.LineHeight)));
  }

  // The first pass decides where the line ends; the second takes all of
  // what the first consumed.
  while (!AText.Empty() && !(FFirstPass && (m.LineEnd || m.LineFull))) {
    size_t lt = AText.NextLt();
    size_t space = A.WordWrap ? AText.NextSpace() : std::wstring::npos;
    size_t end;
    if (lt != std::wstring::npos && (space == std::wstring::npos || space > lt))
      end = lt;
    else if (space != std::wstring::npos)
      end = space + 1;
    else
      end = AText.End;
    const size_t raw = end - AText.Pos;
    if (raw > 0) {
      bool replaced = false;
      const std::wstring &chunk = ChunkOf(AText.Front(), raw, replaced);
      if (FFirstPass) {
        const int h = Facts().Height;
        if (S.Superscript) m.Raise = std::max(m.Raise, h / 4);
        if (S.Subscript) m.Drop = std::max(m.Drop, h / 4);
        m.LineHeight = std::max(m.LineHeight, h);
      }
      if (S.Hidden) {
        // Counts for the height and the plain text, nothing else.
        if (FFirstPass) R.PlainText += chunk;
        AText.Pos += raw;
      } else {
        ProcessChunk(AText, raw, chunk, replaced);
      }
    }
    if (!AText.Empty() && AText.First() == L'<' && AText.Length() <= 2) AText.Pos = AText.End;
    if ((FFirstPass && m.LineEnd) || AText.Empty() || AText.First() != L'<') continue;
    ProcessTag(AText);
  }

  m.WidthSoFar -= m.TrailingSpace;
  if (m.WidthSoFar > R.LaidOutWidth) R.LaidOutWidth = ClampInt(m.WidthSoFar + 2);
  if (Drawing() && S.InAnchor && S.AnchorCounter - 1 == A.FocusIndex) {
    // The focus frame of an anchor that goes on in the next line.
    S.FocusRect.right = Coordinate(FDrawPos);
    S.FocusRect.bottom = Coordinate(TextBottom());
    DrawFocus();
    S.FocusRect.left = FLine.left + 1;
    S.FocusRect.top = S.FocusRect.bottom;
  }
}

const std::wstring &TMarkupRenderer::ChunkOf(const wchar_t *AText, size_t ALength,
                                             bool &AReplaced) {
  // Most chunks hold no entity: copied into a buffer that is reused.
  if (std::find(AText, AText + ALength, L'&') == AText + ALength) {
    AReplaced = false;
    FChunk.assign(AText, ALength);
  } else {
    FChunk = ReplaceChunkEntities(AText, ALength, AReplaced);
  }
  return FChunk;
}

void TMarkupRenderer::ProcessChunk(TTextCursor &AText, size_t ARawLength,
                                   const std::wstring &AChunk, bool AReplaced) {
  TLineMetrics &m = *FMetrics;
  long long w;
  if (Drawing()) {
    w = DrawChunk(AChunk);
  } else {
    w = MeasureWidth(AChunk, FLine);
    const long long px = (long long)A.PointX - FOrigin;
    if (S.InAnchor && A.Regions && FMode == rmHitTest)
      FLineRegions.push_back({TRect(Coordinate(FOrigin + m.WidthSoFar), 0,
                                    Coordinate(FOrigin + m.WidthSoFar + w), 0),
                              false, S.AnchorAddress});
    if (S.InAnchor && m.WidthSoFar <= px && px <= m.WidthSoFar + w) {
      m.TextHit = true;
      if (A.PointY > FLine.top) {
        SetHitAddress();
        S.HoverPending = true;
      }
    }
  }
  if (FFirstPass && A.WordWrap) {
    // A chunk wider than the whole line stands where it is.
    const long long usable = (long long)A.Bounds.right - A.Bounds.left - FLineOffset;
    if (!(m.WidthSoFar + w < usable || w >= usable)) {
      m.LineEnd = true;
      return;
    }
  }
  m.WidthSoFar += w;
  if (FFirstPass) {
    if (FConsumed) FConsumed->append(AText.Front(), ARawLength);
    R.PlainText += AChunk;
  }
  AText.Pos += ARawLength;
  m.TrailingSpace = !AReplaced && AChunk.back() == L' ' ? Facts().SpaceWidth : 0;
}

long long TMarkupRenderer::DrawChunk(const std::wstring &AChunk) {
  const TLineMetrics &m = *FMetrics;
  long long bottom = TextBottom() - m.ImageOffset;
  if (S.Superscript) bottom -= m.Raise;
  if (S.Subscript) bottom += m.Drop;
  const bool rightToLeft = (FFlags & DT_RTLREADING) != 0;
  TRect r(Coordinate(rightToLeft ? FLine.left : FDrawPos), FLine.top,
          Coordinate(rightToLeft ? FRightEdge : FLine.right), Coordinate(bottom));
  const long long w = MeasureWidth(AChunk, r);
  // Without word wrap a chunk that starts at the right edge is left out.
  if (A.WordWrap || rightToLeft || FDrawPos < FLine.right - Facts().WWidth) {
    const UINT flags = FFlags & ~UINT(DT_EXTERNALLEADING);
    if (S.Shadow) {
      TRect shadow = r;
      OffsetRect(&shadow, A.ShadowOffset, A.ShadowOffset);
      DrawChunkText(AChunk, shadow, flags, A.ShadowColor);
    }
    DrawChunkText(AChunk, r, flags, TextColor());
  }
  if (S.InAnchor && S.AnchorCounter - 1 == A.FocusIndex) {
    FFocusAddress = S.AnchorAddress;
    FFocusFound = true;
  }
  if (S.ErrorMark) Zigzag(FDrawPos, FDrawPos + w);
  if (rightToLeft)
    FRightEdge -= w;
  else
    FDrawPos += w;
  return w;
}

void TMarkupRenderer::ProcessTag(TTextCursor &AText) {
  const size_t gt = AText.NextGt();
  const bool closed = gt != std::wstring::npos;
  const size_t length = (closed ? gt : AText.End) - AText.Pos;
  FTag.Assign(AText.Front(), length, closed);
  if (FTag.Letter(1) == L'/' && length + (closed ? 1 : 0) > 3)
    ClosingTag(FTag);
  else
    OpeningTag(FTag);
  if (FFirstPass && FMetrics->LineFull) return; // the tag begins the next line
  if (!closed) {
    AText.Pos = AText.End;
    return;
  }
  if (FConsumed) FConsumed->append(AText.Front(), length + 1);
  AText.Pos += length + 1;
}

// ---- canvas

TColor TMarkupRenderer::Back() const {
  return FCanvas.BrushStyle() == bsClear ? clNone : FCanvas.BrushColor();
}

// Transparent keeps the colour value: a band drawn later uses it.
void TMarkupRenderer::SetBack(TColor AColor) {
  if (AColor == clNone) {
    FCanvas.SetBrushStyle(bsClear);
    return;
  }
  FCanvas.SetBrushStyle(bsSolid);
  FCanvas.SetBrushColor(AColor);
}

const TFontFacts &TMarkupRenderer::Facts() {
  const TFont &f = FCanvas.Font();
  auto same = [&](const TFactsEntry &E) {
    return E.Height == f.Height() && E.Style == int(f.Style()) &&
           E.Orientation == f.Orientation() && E.CharSet == f.CharSet() && E.Name == f.Name();
  };
  if (FLastFacts < FFacts.size() && same(FFacts[FLastFacts])) return FFacts[FLastFacts].Facts;
  for (size_t i = 0; i < FFacts.size(); ++i)
    if (same(FFacts[i])) {
      FLastFacts = i;
      return FFacts[i].Facts;
    }
  TFontFacts facts;
  facts.Height = FCanvas.TextHeight(L"gh");
  facts.SpaceWidth = FCanvas.TextWidth(L" ");
  facts.WWidth = FCanvas.TextWidth(L"w");
  // A handful of fonts in practice; markup that keeps inventing new ones
  // starts the list again rather than growing it.
  if (FFacts.size() >= 64) FFacts.clear();
  FFacts.push_back({f.Name(), f.Height(), int(f.Style()), f.Orientation(), f.CharSet(), facts});
  FLastFacts = FFacts.size() - 1;
  return FFacts.back().Facts;
}

int TMarkupRenderer::MeasureWidth(const std::wstring &AChunk, const TRect &ARect) {
  TRect r = ARect;
  FCanvas.TextRect(r, AChunk, FFlags | DT_CALCRECT);
  return std::max<LONG>(r.Width(), 0);
}

void TMarkupRenderer::DrawTextIn(const std::wstring &AText, TRect ARect, UINT AFlags,
                                 TColor AColor) {
  // Text in no colour is invisible: a blinking text in its off phase over
  // a transparent background.
  if (AColor == clNone) return;
  HDC dc = FCanvas.Handle();
  TSelectedObject font(dc, FCanvas.Font().Handle());
  ::SetTextColor(dc, ColorToRGB(AColor));
  const TColor back = Back();
  if (back == clNone) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(back));
  }
  DrawTextW(dc, AText.c_str(), int(AText.size()), &ARect, AFlags);
  SetBkMode(dc, TRANSPARENT);
}

// Rotated text turns about the bottom left of its line; the platform's
// text box drawing would turn it about the box's top and clip it.
void TMarkupRenderer::DrawChunkText(const std::wstring &AText, const TRect &ARect, UINT AFlags,
                                    TColor AColor) {
  if (FCanvas.Font().Orientation() == 0) {
    DrawTextIn(AText, ARect, AFlags, AColor);
    return;
  }
  if (AColor == clNone) return;
  std::wstring shown;
  if (AFlags & DT_NOPREFIX) {
    shown = AText;
  } else {
    // As the text drawing shows prefixes: "&&" is one "&", a single "&"
    // marks the next character and is not shown.
    for (size_t i = 0; i < AText.size(); ++i) {
      if (AText[i] != L'&')
        shown += AText[i];
      else if (i + 1 < AText.size())
        shown += AText[++i];
    }
  }
  HDC dc = FCanvas.Handle();
  TSelectedObject font(dc, FCanvas.Font().Handle());
  ::SetTextColor(dc, ColorToRGB(AColor));
  const TColor back = Back();
  SetBkMode(dc, back == clNone ? TRANSPARENT : OPAQUE);
  if (back != clNone) SetBkColor(dc, ColorToRGB(back));
  const UINT align = SetTextAlign(dc, TA_LEFT | TA_BOTTOM | TA_NOUPDATECP);
  ExtTextOutW(dc, ARect.left, ARect.bottom, 0, nullptr, shown.c_str(), UINT(shown.size()), nullptr);
  SetTextAlign(dc, align);
  SetBkMode(dc, TRANSPARENT);
}

void TMarkupRenderer::Zigzag(long long ALeft, long long ARight) {
  const long long bottom = TextBottom();
  // Only the part on the visible area is drawn, in one line of one pen. The
  // zigzag's phase follows x alone, so a part looks as that part of the whole.
  RECT clip;
  if (GetClipBox(FCanvas.Handle(), &clip) == ERROR) return;
  if (bottom + 1 < clip.top || bottom - 1 > clip.bottom) return;
  const long long left = std::max<long long>(ALeft, clip.left - 4);
  const long long right = std::min<long long>(ARight, clip.right + 4);
  if (left >= right) return;
  long long x = left - left % 2;
  int d = x % 4 == 0 ? 2 : 0;
  FZigzag.clear();
  FZigzag.push_back({Coordinate(x), Coordinate(bottom + d - 1)});
  for (; x < right; x += 2) {
    d = d == 2 ? 0 : 2;
    FZigzag.push_back({Coordinate(x + 2), Coordinate(bottom + d - 1)});
  }
  FCanvas.SetPenColor(RGBColor(255, 0, 0));
  FCanvas.SetPenWidth(1);
  FCanvas.Polyline(FZigzag.data(), int(FZigzag.size()));
}

void TMarkupRenderer::DrawFocus() {
  S.FocusRect.left -= 1;
  S.FocusRect.right += 1;
  if (Drawing()) DrawFocusRect(FCanvas.Handle(), &S.FocusRect);
}

bool MarkupRegionAt(const std::vector<TMarkupRegion> &ARegions, int X, int Y,
                    std::wstring &AAddress) {
  for (auto r = ARegions.rbegin(); r != ARegions.rend(); ++r) {
    const TRect &b = r->Rect;
    const bool across = r->Image ? b.left < X && X < b.right : b.left <= X && X <= b.right;
    if (across && b.top < Y && Y < b.bottom) {
      AAddress = r->Address ? *r->Address : std::wstring();
      return true;
    }
  }
  return false;
}

bool DrawMarkup(const TMarkupArgs &AArgs, TMarkupResult &AResult) {
  AResult.PlainText.clear();
  AResult.FocusAddress.clear();
  AResult.LaidOutWidth = AResult.LaidOutHeight = AResult.AnchorCount = 0;
  AResult.HitNumber = -1;
  if (!AArgs.Canvas) return false;
  TMarkupRenderer renderer(AArgs, AResult);
  return renderer.Run();
}

void SetMarkupUse(TMarkupArgs &AArgs, TMarkupUse AUse, int APointX, int APointY) {
  const bool painting = AUse == muPaint;
  AArgs.PointX = painting ? 0 : APointX;
  AArgs.PointY = painting ? 0 : APointY;
  AArgs.HitTestOnly = !painting;
  AArgs.KeepColors = !painting;
  AArgs.BlinkVisible = !painting;
  AArgs.MeasureOnly = AUse == muMeasure;
}
