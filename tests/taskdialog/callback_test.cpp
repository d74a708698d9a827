// The native dialog's notifications: real ones from the dialog on screen,
// and direct calls where the platform cannot be made to send them.
#include <windows.h>

#include <commctrl.h>
#include <doctest.h>

#include <stdexcept>

#include "dialog_probe.h"
#include "native_seam.h"
#include "taskdialog/task_dialog.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/platform.h"
#include "ui/task_dialog_platform.h"

namespace {
HRESULT Notify(TCustomAdvTaskDialog &D, UINT ANotification, WPARAM AW = 0, LPARAM AL = 0) {
  return TCustomAdvTaskDialog::TaskDialogCallback(HWND(0x4711), ANotification, AW, AL,
                                                  LONG_PTR(&D));
}

LRESULT ProgressOf(HWND ADialog, UINT AMessage, LPARAM AL = 0) {
  for (HWND w : test::ChildWindows(ADialog))
    if (test::ClassName(w) == PROGRESS_CLASSW) return SendMessageW(w, AMessage, 0, AL);
  return -1;
}

void CALLBACK CancelLate(HWND AWnd, UINT, UINT_PTR, DWORD) {
  test::ClickDialogButton(AWnd, IDCANCEL);
}

} // namespace

TEST_CASE("buttons, radio buttons and the check box report through events and outputs") {
  tdtest::TNativePlatform native;
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Auswahl");
  d.CustomButtons().Add(L"Weiter");
  d.RadioButtons().Add(L"Erste");
  d.RadioButtons().Add(L"Zweite");
  d.SetVerificationText(L"Nicht mehr fragen");
  d.SetCommonButtons({cbCancel});
  std::vector<std::wstring> log;
  HWND createdWith = nullptr;
  d.OnDialogCreated = [&](TComponent *S) {
    CHECK(S == &d);
    createdWith = d.hWnd();
    log.push_back(L"created");
  };
  d.OnDialogButtonClick = [&](TComponent *, int ID) {
    log.push_back(L"button " + std::to_wstring(ID));
  };
  d.OnDialogRadioClick = [&](TComponent *, int ID) {
    log.push_back(L"radio " + std::to_wstring(ID));
  };
  d.OnDialogVerifyClick = [&](TComponent *, bool C) {
    log.push_back(C ? L"verify on" : L"verify off");
  };
  d.OnDialogClose = [&](TComponent *, bool &CanClose) {
    log.push_back(L"close");
    CHECK(CanClose);
  };
  tdtest::TSeenDialog seen;
  int r = tdtest::Answering([&] { return d.Execute(); },
                            [&](const tdtest::TSeenDialog &s) {
                              HWND radio = GetDlgItem(s.Wnd, 201);
                              REQUIRE(radio);
                              SendMessageW(radio, BM_CLICK, 0, 0);
                              for (const tdtest::TSeenButton &b : s.Buttons)
                                if (b.Text == L"Nicht mehr fragen")
                                  SendMessageW(b.Wnd, BM_CLICK, 0, 0);
                              tdtest::Click(s, 100);
                            },
                            &seen);
  CHECK(r == 100);
  CHECK(createdWith == seen.Wnd);
  CHECK(d.RadioButtonResult() == 201);
  CHECK(d.VerifyResult());
  CHECK(tdtest::ButtonText(seen, 200) == L"Erste");
  // Wine's dialog reports selecting the default radio button as a click.
  CHECK(log == std::vector<std::wstring>{L"created", L"radio 200", L"radio 201", L"verify on",
                                         L"button 100", L"close"});
}

TEST_CASE("a refusing close handler keeps the native dialog open") {
  tdtest::TNativePlatform native;
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Bleibt offen");
  d.SetCommonButtons({cbOK, cbCancel});
  int asked = 0;
  d.OnDialogClose = [&](TComponent *, bool &CanClose) { CanClose = ++asked > 1; };
  bool openAfterRefusal = false;
  int r = tdtest::Answering([&] { return d.Execute(); },
                            [&](const tdtest::TSeenDialog &s) {
                              tdtest::Click(s, IDOK);
                              // Refused once the handler was asked and the
                              // dialog has dealt with its answer.
                              test::PumpUntil([&] { return asked == 1; });
                              test::PumpIdle();
                              openAfterRefusal = IsWindow(s.Wnd) && IsWindowVisible(s.Wnd);
                              tdtest::Click(s, IDCANCEL);
                            });
  CHECK(asked == 2);
  CHECK(openAfterRefusal);
  CHECK(r == IDCANCEL);
}

TEST_CASE("AutoClose closes the platform's dialog once the time-out has passed") {
  tdtest::TNativePlatform native;
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Schliesst sich");
  d.SetCommonButtons({cbOK, cbCancel});
  d.SetAutoClose(true);
  int ticks = 0;
  d.OnDialogTimer = [&](TComponent *) { ++ticks; };

  SUBCASE("250 ms, no default button set: the dialog's own default, OK") {
    d.SetAutoCloseTimeOut(250);
    test::TDialogWatcher watchdog([](HWND AWnd) {
      // Answers only when the dialog outlives its time-out by far.
      SetTimer(AWnd, 77, test::kWaitLimit, &CancelLate);
    });
    CHECK(d.Execute() == IDOK);
    CHECK(ticks >= 1);
  }
  SUBCASE("a time-out of 0 never closes") {
    d.SetAutoCloseTimeOut(0);
    int r = tdtest::Answering([&] { return d.Execute(); },
                              [&](const tdtest::TSeenDialog &s) {
                                test::PumpUntil([&] { return ticks >= 6; });
                                tdtest::Click(s, IDCANCEL);
                              });
    CHECK(ticks >= 6);
    CHECK(r == IDCANCEL);
  }
}

TEST_CASE("live texts, progress and escape on the open dialog") {
  tdtest::TNativePlatform native;
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Vorher");
  d.SetContent(L"Inhalt");
  d.SetCommonButtons({cbCancel});
  d.SetOptions({doProgressBar, doAllowDialogCancel});
  d.SetProgressBarMin(10);
  d.SetProgressBarMax(50);
  d.OnDialogProgress = [](TComponent *, int &Pos, TTaskDialogProgressState &State) {
    Pos = 30;
    State = psPaused;
  };
  tdtest::TSeenDialog after;
  PBRANGE range{};
  LRESULT pos = 0, state = 0;
  int r = tdtest::Answering([&] { return d.Execute(); },
                            [&](const tdtest::TSeenDialog &s) {
                              d.SetInstruction(L"Nachher");
                              d.SetContent(L"Inhalt"); // unchanged: nothing sent
                              // The progress comes with the dialog's timer.
                              test::PumpUntil([&] {
                                return tdtest::HasStatic(tdtest::Inspect(s.Wnd), L"Nachher") &&
                                       ProgressOf(s.Wnd, PBM_GETPOS) == 30;
                              });
                              after = tdtest::Inspect(s.Wnd);
                              ProgressOf(s.Wnd, PBM_GETRANGE, LPARAM(&range));
                              pos = ProgressOf(s.Wnd, PBM_GETPOS);
                              state = ProgressOf(s.Wnd, PBM_GETSTATE);
                              // Escape in the dialog cancels it.
                              tdtest::PressKey(s, VK_ESCAPE);
                            });
  CHECK(r == IDCANCEL);
  CHECK(tdtest::HasStatic(after, L"Nachher"));
  CHECK(range.iLow == 10);
  CHECK(range.iHigh == 50);
  CHECK(pos == 30);
  // Wine's progress bar keeps no state (PBM_GETSTATE always says normal),
  // so the state message is checked on its own below.
  (void)state;
}

TEST_CASE("the close box cancels a cancellable native dialog") {
  tdtest::TNativePlatform native;
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Schliessfeld");
  d.SetCommonButtons({cbOK});
  d.SetOptions({doAllowDialogCancel});
  tdtest::TSeenDialog seen;
  int r = tdtest::Answering(
      [&] { return d.Execute(); },
      [](const tdtest::TSeenDialog &s) { PostMessageW(s.Wnd, WM_SYSCOMMAND, SC_CLOSE, 0); }, &seen);
  CHECK(seen.HasSystemMenu);
  CHECK(r == IDCANCEL);
}

TEST_CASE("clicked links: the handler, a web or mail address, or nothing") {
  test::TShellRequests shell;
  TAdvTaskDialog d(nullptr);
  const wchar_t *full = L"http://127.0.0.1/hilfe";

  // What would start a program or reach a file share is never opened.
  for (const wchar_t *refused :
       {L"www.example.com/hilfe", L"file:///C:/windows/system32/calc.exe",
        L"FILE://server/freigabe/a.exe", L"\\\\127.0.0.1\\freigabe\\a.exe", L"ms-settings://x",
        L"javascript:alert(1)", L"http:/127.0.0.1", L"http://", L"mailto:"})
    CHECK(Notify(d, TDN_HYPERLINK_CLICKED, 0, LPARAM(refused)) == S_OK);
  CHECK(shell.Calls.empty());
  CHECK(d.hWnd() == HWND(0x4711));
  for (const wchar_t *opened : {L"HTTPS://127.0.0.1/a", L"MailTo:info@kalverin.de"})
    Notify(d, TDN_HYPERLINK_CLICKED, 0, LPARAM(opened));
  REQUIRE(shell.Calls.size() == 2);
  CHECK(shell.Calls[1].File == L"MailTo:info@kalverin.de");
  shell.Calls.clear();

  Notify(d, TDN_HYPERLINK_CLICKED, 0, LPARAM(full));
  REQUIRE(shell.Calls.size() == 1);
  // The desktop's default handler opens the address with the user's own
  // rights: no "runas", no browser named by the program.
  CHECK(shell.Calls[0].Verb == std::optional<std::wstring>(L"open"));
  CHECK(shell.Calls[0].File == full);
  CHECK_FALSE(shell.Calls[0].Parameters.has_value());
  CHECK(shell.Calls[0].Owner == nullptr);

  std::wstring handled;
  d.OnDialogHyperlinkClick = [&](TComponent *, const std::wstring &HRef) { handled = HRef; };
  Notify(d, TDN_HYPERLINK_CLICKED, 0, LPARAM(full));
  CHECK(handled == full);
  CHECK(shell.Calls.size() == 1);
}

TEST_CASE("help from the native dialog, and failures inside notifications") {
  test::TMessageBoxes boxes;
  std::vector<DWORD_PTR> helped;
  const std::wstring oldHelpFile = Application->HelpFile();
  Application->SetHelpFile(L"C:\\Tastenfang.chm");
  HtmlHelpHook = [&](HWND, const std::wstring &, UINT, DWORD_PTR AData) -> HWND {
    helped.push_back(AData);
    if (AData == 13) throw Exception(L"Hilfe nicht gefunden");
    if (AData == 14) throw std::runtime_error("kaputt");
    return nullptr;
  };
  TAdvTaskDialog d(nullptr);
  Notify(d, TDN_HELP);
  CHECK(helped.empty());
  d.SetHelpContext(3);
  Notify(d, TDN_HELP);
  CHECK(helped == std::vector<DWORD_PTR>{3});
  CHECK(boxes.Calls.empty());

  d.SetHelpContext(13);
  CHECK(Notify(d, TDN_HELP) == S_OK);
  REQUIRE(boxes.Calls.size() == 1);
  CHECK(boxes.Calls[0].Text == L"Hilfe nicht gefunden.");
  CHECK(boxes.Calls[0].Caption == L"kalverin Tastenfang");
  CHECK(boxes.Calls[0].Type == MB_ICONERROR);

  // Other failures cannot unwind through the platform's dialog: they reach
  // the general error report and the dialog goes on.
  d.SetHelpContext(14);
  CHECK(Notify(d, TDN_HELP) == S_OK);
  REQUIRE(boxes.Calls.size() == 2);
  CHECK(boxes.Calls[1].Text == L"kaputt.");
  CHECK(boxes.Calls[1].Type == (MB_OK | MB_ICONERROR));

  d.OnDialogButtonClick = [](TComponent *, int) { throw Exception(L"Knopf"); };
  CHECK(Notify(d, TDN_BUTTON_CLICKED, 1) == S_OK);
  CHECK(boxes.Calls.size() == 3);

  HtmlHelpHook = nullptr;
  Application->SetHelpFile(oldHelpFile);
}

namespace {
// A window that records the task-dialog messages sent to it.
struct TMessageLog {
  static std::vector<std::pair<UINT, WPARAM>> &Sent() {
    static std::vector<std::pair<UINT, WPARAM>> sent;
    return sent;
  }
  static LRESULT CALLBACK Proc(HWND W, UINT M, WPARAM P, LPARAM L) {
    if (M > WM_USER) Sent().push_back({M, P});
    return DefWindowProcW(W, M, P, L);
  }
  HWND Wnd;
  TMessageLog() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TdMessageLog";
    RegisterClassW(&wc);
    Wnd = CreateWindowW(L"TdMessageLog", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                        nullptr);
    Sent().clear();
  }
  ~TMessageLog() { DestroyWindow(Wnd); }
};
} // namespace

TEST_CASE("messages to the open dialog: progress, close, buttons, texts") {
  TMessageLog target;
  TAdvTaskDialog d(nullptr);
  auto notify = [&](UINT N, WPARAM W = 0) {
    return TCustomAdvTaskDialog::TaskDialogCallback(target.Wnd, N, W, 0, LONG_PTR(&d));
  };
  using TSent = std::vector<std::pair<UINT, WPARAM>>;
  d.SetOptions({doProgressBar, doProgressBarMarquee});
  d.SetProgressBarMin(5);
  d.SetProgressBarMax(500);
  notify(TDN_CREATED);
  CHECK(TMessageLog::Sent() ==
        TSent{{TDM_SET_PROGRESS_BAR_RANGE, 0}, {TDM_SET_PROGRESS_BAR_MARQUEE, 1}});
  TMessageLog::Sent().clear();

  TTaskDialogProgressState next = psError;
  d.OnDialogProgress = [&](TComponent *, int &Pos, TTaskDialogProgressState &State) {
    Pos = 42;
    State = next;
  };
  notify(TDN_TIMER);
  next = psPaused;
  notify(TDN_TIMER);
  next = psNormal;
  notify(TDN_TIMER);
  CHECK(TMessageLog::Sent() == TSent{{TDM_SET_PROGRESS_BAR_POS, 42},
                                     {TDM_SET_PROGRESS_BAR_STATE, PBST_ERROR},
                                     {TDM_SET_PROGRESS_BAR_POS, 42},
                                     {TDM_SET_PROGRESS_BAR_STATE, PBST_PAUSED},
                                     {TDM_SET_PROGRESS_BAR_POS, 42},
                                     {TDM_SET_PROGRESS_BAR_STATE, PBST_NORMAL}});
  TMessageLog::Sent().clear();

  d.ClickButton(101);
  d.EnableButton(100, false);
  d.ElevateButton(100, true);
  d.SetFooter(L"Fuss");
  d.SetFooter(L"Fuss");
  d.SetExpandedText(L"Mehr");
  // Not native: Close has no dialog to close.
  d.Close();
  CHECK(TMessageLog::Sent() == TSent{{TDM_CLICK_BUTTON, 101},
                                     {TDM_ENABLE_BUTTON, 100},
                                     {TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE, 100},
                                     {TDM_UPDATE_ELEMENT_TEXT, TDE_FOOTER},
                                     {TDM_UPDATE_ELEMENT_TEXT, TDE_EXPANDED_INFORMATION}});
}

TEST_CASE("timer notifications count towards AutoClose and raise the timer event") {
  TAdvTaskDialog d(nullptr);
  int ticks = 0;
  d.OnDialogTimer = [&](TComponent *) { ++ticks; };
  for (int i = 0; i < 4; ++i)
    CHECK(Notify(d, TDN_TIMER) == S_OK);
  CHECK(ticks == 4);
  // Unknown notifications do nothing but remember the window.
  CHECK(Notify(d, TDN_EXPANDO_BUTTON_CLICKED, 1) == S_OK);
  CHECK(Notify(d, TDN_DESTROYED) == S_OK);
  CHECK(ticks == 4);
}

TEST_CASE("once the dialog is gone nothing is sent to its old window") {
  TMessageLog target; // stands for a window that got the old handle
  TAdvTaskDialog d(nullptr);
  auto notify = [&](UINT N) {
    return TCustomAdvTaskDialog::TaskDialogCallback(target.Wnd, N, 0, 0, LONG_PTR(&d));
  };
  notify(TDN_CREATED);
  CHECK(d.hWnd() == target.Wnd);
  d.SetContent(L"offen");
  CHECK(TMessageLog::Sent().size() == 1);
  notify(TDN_DESTROYED);
  CHECK(d.hWnd() == nullptr);
  TMessageLog::Sent().clear();
  d.SetContent(L"zu");
  d.SetFooter(L"zu");
  d.ClickButton(IDOK);
  d.EnableButton(IDOK, false);
  d.ElevateButton(IDOK, true);
  CHECK(TMessageLog::Sent().empty());
  CHECK(d.Content() == L"zu");
}

TEST_CASE("a halt raised inside the native dialog ends it and goes on as a halt") {
  tdtest::TNativePlatform native;
  test::TMessageBoxes boxes;
  TAdvTaskDialog d(nullptr);
  d.SetCommonButtons({cbOK});
  d.OnDialogCreated = [](TComponent *) { Application->Halt(3); };
  // Should the dialog stay, it is closed late, and the test says so.
  bool closedLate = false;
  test::TDialogWatcher late([&](HWND ADialog) {
    test::Later(test::kWaitLimit, [&closedLate, ADialog] {
      if (IsWindow(ADialog)) {
        closedLate = true;
        test::ClickDialogButton(ADialog, IDOK);
      }
    });
  });
  int code = -1;
  try {
    d.Execute();
  } catch (const TProgramHalt &halt) {
    code = halt.ExitCode;
  }
  CHECK(code == 3);
  CHECK_FALSE(closedLate);
  CHECK(boxes.Calls.empty());
  CHECK(d.hWnd() == nullptr);
  MSG quit;
  CHECK_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

namespace {
// Stands in for the platform's TaskDialogIndirect for one test.
struct TPlatformDialog {
  explicit TPlatformDialog(
      std::function<HRESULT(const TASKDIALOGCONFIG *, int *, int *, BOOL *)> AShow) {
    TaskDialogIndirectHook = std::move(AShow);
  }
  ~TPlatformDialog() { TaskDialogIndirectHook = nullptr; }
};

HRESULT Send(const TASKDIALOGCONFIG *AConfig, HWND AWnd, UINT ANotification, WPARAM AW = 0) {
  return AConfig->pfCallback(AWnd, ANotification, AW, 0, AConfig->lpCallbackData);
}
} // namespace

TEST_CASE("the platform's dialog: failure, auto-close by elapsed time, executions inside others") {
  tdtest::TNativePlatform native;
  TMessageLog outerWnd, innerWnd;
  TAdvTaskDialog d(nullptr);
  d.SetCommonButtons({cbYes, cbNo});
  d.RadioButtons().Add(L"Eins");

  SUBCASE("a dialog that cannot be shown gives -1, not a cancel") {
    TPlatformDialog failing([](const TASKDIALOGCONFIG *, int *AButton, int *ARadio, BOOL *) {
      *AButton = IDCANCEL;
      *ARadio = 200;
      return E_INVALIDARG;
    });
    CHECK(d.Execute() == -1);
    CHECK(d.RadioButtonResult() == 0);
  }
  SUBCASE("the time since creation counts, and Close clicks the shown default") {
    d.SetAutoClose(true);
    d.SetAutoCloseTimeOut(1000);
    std::vector<std::pair<UINT, WPARAM>> sent;
    TPlatformDialog platform([&](const TASKDIALOGCONFIG *C, int *AButton, int *, BOOL *) {
      Send(C, outerWnd.Wnd, TDN_CREATED);
      TMessageLog::Sent().clear();
      // About every 200 ms, as the platform sends them.
      for (WPARAM elapsed : {200, 400, 600, 800, 1000}) Send(C, outerWnd.Wnd, TDN_TIMER, elapsed);
      CHECK(TMessageLog::Sent().empty());
      Send(C, outerWnd.Wnd, TDN_TIMER, 1200);
      sent = TMessageLog::Sent();
      *AButton = IDYES;
      return S_OK;
    });
    CHECK(d.Execute() == IDYES);
    // No default button set: Yes is the one the dialog shows as default.
    CHECK(sent == std::vector<std::pair<UINT, WPARAM>>{{TDM_CLICK_BUTTON, IDYES}});
  }
  SUBCASE("the outer dialog is reached again once an inner execution returns") {
    HWND seenAfterInner = nullptr;
    int depth = 0;
    TPlatformDialog platform([&](const TASKDIALOGCONFIG *C, int *AButton, int *, BOOL *) {
      const bool outer = depth++ == 0;
      Send(C, outer ? outerWnd.Wnd : innerWnd.Wnd, TDN_CREATED);
      if (outer) {
        CHECK(d.Execute() == IDNO);
        seenAfterInner = d.hWnd();
        TMessageLog::Sent().clear();
        d.ClickButton(IDYES);
        CHECK(TMessageLog::Sent() == std::vector<std::pair<UINT, WPARAM>>{{TDM_CLICK_BUTTON, IDYES}});
      }
      Send(C, outer ? outerWnd.Wnd : innerWnd.Wnd, TDN_DESTROYED);
      *AButton = outer ? IDYES : IDNO;
      return S_OK;
    });
    CHECK(d.Execute() == IDYES);
    CHECK(seenAfterInner == outerWnd.Wnd);
    CHECK(d.hWnd() == nullptr);
  }
}
