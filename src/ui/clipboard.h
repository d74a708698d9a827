#pragma once
// The clipboard, as far as the program uses it: replacing its content with
// a text.
#include <string>

#include "base/exception.h"

// The clipboard is held by another program.
class EClipboardException : public Exception {
public:
  using Exception::Exception;
};

// Replaces the clipboard's content with the text as Unicode text. Raises
// EClipboardException when the clipboard cannot be opened; nothing is
// copied then.
void SetClipboardText(const std::wstring &AText);
