#include "check_harness.h"

#include "ui/task_dialog_platform.h"

#include <doctest.h>

#include "info/version_info.h"
#include "pad_server.h"
#include "test_support.h"
#include "ui/screen.h"
#include "update/update_check.h"

std::string TPad::Xml() const {
  std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n";
  x += "<Program_Info>\r\n";
  auto element = [&x](const char *ATag, const std::optional<std::string> &AValue) {
    if (AValue) x += std::string("<") + ATag + ">" + *AValue + "</" + ATag + ">\r\n";
  };
  element("Program_Name", Name);
  element("Program_Version", Version);
  element("Program_Release_Month", Month);
  element("Program_Release_Day", Day);
  element("Program_Release_Year", Year);
  x += "</Program_Info>\r\n<Web_Info><Download_URLs>\r\n";
  element("Primary_Download_URL", Url);
  x += "</Download_URLs></Web_Info>\r\n</XML_DIZ_INFO>\r\n";
  return x;
}

TCheckRun::TCheckRun(std::optional<std::wstring> AOwnVersion) {
  CoInitialize(nullptr);
  ProductVersionHook = [AOwnVersion] {
    return AOwnVersion ? *AOwnVersion : GetVersionInfoValue(L"ProductVersion", test::ProgramPath());
  };
  MessageBoxHook = [this](HWND, const std::wstring &AText, const std::wstring &ACaption,
                          UINT AType) {
    Boxes.push_back(AText);
    BoxCaptions.push_back(ACaption);
    BoxTypes.push_back(AType);
    return IDOK;
  };
  ShellExecuteHook = [this](const TShellExecuteRequest &ARequest) {
    Opened.push_back(ARequest);
    return reinterpret_cast<HINSTANCE>(42);
  };
}

TCheckRun::~TCheckRun() {
  ProductVersionHook = nullptr;
  MessageBoxHook = nullptr;
  ShellExecuteHook = nullptr;
  CoUninitialize();
}

void TCheckRun::CheckPad(const TPad &APad, bool AShowMessages) {
  CheckBytes(APad.Xml(), AShowMessages);
}

void TCheckRun::CheckBytes(const std::string &ADocument, bool AShowMessages) {
  static int counter = 0;
  std::string name = "pad" + std::to_string(++counter) + ".xml";
  TPadServer::Get().Put(name, ADocument);
  CheckUrl(TPadServer::Get().Url(name), AShowMessages);
}

void TCheckRun::CheckUrl(const std::wstring &AUrl, bool AShowMessages) {
  test::TDialogWatcher watcher([this](HWND ADialog) {
    TSeenDialog seen;
    seen.Caption = test::WindowText(ADialog);
    for (const std::wstring &t : test::ChildTexts(ADialog, L"Static"))
      if (!t.empty()) seen.Texts.push_back(t);
    seen.Buttons = test::ChildTexts(ADialog, L"Button");
    seen.Focused = test::WindowText(GetFocus());
    RECT r;
    GetWindowRect(ADialog, &r);
    int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    seen.Centred = std::abs(dx) <= 1 && std::abs(dy) <= 1;
    Dialogs.push_back(seen);
    if (Answer == IDCANCEL)
      PostMessageW(ADialog, WM_SYSCOMMAND, SC_CLOSE, 0); // the close box
    else
      test::ClickDialogButton(ADialog, Answer);
  });
  TkalUpdateCheck::Check(AUrl, AShowMessages);
  CHECK_MESSAGE(Screen->Cursor() == crDefault, "the busy cursor was left behind");
}

// Wine runs without visual styles; the platform's version is its own.
TPresentation::TPresentation(bool ATaskDialog) {
  VisualStylesEnabledHook = [ATaskDialog] { return ATaskDialog; };
}

TPresentation::~TPresentation() {
  VisualStylesEnabledHook = nullptr;
}
