#include "ui/actions.h"

#include <algorithm>

TShortCut ShortCut(WORD AKey, TShiftState AShift) {
  TShortCut sc = TShortCut(AKey & 0xFF);
  if (AShift & ssShift) sc |= scShift;
  if (AShift & ssCtrl) sc |= scCtrl;
  if (AShift & ssAlt) sc |= scAlt;
  return sc;
}

TAction::TAction(TComponent *AOwner) : TComponent(AOwner) {}

TAction::~TAction() { SetActionList(nullptr); }

void TAction::SetActionList(TActionList *AList) {
  if (FActionList) {
    auto &v = FActionList->FActions;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  FActionList = AList;
  if (FActionList) FActionList->FActions.push_back(this);
}

bool TAction::Execute() {
  if (!FEnabled || !OnExecute) return false;
  OnExecute(this);
  return true;
}

TActionList::~TActionList() {
  for (TAction *a : FActions) a->FActionList = nullptr;
}

bool TActionList::IsShortCut(TShortCut AShortCut) {
  for (TAction *a : FActions)
    if (a->ShortCut() != 0 && a->ShortCut() == AShortCut && a->Enabled()) return a->Execute();
  return false;
}
