#pragma once
// The hourglass over the whole program while it is blocked.

// The screen-wide cursor becomes the hourglass.
void ShowBusyCursor();
// The screen-wide cursor becomes the default cursor (not the one before).
void HideBusyCursor();
