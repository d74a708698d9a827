#pragma once
// The main window in a real window of the test program, with the shell
// seam recording what it opens.
#include <windows.h>

#include <vector>

#include "app/main_form.h"
#include "app/program.h"
#include "info/info_form.h"
#include "settings/settings_path.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/platform.h"

// A main window of its own for each test. The single-instance mutex is
// named after the title, so the tests use a title no real copy uses.
struct TMainWindow {
  // The settings file the window reads and writes: the default one of
  // this test program.
  static std::wstring SettingsFile() {
    return ResolveSettingsPath(DefaultSettingsPath(ProgramFileName()), ProgramFileName());
  }
  TFrmMain *Form = nullptr;
  test::TShellRequests Shell;
  std::vector<TShellExecuteRequest> &Opened = Shell.Calls;
  std::wstring OldTitle;
  // Starts from ASettings as the settings file's content (none: no file).
  explicit TMainWindow(const char *ASettings = nullptr) {
    OldTitle = Application->Title();
    Application->SetTitle(L"kalverin Tastenfang (Test " + std::to_wstring(GetCurrentProcessId()) +
                          L")");
    // Nothing of an earlier run: the file is the one given or none.
    std::wstring file = SettingsFile();
    DeleteFileW(file.c_str());
    if (ASettings) {
      CreateDirectoryW(file.substr(0, file.find_last_of(L'\\')).c_str(), nullptr);
      test::WriteFileBytes(file, ASettings);
    }
    Form = TForm::Create<TFrmMain>(nullptr);
    Form->Show();
    test::PumpUntil([this] { return GetForegroundWindow() == Form->Handle(); });
    test::PumpIdle();
  }
  ~TMainWindow() {
    delete Form;
    Application->SetTitle(OldTitle);
  }
  HWND Edit() { return Form->Cbx->EditHandle(); }
  void Type(const std::wstring &AText) { Form->Cbx->SetText(AText); }
  // Keys go to the window with the focus.
  void PressKey(HWND AWnd, WORD AKey) {
    SetFocus(AWnd);
    PostMessageW(AWnd, WM_KEYDOWN, AKey, 1);
    PostMessageW(AWnd, WM_KEYUP, AKey, 0xC0000001);
    test::PumpIdle();
  }
  void Search() {
    SendMessageW(Form->BtnSearch->Handle(), BM_CLICK, 0, 0);
    test::PumpIdle();
  }
  std::vector<std::wstring> History() {
    std::vector<std::wstring> items;
    for (int i = 0; i < Form->Cbx->Items().Count(); ++i) items.push_back(Form->Cbx->Items()[i]);
    return items;
  }
  std::wstring LastAddress() { return Opened.empty() ? L"" : Opened.back().File; }
  // Opens and closes the list, as the user does when choosing an item.
  void CloseUpWithSelection(int AIndex) {
    HWND combo = Form->Cbx->Handle();
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SETCURSEL, WPARAM(AIndex), 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    test::PumpIdle();
  }
};

