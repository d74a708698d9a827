#include "app/search_options.h"

#include "taskdialog/task_message.h"

namespace {

constexpr wchar_t kSection[] = L"FrmInfo";

// The dialog's drop-down lists, with the settings key of each.
std::vector<TComboBox *> Choices(TFrmInfo &AInfo) {
  return {AInfo.CbxSite, AInfo.CbxListingType, AInfo.CbxSortOrder, AInfo.CbxResultPages};
}

std::optional<uint32_t> PriceOf(TEdit *AField) {
  std::optional<uint32_t> cents;
  typo::ParsePrice(AField->Text(), cents);
  return cents;
}

bool Refuse(TFrmInfo &AInfo, TEdit *AField, const std::wstring &AMessage) {
  ShowTaskMessage(L"Ungültiger Preis", AMessage, mtError, mbOK, 0);
  AInfo.PageControl->SetActivePage(AInfo.TabOptions);
  AField->SetFocus();
  return false;
}

std::wstring NotAPrice(const wchar_t *AField) {
  return std::wstring(L"Im Feld „") + AField +
         L"“ steht kein gültiger Preis. Erlaubt sind Zahlen von 0 bis 9.999.999 mit "
         L"höchstens zwei Nachkommastellen, etwa 12 oder 12,50; leer heißt ohne Grenze.";
}

} // namespace

typo::TSearchOptions SearchOptionsOf(TFrmInfo &AInfo) {
  typo::TSearchOptions options;
  options.Site = typo::TAuctionSite(std::max(AInfo.CbxSite->ItemIndex(), 0));
  options.ListingType = typo::TListingType(std::max(AInfo.CbxListingType->ItemIndex(), 0));
  options.Order = typo::TSortOrder(std::max(AInfo.CbxSortOrder->ItemIndex(), 0));
  options.PriceFrom = PriceOf(AInfo.EdtPriceFrom);
  options.PriceTo = PriceOf(AInfo.EdtPriceTo);
  options.InDescriptions = AInfo.ChkDescriptions->Checked();
  options.ResultPages = size_t(std::max(AInfo.CbxResultPages->ItemIndex(), 0)) + 1;
  return options;
}

bool CheckSearchPrices(TFrmInfo &AInfo) {
  std::optional<uint32_t> from, to;
  if (!typo::ParsePrice(AInfo.EdtPriceFrom->Text(), from))
    return Refuse(AInfo, AInfo.EdtPriceFrom, NotAPrice(L"Preis von:"));
  if (!typo::ParsePrice(AInfo.EdtPriceTo->Text(), to))
    return Refuse(AInfo, AInfo.EdtPriceTo, NotAPrice(L"bis:"));
  if (from && to && *from > *to)
    return Refuse(AInfo, AInfo.EdtPriceFrom,
                  L"Der Preis im Feld „Preis von:“ ist höher als der im Feld „bis:“.");
  return true;
}

void ReadSearchOptions(TCustomIniFile &AIni, TFrmInfo &AInfo) {
  for (TComboBox *choice : Choices(AInfo)) {
    const int index = AIni.ReadInteger(kSection, choice->Name(), 0);
    choice->SetItemIndex(index >= 0 && index < choice->Items().Count() ? index : 0);
  }
  for (TEdit *field : {AInfo.EdtPriceFrom, AInfo.EdtPriceTo}) {
    const std::wstring text = AIni.ReadString(kSection, field->Name(), L"");
    std::optional<uint32_t> cents;
    field->SetText(typo::ParsePrice(text, cents) ? text : L"");
  }
  AInfo.ChkDescriptions->SetChecked(AIni.ReadBool(kSection, L"ChkDescriptions", false));
}

void WriteSearchOptions(TCustomIniFile &AIni, TFrmInfo &AInfo) {
  for (TComboBox *choice : Choices(AInfo))
    AIni.WriteInteger(kSection, choice->Name(), std::max(choice->ItemIndex(), 0));
  for (TEdit *field : {AInfo.EdtPriceFrom, AInfo.EdtPriceTo})
    AIni.WriteString(kSection, field->Name(), field->Text());
  AIni.WriteBool(kSection, L"ChkDescriptions", AInfo.ChkDescriptions->Checked());
}
