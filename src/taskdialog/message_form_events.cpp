// The emulated window at work: painting, links, keys, accelerators, the
// timer, the buttons and the closing.
#include <algorithm>

#include "markup/draw_markup.h"
#include "taskdialog/dialog_text.h"
#include "taskdialog/emulated_dialog.h"
#include "taskdialog/message_form.h"
#include "taskdialog/task_dialog_button.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/clipboard.h"
#include "ui/comctrls.h"
#include "ui/image_control.h"
#include "ui/platform.h"
#include "ui/stdctrls.h"

namespace {
constexpr TColor kFooterSeparator = RGBColor(223, 223, 223);
constexpr UINT kPlainTextFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// Only an anchor tag ("<A...") makes a link: a text without one is known
// to have none without laying it out, which each mouse move would do.
bool MayHoldLink(const std::wstring &AText) {
  for (size_t p = AText.find(L'<'); p != std::wstring::npos && p + 1 < AText.size();
       p = AText.find(L'<', p + 1))
    if (AText[p + 1] == L'a' || AText[p + 1] == L'A') return true;
  return false;
}

template <class T> int IndexIn(const std::vector<T *> &AList, const TComponent *AItem) {
  auto it = std::find(AList.begin(), AList.end(), AItem);
  return it == AList.end() ? -1 : int(it - AList.begin());
}
} // namespace

// ---- painting

void TAdvMessageForm::Paint(TCanvas &ACanvas) {
  const TRect client = ClientRect();
  ACanvas.Font() = Font();
  if (FWhiteWindowHeight > 0) {
    TRect band = client;
    band.top = FWhiteWindowHeight - FVertSpacing / 2;
    ACanvas.SetBrushStyle(bsSolid);
    ACanvas.SetBrushColor(FFooterColor);
    ACanvas.FillRect(band);
    ACanvas.SetPenColor(FFooterLineColor);
    ACanvas.MoveTo(client.left, band.top);
    ACanvas.LineTo(client.right, band.top);
  }
  ACanvas.SetBrushStyle(bsClear);
  PaintContent(ACanvas);
  PaintExpandedText(ACanvas);
  if (FExpandButton && !Dialog().ExpandedText().empty()) {
    const std::wstring &caption =
        FExpanded ? Dialog().ExpandControlText() : Dialog().CollapsControlText();
    const TRect button = FExpandButton->BoundsRect();
    TRect r(button.right + FHorzSpacing - 5, button.top, client.right, button.bottom);
    ACanvas.TextRect(r, caption, DT_SINGLELINE | DT_VCENTER);
  }
  PaintFooter(ACanvas);
}

std::wstring TAdvMessageForm::PlainBodyText(const std::wstring &AText, bool AAllMarkers) {
  return AAllMarkers || HasLineMarker(AText) ? MarkersToReturns(AText) : AText;
}

void TAdvMessageForm::PaintBodyText(TCanvas &ACanvas, const std::wstring &AText, bool AAllMarkers,
                                    const TRect &ARect) {
  if (HasOption(doHyperlinks)) {
    TMarkupResult result;
    DrawMarkup(DialogMarkupArgs(ACanvas, PrepareMarkup(AText), ARect, muPaint), result);
  } else {
    ACanvas.Font() = Font();
    TRect r = ARect;
    ACanvas.TextRect(r, PlainBodyText(AText, AAllMarkers), kPlainTextFlags);
  }
}

void TAdvMessageForm::PaintContent(TCanvas &ACanvas) {
  const std::wstring &content = Dialog().Content();
  if (!content.empty()) PaintBodyText(ACanvas, content, false, ContentRect());
}

void TAdvMessageForm::PaintExpandedText(TCanvas &ACanvas) {
  const std::wstring &text = Dialog().ExpandedText();
  if (FExpanded && !text.empty()) PaintBodyText(ACanvas, text, true, ExpandedTextRect());
}

void TAdvMessageForm::PaintFooter(TCanvas &ACanvas) {
  const std::wstring &footer = Dialog().Footer();
  if (footer.empty()) return;
  TRect r = FooterRect();
  const int y = r.top - FVertSpacing;
  ACanvas.SetPenColor(kFooterSeparator);
  ACanvas.MoveTo(2, y);
  ACanvas.LineTo(ClientWidth() - 3, y);
  ACanvas.SetPenColor(clWhite);
  ACanvas.MoveTo(2, y + 1);
  ACanvas.LineTo(ClientWidth() - 3, y + 1);

  if (FFooterIcon) {
    const TDialogPictures sizes = DialogPictures();
    const int s = sizes.SmallIcon;
    TBitmap picture(s, s);
    picture.Canvas().SetBrushColor(FFooterColor);
    picture.Canvas().FillRect(TRect(0, 0, s, s));
    if (Dialog().FooterIcon() == tfiShield) {
      TBitmap shield;
      LoadDialogBitmap(shield, L"TD_SHIELD");
      shield.DrawTransparent(picture.Canvas(), TRect(0, 0, s, s));
    } else {
      // Shared: the system keeps it.
      auto icon = static_cast<HICON>(
          LoadImageW(nullptr, MAKEINTRESOURCEW(FFooterIconID), IMAGE_ICON, s, s, LR_SHARED));
      if (icon) DrawIconEx(picture.Canvas().Handle(), 0, 0, icon, s, s, 0, nullptr, DI_NORMAL);
    }
    picture.SetTransparentColor(FFooterColor);
    picture.DrawTransparent(ACanvas, TRect(r.left, r.top, r.left + s, r.top + s));
    r.left += sizes.FooterIconRoom;
  }
  ACanvas.Font() = Font();
  TMarkupResult result;
  DrawMarkup(DialogMarkupArgs(ACanvas, PrepareMarkup(footer), r, muPaint), result);
}

// ---- links

std::wstring TAdvMessageForm::AnchorAt(int X, int Y) {
  const POINT pt{X, Y};
  const std::wstring *text = nullptr;
  TRect r;
  if (TRect footer = FooterRect(); PtInRect(&footer, pt)) {
    text = &Dialog().Footer();
    r = footer;
    if (FFooterIcon) r.left += DialogPictures().FooterIconRoom;
  } else if (TRect content = ContentRect(); PtInRect(&content, pt)) {
    text = &Dialog().Content();
    r = content;
  } else if (TRect expanded = ExpandedTextRect(); PtInRect(&expanded, pt)) {
    text = &Dialog().ExpandedText();
    r = expanded;
  }
  // Content and details painted as plain text hold no links: link markup
  // there is text the user reads, not a target.
  if (text != &Dialog().Footer() && !HasOption(doHyperlinks)) return {};
  if (!text || !MayHoldLink(*text)) return {};
  const TFont &font = Canvas().Font();
  TLinkLayoutKey key{*text, font.Name(), r, font.Height(), int(font.Style())};
  if (FLinkLayoutKey != key) {
    FLinkLayoutKey.reset();
    FLinkRegions.clear();
    TMarkupArgs args = DialogMarkupArgs(Canvas(), PrepareMarkup(*text, true), r, muHitTest, X, Y);
    args.Regions = &FLinkRegions;
    TMarkupResult result;
    DrawMarkup(args, result);
    FLinkLayoutKey = std::move(key);
  }
  std::wstring address;
  return MarkupRegionAt(FLinkRegions, X, Y, address) ? address : std::wstring();
}

void TAdvMessageForm::MouseMove(TShiftState AShift, int X, int Y) {
  const std::wstring anchor = AnchorAt(X, Y);
  if (!anchor.empty() && (Cursor() == crDefault || FAnchor != anchor)) {
    FAnchor = anchor;
    SetCursor(crHandPoint);
  } else if (anchor.empty() && Cursor() == crHandPoint) {
    SetCursor(crDefault);
  }
  TForm::MouseMove(AShift, X, Y);
}

void TAdvMessageForm::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  TForm::MouseDown(AButton, AShift, X, Y);
  // Any mouse button opens a link.
  const std::wstring anchor = AnchorAt(X, Y);
  if (!anchor.empty()) OpenLink(anchor);
}

void TAdvMessageForm::OpenLink(const std::wstring &AAddress) {
  Dialog().DoDialogHyperlinkClick(AAddress);
}

// ---- keys

void TAdvMessageForm::FormKeyDown(WORD &AKey, TShiftState AShift) {
  // Only the buttons and the close box end the dialog.
  if ((AShift & ssAlt) && AKey == VK_F4) {
    AKey = 0;
    return;
  }
  if (AShift == ssCtrl && AKey == 'C') PlatformMessageBeep(0);
}

void TAdvMessageForm::KeyDown(WORD &AKey, TShiftState AShift) {
  TForm::KeyDown(AKey, AShift);
  if (AKey == 0) return;
  TCustomAdvTaskDialog &d = Dialog();
  if (AKey == VK_F1 && d.HelpContext() != 0 && Application) {
    Application->HelpContext(d.HelpContext());
  } else if (AKey == 'C' && (AShift & ssCtrl)) {
    CopyToClipboard();
  }
}

void TAdvMessageForm::CopyToClipboard() {
  TCustomAdvTaskDialog &d = Dialog();
  SetClipboardText(d.Title() + L"\r\n" + d.Instruction() + L"\r\n" + d.Content());
}

bool TAdvMessageForm::DialogChar(wchar_t AKey) {
  TCustomAdvTaskDialog &d = Dialog();
  if (HasOption(doCommandLinks)) {
    for (TControl *link : FcsBtnList)
      if (IsAccel(AKey, link->Caption()) && link->CanFocus()) {
        link->Click();
        return true;
      }
  }
  if (FExpandButton) {
    const std::wstring &caption = FExpanded ? d.ExpandControlText() : d.CollapsControlText();
    if (!caption.empty() && IsAccel(AKey, caption)) {
      ExpandButtonClick();
      return true;
    }
  }
  if (TForm::DialogChar(AKey)) return true;
  if (HasOption(doAllowDialogCancel) && AKey == 27) {
    CloseDialog(mrCancel);
    return true;
  }
  return false;
}

// ---- window

void TAdvMessageForm::CreateParams(TCreateParams &AParams) {
  TForm::CreateParams(AParams);
  // Owned by the form it belongs to: above it, without a task bar entry.
  if (auto *owner = dynamic_cast<TForm *>(Owner()); owner && owner->HandleAllocated()) {
    AParams.WndParent = owner->Handle();
    AParams.ExStyle &= ~DWORD(WS_EX_APPWINDOW);
  }
}

LRESULT TAdvMessageForm::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  // Activated, the dialog comes to the top without moving or resizing;
  // the framework still gives the keyboard focus back to its control.
  if (AMsg == WM_ACTIVATE && LOWORD(AW) != WA_INACTIVE)
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TForm::WndProc(AMsg, AW, AL);
}

void TAdvMessageForm::DoShow() {
  TForm::DoShow();
  TCustomAdvTaskDialog &d = Dialog();
  TControl *chosen = nullptr;
  const int custom = d.DefaultButton() - kCustomButtonBase;
  if (d.DefaultButton() != -1 && custom >= 0 && custom < int(FcsBtnList.size()))
    chosen = FcsBtnList[size_t(custom)];
  else if (d.CommonButtons().Empty() && !FcsBtnList.empty() &&
           d.DefaultButton() < kCustomButtonBase)
    chosen = FcsBtnList.front();
  if (chosen) {
    if (chosen->Enabled()) SetActiveControl(chosen);
    return;
  }
  for (TControl *button : FcmBtnList)
    if (button->Tag() == 1 && button->Enabled()) SetActiveControl(button);
}

void TAdvMessageForm::DoClose(TCloseAction &AAction) {
  if (!Dialog().DoDialogClose()) {
    AAction = caNone;
    return;
  }
  TForm::DoClose(AAction);
}

void TAdvMessageForm::CloseDialog(int AResult) {
  SetModalResult(AResult);
}

// ---- timer and controls

void TAdvMessageForm::TimerTick() {
  TCustomAdvTaskDialog &d = Dialog();
  if (HasOption(doTimer)) d.DoDialogTimer();
  if (FProgressBar) {
    int pos = FProgressBar->Position();
    // The emulated bar shows no state.
    TTaskDialogProgressState state = psNormal;
    if (d.DoDialogProgress(pos, state)) FProgressBar->SetPosition(pos);
  }
  d.AdvanceAutoClose(100);
}

void TAdvMessageForm::ButtonClick(TComponent *ASender) {
  TCustomAdvTaskDialog &d = Dialog();
  const int custom = IndexIn(FcsBtnList, ASender);
  d.DoDialogButtonClick(custom >= 0 ? kCustomButtonBase + custom
                                    : d.GetButtonModalResult(static_cast<TControl *>(ASender)));
}

void TAdvMessageForm::RadioClick(TComponent *ASender) {
  const int index = IndexIn(FRadioList, ASender);
  if (index >= 0) Dialog().DoDialogRadioClick(kRadioButtonBase + index);
}

void TAdvMessageForm::VerificationClick() {
  Dialog().DoDialogVerifyClick(FVerificationCheck->Checked());
}

void TAdvMessageForm::ExpandButtonClick() {
  SetExpanded(!FExpanded);
}

void TAdvMessageForm::SetExpanded(bool AValue) {
  if (FExpanded && !AValue)
    LoadButtonPictures(*FExpandButton, L"TD_EXP", L"TD_EXPHOT", L"TD_EXPDOWN");
  else if (!FExpanded && AValue)
    LoadButtonPictures(*FExpandButton, L"TD_COLP", L"TD_COLPHOT", L"TD_COLPDOWN");
  FExpanded = AValue;
  SetPositions();
  Invalidate();
}

TControl *TAdvMessageForm::FindButtonByID(int AButtonID) {
  for (TControl *button : FcmBtnList)
    if (button->WindowID() == AButtonID) return button;
  for (TControl *button : FcsBtnList)
    if (button->WindowID() == AButtonID) return button;
  return nullptr;
}

void TAdvMessageForm::ClickButtonByID(int AButtonID) {
  if (TControl *button = FindButtonByID(AButtonID)) button->Click();
}

void TAdvMessageForm::EnableButtonByID(int AButtonID, bool AEnabled) {
  if (TControl *button = FindButtonByID(AButtonID)) button->SetEnabled(AEnabled);
}
