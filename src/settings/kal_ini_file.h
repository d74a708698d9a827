#pragma once
// The settings file: an INI file whose values are stored as UTF-8, opened
// for one load or one save and destroyed right after (which flushes it).
#include "base/inifiles.h"

class TkalIniFile : public TIniFile {
public:
  using TIniFile::TIniFile;

  // Bytes that are no valid UTF-8 come back as U+FFFD, one per faulty
  // sequence; a missing key gives the default.
  std::wstring ReadString(const std::wstring &Section, const std::wstring &Ident,
                          const std::wstring &Default) override;
  void WriteString(const std::wstring &Section, const std::wstring &Ident,
                   const std::wstring &Value) override;
  // A whole section's values, read and written at once.
  std::vector<std::wstring> ReadSectionValues(const std::wstring &Section);
  void WriteSectionValues(const std::wstring &Section, const std::vector<std::wstring> &Values);
};
