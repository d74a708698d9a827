// The emulated window's placement: top to bottom, the button row, the
// footer and the window's height; re-measuring after live text changes.
#include <algorithm>
#include <utility>

#include "markup/draw_markup.h"
#include "markup/markup_helpers.h"
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
  TCustomAdvTaskDialog &d = Dialog();
  const TDialogUnits u = DialogUnits(Canvas());
  const bool links = d.Options().Contains(doCommandLinks);

  // 1. The instruction.
  int y = u.VertMargin;
  if (!Message->Caption().empty()) {
    Message->SetVisible(true);
    y += Message->Height() + u.VertSpacing;
  } else {
    Message->SetVisible(false);
  }

  // 2. The content.
  if (!d.Content().empty()) {
    TRect r = ContentRect();
    const TRect bounds(r.left, y, r.right, y + 26);
    const SIZE size = MeasureBodyText(d.Content(), false, bounds);
    FContentXSize = size.cx;
    FContentYSize = size.cy;
    if (r.Width() < FContentXSize)
      SetClientWidth(std::min<int>(ClientWidth() + FContentXSize - r.Width(), ScreenLimit()));
    int h = FContentYSize;
    if (Message->Caption().empty() && FIcon) h = std::max(h, FIcon->Height());
    y += h + u.VertSpacing;
  } else {
    if (FRadioList.empty() && !links) y += u.VertSpacing;
    if (Message->Caption().empty() && FIcon) y += u.VertSpacing + u.VertMargin;
  }

  // 3. The progress bar.
  if (FProgressBar) {
    if (FIcon) y = std::max(y, FIcon->Top() + FIcon->Height() + 3);
    FProgressBar->SetTop(y);
    y += FProgressBar->Height() + u.VertSpacing;
  }

  // 4. The radio buttons.
  for (TControl *radio : FRadioList) {
    radio->SetBounds(radio->Left(), y, ClientWidth() - radio->Left() - u.HorzMargin,
                     radio->Height());
    y += radio->Height() + 4;
  }
  if (!FRadioList.empty()) y += u.VertSpacing - 4;

  // 5. The expanded text.
  FExpTextXSize = FExpTextYSize = 0;
  int expandedTop = 0;
  if (!d.ExpandedText().empty() && FExpanded) {
    TRect r = ExpandedTextRect();
    const TRect bounds(r.left, y, r.right, y + 26);
    const SIZE size = MeasureBodyText(d.ExpandedText(), true, bounds);
    FExpTextXSize = size.cx;
    FExpTextYSize = size.cy;
    FExpTextTop = expandedTop = y;
    y += FExpTextYSize + u.VertSpacing;
  }

  // 6. Command links, or the width of the custom push buttons.
  int customRow = 0;
  if (links) {
    for (TControl *link : FcsBtnList) {
      const int left = FIcon ? FHorzParaMargin : link->Left();
      link->SetBounds(left, y, ClientWidth() - left - u.HorzMargin, link->Height());
      y += link->Height() + 2;
    }
    FWhiteWindowHeight = y;
    y += u.VertSpacing;
  } else {
    customRow = RowWidth(FcsBtnList, u.ButtonSpacing);
  }

  // 7.-9. The button row, right-aligned.
  const int commonRow = RowWidth(FcmBtnList, u.ButtonSpacing);
  int verificationWidth = 0;
  if (!d.VerificationText().empty()) {
    int width = 0, height = 0;
    MeasureText(Canvas(), d.VerificationText(), width, height);
    verificationWidth = 2 * FVertSpacing + width;
  }
  int x = ClientWidth() - customRow - commonRow - FHorzSpacing - 4;
  int rowTop = y, rowHeight = 0;

  // 10.-12. Expand button, verification box, push buttons.
  if (FExpandButton) {
    FExpandButton->SetBounds(FVertMargin, y, FExpandButton->Width(), FExpandButton->Height());
    rowHeight = std::max(rowHeight, FExpandButton->Height());
  }
  if (FVerificationCheck)
    FVerificationCheck->SetBounds(FVertMargin + 3, y + rowHeight + 4,
                                  verificationWidth - FVertSpacing, FVerificationCheck->Height());
  std::vector<TControl *> pushButtons;
  if (!links) pushButtons = FcsBtnList;
  pushButtons.insert(pushButtons.end(), FcmBtnList.begin(), FcmBtnList.end());
  for (TControl *button : pushButtons) {
    button->SetBounds(x, y, button->Width(), button->Height());
    x += button->Width() + u.ButtonSpacing;
    rowHeight = std::max(rowHeight, button->Height());
  }
  if (!pushButtons.empty()) FWhiteWindowHeight = y;

  // 13. Below the row.
  if (FVerificationCheck) {
    rowTop += !FcmBtnList.empty() ? rowHeight : FVerificationCheck->Height();
    if (FExpandButton) rowTop += u.VertSpacing;
    y += std::max(FVerificationCheck->Height() + u.VertSpacing, rowHeight + FVertSpacing);
  } else {
    rowTop += rowHeight;
    if (rowHeight > 0) y += rowHeight + FVertSpacing;
  }

  // 14. The footer.
  if (!d.Footer().empty()) {
    // Laid out in the width it is painted in (FooterRect).
    TRect bounds(u.HorzMargin, y, ClientWidth() - u.HorzMargin, y + 100);
    if (FFooterIcon) bounds.left += 20;
    SIZE size = LayoutMarkup(d.Footer(), bounds, false);
    FFooterXSize = size.cx;
    FFooterYSize = size.cy;
    int h = FFooterYSize;
    if (FFooterIcon) {
      FFooterIcon->SetTop(y);
      h = std::max(h, 20);
    }
    rowTop += h + u.VertSpacing;
  }

  // 15.-17. The window's height and the top of the band.
  SetClientSize(ClientWidth(), rowTop + u.VertMargin);
  if (d.CommonButtons().Empty() && (links || std::as_const(d).CustomButtons().Empty()))
    FWhiteWindowHeight = Height();
  if (expandedTop > 0 && d.Options().Contains(doExpandedFooter)) FWhiteWindowHeight = expandedTop;

  PlaceAccessibleTexts();
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
          DialogMarkupArgs(Canvas(), PrepareMarkup(AText), TRect(0, 0, 1000, 26), dmuMeasure),
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
  if (FFooterIcon) footer.left += 20;
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
  const int instructionWidth = instruction.cx + (MainIconID() != 0 ? u.HorzSpacing + 32 : 0);
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
  if (FFooterIcon) FFooterIcon->SetBounds(u.HorzMargin, FFooterIcon->Top(), 16, 16);

  int rowWidth = commonRow + customRow;
  if (FExpandButton)
    rowWidth += FExpandButton->Width() + u.HorzSpacing + ExpandCaptionsWidth() + u.HorzSpacing;
  int width = std::max(rowWidth, instructionWidth);
  width = std::max(width, FFooterXSize) + 2 * u.HorzMargin;
  need = std::max({need, width, FMinFormWidth, FCommandLinkNeed});
  SetClientWidth(std::min(need, ScreenLimit()));

  if (FProgressBar) FProgressBar->SetWidth(ClientWidth() - 2 * u.HorzMargin);
  SetPositions();
  FitToScreen();
  Invalidate();
}
