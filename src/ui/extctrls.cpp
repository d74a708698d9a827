#include "ui/extctrls.h"

#include <commctrl.h>

#include <algorithm>

void TGroupBox::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = L"BUTTON";
  AParams.Style |= BS_GROUPBOX;
  // Tab and the arrow keys go on into the controls it holds.
  AParams.ExStyle |= WS_EX_CONTROLPARENT;
}

void TBevel::Paint(TCanvas &ACanvas) {
  TRect r = ClientRect();
  ACanvas.SetPenColor(clBtnShadow);
  ACanvas.MoveTo(0, 0);
  ACanvas.LineTo(r.Width(), 0);
  ACanvas.SetPenColor(clBtnHighlight);
  ACanvas.MoveTo(0, 1);
  ACanvas.LineTo(r.Width(), 1);
}

TTabSheet::TTabSheet(TComponent *AOwner) : TControl(AOwner) {}

// A page that goes takes its tab along, so the page control never holds a
// freed page.
TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemoveTab(this);
}

void TTabSheet::SetPageControl(TPageControl *APageControl) {
  if (APageControl == FPageControl) return;
  if (FPageControl) FPageControl->RemoveTab(this);
  FPageControl = APageControl;
  SetVisible(false);
  SetParent(APageControl);
  if (APageControl) APageControl->InsertTab(this);
}

void TTabSheet::SetCaption(const std::wstring &AValue) {
  TControl::SetCaption(AValue);
  if (FPageControl) FPageControl->UpdateTab(this);
}

TPageControl::TPageControl(TComponent *AOwner) : TControl(AOwner) { SetTabStop(true); }

TPageControl::~TPageControl() {
  for (TTabSheet *page : FPages) page->FPageControl = nullptr;
}

void TPageControl::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = WC_TABCONTROLW;
  AParams.Style |= WS_CLIPCHILDREN;
}

void TPageControl::SetTabItem(size_t AIndex, UINT AMessage) {
  std::wstring text = FPages[AIndex]->Caption();
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(FHandle, AMessage, AIndex, LPARAM(&item));
}

void TPageControl::InitWnd() {
  for (size_t i = 0; i < FPages.size(); ++i) SetTabItem(i, TCM_INSERTITEMW);
  if (FActivePage) {
    auto it = std::find(FPages.begin(), FPages.end(), FActivePage);
    SendMessageW(FHandle, TCM_SETCURSEL, WPARAM(it - FPages.begin()), 0);
  }
  PlacePages();
}

void TPageControl::InsertTab(TTabSheet *APage) {
  FPages.push_back(APage);
  if (HandleAllocated()) SetTabItem(FPages.size() - 1, TCM_INSERTITEMW);
  if (!FActivePage) SetActivePage(APage);
  PlacePages();
}

void TPageControl::RemoveTab(TTabSheet *APage) {
  auto it = std::find(FPages.begin(), FPages.end(), APage);
  if (it == FPages.end()) return;
  if (HandleAllocated()) SendMessageW(FHandle, TCM_DELETEITEM, WPARAM(it - FPages.begin()), 0);
  FPages.erase(it);
  if (FActivePage == APage) {
    FActivePage = nullptr;
    if (!FPages.empty()) SetActivePage(FPages.front());
  }
}

void TPageControl::UpdateTab(TTabSheet *APage) {
  if (!HandleAllocated()) return;
  auto it = std::find(FPages.begin(), FPages.end(), APage);
  if (it == FPages.end()) return;
  SetTabItem(size_t(it - FPages.begin()), TCM_SETITEMW);
}

void TPageControl::PlacePages() {
  RECT rc{0, 0, Width(), Height()};
  if (HandleAllocated()) {
    GetClientRect(FHandle, &rc);
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, LPARAM(&rc));
  } else {
    // Until the window exists: the usual tab height and border.
    rc = {4, 24, Width() - 4, Height() - 4};
  }
  for (TTabSheet *page : FPages)
    page->SetBounds(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void TPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlacePages();
}

void TPageControl::SetActivePage(TTabSheet *APage) {
  auto it = std::find(FPages.begin(), FPages.end(), APage);
  if (it == FPages.end()) return;
  FActivePage = APage;
  if (HandleAllocated()) {
    SendMessageW(FHandle, TCM_SETCURSEL, WPARAM(it - FPages.begin()), 0);
    PlacePages();
  }
  for (TTabSheet *page : FPages) page->SetVisible(page == APage);
}

LRESULT TPageControl::CNNotify(NMHDR *AHeader) {
  if (AHeader->code == TCN_SELCHANGE) {
    int index = int(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
    if (index >= 0 && index < PageCount()) SetActivePage(FPages[size_t(index)]);
    if (OnChange) OnChange(this);
  }
  return 0;
}
