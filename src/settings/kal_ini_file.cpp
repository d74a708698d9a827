#include "settings/kal_ini_file.h"

std::wstring TkalIniFile::ReadString(const std::wstring &Section, const std::wstring &Ident,
                                     const std::wstring &Default) {
  return Utf8ToWide(ReadBytes(Section, Ident, WideToUtf8(Default)));
}

void TkalIniFile::WriteString(const std::wstring &Section, const std::wstring &Ident,
                              const std::wstring &Value) {
  WriteBytes(Section, Ident, WideToUtf8(Value));
}
