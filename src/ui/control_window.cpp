#include "ui/controls.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "ui/application.h"

// A control's window: made, bound to its object, given its messages, and
// let go again.

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
  KeepChildrenInside();
}

// Once the window is made its client area is known: a child that reaches
// past it (wider text than designed, a layout scaled by rounding, a page
// narrower than the control) is cut to it or, if sized by its content,
// moved back inside.
void TControl::KeepChildrenInside() {
  const TRect client = ClientRect();
  // A window not given a size yet has no room to keep anything in.
  if (client.Width() <= 0 || client.Height() <= 0) return;
  for (TControl *child : FControls) {
    TRect r = child->BoundsRect();
    auto fit = [child](LONG &ALow, LONG &AHigh, LONG ALimit) {
      if (ALow < 0) {
        AHigh -= ALow;
        ALow = 0;
      }
      if (AHigh <= ALimit) return;
      if (child->SizedByContent()) {
        const LONG shift = std::min(AHigh - ALimit, ALow);
        ALow -= shift;
        AHigh -= shift;
      }
      AHigh = std::max(ALow, std::min(AHigh, ALimit));
    };
    fit(r.left, r.right, client.right);
    fit(r.top, r.bottom, client.bottom);
    if (r != child->BoundsRect()) child->SetBounds(r.left, r.top, r.Width(), r.Height());
  }
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

void TControl::Unbind() {
  if (Application && FShowHint && !FHint.empty()) Application->RemoveHint(FHandle);
  Bindings().erase(FHandle);
  if (FDefWndProc) SetWindowLongPtrW(FHandle, GWLP_WNDPROC, LONG_PTR(FDefWndProc));
  FHandle = nullptr;
  FDefWndProc = nullptr;
}

void TControl::SubclassChild(HWND AChild) {
  if (!AChild || BindingOf(AChild)) return;
  TBinding &binding = Bindings()[AChild];
  binding.Control = this;
  binding.ChildProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(AChild, GWLP_WNDPROC, LONG_PTR(&ChildWndProc)));
}
