// A stand-in browser for end-to-end tests: registered as the handler of
// http and https addresses in the test prefix, it appends the address it was asked
// to open to the file named by TASTENFANG_URL_LOG (one line, UTF-8).
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  wchar_t log[MAX_PATH];
  if (argc < 2 || !GetEnvironmentVariableW(L"TASTENFANG_URL_LOG", log, MAX_PATH)) return 2;
  std::wstring address = argv[1];
  int n = WideCharToMultiByte(CP_UTF8, 0, address.c_str(), int(address.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string line(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, address.c_str(), int(address.size()), line.data(), n, nullptr,
                      nullptr);
  line += "\n";
  HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  DWORD written;
  WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
  CloseHandle(file);
  LocalFree(argv);
  return 0;
}
