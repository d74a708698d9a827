#include "base/component.h"

#include <algorithm>
#include <wchar.h>

TComponent::TComponent(TComponent *AOwner) : FOwner(AOwner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (FOwner) {
    auto &list = FOwner->FComponents;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent *last = FComponents.back();
    delete last; // removes itself from the list
  }
}

TComponent *TComponent::FindComponent(const std::wstring &AName) const {
  for (TComponent *c : FComponents)
    if (_wcsicmp(c->FName.c_str(), AName.c_str()) == 0) return c;
  return nullptr;
}
