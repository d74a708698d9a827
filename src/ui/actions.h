#pragma once
// Action lists: commands with a hint and a keyboard shortcut that buttons
// run. A form asks its action lists for shortcuts before any control
// sees the key.
#include "ui/controls.h"

// Key code in the low byte, modifiers above.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
TShortCut ShortCut(WORD AKey, TShiftState AShift);

class TActionList;

class TAction : public TComponent {
public:
  explicit TAction(TComponent *AOwner);
  ~TAction() override;

  TActionList *ActionList() const { return FActionList; }
  void SetActionList(TActionList *AList);
  const std::wstring &Hint() const { return FHint; }
  void SetHint(const std::wstring &AValue) { FHint = AValue; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut AValue) { FShortCut = AValue; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool AValue) { FEnabled = AValue; }

  // Runs OnExecute; false when there is nothing to run.
  bool Execute();
  TNotifyEvent OnExecute;

private:
  friend class TActionList;
  TActionList *FActionList = nullptr;
  std::wstring FHint;
  TShortCut FShortCut = 0;
  bool FEnabled = true;
};

class TActionList : public TComponent {
public:
  using TComponent::TComponent;
  ~TActionList() override;
  int ActionCount() const { return int(FActions.size()); }
  TAction *Actions(int AIndex) const { return FActions.at(size_t(AIndex)); }
  // Runs the action bound to the shortcut; true when one ran.
  bool IsShortCut(TShortCut AShortCut);

private:
  std::vector<TAction *> FActions;
  friend class TAction;
};
