#include "ui/stdctrls.h"

#include <commctrl.h>

#include <algorithm>

#include "base/exception.h"

// ---- TLabel

TLabel::TLabel(TComponent *AOwner) : TControl(AOwner) {}

void TLabel::SetCaption(const std::wstring &AValue) {
  TControl::SetCaption(AValue);
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAutoSize(bool AValue) {
  FAutoSize = AValue;
  AdjustBounds();
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  AdjustBounds();
}

void TLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!FAdjusting) FDesigned = TRect(ALeft, ATop, ALeft + AWidth, ATop + AHeight);
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FAdjusting) AdjustBounds();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustBounds() {
  TRect bounds = FDesigned;
  const std::wstring caption = Caption();
  if (FAutoSize && !caption.empty()) {
    TMemoryCanvas canvas;
    canvas.Font() = Font();
    TRect text(0, 0, FWordWrap ? bounds.Width() : 0, 0);
    canvas.TextRect(text, caption, DT_CALCRECT | TextFlags());
    if (FWordWrap) {
      bounds.bottom = bounds.top + text.Height();
    } else {
      int extra = text.Width() - bounds.Width();
      if (extra > 0) {
        if (FAlignment == taCenter) bounds.left -= extra / 2;
        if (FAlignment == taRightJustify) bounds.left -= extra;
        bounds.right = bounds.left + text.Width();
      }
      bounds.bottom = bounds.top + std::max<LONG>(bounds.Height(), text.Height());
    }
  }
  if (bounds == BoundsRect()) return;
  FAdjusting = true;
  TControl::SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
  FAdjusting = false;
}

void TLabel::SetAlignment(TAlignment AValue) {
  FAlignment = AValue;
  // A caption wider than the label widens it the alignment's way.
  AdjustBounds();
  Invalidate();
}

void TLabel::SetWordWrap(bool AValue) {
  FWordWrap = AValue;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool AValue) {
  FShowAccelChar = AValue;
  AdjustBounds();
  Invalidate();
}

void TLabel::Paint(TCanvas &ACanvas) {
  TRect r = ClientRect();
  UINT flags = TextFlags();
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  if (!Enabled()) ACanvas.Font().SetColor(clGrayText);
  ACanvas.TextRect(r, Caption(), flags);
}

// ---- TButton

TButton::TButton(TComponent *AOwner) : TButtonControl(AOwner) { SetTabStop(true); }

void TButton::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"BUTTON";
  AParams.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetParent(TControl *AParent) {
  TControl::SetParent(AParent);
  if (TForm *form = ParentForm()) {
    if (FDefault) form->SetDefaultButton(this);
    if (FCancel) form->SetCancelButton(this);
  }
}

void TButton::SetDefault(bool AValue) {
  FDefault = AValue;
  // Turning it off leaves another default button of the form alone.
  if (TForm *form = ParentForm(); form && (AValue || form->DefaultButton() == this))
    form->SetDefaultButton(AValue ? this : nullptr);
  if (HandleAllocated())
    SendMessageW(FHandle, BM_SETSTYLE, AValue ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::SetCancel(bool AValue) {
  FCancel = AValue;
  if (TForm *form = ParentForm(); form && (AValue || form->CancelButton() == this))
    form->SetCancelButton(AValue ? this : nullptr);
}

bool TButton::DialogChar(wchar_t AKey) {
  if (!IsAccel(AKey, Caption()) || !CanFocus()) return false;
  Click();
  return true;
}

void TButton::CNCommand(WORD ANotifyCode) {
  if (ANotifyCode == BN_CLICKED) Click();
}

void TButton::Click() {
  if (FModalResult != mrNone)
    if (TForm *form = ParentForm()) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

// ---- check boxes and radio buttons

TCheckControl::TCheckControl(TComponent *AOwner) : TControl(AOwner) { SetTabStop(true); }

void TCheckControl::InitWnd() {
  SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckControl::StoreChecked(bool AValue) {
  FChecked = AValue;
  if (HandleAllocated())
    SendMessageW(FHandle, BM_SETCHECK, AValue ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckControl::SetChecked(bool AValue) {
  if (AValue == FChecked) return;
  StoreChecked(AValue);
  Click();
}

bool TCheckControl::DialogChar(wchar_t AKey) {
  if (!IsAccel(AKey, Caption()) || !CanFocus()) return false;
  SetFocus();
  if (Focused()) Toggle();
  return true;
}

void TCheckControl::CNCommand(WORD ANotifyCode) {
  if (ANotifyCode == BN_CLICKED) Toggle();
}

void TCheckBox::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"BUTTON";
  AParams.Style |= BS_CHECKBOX;
}

void TRadioButton::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"BUTTON";
  AParams.Style |= BS_RADIOBUTTON;
}

void TRadioButton::SetChecked(bool AValue) {
  if (AValue == Checked()) return;
  StoreChecked(AValue);
  if (!AValue) return;
  if (Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto *other = dynamic_cast<TRadioButton *>(Parent()->Controls(i)); other && other != this)
        other->StoreChecked(false);
  Click();
}

// ---- TEdit

TEdit::TEdit(TComponent *AOwner) : TControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"EDIT";
  AParams.Style |= ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
  AParams.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::SetReadOnly(bool AValue) {
  FReadOnly = AValue;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETREADONLY, AValue, 0);
}

// ---- TComboBox

TComboBox::TComboBox(TComponent *AOwner) : TControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TComboBox::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"COMBOBOX";
  AParams.Style |= (FStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL) |
                   WS_VSCROLL;
  // Made with its open height at once: one resizing less while it starts.
  AParams.WindowHeight = ListHeight();
}

int TComboBox::ListHeight() const {
  // The window height of a drop-down combo box is its height when open.
  return Height() + FDropDownCount * 16 + 2;
}

void TComboBox::InitWnd() {
  for (const std::wstring &item : FItems)
    SendMessageW(FHandle, CB_ADDSTRING, 0, LPARAM(item.c_str()));
  FItems.Clear();
  SendMessageW(FHandle, CB_SETMINVISIBLE, WPARAM(FDropDownCount), 0);
  if (FItemIndex >= 0) SendMessageW(FHandle, CB_SETCURSEL, WPARAM(FItemIndex), 0);
  if (FStyle == csDropDown) SubclassChild(EditHandle());
}

HWND TComboBox::EditHandle() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(Handle(), &info)) return info.hwndItem;
  return FindWindowExW(Handle(), nullptr, L"Edit", nullptr);
}

void TComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (HandleAllocated())
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, ListHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetDropDownCount(int AValue) {
  FDropDownCount = AValue;
  if (HandleAllocated()) {
    SendMessageW(FHandle, CB_SETMINVISIBLE, WPARAM(AValue), 0);
    SetBounds(FLeft, FTop, FWidth, FHeight);
  }
}

int TComboBox::ItemIndex() {
  if (!HandleAllocated()) return FItemIndex;
  return int(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int AValue) {
  FItemIndex = AValue;
  if (HandleAllocated()) SendMessageW(FHandle, CB_SETCURSEL, WPARAM(AValue), 0);
}

bool TComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool AValue) {
  SendMessageW(Handle(), CB_SHOWDROPDOWN, AValue, 0);
}

bool TComboBox::WantsKey(WORD AKey) {
  return (AKey == VK_RETURN || AKey == VK_ESCAPE) && DroppedDown();
}

void TComboBox::CNCommand(WORD ANotifyCode) {
  switch (ANotifyCode) {
  case CBN_CLOSEUP:
    if (OnCloseUp) OnCloseUp(this);
    break;
  case CBN_EDITCHANGE:
  case CBN_SELCHANGE:
    if (OnChange) OnChange(this);
    break;
  default:
    break;
  }
}

int TComboItems::Count() const {
  if (!FCombo.HandleAllocated()) return FCombo.FItems.Count();
  return int(SendMessageW(FCombo.FHandle, CB_GETCOUNT, 0, 0));
}

std::wstring TComboItems::operator[](int AIndex) const {
  if (!FCombo.HandleAllocated()) return FCombo.FItems[AIndex];
  LRESULT n = SendMessageW(FCombo.FHandle, CB_GETLBTEXTLEN, WPARAM(AIndex), 0);
  if (n == CB_ERR) throw EInvalidOperation(L"Listenindex überschreitet das Maximum (" +
                                           std::to_wstring(AIndex) + L")");
  std::wstring text(size_t(n) + 1, L'\0');
  n = SendMessageW(FCombo.FHandle, CB_GETLBTEXT, WPARAM(AIndex), LPARAM(text.data()));
  text.resize(size_t(std::max<LRESULT>(n, 0)));
  return text;
}

int TComboItems::Add(const std::wstring &AText) {
  if (!FCombo.HandleAllocated()) return FCombo.FItems.Add(AText);
  return int(SendMessageW(FCombo.FHandle, CB_ADDSTRING, 0, LPARAM(AText.c_str())));
}

void TComboItems::Insert(int AIndex, const std::wstring &AText) {
  if (!FCombo.HandleAllocated()) return FCombo.FItems.Insert(AIndex, AText);
  SendMessageW(FCombo.FHandle, CB_INSERTSTRING, WPARAM(AIndex), LPARAM(AText.c_str()));
}

void TComboItems::Delete(int AIndex) {
  if (!FCombo.HandleAllocated()) return FCombo.FItems.Delete(AIndex);
  SendMessageW(FCombo.FHandle, CB_DELETESTRING, WPARAM(AIndex), 0);
}

void TComboItems::Clear() {
  if (!FCombo.HandleAllocated()) return FCombo.FItems.Clear();
  std::wstring text = FCombo.Caption();
  SendMessageW(FCombo.FHandle, CB_RESETCONTENT, 0, 0);
  FCombo.SetCaption(text);
}

int TComboItems::IndexOf(const std::wstring &AText) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (SameText((*this)[i], AText)) return i;
  return -1;
}
