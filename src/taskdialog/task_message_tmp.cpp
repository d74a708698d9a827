#include "taskdialog/task_message.h"
#include <windows.h>
#include "ui/platform.h"
int ShowTaskMessage(const std::wstring &AInstruction, const std::wstring &AMessage, uint8_t AKind,
                    uint16_t AButtons, int, uint8_t) {
  static const wchar_t *captions[] = {L"Warnung", L"Fehler", L"Informationen", L"Bestätigen", L""};
  return PlatformMessageBox(GetActiveWindow(), AInstruction + L"\n\n" + AMessage, captions[AKind > 4 ? 4 : AKind],
                            (AButtons & mbYes) ? MB_YESNO : MB_OK);
}
