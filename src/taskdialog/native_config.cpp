#include "taskdialog/native_config.h"

#include <algorithm>

#include "taskdialog/task_dialog.h"
#include "ui/application.h"
#include "ui/architecture.h"

std::wstring ConvertLineMarkers(const std::wstring &AText) {
  auto replaceAll = [](std::wstring AValue, const std::wstring &AFrom, const std::wstring &ATo) {
    for (size_t p = AValue.find(AFrom); p != std::wstring::npos; p = AValue.find(AFrom, p))
      AValue.replace(p, AFrom.size(), ATo), p += ATo.size();
    return AValue;
  };
  if (AText.find(L"\\\\n") != std::wstring::npos) return replaceAll(AText, L"\\\\n", L"\\n");
  if (AText.find(L"\\n") != std::wstring::npos) return replaceAll(AText, L"\\n", L"\n");
  return AText;
}

namespace {
// Icons of the platform's own icon library, by identifier; the platform
// resolves them itself (no module instance).
constexpr WORD kIconBlank = 17;
constexpr WORD kIconWarning = 84;
constexpr WORD kIconQuestion = 99;
constexpr WORD kIconError = 98;
constexpr WORD kIconInformation = 81;
constexpr WORD kIconShield = 78;

PCWSTR MainIconResource(TTaskDialogIcon AIcon) {
  switch (AIcon) {
  case tiBlank:
    return MAKEINTRESOURCEW(kIconBlank);
  case tiWarning:
    return MAKEINTRESOURCEW(kIconWarning);
  case tiQuestion:
    return MAKEINTRESOURCEW(kIconQuestion);
  case tiError:
    return MAKEINTRESOURCEW(kIconError);
  case tiInformation:
    return MAKEINTRESOURCEW(kIconInformation);
  case tiShield:
    return MAKEINTRESOURCEW(kIconShield);
  case tiNotUsed:
    break;
  }
  return nullptr;
}

PCWSTR FooterIconResource(TTaskDialogFooterIcon AIcon) {
  switch (AIcon) {
  case tfiWarning:
    return MAKEINTRESOURCEW(kIconWarning);
  case tfiQuestion:
    return MAKEINTRESOURCEW(kIconQuestion);
  case tfiError:
    return MAKEINTRESOURCEW(kIconError);
  case tfiInformation:
    return TD_INFORMATION_ICON;
  case tfiShield:
    return TD_SHIELD_ICON;
  case tfiBlank:
    break;
  }
  return nullptr;
}

TASKDIALOG_COMMON_BUTTON_FLAGS CommonButtonFlags(TCommonButtons AButtons) {
  TASKDIALOG_COMMON_BUTTON_FLAGS flags = 0;
  if (AButtons.Contains(cbOK)) flags |= TDCBF_OK_BUTTON;
  if (AButtons.Contains(cbYes)) flags |= TDCBF_YES_BUTTON;
  if (AButtons.Contains(cbNo)) flags |= TDCBF_NO_BUTTON;
  if (AButtons.Contains(cbCancel)) flags |= TDCBF_CANCEL_BUTTON;
  if (AButtons.Contains(cbRetry)) flags |= TDCBF_RETRY_BUTTON;
  if (AButtons.Contains(cbClose)) flags |= TDCBF_CLOSE_BUTTON;
  return flags;
}

// The flags of the options and the placement; the main icon adds its own.
TASKDIALOG_FLAGS DialogFlags(const TCustomAdvTaskDialog &ATaskDialog, bool AHasCustomButtons) {
  const TTaskDialogOptions o = ATaskDialog.Options();
  TASKDIALOG_FLAGS flags = 0;
  if (o.Contains(doCommandLinks) && AHasCustomButtons) flags = TDF_USE_COMMAND_LINKS;
  if (o.Contains(doCommandLinksNoIcon)) flags = TDF_USE_COMMAND_LINKS_NO_ICON;
  if (o.Contains(doHyperlinks)) flags |= TDF_ENABLE_HYPERLINKS;
  if (o.Contains(doExpandedDefault)) flags |= TDF_EXPANDED_BY_DEFAULT;
  if (o.Contains(doExpandedFooter)) flags |= TDF_EXPAND_FOOTER_AREA;
  if (o.Contains(doAllowMinimize)) flags |= TDF_CAN_BE_MINIMIZED;
  if (o.Contains(doVerifyChecked)) flags |= TDF_VERIFICATION_FLAG_CHECKED;
  if (o.Contains(doProgressBar)) flags |= TDF_SHOW_PROGRESS_BAR;
  if (o.Contains(doProgressBarMarquee)) flags |= TDF_SHOW_MARQUEE_PROGRESS_BAR;
  if (ATaskDialog.NeedsTimer()) flags |= TDF_CALLBACK_TIMER;
  if (ATaskDialog.DialogPosition() == dpOwnerFormCenter) flags |= TDF_POSITION_RELATIVE_TO_WINDOW;
  if (o.Contains(doNoDefaultRadioButton)) flags |= TDF_NO_DEFAULT_RADIO_BUTTON;
  if (o.Contains(doAllowDialogCancel)) flags |= TDF_ALLOW_DIALOG_CANCELLATION;
  return flags;
}

HWND ParentWindow(const TCustomAdvTaskDialog &ATaskDialog) {
  if (ATaskDialog.ModalParent()) return ATaskDialog.ModalParent();
  HWND application = Application ? Application->Handle() : nullptr;
  if (!ATaskDialog.Owner() || ATaskDialog.ApplicationIsParent()) return application;
  if (auto *control = dynamic_cast<TControl *>(ATaskDialog.Owner())) return control->Handle();
  return application;
}
} // namespace

const wchar_t *TTaskDialogConfig::Keep(std::wstring AText) {
  if (AText.empty()) return nullptr;
  FTexts.push_back(std::move(AText));
  return FTexts.back().c_str();
}

void TTaskDialogConfig::FillButtons(const TStringList &ACaptions, int ABaseID,
                                    std::vector<TSlot> &ASlots,
                                    std::vector<TASKDIALOG_BUTTON> &AButtons) {
  ASlots.resize(size_t(ACaptions.Count()));
  for (int i = 0; i < ACaptions.Count(); ++i) {
    std::wstring text = ConvertLineMarkers(ACaptions[i]);
    TSlot &slot = ASlots[size_t(i)];
    size_t n = std::min(text.size(), kSlotLength - 1);
    std::copy_n(text.begin(), n, slot.begin());
    slot[n] = L'\0';
    AButtons.push_back({ABaseID + i, slot.data()});
  }
}

TTaskDialogConfig::TTaskDialogConfig(TCustomAdvTaskDialog &ATaskDialog) {
  const TCustomAdvTaskDialog &d = ATaskDialog;
  FRecord.cbSize = sizeof(FRecord);
  FRecord.hwndParent = ParentWindow(d);
  FRecord.hInstance = nullptr;

  FillButtons(d.CustomButtons(), kCustomButtonBase, FCustomSlots, FCustomButtons);
  if (!FCustomButtons.empty()) {
    FRecord.cButtons = UINT(FCustomButtons.size());
    FRecord.pButtons = FCustomButtons.data();
  }
  FillButtons(d.RadioButtons(), kRadioButtonBase, FRadioSlots, FRadioButtons);
  if (!FRadioButtons.empty()) {
    FRecord.cRadioButtons = UINT(FRadioButtons.size());
    FRecord.pRadioButtons = FRadioButtons.data();
  }

  FRecord.pszWindowTitle = Keep(ConvertLineMarkers(d.Title()));
  FRecord.pszMainInstruction = Keep(ConvertLineMarkers(d.Instruction()));
  FRecord.pszContent = Keep(ConvertLineMarkers(d.Content()));
  FRecord.pszFooter = Keep(ConvertLineMarkers(d.Footer()));
  FRecord.pszExpandedControlText = Keep(d.ExpandControlText());
  FRecord.pszCollapsedControlText = Keep(d.CollapsControlText());
  FRecord.pszExpandedInformation = Keep(d.ExpandedText());
  FRecord.pszVerificationText = Keep(d.VerificationText());

  FRecord.dwCommonButtons = CommonButtonFlags(d.CommonButtons());
  TASKDIALOG_FLAGS flags = DialogFlags(d, !FCustomButtons.empty());
  if (!d.CustomIcon().GetEmpty()) {
    flags |= TDF_USE_HICON_MAIN;
    FRecord.hMainIcon = d.CustomIcon().Handle();
  } else {
    FRecord.pszMainIcon = MainIconResource(d.Icon());
  }
  FRecord.pszFooterIcon = FooterIconResource(d.FooterIcon());
  FRecord.dwFlags = flags;

  FRecord.pfCallback = &TCustomAdvTaskDialog::TaskDialogCallback;
  FRecord.lpCallbackData = LONG_PTR(&ATaskDialog);
  FRecord.nDefaultButton = d.DefaultButton();
  FRecord.nDefaultRadioButton = d.DefaultRadioButton();
  FRecord.cxWidth = 0;
}
