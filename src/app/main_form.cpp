#include "app/main_form.h"

#include "app/program.h"
#include "app/search_options.h"
#include "app/variants_form.h"
#include "app/word_filter.h"
#include "base/files.h"
#include "info/info_form.h"
#include "settings/form_placement.h"
#include "settings/kal_ini_file.h"
#include "settings/settings_path.h"
#include "taskdialog/task_message.h"
#include "ui/application.h"
#include "ui/platform.h"
#include "update/update_check.h"

TFrmMain *FrmMain = nullptr;

std::wstring TrimSearchTerm(const std::wstring &AText) {
  size_t first = 0, last = AText.size();
  while (first < last && AText[first] <= L' ') ++first;
  while (last > first && AText[last - 1] <= L' ') --last;
  return AText.substr(first, last - first);
}

TFrmMain::TFrmMain(TComponent *AOwner) : TForm(AOwner) {
  SetUpWindow();
  BuildSearchControls();
  BuildToolButtons();
  BuildActions();
  // Last component of the window: ends a second copy before anything else.
  SingleInstance1 = new TSingleInstance(this);
  SingleInstance1->SetName(L"SingleInstance1");
}

void TFrmMain::SetUpWindow() {
  SetName(L"FrmMain");
  SetCaption(kApplicationTitle);
  SetColor(RGBColor(166, 202, 240));
  Font().SetName(L"Tahoma");
  Font().SetHeight(-11);
  Font().SetColor(clWindowText);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetPosition(poDesigned);
  SetBounds(0, 0, Width(), Height());
  SetClientSize(328, 147);
  SetIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
}

// The title, the two kinds of search, the term and its button.
void TFrmMain::BuildSearchControls() {
  Image2 = NewControl<TImage>(this, this, L"Image2", 8, 8, 32, 32);
  Image2->SetCenter(true);
  LoadProgramIcon(Image2->Picture());

  Label1 = NewControl<TLabel>(this, this, L"Label1", 49, 11, 236, 25);
  Label1->SetCaption(L"Tippfehlersuche bei eBay");
  Label1->Font().SetHeight(-21);

  RadTippfehler = NewControl<TRadioButton>(this, this, L"RadTippfehler", 8, 52, 136, 17);
  RadTippfehler->SetCaption(L"Auktionen mit Tippfehler");
  RadTippfehler->SetChecked(true);
  RadTippfehler->SetTabOrder(3);

  RadNormal = NewControl<TRadioButton>(this, this, L"RadNormal", 173, 52, 147, 17);
  RadNormal->SetCaption(L"Auktionen ohne Tippfehler");
  RadNormal->SetTabOrder(4);

  Cbx = NewControl<TComboBox>(this, this, L"Cbx", 8, 75, 233, 21);
  Cbx->SetDropDownCount(15);
  Cbx->SetTabOrder(0);
  Cbx->OnCloseUp = [this](TComponent *S) { CbxCloseUp(S); };
  Cbx->OnKeyDown = [this](TComponent *S, WORD &K, TShiftState Sh) { CbxKeyDown(S, K, Sh); };

  BtnSearch = NewControl<TButton>(this, this, L"BtnSearch", 247, 73, 75, 25);
  BtnSearch->SetCaption(L"Suchen");
  BtnSearch->SetTabOrder(1);
  BtnSearch->OnClick = [this](TComponent *S) { BtnSearchClick(S); };

  ChkStayOnTop = NewControl<TCheckBox>(this, this, L"ChkStayOnTop", 8, 102, 136, 17);
  ChkStayOnTop->SetCaption(L"Immer im Vordergrund");
  ChkStayOnTop->SetTabOrder(2);
  ChkStayOnTop->OnClick = [this](TComponent *S) { ChkStayOnTopClick(S); };
}

// The update, info and help buttons and the maker's link.
void TFrmMain::BuildToolButtons() {
  SpeedButton3 = NewControl<TSpeedButton>(this, this, L"SpeedButton3", 256, 118, 23, 22);
  SpeedButton3->LoadGlyph(L"BTN_UPDATE");
  SpeedButton1 = NewControl<TSpeedButton>(this, this, L"SpeedButton1", 278, 118, 23, 22);
  SpeedButton1->LoadGlyph(L"BTN_INFO");
  SpeedButton2 = NewControl<TSpeedButton>(this, this, L"SpeedButton2", 300, 118, 23, 22);
  SpeedButton2->LoadGlyph(L"BTN_HELP");

  Label2 = NewControl<TLabel>(this, this, L"Label2", 8, 127, 110, 13);
  Label2->SetCaption(L"Mehr Auktionstools auf");

  UrlLbl1 = NewControl<TUrlLbl>(this, this, L"UrlLbl1", 125, 127, 122, 13);
  UrlLbl1->SetCaption(kMakerUrl);
  UrlLbl1->Font().SetName(L"Tahoma");
  UrlLbl1->Font().SetHeight(-11);
  UrlLbl1->OnClick = [this](TComponent *S) { UrlLbl1Click(S); };
}

// The tool buttons' actions; help also answers F1.
void TFrmMain::BuildActions() {
  Actions = new TActionList(this);
  Actions->SetName(L"Actions");
  auto action = [this](const wchar_t *AName, const wchar_t *AHint, TShortCut AShortCut,
                       void (TFrmMain::*AHandler)(TComponent *)) {
    auto *a = new TAction(this);
    a->SetName(AName);
    a->SetHint(AHint);
    a->SetShortCut(AShortCut);
    a->SetActionList(Actions);
    a->OnExecute = [this, AHandler](TComponent *S) { (this->*AHandler)(S); };
    return a;
  };
  ActCheckUpdates = action(L"ActCheckUpdates", L"Nach Updates suchen", 0,
                           &TFrmMain::ActCheckUpdatesExecute);
  ActInfo = action(L"ActInfo", L"Info/Einstellungen", 0, &TFrmMain::ActInfoExecute);
  ActHelp = action(L"ActHelp", L"Hilfe", VK_F1, &TFrmMain::ActHelpExecute);
  SpeedButton3->SetAction(ActCheckUpdates);
  SpeedButton1->SetAction(ActInfo);
  SpeedButton2->SetAction(ActHelp);
}

void TFrmMain::DoCreate() {
  FormCreate(this);
  TForm::DoCreate();
}

void TFrmMain::DoShow() {
  FormShow(this);
  TForm::DoShow();
}

void TFrmMain::DoClose(TCloseAction &AAction) {
  FormClose(this, AAction);
  TForm::DoClose(AAction);
}

LRESULT TFrmMain::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  if (AMsg == WM_CHECKUPDATES) {
    WMCheckUpdates();
    return 0;
  }
  return TForm::WndProc(AMsg, AW, AL);
}

void TFrmMain::FormCreate(TComponent *) {
  // Help file beside the program.
  Application->SetHelpFile(ChangeFileExt(ProgramFileName(), L".CHM"));
  // The outer size stays as designed; stored sizes cannot change it.
  // The platform's frame decides that size, so the window is made first.
  HandleNeeded();
  SetConstraints({Width(), Height(), Width(), Height()});
  // Where the settings live; the folder is created when missing.
  InitSettingsPath(ProgramFileName());
  // The info dialog, kept for the whole run.
  FrmInfo = TForm::Create<TFrmInfo>(this);
  // However it is closed, the dialog keeps no price the search cannot use.
  FrmInfo->OnClose = [](TComponent *, TCloseAction &AAction) {
    if (!CheckSearchPrices(*FrmInfo)) AAction = caNone;
  };
  // The stored state, which ends the history with the clear entry.
  ReadIniFile();
}

void TFrmMain::FormShow(TComponent *) {
  // Posted, so the check runs once the window is visible.
  if (FrmInfo->ChkAutoCheckUpdates->Checked()) PostMessageW(Handle(), WM_CHECKUPDATES, 0, 0);
}

void TFrmMain::FormClose(TComponent *, TCloseAction &) { WriteIniFile(); }

void TFrmMain::ReadIniFile() {
  TkalIniFile ini(IniFileName);
  LoadFormPlacement(*this, ini);
  RadNormal->SetChecked(ini.ReadBool(L"FrmMain", L"RadNormal", RadNormal->Checked()));
  ChkStayOnTop->SetChecked(ini.ReadBool(L"FrmMain", L"ChkStayOnTop", ChkStayOnTop->Checked()));
  for (int n = 0;; ++n) {
    std::wstring term = ini.ReadString(L"Cbx", std::to_wstring(n), L"");
    if (term.empty()) break;
    Cbx->Items().Add(term);
  }
  Cbx->Items().Add(kClearHistoryEntry);
  TCheckBox *autoCheck = FrmInfo->ChkAutoCheckUpdates;
  autoCheck->SetChecked(ini.ReadBool(L"FrmInfo", L"ChkAutoCheckUpdates", autoCheck->Checked()));
  // Anything but a number reads as the default, checked.
  FrmInfo->ChkOwnTypos->SetChecked(ini.ReadBool(L"FrmInfo", L"ChkOwnTypos", true));
  ReadSearchOptions(ini, *FrmInfo);
  FrmInfo->ChkShowVariants->SetChecked(ini.ReadBool(L"FrmInfo", L"ChkShowVariants", false));
  FVariantChoices =
      typo::TVariantChoices::FromLines(ini.ReadSectionValues(typo::kVariantChoicesSection));
}

void TFrmMain::WriteIniFile() {
  TkalIniFile ini(IniFileName);
  SaveFormPlacement(*this, ini);
  ini.WriteBool(L"FrmMain", L"RadNormal", RadNormal->Checked());
  ini.WriteBool(L"FrmMain", L"ChkStayOnTop", ChkStayOnTop->Checked());
  ini.EraseSection(L"Cbx");
  // Every item but the last, which is the clear entry.
  for (int i = 0; i < Cbx->Items().Count() - 1; ++i)
    ini.WriteString(L"Cbx", std::to_wstring(i), Cbx->Items()[i]);
  ini.WriteBool(L"FrmInfo", L"ChkAutoCheckUpdates", FrmInfo->ChkAutoCheckUpdates->Checked());
  ini.WriteBool(L"FrmInfo", L"ChkOwnTypos", FrmInfo->ChkOwnTypos->Checked());
  WriteSearchOptions(ini, *FrmInfo);
  ini.WriteBool(L"FrmInfo", L"ChkShowVariants", FrmInfo->ChkShowVariants->Checked());
  ini.WriteSectionValues(typo::kVariantChoicesSection, FVariantChoices.Lines());
}

void TFrmMain::WMCheckUpdates() { TkalUpdateCheck::Check(UPDATE_URL, false); }

void TFrmMain::BtnSearchClick(TComponent *) { Search(false); }

void TFrmMain::Search(bool AShowVariants) {
  std::wstring term = TrimSearchTerm(Cbx->Text());
  if (term.empty()) {
    ShowTaskMessage(L"Fehlender Suchbegriff",
                    L"Um eine Artikelsuche durchzuführen muss ein Suchbegriff eingeben werden.",
                    mtError, mbOK, 0);
    Cbx->SetFocus();
    return;
  }
  typo::TSearchRequest request = SearchRequest(term);
  std::vector<std::wstring> addresses;
  if (request.Kind != typo::skOwnTypos) {
    addresses = typo::SearchAddresses(request);
  } else if (AShowVariants || FrmInfo->ChkShowVariants->Checked()) {
    typo::TVariantSelection selection(term, request.Options.ResultPages, request.Budget,
                                      typo::DefaultWeights(), ProgramWordFilter(),
                                      FVariantChoices);
    // Cancelled: no search, and nothing of it is remembered.
    if (!ShowVariantsWindow(this, selection)) return;
    for (const std::wstring &word : typo::VariedWords(term))
      FVariantChoices.CopyWord(selection.Choices(), word);
    addresses = typo::TypoPageAddresses(selection.Pages(), request.Options);
  } else {
    // Only the variants made here need the word list; the others never read it.
    request.Choices = &FVariantChoices;
    addresses = typo::SearchAddresses(request, typo::DefaultWeights(), ProgramWordFilter());
  }
  if (Cbx->Items().IndexOf(term) < 0) Cbx->Items().Insert(0, term);
  for (const std::wstring &address : addresses) OpenAddress(address);
}

// The search as the window and the info dialog have it set.
typo::TSearchRequest TFrmMain::SearchRequest(const std::wstring &ATerm) {
  typo::TSearchRequest request;
  request.Term = ATerm;
  if (RadNormal->Checked())
    request.Kind = typo::skPlain;
  else if (!FrmInfo->ChkOwnTypos->Checked())
    request.Kind = typo::skTypoService;
  request.Options = SearchOptionsOf(*FrmInfo);
  return request;
}

void TFrmMain::CbxCloseUp(TComponent *) {
  int count = Cbx->Items().Count();
  if (count == 0 || Cbx->ItemIndex() != count - 1) return;
  int answer =
      ShowTaskMessage(L"Historie löschen?",
                      L"Sollen wirklich alle Einträge der Suchbegriffshistorie gelöscht werden?",
                      mtConfirmation, mbYes | mbNo, 0);
  if (answer == mrYes) {
    Cbx->Items().Clear();
    Cbx->Items().Add(kClearHistoryEntry);
  } else {
    Cbx->SetItemIndex(-1);
  }
}

void TFrmMain::CbxKeyDown(TComponent *, WORD &Key, TShiftState Shift) {
  if (Key != VK_RETURN || Cbx->DroppedDown()) return;
  if (Cbx->Text() == kClearHistoryEntry) {
    CbxCloseUp(Cbx);
    Cbx->SetText(L"");
  } else {
    Search((Shift & ssShift) != 0);
  }
}

void TFrmMain::ChkStayOnTopClick(TComponent *) {
  SetFormStyle(ChkStayOnTop->Checked() ? fsStayOnTop : fsNormal);
}

void TFrmMain::ActCheckUpdatesExecute(TComponent *) { TkalUpdateCheck::Check(UPDATE_URL, true); }

void TFrmMain::ActInfoExecute(TComponent *) { FrmInfo->ShowModal(); }

void TFrmMain::ActHelpExecute(TComponent *) { Application->HelpContext(kHelpContext); }

void TFrmMain::UrlLbl1Click(TComponent *) { OpenAddress(kMakerUrl); }

void TFrmMain::OpenAddress(const std::wstring &AAddress) { ShellOpen(Handle(), AAddress, L"open"); }
