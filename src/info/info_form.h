#pragma once
// The info and settings dialog: name, version, contact links, the
// recommendation of the maker's other tool, the start-up update option,
// whether the typo search makes its variants itself, and the search options.
#include "info/url_label.h"
#include "ui/extctrls.h"
#include "ui/image_control.h"
#include "ui/stdctrls.h"

class TFrmInfo : public TForm {
public:
  explicit TFrmInfo(TComponent *AOwner);

  TPageControl *PageControl = nullptr;
  TTabSheet *TabInfo = nullptr;
  TImage *Image2 = nullptr;
  TLabel *LblProductName = nullptr;
  TLabel *LblVersion = nullptr;
  TLabel *LblCopyRight = nullptr;
  TUrlLbl *LblEMail = nullptr;
  TBevel *Bevel1 = nullptr;
  TLabel *LblInfo = nullptr;
  TImage *Image1 = nullptr;
  TImage *Image3 = nullptr;
  TUrlLbl *LblUrl = nullptr;
  TBevel *Bevel3 = nullptr;
  TLabel *Label8 = nullptr;
  TImage *Image7 = nullptr;
  TTabSheet *TabOptions = nullptr;
  TCheckBox *ChkAutoCheckUpdates = nullptr;
  TCheckBox *ChkOwnTypos = nullptr;
  TCheckBox *ChkShowVariants = nullptr;
  TGroupBox *GrpSearch = nullptr;
  TLabel *LblSite = nullptr;
  TComboBox *CbxSite = nullptr;
  TLabel *LblListingType = nullptr;
  TComboBox *CbxListingType = nullptr;
  TLabel *LblSortOrder = nullptr;
  TComboBox *CbxSortOrder = nullptr;
  TLabel *LblPriceFrom = nullptr;
  TEdit *EdtPriceFrom = nullptr;
  TLabel *LblPriceTo = nullptr;
  TEdit *EdtPriceTo = nullptr;
  TCheckBox *ChkDescriptions = nullptr;
  TLabel *LblResultPages = nullptr;
  TComboBox *CbxResultPages = nullptr;
  TPanel *Panel1 = nullptr;
  TButton *BtnOK = nullptr;

protected:
  void DoCreate() override;

private:
  void SetUpWindow();
  void BuildProductPart();
  void BuildMakerPart();
  void BuildOptionsPage();
  void BuildSearchGroup();
  TComboBox *NewChoice(const wchar_t *AName, int ALeft, int ATop, int AWidth,
                       std::initializer_list<const wchar_t *> AItems);
  void BuildButtonPanel();
  void FormCreate(TComponent *Sender);
  void LblEMailClick(TComponent *Sender);
  void LblUrlClick(TComponent *Sender);
  void Image7Click(TComponent *Sender);
  void OpenAddress(const std::wstring &AAddress);
};

extern TFrmInfo *FrmInfo;

// The program icon "MAINICON" as a picture.
void LoadProgramIcon(TPicture &APicture);
