// The emulated window's placement: top to bottom, the button row, the
// footer and the window's height; re-measuring after live text changes.
#include <algorithm>

#include "markup/draw_markup.h"
#include "taskdialog/dialog_text.h"
#include "taskdialog/emulated_dialog.h"
#include "taskdialog/message_form.h"
#include "taskdialog/task_dialog_button.h"
#include "ui/accessible_text.h"
#include "ui/comctrls.h"
#include "ui/image_control.h"
#include "ui/screen.h"
#include "ui/stdctrls.h"

namespace {
int WorkAreaHeight() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info))
    return Screen->Height();
  return info.rcWork.bottom - info.rcWork.top;
}

int RowWidth(const std::vector<TControl *> &AButtons, int AGap) {
  int width = 0;
  for (TControl *button : AButtons)
    width += button->Width();
  return AButtons.empty() ? 0 : width + (int(AButtons.size()) - 1) * AGap;
}
} // namespace

int TAdvMessageForm::ScreenLimit() {
  // The whole window fits the screen: a wider one would hide its
  // right-aligned buttons. Its frame is wider than the screen's edges.
  const int frame = std::max<int>(FrameSize().cx, 2 * GetSystemMetrics(SM_CYEDGE));
  return Screen->Width() - frame;
}

SIZE TAdvMessageForm::MeasureBodyText(const std::wstring &AText, bool AAllMarkers,
                                      const TRect &ABounds) {
  if (HasOption(doHyperlinks)) return LayoutMarkup(AText, ABounds, true);
  int width = ABounds.Width(), height = 0;
  MeasureText(Canvas(), PlainBodyText(AText, AAllMarkers), width, height);
  return {width, height};
}

void TAdvMessageForm::SetPositions() {
  const TDialogUnits u = DialogUnits(Canvas());
  const bool links = HasOption(doCommandLinks);
  int y = PlaceInstruction(u);
  y = PlaceContent(u, links, y);
  y = PlaceProgressBar(u, y);
  y = PlaceRadioButtons(u, y);
  y = PlaceExpandedText(u, y);
  if (links) y = PlaceCommandLinks(u, y);
  int bottom = PlaceButtonRow(u, links, y);
  bottom = PlaceFooter(u, y, bottom);
  SetClientSize(ClientWidth(), bottom + u.VertMargin);
  PlaceFooterBand(links);
  PlaceAccessibleTexts();
}

int TAdvMessageForm::PlaceInstruction(const TDialogUnits &u) {
  const bool shown = !Message->Caption().empty();
  Message->SetVisible(shown);
  return u.VertMargin + (shown ? Message->Height() + u.VertSpacing : 0);
}

int TAdvMessageForm::PlaceContent(const TDialogUnits &u, bool ALinks, int y) {
  const std::wstring &content = Dialog().Content();
  const bool iconBesideContent = Message->Caption().empty() && FIcon;
  if (content.empty()) {
    if (FRadioList.empty() && !ALinks) y += u.VertSpacing;
    if (iconBesideContent) y += u.VertSpacing + u.VertMargin;
    return y;
  }
  const TRect r = ContentRect();
  const SIZE size = MeasureBodyText(content, false, TRect(r.left, y, r.right, y + 26));
  FContentXSize = size.cx;
  FContentYSize = size.cy;
  if (r.Width() < FContentXSize)
    SetClientWidth(std::min<int>(ClientWidth() + FContentXSize - r.Width(), ScreenLimit()));
  int h = FContentYSize;
  if (iconBesideContent) h = std::max(h, FIcon->Height());
  return y + h + u.VertSpacing;
}

int TAdvMessageForm::PlaceProgressBar(const TDialogUnits &u, int y) {
  if (!FProgressBar) return y;
  if (FIcon) y = std::max(y, FIcon->Top() + FIcon->Height() + 3);
  FProgressBar->SetTop(y);
  return y + FProgressBar->Height() + u.VertSpacing;
}

int TAdvMessageForm::PlaceRadioButtons(const TDialogUnits &u, int y) {
  for (TControl *radio : FRadioList) {
    radio->SetBounds(radio->Left(), y, ClientWidth() - radio->Left() - u.HorzMargin,
                     radio->Height());
    y += radio->Height() + 4;
  }
  return FRadioList.empty() ? y : y + u.VertSpacing - 4;
}

bool TAdvMessageForm::ExpandedTextShown() const {
  return FExpanded && !Dialog().ExpandedText().empty();
}

int TAdvMessageForm::PlaceExpandedText(const TDialogUnits &u, int y) {
  FExpTextXSize = FExpTextYSize = 0;
  if (!ExpandedTextShown()) return y;
  const TRect r = ExpandedTextRect();
  const SIZE size =
      MeasureBodyText(Dialog().ExpandedText(), true, TRect(r.left, y, r.right, y + 26));
  FExpTextXSize = size.cx;
  FExpTextYSize = size.cy;
  FExpTextTop = y;
  return y + FExpTextYSize + u.VertSpacing;
}

int TAdvMessageForm::PlaceCommandLinks(const TDialogUnits &u, int y) {
  for (TControl *link : FcsBtnList) {
    const int left = FIcon ? FHorzParaMargin : link->Left();
    link->SetBounds(left, y, ClientWidth() - left - u.HorzMargin, link->Height());
    y += link->Height() + 2;
  }
  FWhiteWindowHeight = y;
  return y + u.VertSpacing;
}

int TAdvMessageForm::PlaceButtonRow(const TDialogUnits &u, bool ALinks, int &y) {
  int rowHeight = 0;
  if (FExpandButton) {
    FExpandButton->SetBounds(FVertMargin, y, FExpandButton->Width(), FExpandButton->Height());
    rowHeight = std::max(rowHeight, FExpandButton->Height());
  }
  if (FVerificationCheck) PlaceVerificationCheck(y + rowHeight + 4);
  rowHeight = PlacePushButtons(u, ALinks, y, rowHeight);

  int bottom = y;
  if (FVerificationCheck) {
    bottom += !FcmBtnList.empty() ? rowHeight : FVerificationCheck->Height();
    if (FExpandButton) bottom += u.VertSpacing;
    y += std::max(FVerificationCheck->Height() + u.VertSpacing, rowHeight + FVertSpacing);
  } else {
    bottom += rowHeight;
    if (rowHeight > 0) y += rowHeight + FVertSpacing;
  }
  return bottom;
}

void TAdvMessageForm::PlaceVerificationCheck(int ATop) {
  int width = 0, height = 0;
  MeasureText(Canvas(), Dialog().VerificationText(), width, height);
  const int verificationWidth = Dialog().VerificationText().empty() ? 0 : 2 * FVertSpacing + width;
  FVerificationCheck->SetBounds(FVertMargin + 3, ATop, verificationWidth - FVertSpacing,
                                FVerificationCheck->Height());
}

int TAdvMessageForm::PlacePushButtons(const TDialogUnits &u, bool ALinks, int y, int ARowHeight) {
  std::vector<TControl *> pushButtons;
  if (!ALinks) pushButtons = FcsBtnList;
  // Right-aligned.
  int x = ClientWidth() - RowWidth(pushButtons, u.ButtonSpacing) -
          RowWidth(FcmBtnList, u.ButtonSpacing) - FHorzSpacing - 4;
  pushButtons.insert(pushButtons.end(), FcmBtnList.begin(), FcmBtnList.end());
  for (TControl *button : pushButtons) {
    button->SetBounds(x, y, button->Width(), button->Height());
    x += button->Width() + u.ButtonSpacing;
    ARowHeight = std::max(ARowHeight, button->Height());
  }
  if (!pushButtons.empty()) FWhiteWindowHeight = y;
  return ARowHeight;
}

int TAdvMessageForm::PlaceFooter(const TDialogUnits &u, int y, int ABottom) {
  if (Dialog().Footer().empty()) return ABottom;
  // Laid out in the width it is painted in (FooterRect).
  TRect bounds(u.HorzMargin, y, ClientWidth() - u.HorzMargin, y + 100);
  if (FFooterIcon) bounds.left += DialogPictures().FooterIconRoom;
  const SIZE size = LayoutMarkup(Dialog().Footer(), bounds, false);
  FFooterXSize = size.cx;
  FFooterYSize = size.cy;
  int h = FFooterYSize;
  if (FFooterIcon) {
    FFooterIcon->SetTop(y);
    h = std::max(h, DialogPictures().FooterIconRoom);
  }
  return ABottom + h + u.VertSpacing;
}

void TAdvMessageForm::PlaceFooterBand(bool ALinks) {
  const TCustomAdvTaskDialog &d = Dialog();
  if (d.CommonButtons().Empty() && (ALinks || d.CustomButtons().Empty()))
    FWhiteWindowHeight = Height();
  if (ExpandedTextShown() && FExpTextTop > 0 && d.Options().Contains(doExpandedFooter))
    FWhiteWindowHeight = FExpTextTop;
}

void TAdvMessageForm::FitToScreen() {
  // Long texts wrap into a window taller than the screen, its buttons
  // below the edge: wider, it gets lower, up to the screen's width.
  const int available = WorkAreaHeight();
  for (int step = 0; step < 8 && Height() > available && ClientWidth() < ScreenLimit(); ++step) {
    const int wider = MulDiv(ClientWidth(), Height(), available) + 20;
    SetClientWidth(std::min(wider, ScreenLimit()));
    if (FProgressBar) FProgressBar->SetWidth(ClientWidth() - 2 * FHorzMargin);
    SetPositions();
  }
}

void TAdvMessageForm::PlaceAccessibleTexts() {
  TCustomAdvTaskDialog &d = Dialog();
  // Markup becomes the text it shows, plain text its lines.
  auto plain = [this](const std::wstring &AText, bool AMarkup) {
    std::wstring text = AText;
    if (AMarkup) {
      TMarkupResult result;
      DrawMarkup(
          DialogMarkupArgs(Canvas(), PrepareMarkup(AText), TRect(0, 0, 1000, 26), muMeasure),
          result);
      text = result.PlainText;
    } else {
      text = MarkersToReturns(AText);
    }
    std::wstring lines;
    for (wchar_t c : text) {
      if (c == L'\n') continue;
      lines += c;
      if (c == L'\r') lines += L'\n';
    }
    return lines;
  };
  auto place = [](TAccessibleText *AText, const std::wstring &ACaption, const TRect &ARect) {
    if (!AText) return;
    AText->SetBounds(ARect.left, ARect.top, ARect.Width(), ARect.Height());
    AText->SetVisible(ARect.right > ARect.left);
    if (AText->Caption() != ACaption) AText->SetCaption(ACaption);
  };
  const bool markup = d.Options().Contains(doHyperlinks);
  place(FContentText, plain(d.Content(), markup), ContentRect());
  place(FExpandedTextText, plain(d.ExpandedText(), markup), ExpandedTextRect());
  if (FExpandButton) {
    const TRect button = FExpandButton->BoundsRect();
    place(FExpandCaptionText, FExpanded ? d.ExpandControlText() : d.CollapsControlText(),
          TRect(button.right + FHorzSpacing - 5, button.top, ClientWidth(), button.bottom));
  }
  TRect footer = FooterRect();
  if (FFooterIcon) footer.left += DialogPictures().FooterIconRoom;
  place(FFooterText, plain(d.Footer(), true), footer);
}

void TAdvMessageForm::UpdateDialog() {
  TCustomAdvTaskDialog &d = Dialog();
  const TDialogUnits u = DialogUnits(Canvas());
  int need = MeasureCaption();

  int commonRow = 0, customRow = 0;
  for (TControl *button : FcmBtnList)
    commonRow += button->Width() + u.ButtonSpacing;
  if (!d.Options().Contains(doCommandLinks))
    for (TControl *button : FcsBtnList)
      customRow += button->Width() + u.ButtonSpacing;

  const SIZE instruction = MeasureInstruction();
  const int instructionWidth =
      instruction.cx + (MainIconID() != 0 ? u.HorzSpacing + DialogPictures().MainIcon : 0);
  Message->SetCaption(d.Instruction());

  // The user's choice of radio button stays; only the controls follow the
  // new instruction's height.
  for (TControl *radio : FRadioList) {
    radio->SetBounds(FHorzParaMargin + u.HorzMargin, radio->Top(), instruction.cx,
                     InstructionTallControl(instruction.cy, radio->Font()));
    int width = 0, height = 0;
    MeasureText(Canvas(), radio->Caption(), width, height);
    need = std::max(need, radio->Left() + width + u.HorzMargin + 20);
  }

  if (FVerificationCheck) {
    FVerificationCheck->SetBounds(
        u.HorzMargin, FVerificationCheck->Top(), instruction.cx,
        InstructionTallControl(instruction.cy, FVerificationCheck->Font()));
    FVerificationCheck->SetCaption(d.VerificationText());
    int width = 0, height = 0;
    MeasureText(Canvas(), d.VerificationText(), width, height);
    need = std::max(need, FVerificationCheck->Left() + width);
  }

  MeasureFooter();
  if (FFooterIcon) {
    const int size = DialogPictures().SmallIcon;
    FFooterIcon->SetBounds(u.HorzMargin, FFooterIcon->Top(), size, size);
  }

  const int rowWidth = commonRow + customRow + ExpandRowWidth(u);
  int width = std::max(rowWidth, instructionWidth);
  width = std::max(width, FFooterXSize) + 2 * u.HorzMargin;
  need = std::max({need, width, FMinFormWidth, FCommandLinkNeed});
  SetClientWidth(std::min(need, ScreenLimit()));

  if (FProgressBar) FProgressBar->SetWidth(ClientWidth() - 2 * u.HorzMargin);
  SetPositions();
  FitToScreen();
  Invalidate();
}
