#pragma once
// The emulated task dialog: a window assembled from ordinary controls that
// looks and behaves like the platform's own task dialog. Its upper area in
// the window colour holds icon, instruction, content, progress bar, radio
// buttons, details and command links; a band in the footer colour below
// holds the expand button, the verification box and the push buttons, with
// the footer at its bottom. Every size comes from the average character
// size of the window font (dialog units), so the window follows the
// system's message font and the screen's density.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "markup/draw_markup.h"
#include "taskdialog/task_dialog.h"
#include "ui/forms.h"

class TLabel;
class TImage;
class TCheckBox;
class TProgressBar;
class TTimer;
class TTaskDialogButton;
class TAccessibleText;

// Margins, spacings and the push-button size of a font, in pixels.
struct TDialogUnits {
  int HorzMargin = 0;    // HM
  int VertMargin = 0;    // VM
  int HorzSpacing = 0;   // HS
  int VertSpacing = 0;   // VS
  int ButtonHeight = 0;  // BH
  int ButtonSpacing = 0; // BG, between push buttons
};

// The pictures' sizes, designed at 96 DPI, at the screen's density: the
// main icon, the footer's icon and the room its text leaves for it, the
// expand button.
struct TDialogPictures {
  int MainIcon, SmallIcon, FooterIconRoom, ExpandButton;
};
TDialogPictures DialogPictures();

// Average width (of the 52 letters A-Z, a-z) and the height of the
// canvas font.
SIZE AverageCharSize(TCanvas &ACanvas);
TDialogUnits DialogUnits(TCanvas &ACanvas);
// The height of a control that is as tall as the instruction's text, and
// at least a line of its own font.
int InstructionTallControl(int AInstructionHeight, const TFont &AFont);

class TAdvMessageForm : public TForm, public TEmulatedDialogWindow {
public:
  // CreateNew: the window font becomes the system's message font.
  TAdvMessageForm(TComponent *AOwner, int ADummy);
  ~TAdvMessageForm() override;

  // Creates the controls for the component, fixes the client width and
  // places everything; runs once.
  void BuildTaskDialog(TCustomAdvTaskDialog *ATaskDialog);
  // Stacks texts and controls top to bottom, lays out the button row and
  // sets the client height and the top of the footer band.
  void SetPositions();
  // Re-measures after a text of the component changed while shown.
  void UpdateDialog() override;

  void CloseDialog(int AResult) override;
  void ClickButton(int AButtonID) override { ClickButtonByID(AButtonID); }
  void EnableButton(int AButtonID, bool AEnabled) override {
    EnableButtonByID(AButtonID, AEnabled);
  }

  int MinFormWidth() const { return FMinFormWidth; }
  void SetMinFormWidth(int AValue) { FMinFormWidth = AValue; }
  void SetFooterColors(TColor AFooter, TColor ALine) {
    FFooterColor = AFooter;
    FFooterLineColor = ALine;
  }
  bool Expanded() const { return FExpanded; }
  // Where the window colour ends and the footer band begins.
  int WhiteWindowHeight() const { return FWhiteWindowHeight; }
  // The three text areas; (-1, -1, -1, -1) for a text that is not shown.
  TRect ContentRect();
  TRect ExpandedTextRect();
  TRect FooterRect();
  // The address of the link at a point of the client area; empty for none.
  std::wstring AnchorAt(int X, int Y);

  LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL) override;
  bool DialogChar(wchar_t AKey) override;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void Paint(TCanvas &ACanvas) override;
  void KeyDown(WORD &AKey, TShiftState AShift) override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) override;
  void MouseMove(TShiftState AShift, int X, int Y) override;
  void DoShow() override;
  void DoClose(TCloseAction &AAction) override;

private:
  // Building
  int MeasureCaption();
  // The common buttons, then the command links or the custom buttons, an
  // OK button when there is none; adds to the widths of both rows.
  void BuildButtons(int &ANeed, int &ACommonRow, int &ACustomRow);
  void BuildCommonButtons(int ADefaultPos, int ACancelPos, int &ARowWidth);
  void BuildCustomButtons(int &ARowWidth);
  void BuildCommandLinks(int &ANeed);
  void BuildFallbackButton(int &ARowWidth);
  SIZE MeasureInstruction();
  int MainIconID() const;
  void BuildMainIcon(int AIconID);
  void BuildRadioButtons(const SIZE &AInstruction, int &ANeed);
  void BuildInstruction(const TDialogUnits &u, const SIZE &AInstruction, int AIconID);
  void BuildTimer();
  void BuildProgressBar(const TDialogUnits &u);
  void BuildExpandedText();
  // Returns the verification width of the button row.
  int BuildVerification(int &ANeed);
  void MeasureFooter();
  void BuildFooter(const TDialogUnits &u);
  int ExpandCaptionsWidth();
  // The expand button with its caption in the button row; 0 without one.
  int ExpandRowWidth(const TDialogUnits &u);
  // Placing, top to bottom: each takes the top of its part and returns
  // the top of the next.
  int PlaceInstruction(const TDialogUnits &u);
  int PlaceContent(const TDialogUnits &u, bool ALinks, int y);
  int PlaceProgressBar(const TDialogUnits &u, int y);
  int PlaceRadioButtons(const TDialogUnits &u, int y);
  bool ExpandedTextShown() const;
  int PlaceExpandedText(const TDialogUnits &u, int y);
  int PlaceCommandLinks(const TDialogUnits &u, int y);
  // The expand button, the verification box and the push buttons at y;
  // y moves below them. Returns the bottom of the row.
  int PlaceButtonRow(const TDialogUnits &u, bool ALinks, int &y);
  void PlaceVerificationCheck(int ATop);
  // Returns the row's height, at least ARowHeight.
  int PlacePushButtons(const TDialogUnits &u, bool ALinks, int y, int ARowHeight);
  // The footer at y, below the button row that ends at ABottom; returns
  // the new bottom.
  int PlaceFooter(const TDialogUnits &u, int y, int ABottom);
  // Where the window colour ends: below the buttons, at the expanded text
  // with doExpandedFooter, nowhere without buttons.
  void PlaceFooterBand(bool ALinks);
  // Widens a window that is taller than the screen.
  void FitToScreen();
  void BuildAccessibleTexts();
  void PlaceAccessibleTexts();
  // Measures a markup text laid out in a rectangle.
  SIZE LayoutMarkup(const std::wstring &AText, const TRect &ABounds, bool AMeasureOnly);
  void SetClientWidth(int AWidth);
  // The widest client area whose window fits the screen.
  int ScreenLimit();

  // Events and painting
  void FormKeyDown(WORD &AKey, TShiftState AShift);
  void PaintContent(TCanvas &ACanvas);
  void PaintExpandedText(TCanvas &ACanvas);
  void PaintFooter(TCanvas &ACanvas);
  // The content and the expanded text: markup with doHyperlinks, else
  // plain text whose backslash-"n" markers (all of them, or only where the
  // text has a line marker) become line breaks.
  std::wstring PlainBodyText(const std::wstring &AText, bool AAllMarkers);
  SIZE MeasureBodyText(const std::wstring &AText, bool AAllMarkers, const TRect &ABounds);
  void PaintBodyText(TCanvas &ACanvas, const std::wstring &AText, bool AAllMarkers,
                     const TRect &ARect);
  void TimerTick();
  void ButtonClick(TComponent *ASender);
  void RadioClick(TComponent *ASender);
  void VerificationClick();
  void ExpandButtonClick();
  void SetExpanded(bool AValue);
  void ClickButtonByID(int AButtonID);
  void EnableButtonByID(int AButtonID, bool AEnabled);
  TControl *FindButtonByID(int AButtonID);
  void CopyToClipboard();
  void OpenLink(const std::wstring &AAddress);

  TCustomAdvTaskDialog &Dialog() const { return *FTaskDialog; }
  bool HasOption(TTaskDialogOption AOption) const;

public:
  TLabel *Message = nullptr; // the instruction ("Instr")

private:
  int FHorzMargin = 0, FVertMargin = 0, FHorzSpacing = 0, FVertSpacing = 0;
  TTaskDialogButton *FExpandButton = nullptr;
  bool FExpanded = true;
  std::vector<TControl *> FcmBtnList;
  std::vector<TControl *> FcsBtnList;
  TCustomAdvTaskDialog *FTaskDialog = nullptr;
  TImage *FFooterIcon = nullptr;
  int FFooterIconID = 0;
  std::vector<TControl *> FRadioList;
  TCheckBox *FVerificationCheck = nullptr;
  TProgressBar *FProgressBar = nullptr;
  TImage *FIcon = nullptr;
  int FFooterXSize = 0, FFooterYSize = 0;
  int FContentXSize = 0, FContentYSize = 0;
  int FExpTextXSize = 0, FExpTextYSize = 0;
  int FExpTextTop = 0;
  std::wstring FAnchor;
  TTimer *FTimer = nullptr;
  int FWhiteWindowHeight = 0;
  int FHorzParaMargin = 0;
  int FMinFormWidth = 350;
  TColor FFooterColor = RGBColor(240, 240, 240);
  TColor FFooterLineColor = RGBColor(223, 223, 223);
  // The width the command links need; kept by live text changes, which
  // would otherwise cut their captions.
  int FCommandLinkNeed = 0;

  // The painted texts, readable by screen readers and automation tools.
  TAccessibleText *FContentText = nullptr;
  TAccessibleText *FExpandedTextText = nullptr;
  TAccessibleText *FExpandCaptionText = nullptr;
  TAccessibleText *FFooterText = nullptr;

  // The links of a text where the mouse was, kept while text, rectangle and
  // font stay: the mouse moves without laying the text out again.
  struct TLinkLayoutKey {
    std::wstring Text, FontName;
    TRect Rect;
    int FontHeight = 0, FontStyle = 0;
    bool operator==(const TLinkLayoutKey &) const = default;
  };
  std::optional<TLinkLayoutKey> FLinkLayoutKey;
  std::vector<TMarkupRegion> FLinkRegions;
};
