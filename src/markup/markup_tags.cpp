// Which tag is which: the letters of a tag pick its handler. The handlers
// are in markup_text_tags.cpp (fonts, styles, links), markup_block_tags.cpp
// (lines, paragraphs, lists, rules) and markup_image_tags.cpp (images and
// the body).
#include <cstring>

#include "markup/markup_drawing.h"
#include "markup/markup_renderer.h"

namespace {
// The tag is exactly this (letters in any case) and closed by ">".
bool Is(const TMarkupTag &ATag, const wchar_t *AName) {
  const size_t n = std::wcslen(AName);
  if (!ATag.Closed() || ATag.Size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (ATag.Letter(i) != AName[i]) return false;
  return true;
}
} // namespace

void TMarkupRenderer::OpeningTag(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  switch (ATag.Letter(1)) {
  case L'A':
    AnchorStart(ATag);
    break;
  case L'B':
    if (Is(ATag, L"<B"))
      SetStyle(fsBold, true);
    else if (ATag.Letter(2) == L'L') {
      if (!A.BlinkVisible) SetTextColor(S.EntryBack);
    } else if (ATag.Letter(2) == L'O')
      Body(ATag);
    else if (ATag.Letter(2) == L'R')
      LineBreak();
    break;
  case L'E':
    if (Drawing()) S.ErrorMark = true;
    break;
  case L'F':
    FontStart(ATag);
    break;
  case L'H':
    if (ATag.Letter(2) == L'I')
      Highlight();
    else if (ATag.Letter(2) == L'R')
      Rule(ATag);
    break;
  case L'I':
    if (Is(ATag, L"<I"))
      SetStyle(fsItalic, true);
    else if (ATag.Letter(2) == L'N')
      IndentTo(ATag);
    else if (ATag.Letter(2) == L'M')
      Image(ATag);
    break;
  case L'L':
    ListItem(ATag);
    break;
  case L'O':
    if (ATag.Letter(2) == L'F') OffsetStart(ATag);
    break;
  case L'P':
    Paragraph(ATag);
    break;
  case L'R':
    Rotation(ATag);
    break;
  case L'S':
    if (Is(ATag, L"<S"))
      SetStyle(fsStrikeOut, true);
    else if (ATag.Letter(2) == L'H')
      S.Shadow = true;
    else if (Is(ATag, L"<SUB"))
      S.Subscript = true;
    else if (Is(ATag, L"<SUP"))
      S.Superscript = true;
    break;
  case L'U':
    if (Is(ATag, L"<U")) {
      SetStyle(fsUnderline, true);
    } else {
      ++S.ListLevel;
      m.LineEnd = true;
    }
    break;
  case L'Z':
    S.Hidden = true;
    break;
  default:
    break; // other letters vanish without effect
  }
}

void TMarkupRenderer::ClosingTag(const TMarkupTag &ATag) {
  TLineMetrics &m = *FMetrics;
  switch (ATag.Letter(2)) {
  case L'A':
    AnchorEnd();
    break;
  case L'B':
    if (Is(ATag, L"</B"))
      SetStyle(fsBold, false);
    else
      SetTextColor(S.BaseFont.Color()); // the end of a blink
    break;
  case L'E':
    if (Drawing()) S.ErrorMark = false;
    break;
  case L'F':
    FontEnd();
    break;
  case L'H':
    HighlightEnd();
    break;
  case L'I':
    SetStyle(fsItalic, false);
    break;
  case L'L':
    m.LineEnd = true;
    break;
  case L'O':
    S.Offset = 0;
    break;
  case L'P':
    ParagraphEnd();
    break;
  case L'R':
    RestoreRotatedFont(FCanvas, S);
    break;
  case L'S':
    if (ATag.Letter(3) == L'U')
      S.Superscript = S.Subscript = false;
    else if (ATag.Letter(3) == L'H')
      S.Shadow = false;
    else
      SetStyle(fsStrikeOut, false);
    break;
  case L'U':
    if (Is(ATag, L"</U"))
      SetStyle(fsUnderline, false);
    else if (S.ListLevel > 0)
      --S.ListLevel;
    else
      SetStyle(fsUnderline, false);
    break;
  case L'Z':
    S.Hidden = false;
    break;
  default:
    break;
  }
}
