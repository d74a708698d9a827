#pragma once
// Common controls beyond the standard ones: the progress bar and the list
// view.
#include <functional>

#include "ui/controls.h"

enum TProgressBarStyle { pbstNormal, pbstMarquee };

class TProgressBar : public TControl {
public:
  explicit TProgressBar(TComponent *AOwner);

  int Min() const { return FMin; }
  void SetMin(int AValue);
  int Max() const { return FMax; }
  void SetMax(int AValue);
  // Read from the window while it exists.
  int Position();
  void SetPosition(int AValue);
  TProgressBarStyle Style() const { return FStyle; }
  void SetStyle(TProgressBarStyle AValue);
  // Milliseconds between the steps of the marquee.
  int MarqueeInterval() const { return FMarqueeInterval; }
  void SetMarqueeInterval(int AValue);

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;

private:
  void ApplyRange();
  void ApplyMarquee();
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  TProgressBarStyle FStyle = pbstNormal;
  int FMarqueeInterval = 10;
};

// The platform's list view in report view, a check box before each row,
// whole rows selected. Rows are set all at once and changed in place, so
// the focus, the selection and the scroll position stay where they were.
class TListView : public TControl {
public:
  struct TColumn {
    std::wstring Caption;
    int Width; // 0: what the other columns leave
  };
  struct TRow {
    std::vector<std::wstring> Texts; // one per column
    bool Checked = false;
    bool operator==(const TRow &) const = default;
  };

  explicit TListView(TComponent *AOwner);
  void SetColumns(std::vector<TColumn> AColumns);
  void SetRows(std::vector<TRow> ARows);
  int RowCount() const { return int(FRows.size()); }
  const TRow &Row(int AIndex) const { return FRows.at(size_t(AIndex)); }
  // The rows the user selected, top to bottom.
  std::vector<int> SelectedRows();
  // The row with the focus rectangle, -1 for none.
  int FocusedRow();
  void SetFocusedRow(int ARow);
  void ScaleBy(int M, int D) override;

  // The user ticked or unticked a row. It runs once the list view is done
  // with the change, so the handler may set the rows.
  std::function<void(TComponent *Sender, int ARow, bool AChecked)> OnRowChecked;

  LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL) override;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;
  LRESULT CNNotify(NMHDR *AHeader) override;

private:
  void ApplyColumns();
  void ApplyRow(int AIndex, bool AInsert);
  std::vector<TColumn> FColumns;
  std::vector<TRow> FRows;
  // The program, not the user, changes the window's rows.
  bool FUpdating = false;
};
