// End to end: the real program with automatic checks on asks after its
// start whether to download a newer version, having fetched the maker's PAD
// document (here through a loopback proxy).
#include <doctest.h>

#include "check_harness.h"
#include "pad_server.h"
#include "test_support.h"
#include "ui/exception.h"

namespace {
// The visible dialog of another process, found by caption.
HWND FindDialogOf(DWORD APid, const std::wstring &ACaption, DWORD ATimeout) {
  DWORD start = GetTickCount();
  do {
    for (HWND w : test::ProcessWindows(APid))
      if (test::ClassName(w) == L"#32770" && test::WindowText(w) == ACaption) return w;
    Sleep(50);
  } while (GetTickCount() - start < ATimeout);
  return nullptr;
}

std::wstring AllTexts(HWND AWnd) {
  std::wstring all;
  for (HWND w : test::ChildWindows(AWnd)) all += test::WindowText(w) + L"\n";
  return all;
}

HWND ButtonWithText(HWND ADialog, const std::wstring &AText) {
  for (HWND w : test::ChildWindows(ADialog))
    if (test::WindowText(w) == AText) return w;
  return nullptr;
}
} // namespace

TEST_CASE("with automatic checks on, the real program offers a newer version after start") {
  TPadServer &server = TPadServer::Get();
  TPad pad;
  pad.Version = "2.01";
  std::wstring served = test::EnvPath("TASTENFANG_PAD_SERVER") + L"\\www\\pad";
  CreateDirectoryW(served.c_str(), nullptr);
  test::WriteFileBytes(served + L"\\tastenfang.xml", pad.Xml());

  test::TProgramCopy copy;
  REQUIRE(test::FileExists(copy.Exe()));
  test::WriteFileBytes(copy.File(L"Tastenfang.ini"), "[FrmInfo]\r\nChkAutoCheckUpdates=1\r\n");

  HANDLE process = test::StartProcessWithEnvironment(
      copy.Exe(), L"", {L"http_proxy=http://127.0.0.1:" + std::to_wstring(server.Port())});
  REQUIRE(process);
  DWORD pid = GetProcessId(process);
  HWND question = FindDialogOf(pid, L"Bestätigen", 20000);
  REQUIRE(question);
  std::wstring texts = AllTexts(question);
  CAPTURE(WideToUtf8(texts));
  CHECK(texts.find(L"Neue Programmversion verfügbar") != std::wstring::npos);
  CHECK(texts.find(L"Sie verwenden derzeit " + Utf8ToWide(*pad.Name) + L" 2.00.\r") !=
        std::wstring::npos);

  // Wine's proxy request names the default port ("host:80"); both forms
  // are the same address.
  bool asked = false;
  for (std::string request : server.Requests()) {
    if (size_t port = request.find(":80/"); port != std::string::npos) request.erase(port, 3);
    asked |= request == "http://www.kalverin.de/pad/tastenfang.xml";
  }
  CHECK(asked);

  HWND no = ButtonWithText(question, L"&Nein");
  REQUIRE(no);
  SendMessageW(no, BM_CLICK, 0, 0);
  HWND main = test::FindProcessWindow(pid, L"kalverin Tastenfang", 5000);
  REQUIRE(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  CHECK(test::WaitExit(process, 15000) == 0);
  if (test::WaitExit(process, 0) == STILL_ACTIVE) TerminateProcess(process, 99);
  CloseHandle(process);
}
