#include "settings/kal_ini_file.h"

std::wstring TkalIniFile::ReadString(const std::wstring &Section, const std::wstring &Ident,
                                     const std::wstring &Default) {
  return Utf8ToWide(ReadBytes(Section, Ident, WideToUtf8(Default)));
}

void TkalIniFile::WriteString(const std::wstring &Section, const std::wstring &Ident,
                              const std::wstring &Value) {
  WriteBytes(Section, Ident, WideToUtf8(Value));
}

std::vector<std::wstring> TkalIniFile::ReadSectionValues(const std::wstring &Section) {
  std::vector<std::wstring> values;
  for (const std::string &bytes : ReadSectionBytes(Section)) values.push_back(Utf8ToWide(bytes));
  return values;
}

void TkalIniFile::WriteSectionValues(const std::wstring &Section,
                                     const std::vector<std::wstring> &Values) {
  std::vector<std::string> bytes;
  bytes.reserve(Values.size());
  for (const std::wstring &value : Values) bytes.push_back(WideToUtf8(value));
  WriteSectionBytes(Section, bytes);
}
