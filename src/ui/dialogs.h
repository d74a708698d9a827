#pragma once
// The standard task-message dialog: a native task dialog where the platform
// offers task dialogs, otherwise the classic message box centred on the
// screen.
#include <functional>
#include <string>

#include "ui/forms.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;

// Shows ATitle as the main instruction (task dialog only) above AMsg with the
// buttons; the default is OK when present, otherwise Yes. Returns the pressed
// button as a modal result (mrYes, mrNo, mrOk, mrCancel); closing the dialog
// gives mrCancel. The caption follows the type ("Bestätigen", "Informationen"...).
TModalResult TaskMessageDlg(const std::wstring &ATitle, const std::wstring &AMsg,
                            TMsgDlgType ADlgType, TMsgDlgButtons AButtons);

// Platform major version 6 or later with visual styles enabled (themes
// active and common controls 6, which bring the task dialog).
bool TaskDialogsAvailable();
// A hook chooses the presentation instead of the platform.
extern std::function<bool()> TaskDialogsAvailableHook;

// The dialog caption of a message type.
std::wstring MsgDlgCaption(TMsgDlgType ADlgType);
