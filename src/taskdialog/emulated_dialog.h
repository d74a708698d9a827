#pragma once
// The emulated presentation of the task dialog, used where the platform's
// own task dialog is missing or too old, or when the component asks for it.
#include <string>

#include "taskdialog/task_dialog.h"
#include "ui/graphics.h"

// The program file's name without folder and extension.
std::wstring ExeBaseName();

// The extent of a plain text wrapped at word breaks into AWidth pixels (0:
// 1000), tabs expanded, "&" shown as it is: AWidth and AHeight become the
// laid-out rectangle's right and bottom. An empty text is 0 x 0.
void MeasureText(TCanvas &ACanvas, const std::wstring &AText, int &AWidth, int &AHeight);

// A dialog text as markup: each backslash-"n" marker (with AAnyCase also
// backslash-"N") and each line feed becomes "<br>".
std::wstring PrepareMarkup(const std::wstring &AText, bool AAnyCase = false);

// A dialog text as plain text: each backslash-"n" marker becomes a carriage
// return.
std::wstring MarkersToReturns(const std::wstring &AText);
