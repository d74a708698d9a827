#pragma once
// The standard task-message dialog: a native task dialog where the platform
// offers task dialogs, otherwise the classic message box centred on the
// screen.
#include <cstdint>
#include <functional>
#include <string>

#include "ui/forms.h"

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// Message-dialog buttons; a set of them has bit n for member n.
enum TMsgDlgBtn : uint16_t {
  mbYes = 1 << 0,
  mbNo = 1 << 1,
  mbOK = 1 << 2,
  mbCancel = 1 << 3,
  mbAbort = 1 << 4,
  mbRetry = 1 << 5,
  mbIgnore = 1 << 6,
  mbAll = 1 << 7,
  mbNoToAll = 1 << 8,
  mbYesToAll = 1 << 9,
  mbHelp = 1 << 10,
};
using TMsgDlgButtons = uint16_t;

// Shows ATitle as the main instruction (task dialog only) above AMsg with the
// buttons; the default is OK when present, otherwise Yes. Returns the pressed
// button as a modal result (mrYes, mrNo, mrOk, mrCancel); closing the dialog
// gives mrCancel. The caption follows the type ("Bestätigen", "Informationen"...).
TModalResult TaskMessageDlg(const std::wstring &ATitle, const std::wstring &AMsg,
                            TMsgDlgType ADlgType, TMsgDlgButtons AButtons);

// Platform major version 6 or later with visual styles enabled (themes
// active and common controls 6, which bring the task dialog). Tests answer
// through the hooks of ui/task_dialog_platform.h.
bool TaskDialogsAvailable();

// The dialog caption of a message type.
std::wstring MsgDlgCaption(TMsgDlgType ADlgType);

// The framework's German text of a message-dialog button ("&Ja", "OK"...)
// and the modal result it gives (mrNone for Help).
std::wstring MsgDlgButtonCaption(TMsgDlgBtn AButton);
TModalResult MsgDlgButtonResult(TMsgDlgBtn AButton);
