#pragma once
// Containers and decorations: panels, group boxes, separator lines, page
// controls.
#include "ui/controls.h"

// A plain area in its parent's colour that holds other controls.
class TPanel : public TControl {
public:
  using TControl::TControl;
};

// A framed group of controls with its caption in the frame's top edge.
class TGroupBox : public TControl {
public:
  using TControl::TControl;

protected:
  void CreateParams(TCreateParams &AParams) override;
};

// An etched separator line (two pixels: shadow above, highlight below).
class TBevel : public TControl {
public:
  using TControl::TControl;

protected:
  void Paint(TCanvas &ACanvas) override;
};

class TPageControl;

// One page of a page control; its caption is the tab's text.
class TTabSheet : public TControl {
public:
  explicit TTabSheet(TComponent *AOwner);
  ~TTabSheet() override;
  // Moves the page to another page control, or takes it off with nullptr.
  void SetPageControl(TPageControl *APageControl);
  TPageControl *PageControl() const { return FPageControl; }
  void SetCaption(const std::wstring &AValue) override;

private:
  friend class TPageControl;
  TPageControl *FPageControl = nullptr;
};

// Tabs over a stack of pages; exactly one page is visible.
class TPageControl : public TControl {
public:
  explicit TPageControl(TComponent *AOwner);
  ~TPageControl() override;
  int PageCount() const { return int(FPages.size()); }
  TTabSheet *Pages(int AIndex) const { return FPages.at(size_t(AIndex)); }
  TTabSheet *ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet *APage);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;
  LRESULT CNNotify(NMHDR *AHeader) override;

private:
  friend class TTabSheet;
  void InsertTab(TTabSheet *APage);
  void RemoveTab(TTabSheet *APage);
  void UpdateTab(TTabSheet *APage);
  // Inserts or sets the tab of page AIndex (TCM_INSERTITEMW, TCM_SETITEMW).
  void SetTabItem(size_t AIndex, UINT AMessage);
  void PlacePages();
  std::vector<TTabSheet *> FPages;
  TTabSheet *FActivePage = nullptr;
};
