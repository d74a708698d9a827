#pragma once
// Every control is one window bound to one C++ object. Properties live in
// fields until the window exists and are applied to it live afterwards;
// windows are created with their parent, children in tab order.
#include <windows.h>

#include <string>
#include <vector>

#include "base/component.h"
#include "ui/graphics.h"

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;
HCURSOR CursorHandle(TCursor ACursor);

// Whether a caption marks AKey as its accelerator ("&" before the
// character, compared without regard to case; "&&" is a plain "&").
bool IsAccel(wchar_t AKey, const std::wstring &ACaption);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16 };
using TShiftState = unsigned;
TShiftState KeyboardShiftState();

using TKeyEvent = std::function<void(TComponent *Sender, WORD &Key, TShiftState Shift)>;
using TMouseEvent =
    std::function<void(TComponent *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent *Sender, TShiftState Shift, int X, int Y)>;
using TKeyPressEvent = std::function<void(TComponent *Sender, wchar_t &Key)>;

// What a control's window is made of.
struct TCreateParams {
  std::wstring WinClassName; // a platform class to subclass, or empty for our own
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
  HWND WndParent = nullptr;
  // The window's height when it differs from the control's (a drop-down
  // combo box's includes its open list); -1: the control's.
  int WindowHeight = -1;
};

class TForm;

class TControl : public TComponent {
public:
  explicit TControl(TComponent *AOwner);
  ~TControl() override;

  // Window
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  static TControl *FromHandle(HWND AWnd);

  TControl *Parent() const { return FParent; }
  virtual void SetParent(TControl *AParent);
  int ControlCount() const { return int(FControls.size()); }
  TControl *Controls(int AIndex) const { return FControls.at(size_t(AIndex)); }
  // The form this control sits on (itself for a form).
  TForm *ParentForm();
  // This control or one of its children at any depth.
  bool Contains(const TControl *AControl) const;

  // Geometry, in pixels of the parent's client area (screen for forms).
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void SetLeft(int AValue) { SetBounds(AValue, FTop, FWidth, FHeight); }
  void SetTop(int AValue) { SetBounds(FLeft, AValue, FWidth, FHeight); }
  void SetWidth(int AValue) { SetBounds(FLeft, FTop, AValue, FHeight); }
  void SetHeight(int AValue) { SetBounds(FLeft, FTop, FWidth, AValue); }
  TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }

  // Appearance
  virtual std::wstring Caption();
  virtual void SetCaption(const std::wstring &AValue);
  std::wstring Text() { return Caption(); }
  void SetText(const std::wstring &AValue) { SetCaption(AValue); }
  TFont &Font() { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool AValue);
  TColor Color() const;
  void SetColor(TColor AValue);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool AValue);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool AValue);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool AValue);
  TCursor Cursor() const { return FCursor; }
  // Applies at once when the mouse is over the control.
  void SetCursor(TCursor AValue);
  const std::wstring &Hint() const { return FHint; }
  void SetHint(const std::wstring &AValue);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool AValue);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; }
  // The child window's identifier (GetDlgCtrlID), by which automation
  // tools and dialog code tell controls apart; 0 for none.
  int WindowID() const { return FWindowID; }
  void SetWindowID(int AValue);

  // Keyboard
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool AValue);
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int AValue);
  bool Focused();
  bool CanFocus();
  virtual void SetFocus();

  void Invalidate();
  void Repaint();
  void BringToFront();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Whether the control uses this key itself instead of the form
  // (Enter and Escape in a dropped-down list, for example).
  virtual bool WantsKey(WORD AKey) {
    (void)AKey;
    return false;
  }

  // A key that went down in an attached platform child window.
  void ChildKeyDown(WORD &AKey, TShiftState AShift);

  // A typed character that no control used, offered as an accelerator;
  // true when this control acted on it. A form offers it to its controls.
  virtual bool DialogChar(wchar_t AKey) {
    (void)AKey;
    return false;
  }

  // Runs the click reaction as if the user clicked.
  virtual void Click();

  // Scales position, size and font by M/D (the form's density rule).
  virtual void ScaleBy(int M, int D);
  // Sized to its content (a caption, a picture): moved rather than cut
  // when it does not fit its parent.
  virtual bool SizedByContent() const { return false; }

  // The window procedure of the bound object; the default handling is that
  // of the platform class (or DefWindowProc for our own class).
  virtual LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL);
  LRESULT DefaultHandler(UINT AMsg, WPARAM AW, LPARAM AL);

protected:
  virtual void CreateParams(TCreateParams &AParams);
  virtual void CreateWnd();
  // Runs once the window exists, to push stored state into it.
  virtual void InitWnd() {}
  virtual void DestroyWnd();
  // Our own class paints through this; subclassed platform controls don't.
  virtual void Paint(TCanvas &ACanvas);
  // Handles WM_PAINT through Paint, off-screen or straight on the window.
  // A failing paint still ends the paint and is reported once.
  void PaintWindow(bool AOffScreen);
  // Background brush for WM_CTLCOLOR* of platform controls.
  virtual HBRUSH CtlColor(HDC ADC);
  // Notifications the parent reflects to the child.
  virtual void CNCommand(WORD ANotifyCode) { (void)ANotifyCode; }
  virtual LRESULT CNNotify(NMHDR *AHeader) {
    (void)AHeader;
    return 0;
  }
  virtual void KeyDown(WORD &AKey, TShiftState AShift);
  // A typed character; setting it to 0 keeps it from the window.
  virtual void KeyPress(wchar_t &AKey);
  virtual void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y);
  virtual void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y);
  virtual void MouseMove(TShiftState AShift, int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void DblClick();
  // The window got or lost the keyboard focus.
  virtual void DoEnter();
  virtual void DoExit();
  virtual void FontChanged();
  // Attaches a platform child window (like a combo box's edit) to this
  // object's handling of keys.
  void SubclassChild(HWND AChild);
  void ApplyHint();

  static ATOM RegisterOwnClass();
  static LRESULT CALLBACK StdWndProc(HWND AWnd, UINT AMsg, WPARAM AW, LPARAM AL);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  TControl *FParent = nullptr;
  std::vector<TControl *> FControls;
  bool FMouseInside = false;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;

private:
  void CreateHandle();
  void KeepChildrenInside();
  void AttachTo(HWND AWnd);
  void Unbind();
  // Tells the form the control leaves (destroyed or moved elsewhere).
  void LeaveForm();
  void PaintOffScreen(HDC ADC);
  bool ApplyCursor();
  void TrackMouse(UINT AMsg, int X = 0, int Y = 0);
  void MouseButtonMessage(UINT AMsg, int X, int Y);
  void ParentFontChanged();
  void ParentColorChanged();
  LRESULT DispatchChild(UINT AMsg, WPARAM AW, LPARAM AL, bool &AHandled);
  // Offers a character the control did not use to its form.
  bool OfferDialogChar(wchar_t AKey, bool ASystem);

  std::wstring FCaption;
  TFont FFont;
  bool FParentFont = true;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  mutable TGdiObject FBrush;
  mutable TColor FBrushColor = clNone;
  bool FVisible = true;
  bool FEnabled = true;
  TCursor FCursor = crDefault;
  std::wstring FHint;
  bool FShowHint = false;
  int FHelpContext = 0;
  int FWindowID = 0;
  bool FTabStop = false;
  int FTabOrder = -1;
  bool FCreating = false;
  bool FPaintFailed = false;
  // The press that began this capture was the second of a double click,
  // which is not a click of its own.
  bool FDoubleClicked = false;

  friend class TForm;
  friend class TApplication;
};

// One control of a window's description: made with its owner, named,
// placed and put on its parent.
template <class T>
T *NewControl(TComponent *AOwner, TControl *AParent, const wchar_t *AName, int ALeft, int ATop,
              int AWidth, int AHeight) {
  T *control = new T(AOwner);
  control->SetName(AName);
  control->SetBounds(ALeft, ATop, AWidth, AHeight);
  control->SetParent(AParent);
  return control;
}
