#pragma once
// Labels, push buttons, check boxes, radio buttons and combo boxes.
#include "base/strings.h"
#include "ui/forms.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A caption painted on the parent's colour; never takes the focus. Its
// window text is its caption, so tools that read windows find it. With
// AutoSize (the default) a caption that does not fit widens the label,
// around its centre when centred; a label never shrinks below its size. A
// word-wrapping AutoSize label keeps its width and takes the height of its
// wrapped caption.
class TLabel : public TControl {
public:
  explicit TLabel(TComponent *AOwner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool AValue);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment AValue);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);
  // "&" marks an accelerator (underlined, "&&" shows one "&"); off, every
  // "&" shows as it is.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool AValue);
  void SetCaption(const std::wstring &AValue) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool SizedByContent() const override { return FAutoSize; }

protected:
  void Paint(TCanvas &ACanvas) override;
  void FontChanged() override;
  void InitWnd() override { AdjustBounds(); }

private:
  UINT TextFlags() const;
  void AdjustBounds();
  bool FAutoSize = true;
  bool FAdjusting = false;
  TRect FDesigned; // the bounds given from outside, before widening
  TAlignment FAlignment = taLeftJustify;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent *AOwner);
  bool Default() const { return FDefault; }
  void SetDefault(bool AValue);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool AValue);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
  void Click() override;
  void SetParent(TControl *AParent) override;
  // Its accelerator clicks it.
  bool DialogChar(wchar_t AKey) override;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void CNCommand(WORD ANotifyCode) override;

private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

// Check boxes and radio buttons: OnClick runs on every change of the state,
// by the user or by the program.
class TCheckControl : public TControl {
public:
  explicit TCheckControl(TComponent *AOwner);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool AValue);
  // Its accelerator focuses and toggles (checks) it.
  bool DialogChar(wchar_t AKey) override;

protected:
  void InitWnd() override;
  void CNCommand(WORD ANotifyCode) override;
  virtual void Toggle() = 0;
  void StoreChecked(bool AValue);

private:
  bool FChecked = false;
};

class TCheckBox : public TCheckControl {
public:
  using TCheckControl::TCheckControl;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void Toggle() override { SetChecked(!Checked()); }
};

// Checking one radio button unchecks the others on the same parent.
class TRadioButton : public TCheckControl {
public:
  using TCheckControl::TCheckControl;
  void SetChecked(bool AValue) override;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void Toggle() override { SetChecked(true); }
};

// A single-line edit field with a sunken border.
class TEdit : public TControl {
public:
  explicit TEdit(TComponent *AOwner);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);

protected:
  void CreateParams(TCreateParams &AParams) override;

private:
  bool FReadOnly = false;
};

class TComboBox;

// The items of a combo box, read and changed through its window once it
// exists.
class TComboItems {
public:
  explicit TComboItems(TComboBox &ACombo) : FCombo(ACombo) {}
  int Count() const;
  std::wstring operator[](int AIndex) const;
  int Add(const std::wstring &AText);
  void Insert(int AIndex, const std::wstring &AText);
  void Delete(int AIndex);
  // Removes every item; the text of the edit field stays.
  void Clear();
  // First item equal without regard to letter case, or -1.
  int IndexOf(const std::wstring &AText) const;

private:
  TComboBox &FCombo;
};

// An unsorted drop-down combo box: editable (csDropDown), or a list to
// choose from only (csDropDownList).
enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TControl {
public:
  explicit TComboBox(TComponent *AOwner);
  TComboBoxStyle Style() const { return FStyle; }
  // Takes effect when the window is made.
  void SetStyle(TComboBoxStyle AValue) { FStyle = AValue; }
  TComboItems &Items() { return FItemsProxy; }
  int ItemIndex();
  void SetItemIndex(int AValue);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int AValue);
  bool DroppedDown();
  void SetDroppedDown(bool AValue);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool WantsKey(WORD AKey) override;
  HWND EditHandle();

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;
  void CNCommand(WORD ANotifyCode) override;

private:
  friend class TComboItems;
  int ListHeight() const;
  TStringList FItems; // until the window exists
  TComboItems FItemsProxy{*this};
  int FItemIndex = -1;
  int FDropDownCount = 8;
  TComboBoxStyle FStyle = csDropDown;
};
