#include "ui/forms.h"

#include <algorithm>

#include "ui/actions.h"
#include "ui/application.h"
#include "ui/screen.h"

TForm::TForm(TComponent *AOwner) : TControl(AOwner) {
  SetParentColor(false);
  SetParentFont(false);
  TControl::SetVisible(false);
}

TForm::~TForm() {
  DestroyComponents();
  DestroyWnd();
}

// The window itself is made when first needed (showing it, or asking for
// its handle), as with every control.
void TForm::AfterConstruction() {
  ScaleForDensity();
  DoCreate();
}

void TForm::ScaleForDensity() {
  int ppi = Screen->PixelsPerInch();
  if (ppi == 96) return;
  TFont font = Font();
  font.SetHeight(MulDiv(font.Height(), ppi, 96));
  TMemoryCanvas measure;
  measure.Font() = font;
  int M = measure.TextHeight(L"0"), D = DesignTextHeight();
  // The layout is scaled before the font changes: a label that widens to
  // its caption then widens within its scaled place, not before scaling.
  if (M != D) {
    TRect client = ClientRect();
    for (TControl *child : FControls) child->ScaleBy(M, D);
    SetClientSize(MulDiv(client.Width(), M, D), MulDiv(client.Height(), M, D));
  }
  Font() = font;
}

TCanvas &TForm::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TMemoryCanvas>();
  // An assigned font makes its platform font anew: assign only a change, so
  // that measuring on every mouse move keeps one font.
  if (FCanvas->Font() != Font()) FCanvas->Font() = Font();
  return *FCanvas;
}

DWORD TForm::FrameStyle() const {
  DWORD style = WS_CLIPCHILDREN;
  switch (FBorderStyle) {
  case bsNone:
    style |= WS_POPUP;
    break;
  case bsSingle:
  case bsToolWindow:
    style |= WS_CAPTION | WS_BORDER;
    break;
  case bsSizeable:
  case bsSizeToolWin:
    style |= WS_CAPTION | WS_THICKFRAME;
    break;
  case bsDialog:
    style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    break;
  }
  if (FBorderStyle != bsNone && (FBorderIcons & biSystemMenu)) {
    style |= WS_SYSMENU;
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow &&
        FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons & biMinimize) style |= WS_MINIMIZEBOX;
      if (FBorderIcons & biMaximize) style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

DWORD TForm::FrameExStyle() const {
  DWORD ex = 0;
  if (FBorderStyle == bsDialog) ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
  if (FFormStyle == fsStayOnTop) ex |= WS_EX_TOPMOST;
  return ex;
}

void TForm::CreateParams(TCreateParams &AParams) {
  AParams.Style = FrameStyle();
  AParams.ExStyle = FrameExStyle();
  // Secondary forms belong to the main form: no task bar entry of their own.
  TForm *main = Application ? Application->MainForm() : nullptr;
  if (main && main != this && main->HandleAllocated()) {
    AParams.WndParent = main->Handle();
  } else {
    AParams.ExStyle |= WS_EX_APPWINDOW;
  }
}

void TForm::InitWnd() {
  if (FHasClientSize) {
    // The frame sizes are the platform's; correct the outer size to them.
    RECT rc;
    GetClientRect(FHandle, &rc);
    int dw = FClientWidth - rc.right, dh = FClientHeight - rc.bottom;
    if (dw || dh) TControl::SetBounds(Left(), Top(), Width() + dw, Height() + dh);
  }
  if (FIcon) ApplyIcon();
}

void TForm::ApplyIcon() {
  SendMessageW(FHandle, WM_SETICON, ICON_BIG, LPARAM(FIcon.Get()));
  SendMessageW(FHandle, WM_SETICON, ICON_SMALL, LPARAM(FIcon.Get()));
}

void TForm::UpdateFrame() {
  if (!FHandle) return;
  SetWindowLongPtrW(FHandle, GWL_STYLE,
                    (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_VISIBLE) | FrameStyle());
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (FHasClientSize) SetClientSize(FClientWidth, FClientHeight);
}

void TForm::SetBorderStyle(TFormBorderStyle AValue) {
  FBorderStyle = AValue;
  UpdateFrame();
  if (!FHandle && FHasClientSize) SetClientSize(FClientWidth, FClientHeight);
}

void TForm::SetBorderIcons(TBorderIcons AValue) {
  FBorderIcons = AValue;
  UpdateFrame();
}

void TForm::SetClientSize(int AWidth, int AHeight) {
  FHasClientSize = true;
  FClientWidth = AWidth;
  FClientHeight = AHeight;
  RECT rc{0, 0, AWidth, AHeight};
  AdjustWindowRectEx(&rc, FrameStyle(), FALSE, FrameExStyle());
  SetBounds(Left(), Top(), rc.right - rc.left, rc.bottom - rc.top);
  if (FHandle) {
    RECT now;
    GetClientRect(FHandle, &now);
    int dw = AWidth - now.right, dh = AHeight - now.bottom;
    if (dw || dh) SetBounds(Left(), Top(), Width() + dw, Height() + dh);
  }
}

SIZE TForm::FrameSize() {
  if (FHandle) return {Width() - ClientWidth(), Height() - ClientHeight()};
  RECT rc{0, 0, 0, 0};
  AdjustWindowRectEx(&rc, FrameStyle(), FALSE, FrameExStyle());
  return {rc.right - rc.left, rc.bottom - rc.top};
}

TRect TForm::ClientRect() {
  if (!FHandle && FHasClientSize) return TRect(0, 0, FClientWidth, FClientHeight);
  return TControl::ClientRect();
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TSizeConstraints &c = FConstraints;
  if (c.MinWidth > 0 && AWidth < c.MinWidth) AWidth = c.MinWidth;
  if (c.MaxWidth > 0 && AWidth > c.MaxWidth) AWidth = c.MaxWidth;
  if (c.MinHeight > 0 && AHeight < c.MinHeight) AHeight = c.MinHeight;
  if (c.MaxHeight > 0 && AHeight > c.MaxHeight) AHeight = c.MaxHeight;
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TForm::SetConstraints(const TSizeConstraints &AValue) {
  FConstraints = AValue;
  SetBounds(Left(), Top(), Width(), Height());
}

void TForm::SetFormStyle(TFormStyle AValue) {
  FFormStyle = AValue;
  if (FHandle)
    SetWindowPos(FHandle, AValue == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TForm::WindowState() {
  if (FHandle && IsWindowVisible(FHandle)) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TForm::SetWindowState(TWindowState AValue) {
  FWindowState = AValue;
  if (FHandle && IsWindowVisible(FHandle)) {
    static const int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(FHandle, kShow[AValue]);
  }
}

void TForm::SetIcon(HICON AIcon) {
  FIcon.Reset(AIcon);
  if (FHandle) ApplyIcon();
}

void TForm::ApplyPosition() {
  if (FPosition != poScreenCenter && FPosition != poMainFormCenter &&
      FPosition != poOwnerFormCenter)
    return;
  TForm *over = FPosition == poOwnerFormCenter ? dynamic_cast<TForm *>(Owner()) : nullptr;
  if (FPosition != poScreenCenter && !over && Application) over = Application->MainForm();
  RECT around{0, 0, Screen->Width(), Screen->Height()};
  if (over && over != this && over->HandleAllocated() && IsWindowVisible(over->Handle()) &&
      !IsIconic(over->Handle())) {
    // Over its form, kept on that form's screen.
    GetWindowRect(over->Handle(), &around);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(over->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT &work = monitor.rcWork;
    const int left = (around.left + around.right - Width()) / 2;
    const int top = (around.top + around.bottom - Height()) / 2;
    SetBounds(std::max<int>(work.left, std::min<int>(left, work.right - Width())),
              std::max<int>(work.top, std::min<int>(top, work.bottom - Height())), Width(),
              Height());
    return;
  }
  SetBounds((around.right - Width()) / 2, (around.bottom - Height()) / 2, Width(), Height());
}

void TForm::Show() {
  HandleNeeded();
  // A centred form opens centred each time, wherever it was moved to before.
  if (!IsWindowVisible(FHandle)) ApplyPosition();
  DoShow();
  static const int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
  // Shown once, active at once: not first shown inactive and then again.
  FVisible = true;
  ShowWindow(FHandle, kShow[FWindowState]);
  SetForegroundWindow(FHandle);
  if (!FShownOnce) {
    FShownOnce = true;
    if (!FActiveControl) {
      std::vector<TControl *> tabs = TabList();
      if (!tabs.empty()) FActiveControl = tabs.front();
    }
  }
  if (FActiveControl && FActiveControl->CanFocus()) ::SetFocus(FActiveControl->Handle());
}

void TForm::Hide() {
  TControl::SetVisible(false);
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return; // the modal loop runs the close handler
  }
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Hide();
  }
}

namespace {
struct TDisabledWindows {
  HWND Except;
  std::vector<HWND> List;
};

BOOL CALLBACK DisableWindow(HWND AWnd, LPARAM AData) {
  auto *d = reinterpret_cast<TDisabledWindows *>(AData);
  if (AWnd != d->Except && IsWindowVisible(AWnd) && IsWindowEnabled(AWnd)) {
    EnableWindow(AWnd, FALSE);
    d->List.push_back(AWnd);
  }
  return TRUE;
}
} // namespace

TModalResult TForm::ShowModal() {
  if (FModal || IsWindowVisible(Handle()))
    throw EInvalidOperation(L"Ein sichtbares Fenster kann nicht modal gemacht werden");
  HWND previous = GetActiveWindow();
  TDisabledWindows disabled{FHandle, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, LPARAM(&disabled));
  FModal = true;
  FModalResult = mrNone;
  auto restore = [&] {
    for (HWND w : disabled.List)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    Hide();
    FModal = false;
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
  };
  try {
    Show();
    while (true) {
      Application->HandleMessage();
      if (Application->Terminated() && FModalResult == mrNone) FModalResult = mrCancel;
      if (FModalResult != mrNone) {
        TCloseAction action = caHide;
        DoClose(action);
        if (action != caNone || Application->Terminated()) break;
        FModalResult = mrNone;
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return FModalResult;
}

void TForm::SetActiveControl(TControl *AControl) { FActiveControl = AControl; }

void TForm::ControlRemoved(TControl *AControl) {
  if (AControl->Contains(FActiveControl)) FActiveControl = nullptr;
  if (AControl->Contains(FDefaultButton)) FDefaultButton = nullptr;
  if (AControl->Contains(FCancelButton)) FCancelButton = nullptr;
}

std::vector<TControl *> TForm::TabList() {
  std::vector<TControl *> list;
  std::function<void(TControl *)> walk = [&](TControl *parent) {
    std::vector<TControl *> children(parent->FControls);
    std::stable_sort(children.begin(), children.end(),
                     [](TControl *a, TControl *b) { return a->TabOrder() < b->TabOrder(); });
    for (TControl *c : children) {
      if (!c->Visible()) continue;
      if (c->TabStop() && c->Enabled()) list.push_back(c);
      walk(c);
    }
  };
  walk(this);
  return list;
}

void TForm::SelectNext(TControl *ACurrent, bool AForward) {
  std::vector<TControl *> tabs = TabList();
  if (tabs.empty()) return;
  auto it = std::find(tabs.begin(), tabs.end(), ACurrent);
  size_t i;
  if (it == tabs.end())
    i = AForward ? 0 : tabs.size() - 1;
  else {
    size_t pos = size_t(it - tabs.begin());
    i = AForward ? (pos + 1) % tabs.size() : (pos + tabs.size() - 1) % tabs.size();
  }
  tabs[i]->SetFocus();
}

bool TForm::IsShortCut(WORD AKey, TShiftState AShift) {
  TShortCut sc = ShortCut(AKey, AShift);
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto *list = dynamic_cast<TActionList *>(Components(i)))
      if (list->IsShortCut(sc)) return true;
  return false;
}

bool TForm::PreProcessKey(const MSG &AMsg) {
  WORD key = WORD(AMsg.wParam);
  TShiftState shift = KeyboardShiftState();
  // The form's own window hands its keys to KeyDown itself.
  if (FKeyPreview && AMsg.hwnd != FHandle) {
    KeyDown(key, shift);
    if (key == 0) return true;
  }
  if (IsShortCut(key, shift)) return true;
  // The control the key goes to (a combo box for its inner edit).
  TControl *focused = nullptr;
  for (HWND w = AMsg.hwnd; w && !focused; w = GetParent(w)) focused = FromHandle(w);
  if (key == VK_F1 && !(shift & (ssCtrl | ssAlt))) {
    int context = 0;
    for (TControl *c = focused; c && !context; c = c->Parent()) context = c->HelpContext();
    if (!context) context = HelpContext();
    if (context && Application) {
      Application->HelpContext(context);
      return true;
    }
    return false;
  }
  if (AMsg.message != WM_KEYDOWN || (shift & (ssCtrl | ssAlt))) return false;
  switch (key) {
  case VK_TAB:
    SelectNext(focused, !(shift & ssShift));
    return true;
  case VK_RETURN:
    if (focused && focused->WantsKey(key)) return false;
    if (auto *button = dynamic_cast<TButtonControl *>(focused)) {
      button->Click();
      return true;
    }
    if (FDefaultButton && FDefaultButton->CanFocus()) {
      FDefaultButton->Click();
      return true;
    }
    return false;
  case VK_ESCAPE:
    if (focused && focused->WantsKey(key)) return false;
    if (FCancelButton && FCancelButton->CanFocus()) {
      FCancelButton->Click();
      return true;
    }
    if (FModal && FEscapeCancels) {
      FModalResult = mrCancel;
      return true;
    }
    return false;
  default:
    return false;
  }
}

bool TForm::DialogChar(wchar_t AKey) {
  std::function<bool(TControl *)> offer = [&](TControl *AParent) {
    const std::vector<TControl *> children = AParent->FControls;
    for (TControl *c : children) {
      if (!c->Visible() || !c->Enabled()) continue;
      if (c->DialogChar(AKey) || offer(c)) return true;
    }
    return false;
  };
  return offer(this);
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoClose(TCloseAction &AAction) {
  if (OnClose) OnClose(this, AAction);
}

LRESULT TForm::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  switch (AMsg) {
  case WM_CLOSE:
    Close();
    return 0;
  case WM_GETMINMAXINFO: {
    auto *mmi = reinterpret_cast<MINMAXINFO *>(AL);
    if (FConstraints.MinWidth > 0) mmi->ptMinTrackSize.x = FConstraints.MinWidth;
    if (FConstraints.MinHeight > 0) mmi->ptMinTrackSize.y = FConstraints.MinHeight;
    if (FConstraints.MaxWidth > 0) mmi->ptMaxTrackSize.x = FConstraints.MaxWidth;
    if (FConstraints.MaxHeight > 0) mmi->ptMaxTrackSize.y = FConstraints.MaxHeight;
    return 0;
  }
  case WM_WINDOWPOSCHANGED: {
    LRESULT r = DefaultHandler(AMsg, AW, AL);
    if (!IsIconic(FHandle) && !IsZoomed(FHandle)) {
      RECT rc;
      GetWindowRect(FHandle, &rc);
      FLeft = rc.left;
      FTop = rc.top;
      FWidth = rc.right - rc.left;
      FHeight = rc.bottom - rc.top;
    }
    return r;
  }
  case WM_ACTIVATE:
    if (LOWORD(AW) == WA_INACTIVE) {
      HWND focus = GetFocus();
      for (HWND w = focus; w && w != FHandle; w = GetParent(w))
        if (TControl *c = FromHandle(w)) {
          FActiveControl = c;
          break;
        }
    } else if (FActiveControl && FActiveControl->HandleAllocated() && !IsIconic(FHandle)) {
      DefaultHandler(AMsg, AW, AL);
      ::SetFocus(FActiveControl->Handle());
      return 0;
    }
    break;
  case WM_ERASEBKGND: {
    RECT rc;
    GetClientRect(FHandle, &rc);
    TCanvas canvas{HDC(AW)};
    canvas.SetBrushColor(Color());
    canvas.FillRect(TRect(rc));
    return 1;
  }
  case WM_PAINT:
    PaintWindow(false);
    return 0;
  default:
    break;
  }
  return TControl::WndProc(AMsg, AW, AL);
}
