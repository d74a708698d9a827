#include "taskdialog/emulated_dialog.h"

#include <algorithm>
#include <memory>

#include "taskdialog/message_form.h"
#include "ui/application.h"
#include "ui/screen.h"

namespace {
// Built anew in one pass: replacing in place would move the whole rest of
// the text at every marker.
std::wstring ReplaceAll(const std::wstring &AText, const std::wstring &AFrom,
                        const std::wstring &ATo) {
  size_t p = AText.find(AFrom);
  if (p == std::wstring::npos) return AText;
  std::wstring result;
  result.reserve(AText.size() + AText.size() / 4);
  size_t from = 0;
  for (; p != std::wstring::npos; p = AText.find(AFrom, from)) {
    result.append(AText, from, p - from).append(ATo);
    from = p + AFrom.size();
  }
  return result.append(AText, from, std::wstring::npos);
}

// The form the window belongs to: its owner form, else the main form.
TForm *OwnerForm(TCustomAdvTaskDialog &ATaskDialog) {
  if (auto *form = dynamic_cast<TForm *>(ATaskDialog.Owner()); form && form->HandleAllocated())
    return form;
  return Application ? Application->MainForm() : nullptr;
}

// The monitor the window opens on: its owner's, else the primary one.
MONITORINFO OwnerMonitor(TForm *AOwner) {
  HWND owner = AOwner && AOwner->HandleAllocated() ? AOwner->Handle() : nullptr;
  HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info))
    info.rcMonitor = info.rcWork = TRect(0, 0, Screen->Width(), Screen->Height());
  return info;
}

// Centres the window, then keeps all of it on the work area of its owner's
// monitor; a window larger than the work area keeps its top left there, so
// that its caption bar can be read and moved.
void PlaceWindow(TAdvMessageForm &AForm, TCustomAdvTaskDialog &ATaskDialog,
                 TTaskDialogPosition APosition, int X, int Y) {
  int left = AForm.Left(), top = AForm.Top();
  TForm *owner = OwnerForm(ATaskDialog);
  const MONITORINFO monitor = OwnerMonitor(owner);
  if (X < 0 && Y < 0) {
    TRect around = monitor.rcMonitor;
    if (APosition == dpOwnerFormCenter && owner && owner->HandleAllocated()) {
      RECT r;
      GetWindowRect(owner->Handle(), &r);
      around = r;
    }
    left = around.left + around.Width() / 2 - AForm.Width() / 2;
    top = around.top + around.Height() / 2 - AForm.Height() / 2;
  }
  if (X >= 0) left = X;
  if (Y >= 0) top = Y;
  const TRect work = monitor.rcWork;
  left = std::max<int>(std::min<int>(left, work.right - AForm.Width()), work.left);
  top = std::max<int>(std::min<int>(top, work.bottom - AForm.Height()), work.top);
  AForm.SetBounds(left, top, AForm.Width(), AForm.Height());
}
} // namespace

std::wstring PrepareMarkup(const std::wstring &AText, bool AAnyCase) {
  std::wstring text = ReplaceAll(AText, L"\\n", L"<br>");
  if (AAnyCase) text = ReplaceAll(text, L"\\N", L"<br>");
  return ReplaceAll(text, L"\n", L"<br>");
}

std::wstring MarkersToReturns(const std::wstring &AText) {
  return ReplaceAll(AText, L"\\n", L"\r");
}

void MeasureText(TCanvas &ACanvas, const std::wstring &AText, int &AWidth, int &AHeight) {
  if (AText.empty()) {
    AWidth = AHeight = 0;
    return;
  }
  TRect r(0, 0, AWidth > 0 ? AWidth : 1000, 0);
  ACanvas.TextRect(r, AText, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  AWidth = r.right;
  AHeight = r.bottom;
}

std::wstring ExeBaseName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

TAdvMessageForm *TCustomAdvTaskDialog::CreateDialogForm() {
  TComponent *owner = Application;
  auto *ownerForm = dynamic_cast<TForm *>(Owner());
  if (!ApplicationIsParent() && ownerForm) owner = ownerForm;
  auto form = std::make_unique<TAdvMessageForm>(owner, 0);

  TBorderIcons icons = 0;
  if (FOptions.Contains(doAllowMinimize)) {
    form->SetBorderStyle(bsSingle);
    icons = biSystemMenu | biMinimize;
  } else {
    form->SetBorderStyle(bsDialog);
  }
  if (FCommonButtons.Contains(cbCancel)) FOptions.Include(doAllowDialogCancel);
  if (FOptions.Contains(doAllowDialogCancel)) icons |= biSystemMenu;
  form->SetBorderIcons(icons);

  if ((!ApplicationIsParent() && ownerForm && ownerForm->FormStyle() == fsStayOnTop) ||
      AlwaysOnTop())
    form->SetFormStyle(fsStayOnTop);

  form->SetKeyPreview(true);
  form->SetFooterColors(FooterColor(), FooterLineColor());
  form->SetMinFormWidth(FMinFormWidth);
  form->BuildTaskDialog(this);
  return form.release();
}

int TCustomAdvTaskDialog::ExecuteEmulated(int X, int Y) {
  std::unique_ptr<TAdvMessageForm> form(CreateDialogForm());
  // The component knows the window exactly while it is shown, also when
  // a handler fails or the program halts inside.
  struct TForget {
    TCustomAdvTaskDialog &Dialog;
    ~TForget() {
      Dialog.FDialogForm = nullptr;
      Dialog.FhWnd = nullptr;
    }
  } forget{*this};
  form->OnShow = [this](TComponent *ASender) {
    FhWnd = static_cast<TForm *>(ASender)->Handle();
    if (OnDialogCreated) OnDialogCreated(this);
  };
  FDialogForm = form.get();
  form->SetColor(clWindow);
  // Placed before its window exists: the window is made where it opens.
  PlaceWindow(*form, *this, FDlgPosition, X, Y);
  return form->ShowModal();
}
