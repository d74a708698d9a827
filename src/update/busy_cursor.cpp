#include "update/busy_cursor.h"

#include "ui/screen.h"

void ShowBusyCursor() {
  Screen->SetCursor(crHourGlass);
}

void HideBusyCursor() {
  Screen->SetCursor(crDefault);
}
