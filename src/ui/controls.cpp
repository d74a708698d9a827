#include "ui/controls.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "ui/application.h"
#include "ui/forms.h"
#include "ui/handles.h"
#include "ui/screen.h"

namespace {
const wchar_t kOwnClass[] = L"TastenfangControl";

// The object of each window the program binds, and the own procedure of
// each platform child it subclasses. Looked up for every message, so kept
// here rather than as window properties: under Wine each property read is
// a call to the window server. A window's messages reach it on the thread
// that made it, so each thread keeps its own windows and none locks.
struct TBinding {
  TControl *Control = nullptr;
  WNDPROC ChildProc = nullptr;
};
std::unordered_map<HWND, TBinding> &Bindings() {
  thread_local std::unordered_map<HWND, TBinding> bindings;
  return bindings;
}

const TBinding *BindingOf(HWND AWnd) {
  auto it = Bindings().find(AWnd);
  return it == Bindings().end() ? nullptr : &it->second;
}

LRESULT CALLBACK ChildWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp);

} // namespace

ATOM TControl::RegisterOwnClass() {
  // Guarded by the initialisation of the local static: the class is the
  // process's, so the first windows of two threads must not both register
  // it (the second registration fails and would leave no atom).
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TControl::StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOwnClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

namespace {
TMouseButton ButtonOf(UINT AMsg) {
  switch (AMsg) {
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
    return mbRight;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
    return mbMiddle;
  default:
    return mbLeft;
  }
}
} // namespace

namespace {
LRESULT CALLBACK ChildWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  const TBinding *binding = BindingOf(w);
  if (!binding) return DefWindowProcW(w, m, wp, lp);
  const WNDPROC proc = binding->ChildProc;
  TControl *owner = binding->Control;
  try {
    if (owner && (m == WM_KEYDOWN || m == WM_SYSKEYDOWN)) {
      WORD key = WORD(wp);
      owner->ChildKeyDown(key, KeyboardShiftState());
      if (key == 0) return 0;
    }
  } catch (...) {
    HandleBoundaryException();
    return 0;
  }
  if (m == WM_NCDESTROY) {
    Bindings().erase(w);
    SetWindowLongPtrW(w, GWLP_WNDPROC, LONG_PTR(proc));
  }
  return CallWindowProcW(proc, w, m, wp, lp);
}
} // namespace

HCURSOR CursorHandle(TCursor ACursor) {
  switch (ACursor) {
  case crHourGlass:
    return LoadCursorW(nullptr, IDC_WAIT);
  case crHandPoint:
    return LoadCursorW(nullptr, IDC_HAND);
  default:
    return LoadCursorW(nullptr, IDC_ARROW);
  }
}

bool IsAccel(wchar_t AKey, const std::wstring &ACaption) {
  for (size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&') continue;
    wchar_t next = ACaption[++i];
    if (next == L'&') continue; // a plain "&"
    wchar_t a[2] = {next, 0}, b[2] = {AKey, 0};
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, 1, b, 1) == CSTR_EQUAL;
  }
  return false;
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TControl::TControl(TComponent *AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this] {
    if (!FCreating) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  // Owned controls go first, while our window still exists.
  DestroyComponents();
  LeaveForm();
  for (TControl *child : FControls) child->FParent = nullptr;
  FControls.clear();
  if (FParent) {
    auto &list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  DestroyWnd();
}

TControl *TControl::FromHandle(HWND AWnd) {
  const TBinding *binding = AWnd ? BindingOf(AWnd) : nullptr;
  return binding ? binding->Control : nullptr;
}

HWND TControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TControl::CreateHandle() {
  if (FParent && !FParent->HandleAllocated()) {
    FParent->HandleNeeded(); // creates ours with it
    if (FHandle) return;
  }
  CreateWnd();
  if (!FHandle) RaiseLastOSError();
  SendMessageW(FHandle, WM_SETFONT, WPARAM(FFont.Handle()), FALSE);
  InitWnd();
  ApplyHint();
  std::vector<TControl *> children = FControls;
  std::stable_sort(children.begin(), children.end(), [](TControl *a, TControl *b) {
    return a->FTabOrder < b->FTabOrder;
  });
  for (TControl *child : children)
    if (!child->FHandle) child->CreateHandle();
}

void TControl::CreateParams(TCreateParams &AParams) {
  AParams.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FParent) AParams.WndParent = FParent->Handle();
}

void TControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (FVisible) params.Style |= WS_VISIBLE;
  if (!FEnabled) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  bool own = params.WinClassName.empty();
  if (own) RegisterOwnClass();
  // A child window's menu handle is its identifier.
  HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(INT_PTR(FWindowID)) : nullptr;
  HWND wnd = CreateWindowExW(params.ExStyle, own ? kOwnClass : params.WinClassName.c_str(),
                             FCaption.c_str(), params.Style, FLeft, FTop, FWidth,
                             params.WindowHeight >= 0 ? params.WindowHeight : FHeight,
                             params.WndParent, id, GetModuleHandleW(nullptr), this);
  if (wnd && !own) AttachTo(wnd);
  // Controls made later lie above earlier ones, as a form paints them.
  if (wnd && (params.Style & WS_CHILD))
    SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::AttachTo(HWND AWnd) {
  FHandle = AWnd;
  Bindings()[AWnd].Control = this;
  FDefWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(AWnd, GWLP_WNDPROC, LONG_PTR(&TControl::StdWndProc)));
}

void TControl::DestroyWnd() {
  if (!FHandle) return;
  HWND wnd = FHandle;
  DestroyWindow(wnd); // WM_NCDESTROY clears FHandle
  FHandle = nullptr;
}

LRESULT CALLBACK TControl::StdWndProc(HWND AWnd, UINT AMsg, WPARAM AW, LPARAM AL) {
  TControl *control = FromHandle(AWnd);
  if (!control && AMsg == WM_NCCREATE) {
    // Our own class: bind the object before any other message arrives.
    control = static_cast<TControl *>(reinterpret_cast<CREATESTRUCTW *>(AL)->lpCreateParams);
    control->FHandle = AWnd;
    Bindings()[AWnd].Control = control;
  }
  if (!control) return DefWindowProcW(AWnd, AMsg, AW, AL);
  try {
    return control->WndProc(AMsg, AW, AL);
  } catch (...) {
    HandleBoundaryException();
  }
  return 0;
}

LRESULT TControl::DefaultHandler(UINT AMsg, WPARAM AW, LPARAM AL) {
  if (FDefWndProc) return CallWindowProcW(FDefWndProc, FHandle, AMsg, AW, AL);
  return DefWindowProcW(FHandle, AMsg, AW, AL);
}

LRESULT TControl::DispatchChild(UINT AMsg, WPARAM AW, LPARAM AL, bool &AHandled) {
  AHandled = false;
  switch (AMsg) {
  case WM_COMMAND:
    if (TControl *child = FromHandle(HWND(AL)); child && child != this) {
      AHandled = true;
      child->CNCommand(HIWORD(AW));
    }
    return 0;
  case WM_NOTIFY: {
    auto *header = reinterpret_cast<NMHDR *>(AL);
    if (TControl *child = FromHandle(header->hwndFrom); child && child != this) {
      AHandled = true;
      return child->CNNotify(header);
    }
    return 0;
  }
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX: {
    TControl *child = FromHandle(HWND(AL));
    // A combo box's edit and list report themselves; they belong to the combo.
    if (!child) child = FromHandle(GetParent(HWND(AL)));
    if (child && child != this) {
      if (HBRUSH brush = child->CtlColor(HDC(AW))) {
        AHandled = true;
        return LRESULT(brush);
      }
    }
    return 0;
  }
  default:
    return 0;
  }
}

LRESULT TControl::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  bool handled;
  LRESULT result = DispatchChild(AMsg, AW, AL, handled);
  if (handled) return result;
  // Our own class paints and clicks itself; platform classes do their own.
  const bool own = FDefWndProc == nullptr;
  switch (AMsg) {
  case WM_ERASEBKGND:
    if (own) return 1; // WM_PAINT covers the whole client area
    break;
  case WM_PAINT:
    if (own) {
      PaintWindow(true);
      return 0;
    }
    break;
  case WM_SETCURSOR:
    if (HWND(AW) == FHandle && LOWORD(AL) == HTCLIENT && ApplyCursor()) return TRUE;
    break;
  case WM_MOUSEMOVE:
    if (FShowHint && !FHint.empty() && Application)
      Application->HintMouseMove(FHandle, AMsg, AW, AL);
    TrackMouse(AMsg, GET_X_LPARAM(AL), GET_Y_LPARAM(AL));
    MouseMove(KeyboardShiftState(), GET_X_LPARAM(AL), GET_Y_LPARAM(AL));
    break;
  case WM_MOUSELEAVE:
    TrackMouse(AMsg);
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
    if (own) {
      MouseButtonMessage(AMsg, GET_X_LPARAM(AL), GET_Y_LPARAM(AL));
      return 0;
    }
    break;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN: {
    WORD key = WORD(AW);
    KeyDown(key, KeyboardShiftState());
    if (key == 0) return 0;
    break;
  }
  case WM_CHAR: {
    wchar_t key = wchar_t(AW);
    KeyPress(key);
    if (key == 0) return 0;
    AW = WPARAM(key);
    if (OfferDialogChar(key, false)) return 0;
    break;
  }
  case WM_SYSCHAR:
    // Alt with a character: an accelerator, or the platform's beep.
    if (OfferDialogChar(wchar_t(AW), true)) return 0;
    break;
  case WM_SETFOCUS:
    DoEnter();
    break;
  case WM_KILLFOCUS:
    DoExit();
    break;
  case WM_NCDESTROY: {
    LRESULT r = DefaultHandler(AMsg, AW, AL);
    Unbind();
    return r;
  }
  default:
    break;
  }
  return DefaultHandler(AMsg, AW, AL);
}

bool TControl::OfferDialogChar(wchar_t AKey, bool ASystem) {
  // Controls that take typed characters (edits) keep them.
  if (!ASystem && (DefaultHandler(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) return false;
  TForm *form = ParentForm();
  return form && form->DialogChar(AKey);
}

void TControl::PaintWindow(bool AOffScreen) {
  TPaintDC paint(FHandle);
  try {
    if (AOffScreen) {
      PaintOffScreen(paint.DC());
    } else {
      TCanvas canvas(paint.DC());
      canvas.Font() = FFont;
      Paint(canvas);
    }
  } catch (const TProgramHalt &) {
    throw;
  } catch (...) {
    // The region is valid again by now, so the report's own loop does not
    // paint here again; a paint that keeps failing is reported once, until
    // one succeeds.
    if (std::exchange(FPaintFailed, true)) return;
    throw;
  }
  FPaintFailed = false;
}

void TControl::PaintOffScreen(HDC ADC) {
  // Off-screen, so that labels over pictures and colours don't flicker.
  RECT rc;
  GetClientRect(FHandle, &rc);
  TMemoryDC mem(ADC);
  TGdiObject bitmap(
      CreateCompatibleBitmap(ADC, std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1)));
  TSelectedObject selected(mem.Get(), bitmap.Get());
  TCanvas canvas(mem.Get());
  canvas.Font() = FFont;
  canvas.SetBrushColor(Color());
  canvas.FillRect(TRect(rc));
  Paint(canvas);
  BitBlt(ADC, 0, 0, rc.right, rc.bottom, mem.Get(), 0, 0, SRCCOPY);
}

bool TControl::ApplyCursor() {
  TCursor cursor = Screen->Cursor() != crDefault ? Screen->Cursor() : FCursor;
  if (cursor == crDefault) return false;
  ::SetCursor(CursorHandle(cursor));
  return true;
}

void TControl::TrackMouse(UINT AMsg, int X, int Y) {
  if (AMsg == WM_MOUSELEAVE) {
    FMouseInside = false;
    MouseLeave();
    return;
  }
  // While the mouse is captured, moves outside arrive too: not an entry.
  RECT rc;
  GetClientRect(FHandle, &rc);
  if (!FMouseInside && PtInRect(&rc, POINT{X, Y})) {
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&tme);
    FMouseInside = true;
    MouseEnter();
  }
}

void TControl::MouseButtonMessage(UINT AMsg, int X, int Y) {
  const TMouseButton button = ButtonOf(AMsg);
  if (AMsg == WM_LBUTTONDBLCLK) {
    SetCapture(FHandle);
    FDoubleClicked = true;
    DblClick();
    MouseDown(button, KeyboardShiftState(), X, Y);
    return;
  }
  const bool down = AMsg == WM_LBUTTONDOWN || AMsg == WM_RBUTTONDOWN || AMsg == WM_MBUTTONDOWN;
  if (down) {
    if (button == mbLeft) SetCapture(FHandle);
    MouseDown(button, KeyboardShiftState(), X, Y);
    return;
  }
  // A click is a left press and release inside the control; the release
  // of a double click's second press is not another click.
  if (button == mbLeft && GetCapture() == FHandle) {
    ReleaseCapture();
    RECT rc;
    GetClientRect(FHandle, &rc);
    if (!std::exchange(FDoubleClicked, false) && PtInRect(&rc, POINT{X, Y})) Click();
  }
  MouseUp(button, KeyboardShiftState(), X, Y);
}

void TControl::Unbind() {
  if (Application && FShowHint && !FHint.empty()) Application->RemoveHint(FHandle);
  Bindings().erase(FHandle);
  if (FDefWndProc) SetWindowLongPtrW(FHandle, GWLP_WNDPROC, LONG_PTR(FDefWndProc));
  FHandle = nullptr;
  FDefWndProc = nullptr;
}

void TControl::Paint(TCanvas &) {}

HBRUSH TControl::CtlColor(HDC ADC) {
  TColor color = ColorToRGB(Color());
  if (FBrushColor != color || !FBrush.Get()) {
    FBrush.Reset(CreateSolidBrush(color));
    FBrushColor = color;
  }
  SetBkColor(ADC, color);
  SetTextColor(ADC, ColorToRGB(FFont.Color()));
  return static_cast<HBRUSH>(FBrush.Get());
}

void TControl::SubclassChild(HWND AChild) {
  if (!AChild || BindingOf(AChild)) return;
  TBinding &binding = Bindings()[AChild];
  binding.Control = this;
  binding.ChildProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(AChild, GWLP_WNDPROC, LONG_PTR(&ChildWndProc)));
}

void TControl::SetParent(TControl *AParent) {
  if (AParent == FParent) return;
  LeaveForm();
  if (FParent) {
    auto &list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  FParent = AParent;
  if (!FParent) {
    DestroyWnd();
    return;
  }
  if (FTabOrder < 0) FTabOrder = int(FParent->FControls.size());
  FParent->FControls.push_back(this);
  if (FParentFont) ParentFontChanged();
  if (FHandle)
    ::SetParent(FHandle, FParent->Handle());
  else if (FParent->HandleAllocated())
    CreateHandle();
}

void TControl::LeaveForm() {
  if (TForm *form = ParentForm(); form && form != this) form->ControlRemoved(this);
}

bool TControl::Contains(const TControl *AControl) const {
  for (const TControl *c = AControl; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TForm *TControl::ParentForm() {
  TControl *c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TForm *>(c);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect TControl::ClientRect() {
  if (FHandle) {
    RECT rc;
    GetClientRect(FHandle, &rc);
    return rc;
  }
  return TRect(0, 0, FWidth, FHeight);
}

std::wstring TControl::Caption() {
  if (FHandle) {
    int n = GetWindowTextLengthW(FHandle);
    std::wstring text(size_t(n) + 1, L'\0');
    n = GetWindowTextW(FHandle, text.data(), n + 1);
    text.resize(size_t(std::max(n, 0)));
    return text;
  }
  return FCaption;
}

void TControl::SetCaption(const std::wstring &AValue) {
  FCaption = AValue;
  if (FHandle) {
    SetWindowTextW(FHandle, AValue.c_str());
    Invalidate();
  }
}

void TControl::SetParentFont(bool AValue) {
  FParentFont = AValue;
  if (AValue) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent) return;
  FCreating = true;
  FFont = FParent->FFont;
  FCreating = false;
}

void TControl::FontChanged() {
  if (FHandle) {
    SendMessageW(FHandle, WM_SETFONT, WPARAM(FFont.Handle()), TRUE);
    Invalidate();
  }
  for (TControl *child : FControls)
    if (child->FParentFont) child->ParentFontChanged();
}

TColor TControl::Color() const {
  if (FParentColor && FParent) return FParent->Color();
  return FColor;
}

void TControl::SetColor(TColor AValue) {
  FColor = AValue;
  FParentColor = false;
  ParentColorChanged();
}

void TControl::SetParentColor(bool AValue) {
  FParentColor = AValue;
  ParentColorChanged();
}

void TControl::ParentColorChanged() {
  Invalidate();
  for (TControl *child : FControls)
    if (child->FParentColor) child->ParentColorChanged();
}

void TControl::SetVisible(bool AValue) {
  FVisible = AValue;
  if (FHandle) ShowWindow(FHandle, AValue ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool AValue) {
  FEnabled = AValue;
  if (FHandle) EnableWindow(FHandle, AValue);
}

void TControl::SetCursor(TCursor AValue) {
  FCursor = AValue;
  POINT pt;
  if (FHandle && GetCursorPos(&pt) && WindowFromPoint(pt) == FHandle)
    SendMessageW(FHandle, WM_SETCURSOR, WPARAM(FHandle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TControl::SetHint(const std::wstring &AValue) {
  FHint = AValue;
  ApplyHint();
}

void TControl::SetShowHint(bool AValue) {
  FShowHint = AValue;
  ApplyHint();
}

void TControl::ApplyHint() {
  if (FHandle && FShowHint && !FHint.empty()) Application->AddHint(FHandle, FHint);
}

void TControl::SetTabStop(bool AValue) {
  FTabStop = AValue;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    style = AValue ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP));
    SetWindowLongPtrW(FHandle, GWL_STYLE, style);
  }
}

void TControl::SetTabOrder(int AValue) { FTabOrder = AValue; }

void TControl::SetWindowID(int AValue) {
  FWindowID = AValue;
  if (FHandle && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD))
    SetWindowLongPtrW(FHandle, GWLP_ID, LONG_PTR(AValue));
}

bool TControl::Focused() {
  HWND focus = GetFocus();
  return FHandle && (focus == FHandle || IsChild(FHandle, focus));
}

bool TControl::CanFocus() {
  for (TControl *c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  return true;
}

void TControl::SetFocus() {
  if (TForm *form = ParentForm(); form && form != this) form->SetActiveControl(this);
  ::SetFocus(Handle());
}

void TControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Repaint() {
  if (FHandle) {
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
  }
}

void TControl::BringToFront() {
  if (FHandle) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::ScaleBy(int M, int D) {
  SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D),
            MulDiv(FHeight, M, D));
  if (!FParentFont) {
    FCreating = true;
    FFont.SetHeight(MulDiv(FFont.Height(), M, D));
    FCreating = false;
  }
  for (TControl *child : FControls) child->ScaleBy(M, D);
}

void TControl::ChildKeyDown(WORD &AKey, TShiftState AShift) { KeyDown(AKey, AShift); }

void TControl::KeyDown(WORD &AKey, TShiftState AShift) {
  if (OnKeyDown) OnKeyDown(this, AKey, AShift);
}

void TControl::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, AButton, AShift, X, Y);
}

void TControl::MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, AButton, AShift, X, Y);
}

void TControl::MouseMove(TShiftState AShift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, AShift, X, Y);
}

void TControl::KeyPress(wchar_t &AKey) {
  if (OnKeyPress) OnKeyPress(this, AKey);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
