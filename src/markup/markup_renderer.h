#pragma once
// Inside DrawMarkup: the state of one call, the line loop with its two
// passes per line, and the handlers of the tags.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "markup/draw_markup.h"
#include "markup/markup_attributes.h"
#include "markup/markup_state.h"

enum TRenderMode { rmMeasure, rmDraw, rmHitTest };

// The platform rejects coordinates far beyond any screen; layout sums stay
// in 64 bits and are cut to this range where they meet it.
inline int Coordinate(long long AValue) {
  constexpr long long limit = 1LL << 26;
  return int(AValue < -limit ? -limit : AValue > limit ? limit : AValue);
}

// The rest of a text: positions into it, never copies. The next "<", ">"
// and space are remembered, so that finding them again costs nothing
// until the front passes them.
class TTextCursor {
public:
  explicit TTextCursor(const std::wstring &AText) : End(AText.size()), FText(AText) {}
  bool Empty() const { return Pos >= End; }
  size_t Length() const { return End - Pos; }
  const wchar_t *Front() const { return FText.data() + Pos; }
  wchar_t First() const { return FText[Pos]; }
  // Absolute positions of the next such character, or npos.
  size_t NextLt() { return Next(L'<', FLt); }
  size_t NextGt() { return Next(L'>', FGt); }
  size_t NextSpace() { return Next(L' ', FSpace); }
  // Removes characters 0 to 32 from both ends.
  void Trim();

  size_t Pos = 0;
  size_t End;

private:
  size_t Next(wchar_t AChar, size_t &ACache);
  const std::wstring &FText;
  size_t FLt = 0, FGt = 0, FSpace = 0;
  bool FLtKnown = false, FGtKnown = false, FSpaceKnown = false;
};

// Sizes of the canvas's current font that the layout asks for again and
// again.
struct TFontFacts {
  int Height = 0;     // of "gh", and of any text in this font
  int SpaceWidth = 0; // of " "
  int WWidth = 0;     // of "w"
};

class TMarkupRenderer {
public:
  TMarkupRenderer(const TMarkupArgs &AArgs, TMarkupResult &AResult);
  // Puts the canvas's font and background back, also when a failure
  // leaves early.
  ~TMarkupRenderer();
  TMarkupRenderer(const TMarkupRenderer &) = delete;
  TMarkupRenderer &operator=(const TMarkupRenderer &) = delete;

  bool Run();

private:
  // What the second pass of a line starts from, as the first pass did.
  struct TPassStart {
    bool InAnchor;
    std::shared_ptr<const std::wstring> AnchorAddress;
    int ImageCounter;
    bool Shadow, Hidden, HoverPending;
    TRect HoverRect;
  };
  TPassStart Remember() const;
  void Restore(const TPassStart &AStart);

  // What the line loop carries from one line to the next.
  struct TLineLoop {
    std::wstring Consumed; // the text of the line the first pass took
    long long Top = 0, Height = 0;
    // Rotations are font state, kept per pass like the running fonts.
    std::optional<TFont> MeasureRotation, DrawRotation;
    bool Hit = false;
  };
  // The line loop's steps.
  void TakeCanvasState();
  void ChooseLineFlags();
  const std::wstring &PreparedText(std::wstring &AChanged) const;
  // False when the next line would start without room for its text.
  bool LayOutLine(TTextCursor &ARest, TLineLoop &ALoop);
  void MeasureLine(TTextCursor &ARest, TLineLoop &ALoop, TLineMetrics &AMetrics);
  long long LineLeft(long long AWidth) const;
  // The second pass: draws or hit-tests what the first pass consumed.
  void RenderConsumedLine(const TRect &AAligned, const TLineMetrics &AMetrics, TLineLoop &ALoop);
  void ListLineRegions(long long ATextBottom);
  bool FinishResult(const TLineLoop &ALoop);

  // The first pass consumes one line from AText, appending what it takes
  // to AConsumed when given; the second takes all of AText.
  void RenderLine(TRenderMode AMode, TTextCursor &AText, const TRect &ALine, TLineMetrics &AMetrics,
                  bool AFirstPass, std::wstring *AConsumed);
  // The chunk of ALength characters with its entities replaced.
  const std::wstring &ChunkOf(const wchar_t *AText, size_t ALength, bool &AReplaced);
  void ProcessChunk(TTextCursor &AText, size_t ARawLength, const std::wstring &AChunk,
                    bool AReplaced);
  long long DrawChunk(const std::wstring &AChunk);
  void ProcessTag(TTextCursor &AText);
  void OpeningTag(const TMarkupTag &ATag);
  void ClosingTag(const TMarkupTag &ATag);

  // Tags.
  void AnchorStart(const TMarkupTag &ATag);
  void AnchorEnd();
  void FontStart(const TMarkupTag &ATag);
  void FontEnd();
  void Paragraph(const TMarkupTag &ATag);
  void ParagraphEnd();
  void IndentTo(const TMarkupTag &ATag);
  void OffsetStart(const TMarkupTag &ATag);
  void ListItem(const TMarkupTag &ATag);
  void Rule(const TMarkupTag &ATag);
  void Highlight();
  void HighlightEnd();
  void Rotation(const TMarkupTag &ATag);
  void Image(const TMarkupTag &ATag);
  void Body(const TMarkupTag &ATag);
  void LineBreak();

  // Images named by "SRC" and the other source attributes.
  struct TImageSource {
    enum TKind { isNone, isList, isIcon, isPicture } Kind = isNone;
    int Index = 0;
    std::wstring IconName;
    bool Large = false;
    THTMLPicture *Picture = nullptr;
    SIZE Size{0, 0}; // unscaled
  };
  TImageSource ResolveImage(const std::wstring &AValue);
  SIZE ImageRoom(const TImageSource &ASource, SIZE AGiven) const;
  // True when the image begins the next line instead.
  bool MoveImageToNextLine(long long AWidth);
  void DrawImage(const TImageSource &ASource, SIZE AGiven);
  void HitTestImage(int ANumber, long long AWidth, long long AHeight);
  void FitLineToImage(const TMarkupTag &ATag, long long AHeight);
  THTMLPicture *CachedPicture(const std::wstring &AAddress);
  void DrawListImage(int AIndex, int X, int Y);
  void DrawBodyImage(const TImageSource &ASource, int X, int Y);
  void TilePicture(THTMLPicture &APicture);
  void DrawPictureClipped(THTMLPicture &APicture, int X, int Y);
  int ScaleX(long long APixels) const;
  int ScaleY(long long APixels) const;

  // The canvas.
  TColor Back() const;
  void SetBack(TColor AColor);
  TColor TextColor() { return FCanvas.Font().Color(); }
  void SetTextColor(TColor AColor) { FCanvas.Font().SetColor(AColor); }
  void SetStyle(TFontStyles AStyle, bool AOn);
  void SetFace(const std::wstring &AName);
  void SetPoints(int APoints);
  void FontChanged();
  const TFontFacts &Facts();
  int MeasureWidth(const std::wstring &AChunk, const TRect &ARect);
  void DrawChunkText(const std::wstring &AText, const TRect &ARect, UINT AFlags, TColor AColor);
  void DrawTextIn(const std::wstring &AText, TRect ARect, UINT AFlags, TColor AColor);
  void Zigzag(long long ALeft, long long ARight);
  void DrawFocus();
  void EllipseIn(const TRect &ABox);

  bool Drawing() const { return FMode == rmDraw; }
  long long TextBottom() const { return FLine.bottom - FMetrics->Drop; }

  const TMarkupArgs &A;
  TMarkupResult &R;
  TCanvas &FCanvas;
  TMarkupState S;
  UINT FFlags = 0;

  // Saved at entry, put back on return.
  TFont FEntryFont;
  TColor FEntryBrushColor;
  TBrushStyle FEntryBrushStyle;

  // The line being processed.
  TRenderMode FMode = rmMeasure;
  bool FFirstPass = true;
  TRect FLine;
  TLineMetrics *FMetrics = nullptr;
  std::wstring *FConsumed = nullptr;
  int FLineOffset = 0;   // offset in effect for this line
  long long FOrigin = 0; // where widths are counted from: line left + offset
  long long FDrawPos = 0;
  long long FRightEdge = 0; // right-to-left reading
  TMarkupTag FTag;
  std::wstring FChunk;
  std::vector<POINT> FZigzag;
  // Anchor regions of the line being hit-tested, finished at its end.
  std::vector<TMarkupRegion> FLineRegions;
  // The addresses found, handed to the result once at the end.
  std::shared_ptr<const std::wstring> FHitAddress, FFocusAddress;
  bool FHitFound = false, FFocusFound = false;
  void SetHitAddress() {
    FHitAddress = S.AnchorAddress;
    FHitFound = true;
  }

  struct TFactsEntry {
    std::wstring Name;
    int Height, Style, Orientation, CharSet;
    TFontFacts Facts;
  };
  std::vector<TFactsEntry> FFacts;
  size_t FLastFacts = 0;
};
