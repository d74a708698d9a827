// End to end: the real program with automatic checks on asks after its
// start whether to download a newer version, having fetched the maker's PAD
// document (here through a loopback proxy).
#include <doctest.h>

#include "base/exception.h"
#include "check_harness.h"
#include "pad_server.h"
#include "test_support.h"

namespace {
// The visible dialog of another process, found by caption.
HWND FindDialogOf(DWORD APid, const std::wstring &ACaption, DWORD ATimeout) {
  HWND found = nullptr;
  test::PumpUntil([&] {
    for (HWND w : test::ProcessWindows(APid))
      if (test::ClassName(w) == L"#32770" && test::WindowText(w) == ACaption) found = w;
    return found != nullptr;
  }, ATimeout);
  return found;
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

// The child whose client position in the parent is X, Y.
HWND ChildAt(HWND AParent, int X, int Y) {
  for (HWND w : test::ChildWindows(AParent)) {
    RECT rc;
    GetWindowRect(w, &rc);
    MapWindowPoints(nullptr, AParent, reinterpret_cast<POINT *>(&rc), 2);
    if (rc.left == X && rc.top == Y) return w;
  }
  return nullptr;
}

// The user turns automatic checks on in the info dialog of the real
// program, closes the dialog with its close box and the program normally.
void EnableAutomaticChecks(const test::TProgramCopy &ACopy) {
  test::TProcess program(ACopy.Exe());
  HWND main = program.MainWindow();
  REQUIRE(main);
  HWND infoButton = ChildAt(main, 278, 118);
  REQUIRE(infoButton);
  PostMessageW(infoButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(infoButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  HWND info = test::FindProcessWindow(program.Pid(), L"Info/Einstellungen");
  REQUIRE(info);
  HWND tabs = FindWindowExW(info, nullptr, L"SysTabControl32", nullptr);
  REQUIRE(tabs);
  PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 1);
  HWND check = ButtonWithText(info, L"Bei Programmstart auf Updates prüfen");
  REQUIRE(check);
  test::PumpUntil([&] { return IsWindowVisible(check) != FALSE; });
  SendMessageW(check, BM_CLICK, 0, 0);
  CHECK(SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED);
  PostMessageW(info, WM_CLOSE, 0, 0);
  test::PumpUntil([&] { return !IsWindowVisible(info); });
  CHECK_FALSE(IsWindowVisible(info));
  CHECK(program.Close() == 0);
}
} // namespace

TEST_CASE("automatic checks turned on and the dialog closed by its close box: the next start "
          "offers a newer version") {
  TPadServer &server = TPadServer::Get();
  TPad pad;
  pad.Version = "2.01";
  std::wstring served = test::EnvPath("TASTENFANG_PAD_SERVER") + L"\\www\\pad";
  CreateDirectoryW(served.c_str(), nullptr);
  test::WriteFileBytes(served + L"\\tastenfang.xml", pad.Xml());

  test::TProgramCopy copy;
  REQUIRE(FileExists(copy.Exe()));
  EnableAutomaticChecks(copy);
  CHECK(test::ReadFileBytes(copy.File(L"Tastenfang.ini")).find("ChkAutoCheckUpdates=1") !=
        std::string::npos);

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
  HWND main = test::FindProcessWindow(pid, L"kalverin Tastenfang");
  REQUIRE(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  CHECK(test::WaitExit(process, 15000) == 0);
  if (test::WaitExit(process, 0) == STILL_ACTIVE) TerminateProcess(process, 99);
  CloseHandle(process);
}
