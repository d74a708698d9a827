#pragma once
// TEMPORARY stand-in until the task-dialog branch lands (not committed).
#include <cstdint>
#include <string>
enum : uint8_t { mkWarning, mkError, mkInformation, mkConfirmation, mkCustom };
enum : uint16_t { mbYes = 1, mbNo = 2, mbOK = 4 };
int ShowTaskMessage(const std::wstring &AInstruction, const std::wstring &AMessage, uint8_t AKind,
                    uint16_t AButtons, int AHelpContext, uint8_t ADefaultButton = 0);
