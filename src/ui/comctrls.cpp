#include "ui/comctrls.h"

#include <commctrl.h>

TProgressBar::TProgressBar(TComponent *AOwner) : TControl(AOwner) {}

void TProgressBar::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = PROGRESS_CLASSW;
  if (FStyle == pbstMarquee) AParams.Style |= PBS_MARQUEE;
}

void TProgressBar::InitWnd() {
  ApplyRange();
  SendMessageW(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
  ApplyMarquee();
}

void TProgressBar::ApplyRange() {
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
}

void TProgressBar::ApplyMarquee() {
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  style = FStyle == pbstMarquee ? (style | PBS_MARQUEE) : (style & ~LONG_PTR(PBS_MARQUEE));
  SetWindowLongPtrW(FHandle, GWL_STYLE, style);
  SendMessageW(FHandle, PBM_SETMARQUEE, FStyle == pbstMarquee, LPARAM(FMarqueeInterval));
}

void TProgressBar::SetMin(int AValue) {
  FMin = AValue;
  ApplyRange();
}

void TProgressBar::SetMax(int AValue) {
  FMax = AValue;
  ApplyRange();
}

int TProgressBar::Position() {
  if (HandleAllocated()) FPosition = int(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int AValue) {
  FPosition = AValue;
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETPOS, WPARAM(AValue), 0);
}

void TProgressBar::SetStyle(TProgressBarStyle AValue) {
  FStyle = AValue;
  ApplyMarquee();
}

void TProgressBar::SetMarqueeInterval(int AValue) {
  FMarqueeInterval = AValue;
  ApplyMarquee();
}

namespace {
// Checked rows come after the posted notice of the change.
constexpr UINT WM_ROWCHECKED = WM_APP + 0x51;

UINT CheckState(bool AChecked) { return INDEXTOSTATEIMAGEMASK(AChecked ? 2 : 1); }
} // namespace

TListView::TListView(TComponent *AOwner) : TControl(AOwner) { SetTabStop(true); }

void TListView::CreateParams(TCreateParams &AParams) {
  TControl::CreateParams(AParams);
  AParams.WinClassName = WC_LISTVIEWW;
  AParams.Style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
  AParams.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::InitWnd() {
  const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  ApplyColumns();
  FUpdating = true;
  SendMessageW(FHandle, LVM_SETITEMCOUNT, WPARAM(FRows.size()), 0);
  for (int i = 0; i < RowCount(); ++i) ApplyRow(i, true);
  FUpdating = false;
}

void TListView::SetColumns(std::vector<TColumn> AColumns) {
  FColumns = std::move(AColumns);
  ApplyColumns();
}

void TListView::ApplyColumns() {
  if (!HandleAllocated()) return;
  while (SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0)) {
  }
  int rest = ClientWidth() - GetSystemMetrics(SM_CXVSCROLL);
  for (const TColumn &c : FColumns) rest -= c.Width;
  for (size_t i = 0; i < FColumns.size(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t *>(FColumns[i].Caption.c_str());
    column.cx = FColumns[i].Width > 0 ? FColumns[i].Width : std::max(rest, 40);
    column.iSubItem = int(i);
    SendMessageW(FHandle, LVM_INSERTCOLUMNW, i, LPARAM(&column));
  }
}

void TListView::ApplyRow(int AIndex, bool AInsert) {
  const TRow &row = FRows[size_t(AIndex)];
  LVITEMW item{};
  item.iItem = AIndex;
  for (size_t c = 0; c < FColumns.size(); ++c) {
    item.mask = LVIF_TEXT;
    item.iSubItem = int(c);
    item.pszText = const_cast<wchar_t *>(c < row.Texts.size() ? row.Texts[c].c_str() : L"");
    SendMessageW(FHandle, AInsert && c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, WPARAM(AIndex),
                 LPARAM(&item));
  }
  item.mask = LVIF_STATE;
  item.iSubItem = 0;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = CheckState(row.Checked);
  SendMessageW(FHandle, LVM_SETITEMSTATE, WPARAM(AIndex), LPARAM(&item));
}

void TListView::SetRows(std::vector<TRow> ARows) {
  std::vector<TRow> old = std::move(FRows);
  FRows = std::move(ARows);
  if (!HandleAllocated()) return;
  FUpdating = true;
  SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
  for (int i = RowCount(); i < int(old.size()); ++i)
    SendMessageW(FHandle, LVM_DELETEITEM, WPARAM(RowCount()), 0);
  // Only the rows that changed: a list may hold thousands.
  for (int i = 0; i < RowCount(); ++i)
    if (i >= int(old.size()) || old[size_t(i)] != FRows[size_t(i)])
      ApplyRow(i, i >= int(old.size()));
  SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(FHandle, nullptr, TRUE);
  FUpdating = false;
}

std::vector<int> TListView::SelectedRows() {
  std::vector<int> rows;
  if (!HandleAllocated()) return rows;
  for (int i = -1;;) {
    i = int(SendMessageW(FHandle, LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED));
    if (i < 0) break;
    rows.push_back(i);
  }
  return rows;
}

int TListView::FocusedRow() {
  return HandleAllocated() ? int(SendMessageW(FHandle, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED))
                           : -1;
}

void TListView::SetFocusedRow(int ARow) {
  if (!HandleAllocated() || ARow < 0 || ARow >= RowCount()) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  SendMessageW(FHandle, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&item));
  item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  item.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(FHandle, LVM_SETITEMSTATE, WPARAM(ARow), LPARAM(&item));
  SendMessageW(FHandle, LVM_ENSUREVISIBLE, WPARAM(ARow), FALSE);
}

void TListView::ScaleBy(int M, int D) {
  for (TColumn &c : FColumns) c.Width = MulDiv(c.Width, M, D);
  TControl::ScaleBy(M, D);
  ApplyColumns();
}

LRESULT TListView::CNNotify(NMHDR *AHeader) {
  if (AHeader->code != LVN_ITEMCHANGED || FUpdating) return 0;
  const auto *change = reinterpret_cast<NMLISTVIEW *>(AHeader);
  if (!(change->uChanged & LVIF_STATE) || change->iItem < 0 || change->iItem >= RowCount() ||
      !((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK))
    return 0;
  const bool checked = (change->uNewState & LVIS_STATEIMAGEMASK) == CheckState(true);
  FRows[size_t(change->iItem)].Checked = checked;
  PostMessageW(FHandle, WM_ROWCHECKED, WPARAM(change->iItem), checked);
  return 0;
}

LRESULT TListView::WndProc(UINT AMsg, WPARAM AW, LPARAM AL) {
  if (AMsg == WM_ROWCHECKED) {
    if (OnRowChecked && int(AW) < RowCount() && FRows[AW].Checked == bool(AL))
      OnRowChecked(this, int(AW), bool(AL));
    return 0;
  }
  return TControl::WndProc(AMsg, AW, AL);
}
