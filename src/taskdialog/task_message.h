#pragma once
// Message boxes as task dialogs: one call fills a temporary task dialog from
// a message kind and a set of buttons, shows it and maps the pressed button
// to a message-box result code.
#include <cstdint>
#include <string>

// Message kinds.
constexpr uint8_t mkWarning = 0;
constexpr uint8_t mkError = 1;
constexpr uint8_t mkInformation = 2;
constexpr uint8_t mkConfirmation = 3;
constexpr uint8_t mkCustom = 4;

// Button-set bits; bits 11 to 15 are ignored.
constexpr uint16_t mbYes = 1 << 0;
constexpr uint16_t mbNo = 1 << 1;
constexpr uint16_t mbOK = 1 << 2;
constexpr uint16_t mbCancel = 1 << 3;
constexpr uint16_t mbAbort = 1 << 4;
constexpr uint16_t mbRetry = 1 << 5;
constexpr uint16_t mbIgnore = 1 << 6;
constexpr uint16_t mbAll = 1 << 7;
constexpr uint16_t mbNoToAll = 1 << 8;
constexpr uint16_t mbYesToAll = 1 << 9;
constexpr uint16_t mbHelp = 1 << 10;

// Default-button selectors; any other value lets the dialog choose.
constexpr uint8_t dbYes = 0;
constexpr uint8_t dbNo = 1;
constexpr uint8_t dbOK = 2;
constexpr uint8_t dbCancel = 3;
constexpr uint8_t dbAbort = 4;
constexpr uint8_t dbRetry = 5;
constexpr uint8_t dbIgnore = 6;

// Result codes.
constexpr int tmrNone = 0;
constexpr int tmrOK = 1;
constexpr int tmrCancel = 2;
constexpr int tmrAbort = 3;
constexpr int tmrRetry = 4;
constexpr int tmrIgnore = 5;
constexpr int tmrYes = 6;
constexpr int tmrNo = 7;
constexpr int tmrAll = 8;
constexpr int tmrNoToAll = 9;
constexpr int tmrYesToAll = 10;

int ShowTaskMessage(const std::wstring &AInstruction, const std::wstring &AMessage, uint8_t AKind,
                    uint16_t AButtons, int AHelpContext, uint8_t ADefaultButton = 0);
