#pragma once
// INI files: sections of keys with text values. TIniFile works directly on
// the file through the platform's private-profile functions, so every
// write reaches the file (or fails) at once.
#include <string>
#include <vector>

#include "base/exception.h"

// A value that could not be written.
class EIniFileException : public Exception {
public:
  using Exception::Exception;
};

class TCustomIniFile {
public:
  explicit TCustomIniFile(std::wstring AFileName) : FFileName(std::move(AFileName)) {}
  virtual ~TCustomIniFile() = default;
  TCustomIniFile(const TCustomIniFile &) = delete;
  TCustomIniFile &operator=(const TCustomIniFile &) = delete;

  const std::wstring &FileName() const { return FFileName; }

  virtual std::wstring ReadString(const std::wstring &Section, const std::wstring &Ident,
                                  const std::wstring &Default) = 0;
  virtual void WriteString(const std::wstring &Section, const std::wstring &Ident,
                           const std::wstring &Value) = 0;
  // Built on ReadString and WriteString, so they share their encoding.
  int ReadInteger(const std::wstring &Section, const std::wstring &Ident, int Default);
  void WriteInteger(const std::wstring &Section, const std::wstring &Ident, int Value);
  bool ReadBool(const std::wstring &Section, const std::wstring &Ident, bool Default);
  void WriteBool(const std::wstring &Section, const std::wstring &Ident, bool Value);
  virtual void EraseSection(const std::wstring &Section) = 0;
  // Writes what the platform still holds back to the file.
  virtual void UpdateFile() = 0;

private:
  std::wstring FFileName;
};

class TIniFile : public TCustomIniFile {
public:
  // Reads nothing yet; the object holds only the path.
  explicit TIniFile(std::wstring AFileName) : TCustomIniFile(std::move(AFileName)) {}
  ~TIniFile() override;

  // Values in the system's 8-bit code page, as the platform converts them.
  // The platform removes blanks around a value and one pair of enclosing
  // quotes, and returns at most 2047 characters.
  std::wstring ReadString(const std::wstring &Section, const std::wstring &Ident,
                          const std::wstring &Default) override;
  void WriteString(const std::wstring &Section, const std::wstring &Ident,
                   const std::wstring &Value) override;
  // The value's bytes exactly as the file holds them, whatever the code page
  // (at most 2047 of them).
  std::string ReadBytes(const std::wstring &Section, const std::wstring &Ident,
                        const std::string &Default);
  void WriteBytes(const std::wstring &Section, const std::wstring &Ident, const std::string &Value);
  // The values of a whole section in one read, in the file's order, bytes
  // as they are and of any length: for sections of thousands of keys,
  // which one read per key would take seconds for.
  std::vector<std::string> ReadSectionBytes(const std::wstring &Section);
  // Replaces the section with one key per value ("0", "1", ...) in one
  // write; no values: no section.
  void WriteSectionBytes(const std::wstring &Section, const std::vector<std::string> &Values);
  void EraseSection(const std::wstring &Section) override;
  void UpdateFile() override;

private:
  [[noreturn]] void RaiseWriteError() const;
  // The file's name for the 8-bit functions.
  std::string AnsiFileName() const;
};
