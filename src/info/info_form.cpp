#include "info/info_form.h"

#include "info/maker.h"
#include "info/version_info.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/density.h"
#include "ui/icon.h"
#include "ui/platform.h"

TFrmInfo *FrmInfo = nullptr;

namespace {
// A picture that opens an address when clicked.
void MakeLink(TImage *AImage, std::function<void(TComponent *)> AClick) {
  AImage->SetCursor(crHandPoint);
  AImage->OnClick = std::move(AClick);
}

// The stored PNG pictures are drawn at twice their size at 96 DPI.
constexpr int kStoredPictureDensity = 192;
} // namespace

void LoadProgramIcon(TPicture &APicture) {
  auto icon = std::make_unique<TIcon>();
  // The image of the icon drawn for the size it is shown at.
  icon->LoadFromResourceName(GetModuleHandleW(nullptr), L"MAINICON", DensityScaled(32));
  APicture.SetGraphic(std::move(icon));
}

TFrmInfo::TFrmInfo(TComponent *AOwner) : TForm(AOwner) {
  SetUpWindow();
  PageControl = NewControl<TPageControl>(this, this, L"PageControl", 0, 0, 278, 406 - 37);
  PageControl->SetTabOrder(0);
  BuildProductPart();
  BuildMakerPart();
  BuildOptionsPage();
  BuildButtonPanel();
}

void TFrmInfo::SetUpWindow() {
  SetName(L"FrmInfo");
  SetCaption(L"Info/Einstellungen");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetColor(clBtnFace);
  Font().SetName(L"Tahoma");
  Font().SetHeight(-11);
  Font().SetColor(clWindowText);
  SetPosition(poScreenCenter);
  SetHelpContext(kHelpContext);
  SetClientSize(278, 406);
}

// The info page's upper part: the program, its version, the notice and mail.
void TFrmInfo::BuildProductPart() {
  TabInfo = new TTabSheet(this);
  TabInfo->SetName(L"TabInfo");
  TabInfo->SetCaption(L"Info");
  TabInfo->SetPageControl(PageControl);

  // The dialog's pictures are read when its window is first made: nobody
  // sees them before, and decoding them would only delay the main window.
  Image2 = NewControl<TImage>(this, TabInfo, L"Image2", 18, 13, 32, 32);
  Image2->SetCenter(true);
  Image2->Picture().LoadWhenNeeded(LoadProgramIcon);

  LblProductName = NewControl<TLabel>(this, TabInfo, L"LblProductName", 58, 13, 198, 25);
  LblProductName->SetCaption(L"kalverin Tastenfang");
  LblProductName->Font().SetHeight(-21);

  LblVersion = NewControl<TLabel>(this, TabInfo, L"LblVersion", 127, 39, 54, 13);
  LblVersion->SetCaption(L"Version %s");

  LblCopyRight = NewControl<TLabel>(this, TabInfo, L"LblCopyRight", 40, 84, 196, 13);
  LblCopyRight->SetCaption(kMakerCopyright);
  LblCopyRight->Font().SetColor(RGBColor(128, 0, 64));

  LblEMail = NewControl<TUrlLbl>(this, TabInfo, L"LblEMail", 95, 99, 86, 13);
  LblEMail->SetCaption(kMakerEmail);
  LblEMail->Font().SetName(L"Tahoma");
  LblEMail->Font().SetHeight(-11);
  LblEMail->OnClick = [this](TComponent *S) { LblEMailClick(S); };

  Bevel1 = NewControl<TBevel>(this, TabInfo, L"Bevel1", 3, 123, 271, 2);
}

// The info page's lower part: the maker's site and the recommended tool.
void TFrmInfo::BuildMakerPart() {
  LblInfo = NewControl<TLabel>(this, TabInfo, L"LblInfo", 71, 144, 193, 13);
  LblInfo->SetCaption(L"Aktuelle Versionen und weitere Infos bei");
  LblInfo->SetAlignment(taCenter);

  Image1 = NewControl<TImage>(this, TabInfo, L"Image1", 8, 145, 60, 45);
  Image1->SetAutoSize(true);
  Image1->SetTransparent(true);
  Image1->SetPictureDensity(kStoredPictureDensity);
  Image1->Picture().LoadFromStoredResourceWhenNeeded(L"IMAGE1_PNG");
  MakeLink(Image1, [this](TComponent *S) { LblUrlClick(S); });

  Image3 = NewControl<TImage>(this, TabInfo, L"Image3", 95, 162, 145, 20);
  Image3->SetAutoSize(true);
  TDensityVersion lettering = FindDensityVersion(GetModuleHandleW(nullptr), L"IMAGE3", RT_BITMAP);
  Image3->SetPictureDensity(lettering.PixelsPerInch);
  Image3->Picture().LoadWhenNeeded([name = lettering.Name](TPicture &APicture) {
    auto lettering = std::make_unique<TBitmap>();
    lettering->LoadFromResourceName(GetModuleHandleW(nullptr), name);
    APicture.SetGraphic(std::move(lettering));
  });
  Image3->SetTransparent(true);
  MakeLink(Image3, [this](TComponent *S) { LblUrlClick(S); });

  LblUrl = NewControl<TUrlLbl>(this, TabInfo, L"LblUrl", 106, 182, 122, 13);
  LblUrl->SetCaption(kMakerUrl);
  LblUrl->Font().SetName(L"Tahoma");
  LblUrl->Font().SetHeight(-11);
  LblUrl->OnClick = [this](TComponent *S) { LblUrlClick(S); };

  Bevel3 = NewControl<TBevel>(this, TabInfo, L"Bevel3", 3, 215, 271, 2);

  Label8 = NewControl<TLabel>(this, TabInfo, L"Label8", 32, 226, 213, 13);
  Label8->SetCaption(L"Zur Auktionsabwicklung empfehlen wir Ihnen");
  Label8->SetAlignment(taCenter);

  Image7 = NewControl<TImage>(this, TabInfo, L"Image7", 44, 248, 188, 80);
  Image7->SetAutoSize(true);
  Image7->SetPictureDensity(kStoredPictureDensity);
  Image7->Picture().LoadFromStoredResourceWhenNeeded(L"IMAGE7_PNG");
  MakeLink(Image7, [this](TComponent *S) { Image7Click(S); });
}

void TFrmInfo::BuildOptionsPage() {
  TabOptions = new TTabSheet(this);
  TabOptions->SetName(L"TabOptions");
  TabOptions->SetCaption(L"Einstellungen");
  TabOptions->SetPageControl(PageControl);

  ChkAutoCheckUpdates = NewControl<TCheckBox>(this, TabOptions, L"ChkAutoCheckUpdates", 3, 8, 277, 17);
  ChkAutoCheckUpdates->SetCaption(L"Bei Programmstart auf Updates prüfen");

  ChkOwnTypos = NewControl<TCheckBox>(this, TabOptions, L"ChkOwnTypos", 3, 31, 277, 17);
  ChkOwnTypos->SetCaption(L"Tippfehler selbst erzeugen");
  ChkOwnTypos->SetChecked(true);
  // Only the variants made here can be shown.
  ChkOwnTypos->OnClick = [this](TComponent *) {
    ChkShowVariants->SetEnabled(ChkOwnTypos->Checked());
  };

  ChkShowVariants = NewControl<TCheckBox>(this, TabOptions, L"ChkShowVariants", 3, 54, 277, 17);
  ChkShowVariants->SetCaption(L"Varianten vor der Suche zeigen");

  BuildSearchGroup();
}

// The search options, for both kinds of search: each list under its
// caption, wide enough for its longest item; the prices side by side.
void TFrmInfo::BuildSearchGroup() {
  GrpSearch = NewControl<TGroupBox>(this, TabOptions, L"GrpSearch", 3, 79, 260, 236);
  GrpSearch->SetCaption(L"Suche");
  // Captions of fixed width: an AutoSize label inside the group measures
  // itself too large at other densities and would cover its neighbours.
  auto caption = [this](const wchar_t *AName, const wchar_t *AText, int ALeft, int ATop,
                        int AWidth) {
    TLabel *label = NewControl<TLabel>(this, GrpSearch, AName, ALeft, ATop, AWidth, 13);
    label->SetAutoSize(false);
    label->SetCaption(AText);
    return label;
  };
  LblSite = caption(L"LblSite", L"eBay-Seite:", 8, 18, 200);
  CbxSite = NewChoice(L"CbxSite", 8, 32, 200, {L"eBay.de", L"eBay.at", L"eBay.ch"});
  LblListingType = caption(L"LblListingType", L"Angebotsformat:", 8, 60, 200);
  CbxListingType = NewChoice(L"CbxListingType", 8, 74, 200,
                             {L"Alle Angebote", L"Auktion", L"Sofort-Kaufen"});
  LblSortOrder = caption(L"LblSortOrder", L"Sortierung:", 8, 102, 200);
  CbxSortOrder = NewChoice(L"CbxSortOrder", 8, 116, 200,
                           {L"Bald endend", L"Beste Ergebnisse", L"Neu eingestellt",
                            L"Niedrigster Preis inkl. Versand"});
  LblPriceFrom = caption(L"LblPriceFrom", L"Preis von:", 8, 151, 56);
  EdtPriceFrom = NewControl<TEdit>(this, GrpSearch, L"EdtPriceFrom", 66, 147, 60, 21);
  LblPriceTo = caption(L"LblPriceTo", L"bis:", 136, 151, 22);
  EdtPriceTo = NewControl<TEdit>(this, GrpSearch, L"EdtPriceTo", 160, 147, 60, 21);
  ChkDescriptions = NewControl<TCheckBox>(this, GrpSearch, L"ChkDescriptions", 8, 177, 220, 17);
  ChkDescriptions->SetCaption(L"Auch in Artikelbeschreibungen suchen");
  LblResultPages =
      caption(L"LblResultPages", L"Ergebnisseiten je Tippfehlersuche:", 8, 207, 186);
  CbxResultPages = NewChoice(L"CbxResultPages", 196, 203, 50, {L"1", L"2", L"3"});
}

// A drop-down list of fixed items, the first chosen.
TComboBox *TFrmInfo::NewChoice(const wchar_t *AName, int ALeft, int ATop, int AWidth,
                               std::initializer_list<const wchar_t *> AItems) {
  TComboBox *choice = NewControl<TComboBox>(this, GrpSearch, AName, ALeft, ATop, AWidth, 21);
  choice->SetStyle(csDropDownList);
  choice->SetDropDownCount(int(AItems.size()));
  for (const wchar_t *item : AItems) choice->Items().Add(item);
  choice->SetItemIndex(0);
  return choice;
}

void TFrmInfo::BuildButtonPanel() {
  Panel1 = NewControl<TPanel>(this, this, L"Panel1", 0, 406 - 37, 278, 37);

  BtnOK = NewControl<TButton>(this, Panel1, L"BtnOK", 102, 6, 75, 25);
  BtnOK->SetCaption(L"OK");
  BtnOK->SetDefault(true);
  BtnOK->SetModalResult(mrOk);
  BtnOK->Font().SetName(L"MS Sans Serif");
  BtnOK->Font().SetHeight(-11);
  BtnOK->Font().SetColor(clBlack);
  BtnOK->SetTabOrder(1);
}

void TFrmInfo::DoCreate() {
  FormCreate(this);
  TForm::DoCreate();
}

void TFrmInfo::FormCreate(TComponent *) {
  LblVersion->SetCaption(Format(LblVersion->Caption(), {GetVersionInfoValue(L"ProductVersion")}));
  PageControl->SetActivePage(TabInfo);
}

void TFrmInfo::LblEMailClick(TComponent *) {
  std::wstring mail = Format(L"mailto:%s?subject=%s %s",
                             {LblEMail->Caption(), LblProductName->Caption(),
                              GetVersionInfoValue(L"ProductVersion")});
  std::wstring escaped;
  for (wchar_t c : mail) escaped += c == L' ' ? std::wstring(L"%20") : std::wstring(1, c);
  OpenAddress(escaped);
}

void TFrmInfo::LblUrlClick(TComponent *) { OpenAddress(LblUrl->Caption()); }

void TFrmInfo::Image7Click(TComponent *) { OpenAddress(kMakerProductUrl); }

void TFrmInfo::OpenAddress(const std::wstring &AAddress) {
  ShellOpen(Application->Handle(), AAddress);
}
