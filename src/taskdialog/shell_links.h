#pragma once
// Opening a link address clicked in a task dialog.
#include <windows.h>

#include <string>

// The desktop's default handler of the address ("open"), with the user's
// own rights: a link in a dialog text is never started elevated. Only web
// and mail addresses are opened; anything else is ignored.
void OpenLinkAddress(HWND AOwner, const std::wstring &AAddress);
