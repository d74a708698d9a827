#pragma once
// The window "Tippfehler-Varianten": the variants of a typo search before
// it runs, to untick, to add to and to reset, with their result pages.
#include "typo/variant_selection.h"
#include "ui/comctrls.h"
#include "ui/stdctrls.h"

class TFrmVariants : public TForm {
public:
  TFrmVariants(TComponent *AOwner, typo::TVariantSelection &ASelection);

  TLabel *LblVariants = nullptr;
  TListView *LstVariants = nullptr;
  TLabel *LblSummary = nullptr;
  TLabel *LblOwn = nullptr;
  TEdit *EdtOwn = nullptr;
  TButton *BtnAdd = nullptr;
  TLabel *LblOwnFault = nullptr;
  TButton *BtnReset = nullptr;
  TButton *BtnSearch = nullptr;
  TButton *BtnCancel = nullptr;

protected:
  void KeyDown(WORD &AKey, TShiftState AShift) override;

private:
  void BuildControls();
  void ShowSelection();
  void BtnAddClick(TComponent *Sender);
  void BtnResetClick(TComponent *Sender);
  void LstVariantsRowChecked(TComponent *Sender, int ARow, bool AChecked);
  void LstVariantsKeyDown(TComponent *Sender, WORD &Key, TShiftState Shift);

  typo::TVariantSelection &FSelection;
};

// The message for a misspelling the window does not take.
std::wstring OwnVariantFaultText(typo::TOwnVariantFault AFault, size_t ABudget);
// The line under the list: how many variants, how much of the budget each
// result page uses.
std::wstring VariantSummary(const typo::TVariantSelection &ASelection);

// Shows the window over AOwner; true when the user chose to search.
bool ShowVariantsWindow(TComponent *AOwner, typo::TVariantSelection &ASelection);
