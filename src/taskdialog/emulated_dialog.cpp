#include "taskdialog/emulated_dialog.h"

int ShowNativeForEmulated(TCustomAdvTaskDialog &ATaskDialog) {
  return ATaskDialog.ExecuteNative();
}

int ExecuteEmulated(TCustomAdvTaskDialog &ATaskDialog, int X, int Y) {
  (void)X;
  (void)Y;
  return ShowNativeForEmulated(ATaskDialog);
}
