#pragma once
// What one markup drawing call carries from chunk to chunk and from line to
// line, and what it measures of the line being laid out.
#include <memory>
#include <optional>
#include <string>

#include "ui/graphics.h"

enum TMarkupAlign { maLeft = 0, maRight = 1, maCenter = 2 };

struct TMarkupState {
  // Closing tags restore face, size and colour from the base font; there is
  // no stack of fonts.
  TFont BaseFont;
  // The font in effect where the next line starts, for each pass.
  TFont MeasureFont;
  TFont DrawFont;
  TColor EntryBack = clNone;

  TMarkupAlign Align = maLeft;
  int Indent = 0;
  // Where following lines start and how much narrower they are.
  int Offset = 0;
  int ListLevel = 0;

  bool InAnchor = false;
  // Shared, not copied: lines and chunks pass an address of any length on.
  std::shared_ptr<const std::wstring> AnchorAddress;

  bool Shadow = false;
  bool Hidden = false;
  bool ErrorMark = false;
  bool ParagraphBand = false;
  bool Superscript = false;
  bool Subscript = false;

  // Colours a tag replaced, for its closing tag; clNone when nothing was
  // saved (a background then becomes transparent, a text colour the base
  // font's).
  TColor AnchorSavedBack = clNone;
  TColor AnchorSavedText = clNone;
  TColor FontSavedBack = clNone;
  TColor HighlightSavedText = clNone;
  TColor HighlightSavedBack = clNone;
  TColor ParagraphSavedBack = clNone;

  // The canvas font that a rotated font replaced, until the rotation ends.
  std::optional<TFont> FontBeforeRotation;

  int AnchorCounter = 0; // anchors started so far; the open one's number
  int ImageCounter = 0;  // images started so far
  int HitImage = -1;     // number of the image found under the point

  // An anchor under the point whose hit rectangle is completed at its end.
  bool HoverPending = false;
  TRect HoverRect;
  TRect FocusRect;
};

// One line as laid out; all widths in pixels from the line's left edge.
struct TLineMetrics {
  int LineHeight = 0;
  int Raise = 0; // room above for superscript
  int Drop = 0;  // room below for subscript
  int ImageOffset = 0;
  long long WidthSoFar = 0;
  int TrailingSpace = 0;
  bool ListItemSeen = false;
  bool LineEnd = false;
  bool LineFull = false;
  bool TextHit = false;
  bool ImageHit = false;
};
