#pragma once
// Refuses a second copy: the first process holds a mutex named after the
// application title; a later one finds it and ends silently with code 0.
#include <windows.h>

#include "ui/component.h"

class TSingleInstance : public TComponent {
public:
  explicit TSingleInstance(TComponent *AOwner);
  ~TSingleInstance() override;

  HANDLE hMutex = nullptr;
};
