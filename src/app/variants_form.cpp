#include "app/variants_form.h"

#include <algorithm>

#include "info/maker.h"

namespace {
// Dark red: a fault, readable on the dialog's face.
constexpr TColor kFaultColor = RGBColor(176, 0, 0);

// A term shown in a caption: control characters as blanks.
std::wstring Shown(std::wstring AText) {
  std::replace_if(AText.begin(), AText.end(), [](wchar_t C) { return C < L' '; }, L' ');
  return AText;
}
} // namespace

std::wstring OwnVariantFaultText(typo::TOwnVariantFault AFault, size_t ABudget) {
  switch (AFault) {
  case typo::ofNone:
    return L"";
  case typo::ofEmpty:
    return L"Bitte eine Variante eingeben.";
  case typo::ofSameAsWord:
    return L"Das ist das Wort selbst, keine Variante.";
  case typo::ofBadCharacter:
    return L"Die Zeichen „(“, „)“, „,“ und Steuerzeichen sind in einer Variante nicht erlaubt.";
  case typo::ofTooLong:
    return L"Die Variante ist länger als die " + std::to_wstring(ABudget) +
           L" Zeichen, die eine Suche fasst.";
  case typo::ofNoWordToVary:
    return L"Der Suchbegriff hat kein Wort, das variiert wird.";
  case typo::ofOtherWords:
    return L"Eine Variante schreibt ein Wort des Suchbegriffs anders, etwa „Tehcnik“ oder "
           L"„Lego Tehcnik“.";
  }
  return L"";
}

std::wstring VariantSummary(const typo::TVariantSelection &ASelection) {
  const std::vector<typo::TTypoQuery> &pages = ASelection.Pages();
  const size_t count = ASelection.TickedCount();
  const std::wstring budget = std::to_wstring(ASelection.Budget());
  if (count == 0)
    return L"Keine Variante: gesucht wird der Begriff, wie er ist (" +
           std::to_wstring(pages.front().Query.size()) + L" von " + budget + L" Zeichen).";
  std::wstring text = std::to_wstring(count) + (count == 1 ? L" Variante" : L" Varianten");
  if (pages.size() == 1)
    return text + L", sie nutzen " + std::to_wstring(pages.front().Query.size()) + L" von " +
           budget + L" Zeichen der Suche.";
  // "…; sie nutzen 300, 293 und 298 von je 300 Zeichen.", page by page.
  text += L" auf " + std::to_wstring(pages.size()) + L" Ergebnisseiten; sie nutzen ";
  for (size_t p = 0; p < pages.size(); ++p)
    text += (p == 0 ? L"" : p + 1 == pages.size() ? L" und " : L", ") +
            std::to_wstring(pages[p].Query.size());
  return text + L" von je " + budget + L" Zeichen.";
}

TFrmVariants::TFrmVariants(TComponent *AOwner, typo::TVariantSelection &ASelection)
    : TForm(AOwner), FSelection(ASelection) {
  SetName(L"FrmVariants");
  SetCaption(L"Tippfehler-Varianten");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetColor(clBtnFace);
  Font().SetName(L"Tahoma");
  Font().SetHeight(-11);
  Font().SetColor(clWindowText);
  SetPosition(poOwnerFormCenter);
  SetHelpContext(kVariantsHelpContext);
  SetClientSize(420, 340);
  // Enter in the own variant's field adds it.
  SetKeyPreview(true);
  BuildControls();
  ShowSelection();
}

void TFrmVariants::BuildControls() {
  LblVariants = NewControl<TLabel>(this, this, L"LblVariants", 8, 8, 404, 13);
  LblVariants->SetAutoSize(false);
  LblVariants->SetShowAccelChar(false);
  LblVariants->SetCaption(L"Gesucht wird nach diesen Schreibweisen von „" +
                          Shown(FSelection.Term()) + L"“:");

  LstVariants = NewControl<TListView>(this, this, L"LstVariants", 8, 24, 404, 196);
  LstVariants->SetColumns({{L"Variante", 0}, {L"Seite", 48}});
  LstVariants->SetTabOrder(0);
  LstVariants->OnRowChecked = [this](TComponent *S, int R, bool C) {
    LstVariantsRowChecked(S, R, C);
  };
  LstVariants->OnKeyDown = [this](TComponent *S, WORD &K, TShiftState Sh) {
    LstVariantsKeyDown(S, K, Sh);
  };

  LblSummary = NewControl<TLabel>(this, this, L"LblSummary", 8, 226, 404, 26);
  LblSummary->SetAutoSize(false);
  LblSummary->SetWordWrap(true);
  LblSummary->SetShowAccelChar(false);

  LblOwn = NewControl<TLabel>(this, this, L"LblOwn", 8, 263, 86, 13);
  LblOwn->SetAutoSize(false);
  LblOwn->SetCaption(L"Eigene Variante:");
  EdtOwn = NewControl<TEdit>(this, this, L"EdtOwn", 96, 259, 210, 21);
  EdtOwn->SetTabOrder(1);
  BtnAdd = NewControl<TButton>(this, this, L"BtnAdd", 312, 257, 100, 25);
  BtnAdd->SetCaption(L"&Hinzufügen");
  BtnAdd->SetTabOrder(2);
  BtnAdd->OnClick = [this](TComponent *S) { BtnAddClick(S); };
  LblOwnFault = NewControl<TLabel>(this, this, L"LblOwnFault", 96, 283, 316, 13);
  LblOwnFault->SetAutoSize(false);
  LblOwnFault->SetShowAccelChar(false);
  LblOwnFault->Font().SetColor(kFaultColor);

  BtnReset = NewControl<TButton>(this, this, L"BtnReset", 8, 307, 100, 25);
  BtnReset->SetCaption(L"&Zurücksetzen");
  BtnReset->SetTabOrder(3);
  BtnReset->OnClick = [this](TComponent *S) { BtnResetClick(S); };
  BtnSearch = NewControl<TButton>(this, this, L"BtnSearch", 256, 307, 75, 25);
  BtnSearch->SetCaption(L"Suchen");
  BtnSearch->SetDefault(true);
  BtnSearch->SetModalResult(mrOk);
  BtnSearch->SetTabOrder(4);
  BtnCancel = NewControl<TButton>(this, this, L"BtnCancel", 337, 307, 75, 25);
  BtnCancel->SetCaption(L"Abbrechen");
  BtnCancel->SetCancel(true);
  BtnCancel->SetModalResult(mrCancel);
  BtnCancel->SetTabOrder(5);
}

// The list as the selection has it: ticked rows with their page. The focus
// stays on its variant when rows come in above it.
void TFrmVariants::ShowSelection() {
  const int focused = LstVariants->FocusedRow();
  const std::wstring focusedVariant =
      focused >= 0 && focused < LstVariants->RowCount() ? LstVariants->Row(focused).Texts[0] : L"";
  std::vector<TListView::TRow> rows;
  int refocus = -1;
  for (const typo::TVariantSelection::TRow &row : FSelection.Rows()) {
    if (row.Variant == focusedVariant) refocus = int(rows.size());
    rows.push_back({{row.Variant, row.Page ? std::to_wstring(row.Page) : L""}, row.Ticked});
  }
  LstVariants->SetRows(std::move(rows));
  if (refocus >= 0 && refocus != focused) LstVariants->SetFocusedRow(refocus);
  LblSummary->SetCaption(VariantSummary(FSelection));
}

void TFrmVariants::KeyDown(WORD &AKey, TShiftState AShift) {
  if (AKey == VK_RETURN && !(AShift & (ssCtrl | ssAlt)) && EdtOwn->Focused() &&
      !EdtOwn->Text().empty()) {
    BtnAddClick(EdtOwn);
    AKey = 0;
    return;
  }
  TForm::KeyDown(AKey, AShift);
}

void TFrmVariants::BtnAddClick(TComponent *) {
  const typo::TOwnVariantFault fault = FSelection.AddOwn(EdtOwn->Text());
  LblOwnFault->SetCaption(OwnVariantFaultText(fault, FSelection.Budget()));
  if (fault == typo::ofNone) {
    EdtOwn->SetText(L"");
    ShowSelection();
  }
  EdtOwn->SetFocus();
}

void TFrmVariants::BtnResetClick(TComponent *) {
  FSelection.Reset();
  LblOwnFault->SetCaption(L"");
  ShowSelection();
  LstVariants->SetFocusedRow(0);
}

void TFrmVariants::LstVariantsRowChecked(TComponent *, int ARow, bool AChecked) {
  FSelection.SetTicked(size_t(ARow), AChecked);
  ShowSelection();
}

void TFrmVariants::LstVariantsKeyDown(TComponent *, WORD &Key, TShiftState Shift) {
  if (Key != VK_DELETE || (Shift & (ssCtrl | ssAlt | ssShift))) return;
  // By their variants: each untick may change the rows.
  std::vector<std::wstring> chosen;
  for (int row : LstVariants->SelectedRows())
    if (size_t(row) < FSelection.Rows().size())
      chosen.push_back(FSelection.Rows()[size_t(row)].Variant);
  for (const std::wstring &variant : chosen)
    for (size_t i = 0; i < FSelection.Rows().size(); ++i)
      if (FSelection.Rows()[i].Variant == variant) FSelection.SetTicked(i, false);
  ShowSelection();
  Key = 0;
}

bool ShowVariantsWindow(TComponent *AOwner, typo::TVariantSelection &ASelection) {
  std::unique_ptr<TFrmVariants> form(TForm::Create<TFrmVariants>(AOwner, ASelection));
  return form->ShowModal() == mrOk;
}
