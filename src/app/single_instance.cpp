#include "app/single_instance.h"

#include "ui/application.h"

TSingleInstance::TSingleInstance(TComponent *AOwner) : TComponent(AOwner) {
  if (Designing()) return;
  // Initially owned; no "Global\" prefix, so the name lives in the
  // user's logon session. Failures other than "exists" are ignored.
  hMutex.Reset(CreateMutexW(nullptr, TRUE, Application->Title().c_str()));
  if (GetLastError() == ERROR_ALREADY_EXISTS) Application->Halt(0);
}
