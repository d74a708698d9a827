#include "base/inifiles.h"

#include "base/convert.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
// What one read returns at most, with its terminating zero.
constexpr DWORD kValueBuffer = 2048;

// A line break inside a value would start a new line of the file, that is
// new keys or sections; it is stored as a blank instead.
template <class S> S OneLine(S AValue) {
  for (auto &c : AValue)
    if (c == '\r' || c == '\n') c = ' ';
  return AValue;
}

// The text in the 8-bit code page, "?" for what it lacks (never a look-alike,
// which could name another file).
std::string Narrow(const std::wstring &AText) {
  if (AText.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, AText.data(), int(AText.size()),
                              nullptr, 0, nullptr, nullptr);
  std::string result(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, AText.data(), int(AText.size()), result.data(),
                      n, nullptr, nullptr);
  return result;
}

// The text in the 8-bit code page, or false when some character has no
// exact counterpart there.
bool ExactlyNarrow(const std::wstring &AText, std::string &AResult) {
  AResult.clear();
  if (AText.empty()) return true;
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, AText.data(), int(AText.size()),
                              nullptr, 0, nullptr, &lossy);
  if (lossy) return false;
  AResult.assign(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, AText.data(), int(AText.size()), AResult.data(),
                      n, nullptr, &lossy);
  return !lossy;
}

std::wstring ShortPath(const std::wstring &APath) {
  DWORD n = GetShortPathNameW(APath.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring result(n, L'\0');
  n = GetShortPathNameW(APath.c_str(), result.data(), n);
  result.resize(n);
  return result;
}
} // namespace

int TCustomIniFile::ReadInteger(const std::wstring &Section, const std::wstring &Ident,
                                int Default) {
  return StrToIntDef(ReadString(Section, Ident, L""), Default);
}

void TCustomIniFile::WriteInteger(const std::wstring &Section, const std::wstring &Ident,
                                  int Value) {
  WriteString(Section, Ident, std::to_wstring(Value));
}

bool TCustomIniFile::ReadBool(const std::wstring &Section, const std::wstring &Ident,
                              bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::wstring &Section, const std::wstring &Ident, bool Value) {
  WriteString(Section, Ident, Value ? L"1" : L"0");
}

TIniFile::~TIniFile() {
  UpdateFile();
}

std::wstring TIniFile::ReadString(const std::wstring &Section, const std::wstring &Ident,
                                  const std::wstring &Default) {
  std::vector<wchar_t> buffer(kValueBuffer, L'\0');
  DWORD n = GetPrivateProfileStringW(Section.c_str(), Ident.c_str(), Default.c_str(), buffer.data(),
                                     kValueBuffer, FileName().c_str());
  return std::wstring(buffer.data(), n);
}

void TIniFile::WriteString(const std::wstring &Section, const std::wstring &Ident,
                           const std::wstring &Value) {
  if (!WritePrivateProfileStringW(Section.c_str(), Ident.c_str(), OneLine(Value).c_str(),
                                  FileName().c_str()))
    RaiseWriteError();
}

// The 8-bit functions hand an 8-bit file's bytes over as they are, whatever
// the code page; the wide ones would convert them through it, which no
// mapping can undo for a multi-byte code page.
std::string TIniFile::ReadBytes(const std::wstring &Section, const std::wstring &Ident,
                                const std::string &Default) {
  std::vector<char> buffer(kValueBuffer, '\0');
  DWORD n =
      GetPrivateProfileStringA(Narrow(Section).c_str(), Narrow(Ident).c_str(), Default.c_str(),
                               buffer.data(), kValueBuffer, AnsiFileName().c_str());
  return std::string(buffer.data(), n);
}

void TIniFile::WriteBytes(const std::wstring &Section, const std::wstring &Ident,
                          const std::string &Value) {
  if (!WritePrivateProfileStringA(Narrow(Section).c_str(), Narrow(Ident).c_str(),
                                  OneLine(Value).c_str(), AnsiFileName().c_str()))
    RaiseWriteError();
}

std::vector<std::string> TIniFile::ReadSectionBytes(const std::wstring &Section) {
  const std::string section = Narrow(Section), file = AnsiFileName();
  // The section is no longer than the file: one read will do.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  size_t size = 1 << 16;
  if (GetFileAttributesExW(FileName().c_str(), GetFileExInfoStandard, &data) &&
      data.nFileSizeHigh == 0)
    size = std::clamp<size_t>(data.nFileSizeLow + 16, size, 1u << 26);
  std::vector<char> buffer(size);
  DWORD n = 0;
  // The platform says the buffer was too small by filling it to two short.
  for (;;) {
    n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), DWORD(buffer.size()),
                                  file.c_str());
    if (n + 2 < buffer.size() || buffer.size() >= (1u << 26)) break;
    buffer.resize(buffer.size() * 4);
  }
  std::vector<std::string> values;
  for (size_t at = 0; at < n;) {
    const std::string line(buffer.data() + at);
    at += line.size() + 1;
    if (line.empty()) break;
    const size_t equals = line.find('=');
    if (equals != std::string::npos) values.push_back(line.substr(equals + 1));
  }
  return values;
}

void TIniFile::WriteSectionBytes(const std::wstring &Section,
                                 const std::vector<std::string> &Values) {
  if (Values.empty()) return EraseSection(Section);
  std::string lines;
  for (size_t i = 0; i < Values.size(); ++i) {
    // A zero byte would end the list of lines early.
    std::string value = OneLine(Values[i]);
    std::erase(value, '\0');
    lines += std::to_string(i) + '=' + value + '\0';
  }
  lines += '\0';
  if (!WritePrivateProfileSectionA(Narrow(Section).c_str(), lines.c_str(), AnsiFileName().c_str()))
    RaiseWriteError();
}

void TIniFile::EraseSection(const std::wstring &Section) {
  if (!WritePrivateProfileStringW(Section.c_str(), nullptr, nullptr, FileName().c_str()))
    RaiseWriteError();
}

void TIniFile::UpdateFile() {
  // The platform reports nothing useful for a flush.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, FileName().c_str());
}

void TIniFile::RaiseWriteError() const {
  throw EIniFileException(Format(L"In %s kann nicht geschrieben werden", {FileName()}));
}

std::string TIniFile::AnsiFileName() const {
  std::string result;
  if (ExactlyNarrow(FileName(), result)) return result;
  // A path with characters outside the code page: its short form, of the
  // file or, before the file exists, of its folder.
  std::wstring shortPath = ShortPath(FileName());
  if (shortPath.empty()) {
    size_t slash = FileName().find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
      std::wstring folder = ShortPath(FileName().substr(0, slash + 1));
      if (!folder.empty()) shortPath = folder + FileName().substr(slash + 1);
    }
  }
  if (!shortPath.empty() && ExactlyNarrow(shortPath, result)) return result;
  // Left with "?" in place of the missing characters, which no file name
  // holds: reads give their defaults and writes fail, and no other file is
  // touched.
  return Narrow(FileName());
}
