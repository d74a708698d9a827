// The emulated window's construction: its font, its controls and its width.
#include "taskdialog/message_form.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <utility>

#include "markup/draw_markup.h"
#include "taskdialog/common_buttons.h"
#include "taskdialog/dialog_text.h"
#include "taskdialog/emulated_dialog.h"
#include "taskdialog/task_dialog_button.h"
#include "ui/accessible_text.h"
#include "ui/bitmap.h"
#include "ui/comctrls.h"
#include "ui/density.h"
#include "ui/icon.h"
#include "ui/image_control.h"
#include "ui/screen.h"
#include "ui/stdctrls.h"
#include "ui/timer.h"

namespace {
constexpr TColor kInstructionColor = RGBColor(0, 83, 196);
constexpr TColor kLinkBorderColor = RGBColor(108, 225, 255);

// The common buttons' widths, measured once per font: a dialog after a
// change of message font or density measures with its own font. Per
// thread, not guarded: a thread's dialogs measure with that thread's
// canvases, and no thread needs another's widths.
int &CommonButtonWidthCache(const TFont &AFont, int APos) {
  using TKey = std::tuple<std::wstring, int, TFontStyles, int, int>;
  thread_local std::map<TKey, std::array<int, kCommonButtonCount>> cache;
  const TKey key{AFont.Name(), AFont.Height(), AFont.Style(), AFont.CharSet(),
                 AFont.Orientation()};
  return cache[key].at(size_t(APos));
}

// System icon identifiers of the main icon kinds; 0 for none.
constexpr int kMainIconIDs[] = {
    32516, // tiBlank: a blank square
    32515, // tiWarning
    32514, // tiQuestion
    32513, // tiError
    32516, // tiInformation
    0,     // tiNotUsed
    32513, // tiShield: the program's shield picture
};
constexpr int kFooterIconIDs[] = {0, 32515, 32514, 32513, 32516, 32517};

// The common buttons that take the default and Escape, as positions in the
// common-button table, for the component's DefaultButton.
struct TCommonButtonPositions {
  int Default = cbOK, Cancel = cbOK;
};
TCommonButtonPositions CommonButtonPositions(TCommonButtons ACommon, int ADefaultButton) {
  auto has = [&](TCommonButton AButton) { return ACommon.Contains(AButton); };
  TCommonButtonPositions p;
  switch (ADefaultButton) {
  case 0:
    p.Default = has(cbOK) ? cbOK : has(cbYes) ? cbYes : cbRetry;
    p.Cancel = has(cbCancel) ? cbCancel : has(cbNo) ? cbNo : cbOK;
    break;
  case mrOk:
    if (!has(cbOK) && has(cbYes)) p.Default = cbYes;
    break;
  case mrCancel:
    p.Default = has(cbCancel) ? cbCancel : has(cbNo) ? cbNo : cbOK;
    break;
  case mrYes:
    if (has(cbYes)) p.Default = cbYes;
    break;
  case mrNo:
    if (has(cbNo)) p.Default = cbNo;
    break;
  case kNativeCloseButtonID:
    if (has(cbClose)) p.Default = cbClose;
    break;
  default:
    break;
  }
  return p;
}

// One of the system's icons, shown as it is: shared, it is never freed,
// and a copy of its pictures for each dialog would cost more than the
// rest of building the window.
class TSystemIcon : public TIcon {
public:
  explicit TSystemIcon(HICON AIcon) { SetHandle(AIcon); }
  ~TSystemIcon() override { ReleaseHandle(); }
};

// The dialog has no reading order of its own: lines read left to right.
constexpr UINT kReadingOrderFlags = 0;

// The window font of CreateNew: the message font of the 504-byte record.
bool SystemMessageFont(TFont &AFont) {
  NONCLIENTMETRICSW metrics{};
  static_assert(sizeof(metrics) == 504, "the record with the padded border width");
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
  const LOGFONTW &lf = metrics.lfMessageFont;
  AFont.SetName(lf.lfFaceName);
  AFont.SetHeight(lf.lfHeight);
  AFont.SetCharSet(lf.lfCharSet);
  TFontStyles style = 0;
  if (lf.lfWeight >= FW_BOLD) style |= fsBold;
  if (lf.lfItalic) style |= fsItalic;
  AFont.SetStyle(style);
  return true;
}
} // namespace

SIZE AverageCharSize(TCanvas &ACanvas) {
  static const std::wstring kLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size = ACanvas.TextExtent(kLetters);
  return {size.cx / 52, size.cy};
}

TDialogUnits DialogUnits(TCanvas &ACanvas) {
  const SIZE c = AverageCharSize(ACanvas);
  TDialogUnits u;
  u.HorzMargin = MulDiv(8, c.cx, 4);
  u.VertMargin = MulDiv(8, c.cy, 8);
  u.HorzSpacing = MulDiv(10, c.cx, 4);
  u.VertSpacing = MulDiv(10, c.cy, 8);
  u.ButtonHeight = MulDiv(14, c.cy, 8);
  u.ButtonSpacing = MulDiv(4, c.cx, 4);
  return u;
}

TDialogPictures DialogPictures() {
  return {DensityScaled(32), DensityScaled(16), DensityScaled(20), DensityScaled(19)};
}

int InstructionTallControl(int AInstructionHeight, const TFont &AFont) {
  // An empty instruction has no height: a line of the control's own text.
  TMemoryCanvas canvas;
  canvas.Font() = AFont;
  return std::max<int>(AInstructionHeight, canvas.TextHeight(L"Wg"));
}

TAdvMessageForm::TAdvMessageForm(TComponent *AOwner, int ADummy) : TForm(AOwner) {
  (void)ADummy;
  TFont font = Font();
  if (SystemMessageFont(font)) Font() = font;
  // Escape follows the dialog's own rules (its dialog characters).
  SetEscapeCancels(false);
  OnKeyDown = [this](TComponent *, WORD &AKey, TShiftState AShift) { FormKeyDown(AKey, AShift); };
  FWhiteWindowHeight = Height();
}

TAdvMessageForm::~TAdvMessageForm() {
  // The controls go with the window; the lists only point at them.
  DestroyComponents();
}

bool TAdvMessageForm::HasOption(TTaskDialogOption AOption) const {
  return FTaskDialog->Options().Contains(AOption);
}

void TAdvMessageForm::SetClientWidth(int AWidth) {
  SetClientSize(AWidth, ClientHeight());
}

SIZE TAdvMessageForm::LayoutMarkup(const std::wstring &AText, const TRect &ABounds,
                                   bool AMeasureOnly) {
  TMarkupResult result;
  DrawMarkup(DialogMarkupArgs(Canvas(), PrepareMarkup(AText), ABounds,
                              AMeasureOnly ? muMeasure : muLayout),
             result);
  return {result.LaidOutWidth, result.LaidOutHeight};
}

TRect TAdvMessageForm::ContentRect() {
  if (Dialog().Content().empty()) return TRect(-1, -1, -1, -1);
  TRect r;
  r.left = FIcon ? FIcon->Left() + FIcon->Width() + FHorzSpacing : FHorzMargin;
  r.top =
      Message->Caption().empty() ? FVertMargin : Message->Top() + Message->Height() + FVertSpacing;
  r.right = ClientWidth() - FHorzMargin;
  r.bottom = r.top + FContentYSize;
  return r;
}

TRect TAdvMessageForm::ExpandedTextRect() {
  if (!FExpanded) return TRect(-1, -1, -1, -1);
  TRect r;
  r.left = FIcon ? FIcon->Left() + FIcon->Width() + FHorzSpacing : FHorzMargin;
  r.top = FExpTextTop;
  r.right = ClientWidth() - FHorzMargin;
  r.bottom = FExpTextTop + FExpTextYSize;
  return r;
}

TRect TAdvMessageForm::FooterRect() {
  if (Dialog().Footer().empty()) return TRect(-1, -1, -1, -1);
  const int height = ClientHeight();
  return TRect(FHorzMargin, height - FFooterYSize - 10, ClientWidth() - FHorzMargin, height);
}

// ---- BuildTaskDialog

int TAdvMessageForm::MeasureCaption() {
  const std::wstring &title = Dialog().Title();
  const std::wstring caption = title.empty() ? ExeBaseName() : title;
  SetCaption(caption);
  if (caption.empty()) return 0;
  int width = 1000, height = 0;
  MeasureText(Canvas(), caption, width, height);
  return width + 50;
}

void TAdvMessageForm::BuildCommonButtons(int ADefaultPos, int ACancelPos, int &ARowWidth) {
  TCustomAdvTaskDialog &d = Dialog();
  const TDialogUnits u = DialogUnits(Canvas());
  for (int pos = 0; pos < kCommonButtonCount; ++pos) {
    if (!d.CommonButtons().Contains(TCommonButton(pos))) continue;
    const TCommonButtonInfo &info = CommonButtonInfo(TCommonButton(pos));
    int &cached = CommonButtonWidthCache(Canvas().Font(), pos);
    if (cached == 0) cached = Canvas().TextWidth(info.Caption) + 16;

    TControl *button = d.CreateButton(this);
    FcmBtnList.push_back(button);
    button->SetName(info.Name);
    button->SetParent(this);
    button->SetWindowID(info.Result);
    d.SetButtonCaption(button, info.Caption);
    d.SetButtonModalResult(button, info.Result);
    button->SetTag(pos == ADefaultPos ? 1 : 0);
    const bool cancellable = d.Options().Contains(doAllowDialogCancel);
    if (info.Result == mrCancel && cancellable) d.SetButtonCancel(button, true);
    if (d.DefaultButton() != -1 && pos == ADefaultPos) {
      d.SetButtonDefault(button, true);
      button->SetTabOrder(0);
    }
    if (pos == ACancelPos && cancellable) d.SetButtonCancel(button, true);
    button->SetBounds(0, 0, std::max(cached, 60), u.ButtonHeight);
    ARowWidth += button->Width() + u.ButtonSpacing;
    button->OnClick = [this](TComponent *ASender) { ButtonClick(ASender); };
    if (d.DefaultButton() == -1) button->SetTabStop(false);
  }
}

void TAdvMessageForm::BuildCustomButtons(int &ARowWidth) {
  TCustomAdvTaskDialog &d = Dialog();
  const TDialogUnits u = DialogUnits(Canvas());
  const int defaultID =
      d.CommonButtons().Empty() && d.DefaultButton() <= 0 ? kCustomButtonBase : d.DefaultButton();
  const TStringList &captions = std::as_const(d).CustomButtons();
  for (int i = 0; i < captions.Count(); ++i) {
    const std::wstring &caption = captions[i];
    const int width = Canvas().TextWidth(caption) + 16;
    TControl *button = d.CreateButton(this);
    FcsBtnList.push_back(button);
    button->SetName(L"CSButton" + std::to_wstring(i));
    button->SetParent(this);
    button->SetWindowID(kCustomButtonBase + i);
    d.SetButtonModalResult(button, kCustomButtonBase + i);
    d.SetButtonDefault(button, kCustomButtonBase + i == defaultID);
    d.SetButtonCaption(button, caption);
    button->SetBounds(0, 0, std::max(width, 60), u.ButtonHeight);
    button->OnClick = [this](TComponent *ASender) { ButtonClick(ASender); };
    ARowWidth += button->Width() + u.ButtonSpacing;
    if (defaultID == -1) button->SetTabStop(false);
  }
}

void TAdvMessageForm::BuildCommandLinks(int &ANeed) {
  TCustomAdvTaskDialog &d = Dialog();
  TCanvas &canvas = Canvas();
  const TDialogUnits u = DialogUnits(canvas);
  TFont heading = Font();
  heading.SetSize(11);
  heading.SetStyle(fsBold);
  heading.SetColor(kInstructionColor);
  TFont note = Font();
  note.SetColor(kInstructionColor);
  const bool noIcon = d.Options().Contains(doCommandLinksNoIcon);
  int widest = 0;
  const TStringList &captions = std::as_const(d).CustomButtons();
  for (int i = 0; i < captions.Count(); ++i) {
    const std::wstring &caption = captions[i];
    SIZE size = MeasureLines(&canvas, caption, heading, note, kReadingOrderFlags, true);
    widest = std::max<int>(widest, size.cx + 26);
    FCommandLinkNeed = noIcon ? widest + u.HorzMargin
                              : widest + 2 * u.HorzMargin + u.HorzSpacing +
                                    DialogPictures().MainIcon;
    ANeed = std::max(ANeed, FCommandLinkNeed);

    auto *link = new TTaskDialogButton(this);
    FcsBtnList.push_back(link);
    link->SetName(L"Button" + std::to_wstring(i));
    link->SetParent(this);
    link->SetWindowID(kCustomButtonBase + i);
    link->SetCaption(caption);
    link->Font() = note;
    link->SetHeadingFont(heading);
    link->SetModalResult(kCustomButtonBase + i);
    link->SetBorderColorHot(kLinkBorderColor);
    link->SetBorderColorDown(kLinkBorderColor);
    link->SetAutoFocus(d.DefaultButton() != -1);
    const int height =
        std::max({link->Canvas().TextHeight(L"gh") + 20, u.ButtonHeight, int(size.cy)});
    link->SetBounds(0, 0, std::max(widest, 60), height);
    if (!noIcon) {
      LoadButtonPictures(*link, L"TD_ARW", L"TD_ARWHOT", L"TD_ARWDOWN");
      TBitmap disabled;
      LoadDialogBitmap(disabled, L"TD_ARWDIS");
      link->SetPictureDisabled(&disabled);
    }
    link->SetTabStop(d.DefaultButton() != -1);
    link->OnClick = [this](TComponent *ASender) { ButtonClick(ASender); };
  }
}

void TAdvMessageForm::BuildFallbackButton(int &ARowWidth) {
  TCustomAdvTaskDialog &d = Dialog();
  const TDialogUnits u = DialogUnits(Canvas());
  const TCommonButtonInfo &ok = CommonButtonInfo(cbOK);
  int &cached = CommonButtonWidthCache(Canvas().Font(), cbOK);
  cached = Canvas().TextWidth(ok.Caption) + 8;
  TControl *button = d.CreateButton(this);
  FcmBtnList.push_back(button);
  button->SetName(L"OK");
  button->SetParent(this);
  button->SetWindowID(mrOk);
  d.SetButtonCaption(button, ok.Caption);
  d.SetButtonModalResult(button, mrOk);
  d.SetButtonDefault(button, true);
  if (d.Options().Contains(doAllowDialogCancel)) d.SetButtonCancel(button, true);
  button->SetBounds(0, 0, std::max(cached, 60), u.ButtonHeight);
  ARowWidth += button->Width() + u.ButtonSpacing;
}

SIZE TAdvMessageForm::MeasureInstruction() {
  TCanvas &canvas = Canvas();
  canvas.Font().SetSize(11);
  canvas.Font().SetStyle(fsBold);
  // Measured as the label draws it: "&" is no accelerator there.
  TRect r(0, 0, Screen->Width() / 2, 0);
  if (!Dialog().Instruction().empty())
    canvas.TextRect(r, Dialog().Instruction(),
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  else
    r.right = 0;
  canvas.Font() = Font();
  return {r.Width(), r.Height()};
}

int TAdvMessageForm::MainIconID() const {
  const int icon = int(FTaskDialog->Icon());
  return icon >= 0 && icon < int(std::size(kMainIconIDs)) ? kMainIconIDs[icon] : 0;
}

void TAdvMessageForm::BuildMainIcon(int AIconID) {
  TCustomAdvTaskDialog &d = Dialog();
  if (AIconID == 0 && d.CustomIcon().GetEmpty()) return;
  const int size = DialogPictures().MainIcon;
  FIcon = NewControl<TImage>(this, this, L"Image", FHorzMargin, FVertMargin, size, size);
  if (!d.CustomIcon().GetEmpty()) {
    auto icon = std::make_unique<TIcon>();
    icon->Assign(d.CustomIcon());
    FIcon->Picture().SetGraphic(std::move(icon));
  } else if (d.Icon() == tiBlank) {
    auto blank = std::make_unique<TBitmap>(size, size);
    blank->Canvas().SetBrushColor(clWindow);
    blank->Canvas().FillRect(TRect(0, 0, size, size));
    FIcon->Picture().SetGraphic(std::move(blank));
  } else if (d.Icon() == tiShield) {
    auto shield = std::make_unique<TBitmap>();
    LoadDialogBitmap(*shield, L"TD_SHIELD");
    FIcon->Picture().SetGraphic(std::move(shield));
    FIcon->SetTransparent(true);
  } else {
    // Shared: the system keeps it.
    FIcon->Picture().SetGraphic(std::make_unique<TSystemIcon>(static_cast<HICON>(
        LoadImageW(nullptr, MAKEINTRESOURCEW(AIconID), IMAGE_ICON, size, size, LR_SHARED))));
  }
}

void TAdvMessageForm::BuildRadioButtons(const SIZE &AInstruction, int &ANeed) {
  TCustomAdvTaskDialog &d = Dialog();
  const TStringList &captions = std::as_const(d).RadioButtons();
  if (captions.Empty()) return;
  const bool noDefault = d.Options().Contains(doNoDefaultRadioButton);
  d.ResetRadioButtonResult();
  for (int i = 0; i < captions.Count(); ++i) {
    const std::wstring &caption = captions[i];
    TControl *radio = d.CreateRadioButton(this);
    FRadioList.push_back(radio);
    d.InitRadioButton(
        this, radio, [this](TComponent *ASender) { RadioClick(ASender); }, i);
    radio->SetWindowID(kRadioButtonBase + i);
    radio->SetBounds(FHorzParaMargin + FHorzMargin, 0, AInstruction.cx,
                     InstructionTallControl(AInstruction.cy, radio->Font()));
    int width = 0, textHeight = 0;
    MeasureText(Canvas(), caption, width, textHeight);
    ANeed = std::max(ANeed, radio->Left() + width + FHorzMargin + 20);
    d.SetControlText(radio, caption);
    // A default that names no radio button checks the first, as the
    // platform's dialog does: the result always names a shown choice.
    const int count = captions.Count();
    const bool named = d.DefaultRadioButton() >= kRadioButtonBase &&
                       d.DefaultRadioButton() < kRadioButtonBase + count;
    bool checked = false;
    if (!noDefault) checked = named ? kRadioButtonBase + i == d.DefaultRadioButton() : i == 0;
    d.SetRadioButtonChecked(radio, checked);
  }
}

void TAdvMessageForm::BuildExpandedText() {
  TCustomAdvTaskDialog &d = Dialog();
  FExpTextXSize = FExpTextYSize = 0;
  if (d.ExpandedText().empty()) return;
  if (d.Options().Contains(doHyperlinks)) {
    SIZE size = LayoutMarkup(d.ExpandedText(), TRect(FHorzMargin, 0, 300, 26), false);
    FExpTextXSize = size.cx;
    FExpTextYSize = size.cy;
  } else {
    FExpTextXSize = 300 - FHorzMargin;
    MeasureText(Canvas(), MarkersToReturns(d.ExpandedText()), FExpTextXSize, FExpTextYSize);
  }
  const int expand = DialogPictures().ExpandButton;
  FExpandButton = NewControl<TTaskDialogButton>(this, this, L"ExpandButton", 0, 0, expand, expand);
  FExpandButton->SetModalResult(0);
  FExpandButton->OnClick = [this](TComponent *) { ExpandButtonClick(); };
  LoadButtonPictures(*FExpandButton, L"TD_COLP", L"TD_COLPHOT", L"TD_COLPDOWN");
  if (!d.CommonButtons().Empty()) FExpandButton->SetBackColor(RGBColor(240, 240, 240));
}

int TAdvMessageForm::BuildVerification(int &ANeed) {
  TCustomAdvTaskDialog &d = Dialog();
  if (d.VerificationText().empty()) return 0;
  FVerificationCheck = NewControl<TCheckBox>(this, this, L"Verification", FHorzMargin, 0, 0, 16);
  FVerificationCheck->SetCaption(d.VerificationText());
  FVerificationCheck->SetColor(FFooterColor);
  FVerificationCheck->OnClick = [this](TComponent *) { VerificationClick(); };
  FVerificationCheck->SetChecked(d.Options().Contains(doVerifyChecked));
  int width = 0, height = 0;
  MeasureText(Canvas(), d.VerificationText(), width, height);
  ANeed = std::max(ANeed, FVerificationCheck->Left() + width);
  return 2 * FVertSpacing + width;
}

void TAdvMessageForm::MeasureFooter() {
  TCustomAdvTaskDialog &d = Dialog();
  FFooterXSize = FFooterYSize = 0;
  if (d.Footer().empty()) return;
  SIZE size = LayoutMarkup(d.Footer(), TRect(FHorzMargin, 0, 300, 26), false);
  FFooterXSize = size.cx;
  FFooterYSize = size.cy;
}

int TAdvMessageForm::ExpandCaptionsWidth() {
  int widest = 0;
  for (const std::wstring *text : {&Dialog().CollapsControlText(), &Dialog().ExpandControlText()}) {
    int width = 1000, height = 0;
    MeasureText(Canvas(), *text, width, height);
    widest = std::max(widest, width);
  }
  return widest;
}

void TAdvMessageForm::BuildTaskDialog(TCustomAdvTaskDialog *ATaskDialog) {
  FTaskDialog = ATaskDialog;
  const TDialogUnits u = DialogUnits(Canvas());
  FHorzMargin = u.HorzMargin;
  FVertMargin = u.VertMargin;
  FHorzSpacing = u.HorzSpacing;
  FVertSpacing = u.VertSpacing;

  int need = MeasureCaption();
  int commonRow = 0, customRow = 0;
  BuildButtons(need, commonRow, customRow);
  const SIZE instruction = MeasureInstruction();
  const int iconID = MainIconID();
  BuildMainIcon(iconID);
  BuildInstruction(u, instruction, iconID);
  BuildTimer();
  BuildProgressBar(u);
  BuildRadioButtons(instruction, need);
  BuildExpandedText();
  const int verificationWidth = BuildVerification(need);
  BuildFooter(u);

  const int instructionWidth =
      instruction.cx + (iconID != 0 ? u.HorzSpacing + DialogPictures().MainIcon : 0);
  const int rowWidth = commonRow + customRow + verificationWidth + ExpandRowWidth(u);
  int width = std::max(instructionWidth, rowWidth);
  width = std::max(width, FFooterXSize) + 2 * u.HorzMargin;
  width = std::max(width, 2 * u.HorzMargin + FExpTextXSize);
  need = std::max({need, width, FMinFormWidth});
  SetClientWidth(std::min(need, ScreenLimit()));
  if (FProgressBar) FProgressBar->SetWidth(ClientWidth() - 2 * u.HorzMargin);

  BuildAccessibleTexts();
  SetPositions();
  if (FExpandButton) SetExpanded(HasOption(doExpandedDefault));
  FitToScreen();

  SetBounds(Screen->Width() / 2 - Width() / 2, Screen->Height() / 2 - Height() / 2, Width(),
            Height());
}

void TAdvMessageForm::BuildButtons(int &ANeed, int &ACommonRow, int &ACustomRow) {
  const TCommonButtonPositions positions =
      CommonButtonPositions(Dialog().CommonButtons(), Dialog().DefaultButton());
  BuildCommonButtons(positions.Default, positions.Cancel, ACommonRow);
  if (HasOption(doCommandLinks))
    BuildCommandLinks(ANeed);
  else
    BuildCustomButtons(ACustomRow);
  if (FcmBtnList.empty() && FcsBtnList.empty()) BuildFallbackButton(ACommonRow);
}

void TAdvMessageForm::BuildInstruction(const TDialogUnits &u, const SIZE &AInstruction,
                                       int AIconID) {
  Message = new TLabel(this);
  Message->SetName(L"Instr");
  Message->SetParent(this);
  Message->SetWordWrap(true);
  Message->SetShowAccelChar(false);
  Message->Font().SetSize(11);
  Message->Font().SetStyle(fsBold);
  Message->Font().SetColor(kInstructionColor);
  Message->SetCaption(Dialog().Instruction());
  FHorzParaMargin = u.HorzMargin + (AIconID != 0 ? DialogPictures().MainIcon + u.HorzSpacing : 0);
  Message->SetBounds(FHorzParaMargin, u.VertMargin, AInstruction.cx, AInstruction.cy);
}

void TAdvMessageForm::BuildTimer() {
  if (!Dialog().NeedsTimer()) return;
  FTimer = new TTimer(this);
  FTimer->SetInterval(100);
  FTimer->OnTimer = [this](TComponent *) { TimerTick(); };
  FTimer->SetEnabled(true);
}

void TAdvMessageForm::BuildProgressBar(const TDialogUnits &u) {
  if (!HasOption(doProgressBar)) return;
  FProgressBar = NewControl<TProgressBar>(this, this, L"ProgressBar", u.HorzMargin, 0, 0, 12);
  FProgressBar->SetMin(Dialog().ProgressBarMin());
  FProgressBar->SetMax(Dialog().ProgressBarMax());
  FProgressBar->SetPosition(0);
  if (HasOption(doProgressBarMarquee)) {
    FProgressBar->SetMarqueeInterval(10);
    FProgressBar->SetStyle(pbstMarquee);
  }
}

void TAdvMessageForm::BuildFooter(const TDialogUnits &u) {
  MeasureFooter();
  if (Dialog().Footer().empty()) return;
  const int footerIconID = kFooterIconIDs[std::clamp(int(Dialog().FooterIcon()), 0, 5)];
  if (footerIconID == 0) return;
  FFooterIcon = NewControl<TImage>(this, this, L"FooterImage", u.HorzMargin, 0,
                                   DialogPictures().SmallIcon, DialogPictures().SmallIcon);
  FFooterIcon->SetVisible(false);
  FFooterIconID = footerIconID;
}

int TAdvMessageForm::ExpandRowWidth(const TDialogUnits &u) {
  if (!FExpandButton) return 0;
  return FExpandButton->Width() + u.HorzSpacing + ExpandCaptionsWidth() + u.HorzSpacing;
}

void TAdvMessageForm::BuildAccessibleTexts() {
  auto text = [this](const wchar_t *AName) {
    auto *t = new TAccessibleText(this);
    t->SetName(AName);
    t->SetParent(this);
    return t;
  };
  TCustomAdvTaskDialog &d = Dialog();
  if (!d.Content().empty()) FContentText = text(L"ContentText");
  if (!d.ExpandedText().empty()) {
    FExpandedTextText = text(L"ExpandedText");
    FExpandCaptionText = text(L"ExpandCaption");
  }
  if (!d.Footer().empty()) FFooterText = text(L"FooterText");
}
