#pragma once
// Refuses a second copy: the first process holds a mutex named after the
// application title; a later one finds it and ends silently with code 0.
#include "base/component.h"
#include "base/handles.h"

class TSingleInstance : public TComponent {
public:
  explicit TSingleInstance(TComponent *AOwner);

  // Closed with the component, and also when the guard ends the process.
  TKernelHandle hMutex;
};
