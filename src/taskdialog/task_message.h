#pragma once
// Message boxes as task dialogs: one call fills a temporary task dialog from
// a message kind and a set of buttons, shows it and maps the pressed button
// to a message-box result code.
#include <cstdint>
#include <string>

#include "ui/dialogs.h"

// Kinds are the message-dialog types (mtWarning ... mtCustom, any other
// value counts as custom) and buttons the message-dialog buttons of
// ui/dialogs.h; bits 11 to 15 of a set are ignored.

// Default-button selectors; any other value lets the dialog choose.
constexpr uint8_t dbYes = 0;
constexpr uint8_t dbNo = 1;
constexpr uint8_t dbOK = 2;
constexpr uint8_t dbCancel = 3;
constexpr uint8_t dbAbort = 4;
constexpr uint8_t dbRetry = 5;
constexpr uint8_t dbIgnore = 6;

// Result codes are the dialog results mrNone ... mrYesToAll of ui/forms.h.

int ShowTaskMessage(const std::wstring &AInstruction, const std::wstring &AMessage, uint8_t AKind,
                    TMsgDlgButtons AButtons, int AHelpContext, uint8_t ADefaultButton = 0);
