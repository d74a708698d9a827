#include "taskdialog/presentation_version.h"

bool NeedsEmulatedPresentation(int APlatformMajor, int AComCtlVersionHigh,
                               TNonNativeDialog ANonNative) {
  const int comCtlMajor = (AComCtlVersionHigh >> 16) & 0xFF; // -1 reads as 255
  return APlatformMajor < 6 || comCtlMajor <= 5 || ANonNative != nndAuto;
}
