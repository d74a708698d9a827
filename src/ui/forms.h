#pragma once
// Top-level windows: caption, frame, client size, stay-on-top, placement,
// modal showing, keyboard navigation and the creation/show/close events.
#include <memory>

#include "ui/controls.h"
#include "ui/handles.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
// The dialog results of forms, message boxes and task messages alike.
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                       mrYesToAll = 10;

struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

using TCloseEvent = std::function<void(TComponent *Sender, TCloseAction &Action)>;

class TButtonControl;

class TForm : public TControl {
public:
  explicit TForm(TComponent *AOwner);
  ~TForm() override;

  // Builds a form and finishes it (density scaling, then OnCreate), the way
  // every form of the program comes to life.
  template <class T, class... A> static T *Create(TComponent *AOwner, A &&...AArgs) {
    T *form = new T(AOwner, std::forward<A>(AArgs)...);
    try {
      form->AfterConstruction();
    } catch (...) {
      delete form;
      throw;
    }
    return form;
  }
  virtual void AfterConstruction();

  void SetClientSize(int AWidth, int AHeight);
  // Width and height the frame adds to the client area, also before the
  // window exists.
  SIZE FrameSize();
  TRect ClientRect() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle AValue);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons AValue);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition AValue) { FPosition = AValue; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle AValue);
  TWindowState WindowState();
  void SetWindowState(TWindowState AValue);
  const TSizeConstraints &Constraints() const { return FConstraints; }
  void SetConstraints(const TSizeConstraints &AValue);
  // The form's KeyDown sees every key before the focused control does.
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool AValue) { FKeyPreview = AValue; }
  // Escape closes the modal form with mrCancel when no cancel button takes
  // it; a form that decides about Escape itself turns this off.
  bool EscapeCancels() const { return FEscapeCancels; }
  void SetEscapeCancels(bool AValue) { FEscapeCancels = AValue; }
  // Icon of the caption and task bar; the form owns it.
  void SetIcon(HICON AIcon);
  HICON Icon() const { return FIcon.Get(); }
  // The designed text height of the form's font at 96 DPI.
  int DesignTextHeight() const { return 13; }
  // A canvas with the form's font, for measuring.
  TCanvas &Canvas();

  void Show();
  void Hide();
  void Close();
  TModalResult ShowModal();
  bool Modal() const { return FModal; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }

  TControl *ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TControl *AControl);
  void SelectNext(TControl *ACurrent, bool AForward);
  // Buttons that Enter and Escape press.
  void SetDefaultButton(TButtonControl *AButton) { FDefaultButton = AButton; }
  void SetCancelButton(TButtonControl *AButton) { FCancelButton = AButton; }
  TButtonControl *DefaultButton() const { return FDefaultButton; }
  TButtonControl *CancelButton() const { return FCancelButton; }
  // A control leaves the form: it and its children are forgotten as the
  // active control and as the buttons Enter and Escape press.
  void ControlRemoved(TControl *AControl);

  // Keys before they reach the focused control: action shortcuts, F1 help,
  // Tab, Enter and Escape. True when the key was used up.
  bool PreProcessKey(const MSG &AMsg);
  bool IsShortCut(WORD AKey, TShiftState AShift);
  // Offers the character to the enabled, visible controls, in the order
  // they were put on the form (buttons and check boxes take their
  // accelerators).
  bool DialogChar(wchar_t AKey) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;
  TNotifyEvent OnDestroy;

  LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL) override;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoClose(TCloseAction &AAction);
  void ScaleForDensity();

private:
  DWORD FrameStyle() const;
  DWORD FrameExStyle() const;
  void UpdateFrame();
  void ApplyPosition();
  void ApplyIcon();
  std::vector<TControl *> TabList();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TSizeConstraints FConstraints;
  bool FKeyPreview = false;
  bool FEscapeCancels = true;
  TIconHandle FIcon;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  bool FShownOnce = false;
  TControl *FActiveControl = nullptr;
  TButtonControl *FDefaultButton = nullptr;
  TButtonControl *FCancelButton = nullptr;
  std::unique_ptr<TMemoryCanvas> FCanvas;
  bool FHasClientSize = false;
  int FClientWidth = 0, FClientHeight = 0;
};

// Push buttons and other controls that Enter or Escape can press.
class TButtonControl : public TControl {
public:
  using TControl::TControl;
};
