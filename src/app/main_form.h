#pragma once
// The main window: the search term with its history, the two kinds of
// search, stay-on-top and the small buttons for update, info and help.
#include "app/single_instance.h"
#include "info/url_label.h"
#include "typo/search_address.h"
#include "typo/variant_choices.h"
#include "ui/image_control.h"
#include "ui/buttons.h"
#include "ui/stdctrls.h"

// The main window's private message: run the silent update check.
constexpr UINT WM_CHECKUPDATES = WM_USER + 1;

class TFrmMain : public TForm {
public:
  explicit TFrmMain(TComponent *AOwner);

  TImage *Image2 = nullptr;
  TLabel *Label1 = nullptr;
  TRadioButton *RadTippfehler = nullptr;
  TRadioButton *RadNormal = nullptr;
  TComboBox *Cbx = nullptr;
  TButton *BtnSearch = nullptr;
  TCheckBox *ChkStayOnTop = nullptr;
  TSpeedButton *SpeedButton3 = nullptr;
  TSpeedButton *SpeedButton1 = nullptr;
  TSpeedButton *SpeedButton2 = nullptr;
  TLabel *Label2 = nullptr;
  TUrlLbl *UrlLbl1 = nullptr;
  TActionList *Actions = nullptr;
  TAction *ActCheckUpdates = nullptr;
  TAction *ActInfo = nullptr;
  TAction *ActHelp = nullptr;
  TSingleInstance *SingleInstance1 = nullptr;

  LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL) override;
  // Saves placement, options, history and the update option.
  void WriteIniFile();

protected:
  void DoCreate() override;
  void DoShow() override;
  void DoClose(TCloseAction &AAction) override;

private:
  void SetUpWindow();
  void BuildSearchControls();
  void BuildToolButtons();
  void BuildActions();
  void FormCreate(TComponent *Sender);
  void FormShow(TComponent *Sender);
  void FormClose(TComponent *Sender, TCloseAction &Action);
  void BtnSearchClick(TComponent *Sender);
  // The search of the term in the box; AShowVariants opens the variants
  // window for a typo search whatever the option says.
  void Search(bool AShowVariants);
  void CbxCloseUp(TComponent *Sender);
  void CbxKeyDown(TComponent *Sender, WORD &Key, TShiftState Shift);
  void ChkStayOnTopClick(TComponent *Sender);
  void ActCheckUpdatesExecute(TComponent *Sender);
  void ActInfoExecute(TComponent *Sender);
  void ActHelpExecute(TComponent *Sender);
  void UrlLbl1Click(TComponent *Sender);
  void WMCheckUpdates();

  void ReadIniFile();
  typo::TSearchRequest SearchRequest(const std::wstring &ATerm);
  void OpenAddress(const std::wstring &AAddress);

  // What the user chose about the variants of each word, kept with the
  // history.
  typo::TVariantChoices FVariantChoices;
};

extern TFrmMain *FrmMain;

// The search term: the text without leading and trailing characters whose
// code is 32 or less.
std::wstring TrimSearchTerm(const std::wstring &AText);
