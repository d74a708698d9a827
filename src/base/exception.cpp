#include "base/exception.h"

#include <windows.h>

#include "base/handles.h"

std::string WideToUtf8(const std::wstring &AText) {
  if (AText.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, AText.data(), int(AText.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string result(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, AText.data(), int(AText.size()), result.data(), n, nullptr,
                      nullptr);
  return result;
}

std::wstring Utf8ToWide(const std::string &AText) {
  if (AText.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, AText.data(), int(AText.size()), nullptr, 0);
  std::wstring result(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, AText.data(), int(AText.size()), result.data(), n);
  return result;
}

Exception::Exception(std::wstring AMessage)
    : FMessage(std::move(AMessage)), FWhat(WideToUtf8(FMessage)) {}

std::wstring SysErrorMessage(DWORD ACode) {
  wchar_t *text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, ACode, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  TLocalMemory owner(text);
  std::wstring message = text ? text : L"";
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
    message.pop_back();
  return message;
}

void RaiseLastOSError() {
  DWORD code = GetLastError();
  throw EOSError(L"Systemfehler. Code: " + std::to_wstring(code) + L".\r\n" +
                 SysErrorMessage(code));
}

std::wstring Format(const std::wstring &AFormat, std::initializer_list<std::wstring> AArgs) {
  std::wstring result;
  auto arg = AArgs.begin();
  for (size_t i = 0; i < AFormat.size(); ++i) {
    if (AFormat[i] == L'%' && i + 1 < AFormat.size()) {
      wchar_t c = AFormat[i + 1];
      if ((c == L's' || c == L'd') && arg != AArgs.end()) {
        result += *arg++;
        ++i;
        continue;
      }
      if (c == L'%') {
        result += L'%';
        ++i;
        continue;
      }
    }
    result += AFormat[i];
  }
  return result;
}
